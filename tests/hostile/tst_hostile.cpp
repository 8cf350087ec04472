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
    QTest::addColumn<bool>("notesAsText");

    for (const HostileInput &input : hostileInputs()) {
        QTest::newRow(qPrintable(input.name)) << input.generate(0.02) << input.status << true;
        // The tools read notes as text only; a program may read them as notes.
        if (input.name.contains(QLatin1String("note")))
            QTest::addRow("%s, as notes", qPrintable(input.name))
                << input.generate(0.02) << input.status << false;
    }
}

void tst_Hostile::import()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, status);
    QFETCH(bool, notesAsText);

    ImportOptions options;
    options.notesAsText = notesAsText;
    const ImportResult result = importRtf(rtf, options);
    if (status != QLatin1String("*")) {
        QCOMPARE(result.error.section(QLatin1String(" RTF file position: "), 0, 0), status);
        QCOMPARE(result.ok, status.isEmpty());
    }
    QCOMPARE(documentInvariantFault(*result.document), QString());
}

QMK_TEST_MAIN(tst_Hostile)
#include "tst_hostile.moc"
