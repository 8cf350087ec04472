#include "support/testsupport.h"

#include "writerdocuments.h"

#include "qmkformatproperties.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextImageFormat>
#include <QUrl>

namespace {

using P = QMKFormatProperty;

// Appends a run to the last paragraph.
void run(QTextDocument &document, const char *text, const QTextCharFormat &format = {})
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString::fromUtf8(text), format);
}

QTextCharFormat link(const char *href, Properties more = {})
{
    QTextCharFormat format = with(more);
    format.setAnchor(true);
    format.setAnchorHref(QString::fromUtf8(href));
    return format;
}

QTextCharFormat bookmark(const char *name)
{
    return with({{P::BookmarkName, QString::fromUtf8(name)}});
}

// The anchor of a linked comment whose note is the given RTF.
QTextCharFormat linkedComment(const char *note, const char *href = "note:1")
{
    return link(href, {{P::LinkedComment, true}, {P::NoteAnchor, true},
                       {P::NoteIdentifier, QStringLiteral("N1")},
                       {P::NoteContent, QByteArray(note)}});
}

QImage redImage()
{
    QImage image(2, 1, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

// Appends the picture "pic": the 2 × 1 red image, shown 4 × 2 pixels.
void picture(QTextDocument &document, Properties more = {})
{
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("pic")), redImage());
    QTextImageFormat format = with<QTextImageFormat>(more);
    format.setName(QStringLiteral("pic"));
    format.setWidth(4);
    format.setHeight(2);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertImage(format);
}

void storedPicture(QTextDocument &document, const char *bytes, const char *format)
{
    picture(document, {{P::PictureSourceBytes, QByteArray(bytes)},
                       {P::PictureSourceFormat, QString::fromUtf8(format)}});
}

void pdfPicture(QTextDocument &document, const QByteArray &pdf, const char *name, int offset)
{
    picture(document, {{P::PdfData, pdf}, {P::PdfFileName, QString::fromUtf8(name)},
                       {P::VerticalOffset, offset}});
}

// A blank page of 72 × 36 points: 150 × 75 pixels at the resolution of export mode.
QByteArray blankPdf()
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QSizeF(72, 36), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter(&writer).end();
    return pdf;
}

// A run whose format holds anything states the document's font and size.
QByteArray f0(const char *text)
{
    return "{\\f0\\fs24 " + QByteArray(text) + "}";
}

QByteArray field(const QByteArray &instruction)
{
    return "{\\field{\\*\\fldinst HYPERLINK " + instruction + "}{\\fldrslt";
}

const QByteArray opening = "\n\\pard\\plain \\ltrch\\loch ";
const QByteArray pict = "{\\*\\shppict{\\pict{\\*\\nisusfilename pic}";
const QByteArray redPict = pict + "\\picw2\\pich1\\picwgoal60\\pichgoal30";
const QByteArray atn1 = "{\\*\\atrfend 1}}{\\chatn{\\*\\annotation{\\*\\atnref 1}";

} // namespace

class tst_WriterSpans : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useKnownApplicationFont(); }
    void spans_data();
    void spans();
};

