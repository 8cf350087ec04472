#include "support/testsupport.h"
#include "tabledescription.h"

#include "qmkformatproperties.h"
#include "qmktextrtfreader.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTextTable>

class tst_Notes : public QObject
{
    Q_OBJECT
private slots:
    void notesAsText_data();
    void notesAsText();
    void notesAsNotes_data();
    void notesAsNotes();
    void notesLeaveTheParagraphAlone_data();
    void notesLeaveTheParagraphAlone();
};

namespace {

struct NoteOptions
{
    bool asText = true;
    bool placeholderAnchor = true;
    QString placeholder = QStringLiteral("*");
};

std::unique_ptr<QTextDocument> read(const QByteArray &body, const NoteOptions &options = {})
{
    QByteArray rtf = "{\\rtf1\\ansi " + body + "}";
    QBuffer buffer(&rtf);
    QMKTextRtfReader reader(&buffer);
    reader.setFootnotesAsText(options.asText);
    reader.setAnnotationsAsText(options.asText);
    reader.setFootnotePlaceholderAnchor(options.placeholderAnchor);
    reader.setNoteAnchorPlaceholder(options.placeholder);
    auto document = std::make_unique<QTextDocument>();
    if (!reader.read(document.get()))
        qWarning() << reader.errorString();
    return document;
}

// One letter per character of the document: '.' plain, 'f' inline footnote, 'e' inline
// endnote, 'a' inline annotation; 'F', 'E', 'C' the anchor of a footnote, endnote, comment.
QString noteMarks(const QTextDocument &document)
{
    QString marks;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        if (b != document.begin())
            marks += QLatin1Char('\n');
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QChar mark = QLatin1Char('.');
            const bool flag = f.boolProperty(QMKFormatProperty::NoteFlag);
            if (f.boolProperty(QMKFormatProperty::InlineFootnote))
                mark = QLatin1Char(flag ? 'e' : 'f');
            else if (f.boolProperty(QMKFormatProperty::InlineAnnotation))
                mark = QLatin1Char('a');
            else if (f.boolProperty(QMKFormatProperty::LinkedFootnote))
                mark = QLatin1Char(flag ? 'E' : 'F');
            else if (f.boolProperty(QMKFormatProperty::LinkedComment))
                mark = QLatin1Char('C');
            marks += QString(it.fragment().length(), mark);
        }
    }
    return marks;
}

} // namespace

void tst_Notes::notesAsText_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marks");

    auto row = [](const char *tag, const char *body, const char *text, const char *marks) {
        QTest::newRow(tag) << QByteArray(body) << QString::fromUtf8(text)
                           << QString::fromUtf8(marks);
    };
    row("footnote", "See{\\footnote text}.", "Seetext.", "...ffff.");
    row("annotation", "See{\\chatn{\\*\\annotation note}}.", "Seenote.", "...aaaa.");
    row("\\plain inside keeps the mark", "See{\\footnote\\pard\\plain\\b text}.", "Seetext.",
        "...ffff.");
    row("nested group", "A{\\footnote x{\\i y}z}B", "AxyzB", ".fff.");
    row("nested footnote", "A{\\footnote x{\\footnote y}z}B", "AxyzB", ".fff.");
    row("annotation in a footnote", "A{\\footnote x{\\*\\annotation y}z}B", "AxyzB", ".faf.");
    row("field result follows the note", "A{\\footnote {\\field{\\*\\fldinst X}{\\fldrslt r}}}B",
        "ArB", ".f.");
    // Was: the endnote was skipped whole and its text lost.
    row("endnote", "A{\\footnote\\ftnalt end}B", "AendB", ".eee.");
    row("note reference marks give no text", "A{\\super\\chftn}{\\footnote{\\super\\chftn} n}B",
        "A nB", ".ff.");
    row("paragraph break in a note", "A{\\footnote x\\par y}B", "Ax\nyB", ".f\nf.");
    row("unclosed note", "A{\\footnote x", "Ax", ".f");
    row("author and date groups", "{\\*\\atnid JD}{\\*\\atnauthor Jo}\\chatn{\\*\\annotation"
        "{\\*\\atnref 1}{\\*\\atndate 123}c}", "c", "a");
}

void tst_Notes::notesAsText()
{
    QFETCH(QByteArray, body);
    const auto document = read(body);
    QTEST(document->toPlainText(), "text");
    QTEST(noteMarks(*document), "marks");
}

