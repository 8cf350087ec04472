// Speed work on the reader must not change what it builds: each generated workload is
// imported and its document dump compared line by line with the dump the reader gave before.
// A deliberate change of the import regenerates the references with
//   build/tests/rtfdump --workload KIND 16000 > tests/rtf/reader/identity/KIND.dump
// and scripts/compare-imports does the same comparison for the corpus.

#include "bench/workloads.h"
#include "support/documentdump.h"
#include "support/testsupport.h"

#include <QFile>

class tst_ImportIdentity : public QObject
{
    Q_OBJECT

private slots:
    void workloadDocumentIsUnchanged_data();
    void workloadDocumentIsUnchanged();
};

// Large enough for every construct of a kind to appear several times, small enough to keep
// the references readable in a diff.
constexpr int WorkloadBytes = 16000;

void tst_ImportIdentity::workloadDocumentIsUnchanged_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("prose with runs, escapes, fields and footnotes") << "text";
    QTest::newRow("tables with merges, shading and nesting") << "table";
    QTest::newRow("multi-level Word lists") << "list";
    QTest::newRow("small PNG and JPEG pictures") << "picture";
}

void tst_ImportIdentity::workloadDocumentIsUnchanged()
{
    QFETCH(QString, kind);
    WorkloadKind workload;
    QVERIFY(workloadKindFromName(kind, &workload));
    const ImportResult result = importRtf(generateWorkload(workload, WorkloadBytes));
    QVERIFY(result.ok);
    const QStringList actual = (dumpDocument(*result.document)
                                + QStringLiteral("status ok\n")).split(QLatin1Char('\n'));

    QFile reference(QStringLiteral(QMK_IDENTITY_DIR "/%1.dump").arg(kind));
    QVERIFY2(reference.open(QIODevice::ReadOnly), qPrintable(reference.fileName()));
    const QStringList expected = QString::fromUtf8(reference.readAll()).split(QLatin1Char('\n'));
    for (int i = 0; i < qMin(actual.size(), expected.size()); ++i) {
        QVERIFY2(actual.at(i) == expected.at(i),
                 qPrintable(QStringLiteral("line %1\nexpected: %2\nactual:   %3")
                                .arg(i + 1).arg(expected.at(i), actual.at(i))));
    }
    QCOMPARE(actual.size(), expected.size());
}

QMK_TEST_MAIN(tst_ImportIdentity)
#include "tst_importidentity.moc"