void tst_WriterSpans::spans_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<bool>("exportMode");
    QTest::addColumn<QByteArray>("expected"); // the body; PNG data as <png> (red image) or <other>
    auto row = [](const char *tag, Build build, const QByteArray &body, bool exportMode = false) {
        QTest::newRow(tag) << build << exportMode << opening + body + "}";
    };

    row("link over two runs: one field, a group for each run", [](QTextDocument &d) {
        run(d, "a", link("x", {{QTextFormat::TextUnderlineStyle, 1}}));
        run(d, "b", link("x", {{QTextFormat::FontStrikeOut, true}}));
        run(d, "c");
    }, field("\"x\"") + "{\\f0\\fs24\\ul\\ulc0 a}{\\f0\\fs24\\strike\\strikec0 b}}}{c}");
    row("two targets, two fields", [](QTextDocument &d) {
        run(d, "a", link("x"));
        run(d, "b", link("y"));
    }, field("\"x\"") + f0("a") + "}}" + field("\"y\"") + f0("b") + "}}");
    row("closed at the paragraph end though the next goes on", [](QTextDocument &d) {
        run(d, "a", link("x"));
        paragraph(d, "b", {}, link("x"));
    }, field("\"x\"") + f0("a") + "}}\n\\par\\plain " + field("\"x\"") + f0("b") + "}}");
    row("internal link", [](QTextDocument &d) {
        run(d, "a", link("#m", {{P::InternalLinkTarget, QStringLiteral("m")}}));
    }, field("\\\\l m") + f0("a") + "}}");
    // Was: the link alone, the note lost.
    row("linked comment: a link keeping its note", [](QTextDocument &d) {
        QTextCharFormat note = linkedComment("{\\rtf1 Note}");
        note.setProperty(P::NoteColour, QColor(254, 246, 188));
        note.setProperty(P::NotePlainText, QStringLiteral("Note"));
        run(d, "a", note);
    }, field("\"note:1\"") + "{\\*\\qmknote0\\qmknotecolour16709308{\\*\\qmknotetext Note}"
           + QByteArray("{\\rtf1 Note}").toHex() + "}" + f0("a") + "}}");
    row("linked endnote: a link keeping its note", [](QTextDocument &d) {
        QTextCharFormat note = linkedComment("N", "note:2");
        note.setProperty(P::LinkedComment, false);
        note.setProperty(P::LinkedFootnote, true);
        note.setProperty(P::NoteFlag, true);
        note.setProperty(P::NoteCount, 2);
        run(d, "a", note);
    }, field("\"note:2\"") + "{\\*\\qmknote1\\qmknoteflag\\qmknotecount2{\\*\\qmknotetext }4e}"
           + f0("a") + "}}");

    row("inline annotation over two paragraphs", [](QTextDocument &d) {
        run(d, "a", with({{P::InlineAnnotation, true}}));
        paragraph(d, "b", {}, with({{P::InlineAnnotation, true}}));
    }, "{\\chatn{\\*\\annotation" + f0("a") + "\n\\par\\plain " + f0("b") + "}}");
    row("inline endnote", [](QTextDocument &d) {
        run(d, "a");
        run(d, "b", with({{P::InlineFootnote, true}, {P::NoteFlag, true}}));
    }, "{a}{\\f0\\fs24\\super\\chftn{\\footnote\\ftnalt\\pard\\plain {\\f0\\fs24\\super\\chftn}"
           + f0("b")
           + "}}");
    row("export: linked comment with its note", [](QTextDocument &d) {
        run(d, "a");
        run(d, "b", linkedComment("{\\rtf1 Note}"));
        run(d, "c");
    }, "{a}{{\\*\\atrfstart 1}" + f0("b") + atn1 + " " + opening + "{Note}}}{c}", true);
    row("export: comments numbered in order", [](QTextDocument &d) {
        run(d, "a", linkedComment("{\\rtf1 A}"));
        run(d, "b", linkedComment("{\\rtf1 B}", "note:2"));
    }, "{{\\*\\atrfstart 1}" + f0("a") + atn1 + " " + opening + "{A}}}{{\\*\\atrfstart 2}"
           + f0("b") + "{\\*\\atrfend 2}}{\\chatn{\\*\\annotation{\\*\\atnref 2} " + opening
           + "{B}}}", true);
    row("export: a note that cannot be read keeps its anchor", [](QTextDocument &d) {
        run(d, "b", linkedComment("{\\rtf1 Lost}}"));
    }, "{{\\*\\atrfstart 1}" + f0("b") + atn1 + "}}", true);

    row("bookmark in a paragraph", [](QTextDocument &d) {
        run(d, "a");
        run(d, "b", bookmark("m"));
        run(d, "c");
    }, "{a}{\\*\\bkmkstart m}" + f0("b") + "{\\*\\bkmkend m}{c}");
    row("bookmark after bookmark", [](QTextDocument &d) {
        run(d, "a", bookmark("m"));
        run(d, "b", bookmark("n"));
    }, "{\\*\\bkmkstart m}" + f0("a") + "{\\*\\bkmkend m}{\\*\\bkmkstart n}" + f0("b")
           + "{\\*\\bkmkend n}");
    row("bookmark over two paragraphs", [](QTextDocument &d) {
        run(d, "a", bookmark("m"));
        paragraph(d, "b", {}, bookmark("m"));
    }, "{\\*\\bkmkstart m}" + f0("a") + "\n\\par\\plain " + f0("b") + "{\\*\\bkmkend m}");

    row("JPEG bytes kept", [](QTextDocument &d) { storedPicture(d, "\xff\xd8J", "jpeg"); },
        "{" + redPict + "\\jpegblip ffd84a}}}");
    row("JPG in upper case", [](QTextDocument &d) { storedPicture(d, "\xff\xd8J", "JPG"); },
        "{" + redPict + "\\jpegblip ffd84a}}}");
    row("GIF as PNG", [](QTextDocument &d) { storedPicture(d, "GIF89a", "gif"); },
        "{" + redPict + "\\pngblip <png>}}}");
    row("raised picture, text after it not", [](QTextDocument &d) {
        picture(d, {{QTextFormat::TextVerticalAlignment, 1}});
        run(d, "a");
    }, "{\\super " + redPict + "\\pngblip <png>}}}{a}");
    row("linked picture", [](QTextDocument &d) {
        run(d, "a");
        picture(d, {{QTextFormat::IsAnchor, true}, {QTextFormat::AnchorHref, QStringLiteral("x")}});
    }, "{a}" + field("\"x\"") + "{" + redPict + "\\pngblip <png>}}}}}");
    row("a picture inside a link stays in its field", [](QTextDocument &d) {
        run(d, "a", link("x"));
        picture(d);
        run(d, "b", link("x"));
    }, field("\"x\"") + f0("a") + "{" + redPict + "\\pngblip <png>}}}" + f0("b") + "}}");
    row("PDF: the private group, its name as stored", [](QTextDocument &d) {
        pdfPicture(d, "%PDF", "MathTypeEdEq7", -4);
    }, "{\\dn4 {\\*\\quillmarkpdf {{\\*\\pdffilename MathTypeEdEq7}25504446}}}");
    row("PDF: no prefix added", [](QTextDocument &d) {
        pdfPicture(d, "%PDF", "eq", 6);
        run(d, "a");
    }, "{\\up6 {\\*\\quillmarkpdf {{\\*\\pdffilename eq}25504446}}}{a}");
    row("export: a PDF picture is its rendering", [](QTextDocument &d) {
        pdfPicture(d, blankPdf(), "eq", 6);
    }, "{\\up6 " + pict + "\\picw150\\pich75\\picwgoal60\\pichgoal30\\pngblip <other>}}}", true);
}

void tst_WriterSpans::spans()
{
    QFETCH(Build, build);
    QFETCH(bool, exportMode);
    QFETCH(QByteArray, expected);

    QString rtf = QString::fromLatin1(written(build, exportMode));
    rtf.replace(QString::fromLatin1(encodedImage(redImage(), "PNG").toHex()),
                QStringLiteral("<png>"));
    rtf.replace(QRegularExpression(QStringLiteral("[0-9a-f]{40,}")), QStringLiteral("<other>"));
    QCOMPARE(rtf.mid(rtf.indexOf(QString::fromLatin1(opening))).toLatin1(), expected);
}

QMK_TEST_MAIN(tst_WriterSpans)
#include "tst_writerspans.moc"