void tst_Notes::notesAsNotes_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("placeholderAnchor");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marks");
    QTest::addColumn<QStringList>("noteTexts");

    auto row = [](const char *tag, const char *body, bool placeholder, const char *text,
                  const char *marks, std::initializer_list<const char *> notes) {
        QTest::newRow(tag) << QByteArray(body) << placeholder << QString::fromUtf8(text)
                           << QString::fromUtf8(marks) << strings(notes);
    };
    row("footnote on a placeholder", "See{\\footnote\\b text}.", true, "See*.", "...F.",
        {"text"});
    row("footnote on the word before", "See{\\footnote text}.", false, "See.", "FFF.",
        {"text"});
    row("word after a separator", "Hello world{\\footnote n}", false, "Hello world",
        "......FFFFF", {"n"});
    row("annotation at a paragraph start", "{\\*\\annotation note}Hi", true, "*Hi", "C..",
        {"note"});
    row("annotation on the word before", "Hello world{\\*\\annotation x}", true, "Hello world",
        "......CCCCC", {"x"});
    // Was: the break went into the text around the note, and the note lost its paragraphs.
    row("paragraphs of a note", "A{\\footnote one\\par two}B", true, "A*B", ".F.",
        {"one\ntwo"});
    // Was: an endnote gave nothing but an empty note.
    row("endnote", "A{\\footnote\\ftnalt end}B", true, "A*B", ".E.", {"end"});
    // Was: the inner note replaced the outer one's document.
    row("footnote in a footnote", "A{\\footnote x{\\footnote y}z}B", true, "A*B", ".F.",
        {"xyz"});
    row("annotation in a footnote", "A{\\footnote x {\\*\\annotation y}z}B", true, "A*B",
        ".F.", {"x z"});
    row("two notes", "A{\\footnote 1}B{\\footnote 2}", true, "A*B*", ".F.F", {"1", "2"});
    row("unclosed note", "A{\\footnote x", true, "A*", ".F", {"x"});
}

void tst_Notes::notesAsNotes()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, placeholderAnchor);
    QFETCH(QStringList, noteTexts);
    const auto document = read(body, {false, placeholderAnchor});
    QTEST(document->toPlainText(), "text");
    QTEST(noteMarks(*document), "marks");

    QStringList plainTexts;
    QString lastIdentifier;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.boolProperty(QMKFormatProperty::NoteAnchor))
                continue;
            const QString identifier = f.stringProperty(QMKFormatProperty::NoteIdentifier);
            QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F-]{36}$")).match(identifier)
                        .hasMatch());
            QCOMPARE(f.anchorHref(), QLatin1String("qmarkcmt://") + identifier);
            QVERIFY(f.isAnchor());
            QVERIFY2(f.fontWeight() <= QFont::Normal, "anchors keep the format around the note");
            const bool comment = f.boolProperty(QMKFormatProperty::LinkedComment);
            QCOMPARE(f.property(QMKFormatProperty::NoteColour).value<QColor>(),
                     comment ? QColor(254, 246, 188) : QColor());
            if (identifier == lastIdentifier)
                continue;
            lastIdentifier = identifier;
            plainTexts.append(f.stringProperty(QMKFormatProperty::NotePlainText));
            // The stored RTF reads back into the note's text.
            QByteArray rtf = f.property(QMKFormatProperty::NoteContent).toByteArray();
            QBuffer buffer(&rtf);
            QTextDocument note;
            QVERIFY(QMKTextRtfReader(&buffer).read(&note));
            QCOMPARE(note.toPlainText(), plainTexts.last());
        }
    }
    QCOMPARE(plainTexts, noteTexts);
}

void tst_Notes::notesLeaveTheParagraphAlone_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("asText");
    QTest::addColumn<QString>("table");

    const QByteArray wordNote = "{\\footnote\\pard\\plain\\s2\\ql\\li0\\fi0\\sb0\\ls1\\ilvl0"
                                "\\itap0\\intbl\\tx100\\keepn\\outlinelevel1 note}";
    for (bool asText : {true, false}) {
        const char *mode = asText ? "as text" : "as notes";
        // Was: the note's \pard closed the table, its \ls reached the body paragraph.
        QTest::addRow("in a table cell, %s", mode)
            << QByteArray("\\trowd\\cellx2000\\pard\\intbl\\qc A" + wordNote
                          + "B\\cell\\row\\pard after")
            << asText << QString::fromUtf8(asText ? "AnoteB" : "A*B");
        QTest::addRow("cell words in a note, %s", mode)
            << QByteArray("\\trowd\\cellx2000\\pard\\intbl\\qc A{\\footnote x\\cell\\trowd"
                          "\\cellx50 y\\row}B\\cell\\row\\pard after")
            << asText << QString::fromUtf8(asText ? "Ax+yB" : "A*B");
    }
}

void tst_Notes::notesLeaveTheParagraphAlone()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, asText);
    const auto document = read(body, {asText});
    QTextCursor cursor(document.get());
    cursor.movePosition(QTextCursor::NextBlock);
    QTextTable *table = cursor.currentTable();
    QVERIFY(table);
    QTEST(describeTable(table), "table");
    const QTextBlock cellBlock = table->cellAt(0, 0).firstCursorPosition().block();
    QCOMPARE(cellBlock.blockFormat().alignment(), Qt::AlignHCenter);
    QVERIFY(!cellBlock.blockFormat().hasProperty(QMKFormatProperty::ListNumber));
    QVERIFY(cellBlock.blockFormat().tabPositions().isEmpty());
    QCOMPARE(document->lastBlock().text(), QStringLiteral("after"));
    QVERIFY(!document->lastBlock().blockFormat().hasProperty(QMKFormatProperty::ListNumber));
}

QMK_TEST_MAIN(tst_Notes)
#include "tst_notes.moc"
