#include "hostile/hostileinputs.h"
#include "support/documentinvariants.h"
#include "support/testsupport.h"

// Every hostile input, at a fraction of the size the benchmark uses: the import must finish
// with its documented status and leave a sound document. Time and memory are measured by
// bench/hostile, not here.
class tst_Hostile : public QObject
{
    Q_OBJECT
private slots:
    void import_data();
    void import();
};

void tst_Hostile::import_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("status");

    for (const HostileInput &input : hostileInputs())
        QTest::newRow(qPrintable(input.name)) << input.generate(0.02) << input.status;
}

void tst_Hostile::import()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, status);

    const ImportResult result = importRtf(rtf);
    if (status != QLatin1String("*")) {
        QCOMPARE(result.error.section(QLatin1String(" RTF file position: "), 0, 0), status);
        QCOMPARE(result.ok, status.isEmpty());
    }
    QCOMPARE(documentInvariantFault(*result.document), QString());
}

QMK_TEST_MAIN(tst_Hostile)
#include "tst_hostile.moc"
