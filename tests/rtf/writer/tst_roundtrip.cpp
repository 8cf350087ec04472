// Writing a document and reading it back must give the document again. Every RTF input the
// suite holds (the corpus of real files beside the project, the kept fuzzer finds, the fuzzer's
// seeds and the generated workloads) is imported, written in internal mode, imported again and
// compared: text, tables with their spans, lists with their levels and labels, and every block
// and character format by meaning. Export mode must give RTF that imports without a fault and
// keeps the text.

#include "bench/workloads.h"
#include "support/roundtripcompare.h"
#include "support/testsupport.h"

#include "rtf/writer/qmktextrtfwriter.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>

class tst_RoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void readsBackTheSameDocument_data();
    void readsBackTheSameDocument();
    void keepsNotesStoredOnAnchors_data();
    void keepsNotesStoredOnAnchors();
};

namespace {

// Inputs whose second import differs on purpose, with the reason.
const QHash<QString, QString> Exceptions = {
    {QStringLiteral("pandoc__table_nested_malformed_itap.rtf"),
     QStringLiteral("nesting levels skipped by the input are made up by the reader; written out "
                    "level by level, each made-up level keeps one more empty paragraph")},
};

void addFiles(const QString &folder, const QString &prefix)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*.rtf"), QStringLiteral("*.RTF")},
                                            QDir::Files, QDir::Name);
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            QTest::newRow(qPrintable(prefix + name)) << file.readAll() << Exceptions.value(name);
    }
}

// The text, a paragraph a line. Export mode ends a paragraph before a table with \par for
// other readers, which gives this reader an empty paragraph more: empty ones are left out.
QString paragraphTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString text = block.text();
        text.remove(QChar::ObjectReplacementCharacter);
        // Export mode sets each note's text off by one blank and trims the note's own blanks.
        text.remove(QLatin1Char(' '));
        if (!text.isEmpty())
            texts << text;
    }
    return texts.join(QLatin1Char('\n'));
}

} // namespace

void tst_RoundTrip::readsBackTheSameDocument_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("exception");
    addFiles(QStringLiteral(QMK_SOURCE_DIR "/../shared/corpus"), QStringLiteral("corpus/"));
    addFiles(QStringLiteral(QMK_SOURCE_DIR "/tests/rtf/reader/regressions"),
             QStringLiteral("regressions/"));
    addFiles(QStringLiteral(QMK_SOURCE_DIR "/fuzz/seeds"), QStringLiteral("seeds/"));
    for (const char *kind : {"text", "table", "list", "picture"}) {
        WorkloadKind workload;
        QVERIFY(workloadKindFromName(QLatin1String(kind), &workload));
        QTest::newRow(kind) << generateWorkload(workload, 16000) << QString();
    }
}

void tst_RoundTrip::readsBackTheSameDocument()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, exception);
    const ImportResult original = importRtf(rtf);

    const QByteArray internal = toRtf(original.document.get(), false, false, true, QString());
    const ImportResult readBack = importRtf(internal);
    QVERIFY2(readBack.ok, qPrintable(readBack.error));
    const QString difference = roundTripDifference(*original.document, *readBack.document);
    if (!exception.isEmpty())
        QEXPECT_FAIL("", qPrintable(exception), Continue);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));

    const QByteArray exported = toRtf(original.document.get(), false, true, true, QString());
    const ImportResult exportedBack = importRtf(exported);
    QVERIFY2(exportedBack.ok, qPrintable(exportedBack.error));
    if (exception.isEmpty())
        QCOMPARE(paragraphTexts(*exportedBack.document), paragraphTexts(*readBack.document));
}

void tst_RoundTrip::keepsNotesStoredOnAnchors_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("exception");
    addFiles(QStringLiteral(QMK_SOURCE_DIR "/../shared/corpus"), QStringLiteral("corpus/"));
    QTest::newRow("notes in notes, an endnote, notes in a table")
        << QByteArray("{\\rtf1 A{\\footnote x{\\*\\annotation y{\\footnote z}}}B{\\footnote\\ftnalt e}"
                      "\\par\\trowd\\cellx900\\pard\\intbl C{\\*\\annotation c}\\cell\\row}")
        << QString();
}

// Notes read as notes are links to their content in the RTF the system writes for itself.
void tst_RoundTrip::keepsNotesStoredOnAnchors()
{
    QFETCH(QByteArray, rtf);
    if (!rtf.contains("\\footnote") && !rtf.contains("\\annotation"))
        QSKIP("no notes");
    ImportOptions asNotes;
    asNotes.notesAsText = false;
    const ImportResult original = importRtf(rtf, asNotes);
    QVERIFY(toRtf(original.document.get(), false, false, true, QString()).contains("qmknote"));
    const ImportResult readBack =
        importRtf(toRtf(original.document.get(), false, false, true, QString()));
    QVERIFY2(readBack.ok, qPrintable(readBack.error));
    const QString difference = roundTripDifference(*original.document, *readBack.document);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

QMK_TEST_MAIN(tst_RoundTrip)
#include "tst_roundtrip.moc"
