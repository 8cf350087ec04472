#include "support/testsupport.h"

#include "writerdocuments.h"

#include "qmkformatproperties.h"
#include "qmklistlevel.h"
#include "rtf/writer/qmktextrtfwriter_p.h"

#include <QBuffer>
#include <QTextList>

namespace {

using Levels = QVector<QMKListLevel>;
using Block = QTextBlockFormat;
using Styles = QList<QMKTextStyle>;

QMKListLevel level(const char *text, int style, double indent = 0, double firstLine = 0)
{
    return {QString::fromUtf8(text), style, indent, firstLine};
}

// A decimal list of items "a" at the end of the document; its format holds the levels.
QTextList *listOf(QTextDocument &document, const Levels &levels, int items = 1,
                  const QTextCharFormat &mark = {})
{
    QTextListFormat format;
    format.setStyle(QTextListFormat::ListDecimal);
    if (!levels.isEmpty())
        setListLevels(format, levels);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QTextList *list = document.isEmpty() ? cursor.createList(format) : cursor.insertList(format);
    for (int i = 0; i < items; ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.setBlockCharFormat(mark);
        cursor.insertText(QStringLiteral("a"), {});
    }
    return list;
}

// A level definition: its number format, then what follows the fixed spacing words.
QByteArray definition(int nfc, const QByteArray &rest, int start = 1)
{
    const QByteArray n = QByteArray::number(nfc);
    return "\n{\\listlevel\\levelnfc" + n + "\\levelnfcn" + n + "\\leveljc0\\leveljcn0"
           "\\levelfollow0\\levelstartat" + QByteArray::number(start)
        + "\\levelspace360\\levelindent0" + rest + "}";
}

QByteArray oneList(const QByteArray &definitions)
{
    return "{\\*\\listtable\n{\\list\\listtemplateid1\\listhybrid" + definitions
           + "{\\listname ;}\\listid1}}\n"
             "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\n";
}

// The levels of a list state the format of its first item's mark, 10-point in the list tables.
const QTextCharFormat tenPoints = with({{QTextFormat::FontPointSize, 10.0}});
const QByteArray noIndent = "\\f0\\fs20\\fi0\\li0\\lin0";
const QByteArray emptyLevel = "\\'00;}{\\levelnumbers;}" + noIndent;

QByteArray bullet(const char *marker, const QByteArray &text)
{
    return oneList(definition(23, "{\\*\\levelmarker \\{" + QByteArray(marker)
        + "\\}}{\\leveltext\\leveltemplateid1\\'01\\loch\\af0\\hich\\af0\\dbch\\af0\\uc1" + text
        + ";}{\\levelnumbers;}" + noIndent));
}

const QUuid titleId("{00000000-0000-0000-0000-000000000001}");
const QUuid emphasisId("{00000000-0000-0000-0000-000000000002}");
const int character = QMKTextStyle::HasCharFormat;
const int paragraphStyle = QMKTextStyle::HasBlockFormat | QMKTextStyle::HasCharFormat;
const Block centred = with<Block>({{QTextFormat::BlockAlignment, int(Qt::AlignHCenter)}});
const Block atLeft = with<Block>({{QTextFormat::BlockAlignment, int(Qt::AlignLeft)}});
const QTextCharFormat italic = with({{QTextFormat::FontItalic, true}});

QMKTextStyle style(const char *name, int flags, const Block &block = {},
                   const QTextCharFormat &run = {}, const QUuid &id = QUuid::createUuid())
{
    QMKTextStyle made;
    made.setIdentifier(id);
    made.setName(QString::fromUtf8(name));
    made.setFlags(flags);
    made.setBlockFormat(block);
    made.setCharFormat(run);
    return made;
}

template <typename Input>
void row(const char *tag, const Input &input, const QByteArray &expected)
{
    QTest::newRow(tag) << input << expected;
}

} // namespace

class tst_WriterLists : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useKnownApplicationFont(); }
    void listTable_data();
    void listTable();
    void listPrefix_data();
    void listPrefix();
    void stylesheet_data();
    void stylesheet();
    void styleReferences_data();
    void styleReferences();
};

void tst_WriterLists::listTable_data()
{
    QTest::addColumn<QVector<Levels>>("lists");
    QTest::addColumn<QByteArray>("expected"); // between the colour table and the page setup

    using Lists = QVector<Levels>;
    row("no list, no tables", Lists(), "");
    row("U+2022 in a 1252 font", Lists{{level("\u2022", 0)}}, bullet("disc", "\\u8226\\'95"));
    row("U+25A0 as U+25AA", Lists{{level("\u25a0", 0)}}, bullet("square", "\\u9642\\'3F"));
    row("U+25CB as U+25E6", Lists{{level("\u25cb", 0)}}, bullet("circle", "\\u9702\\'3F"));
    row("hyphen as U+2043", Lists{{level("-", 0)}}, bullet("hyphen", "\\u8259\\'3F"));
    row("U+2B29 as U+25C6", Lists{{level("\u2b29", 0)}}, bullet("diamond", "\\u9670\\'3F"));
    row("check", Lists{{level("\u2713", 0)}}, bullet("check", "\\u10003\\'3F"));
    row("decimal, indents in twips", Lists{{level("%0.", 1, 48, 24)}},
        oneList(definition(0, "{\\*\\levelmarker \\{decimal\\}.}{\\leveltext\\leveltemplateid1"
                              "\\'02\\'00.;}{\\levelnumbers\\'01;}\\f0\\fs20"
                              "\\fi-360\\li720\\lin720")));
    row("%1.%0 at the second level", Lists{{level("%0", 1), level("%1.%0", 1)}},
        oneList(definition(0, "{\\*\\levelmarker \\{decimal\\}}{\\leveltext\\leveltemplateid1"
                              "\\'01\\'00;}{\\levelnumbers\\'01;}" + noIndent)
                + definition(0, "{\\*\\levelmarker \\{decimal\\}}{\\leveltext\\leveltemplateid2"
                                "\\'03\\'00.\\'01;}{\\levelnumbers\\'01\\'03;}" + noIndent)));
    row("lower roman: the marker starts at %0", Lists{{level("(%0)", 4)}},
        oneList(definition(2, "{\\*\\levelmarker \\{lower-roman\\})}{\\leveltext"
                              "\\leveltemplateid1\\'03(\\'00);}{\\levelnumbers\\'02;}"
                              + noIndent)));
    // Was: \levelstartat1 whatever the level's first number.
    row("first number 7", Lists{{[] { QMKListLevel l = level("%0", 1); l.start = 7; return l; }()}},
        oneList(definition(0, "{\\*\\levelmarker \\{decimal\\}}{\\leveltext\\leveltemplateid1"
                              "\\'01\\'00;}{\\levelnumbers\\'01;}" + noIndent, 7)));
    // Was: \u8259, the hyphen taken for a bullet.
    row("a hyphen in a number template stays", Lists{{level("%0-", 1)}},
        oneList(definition(0, "{\\*\\levelmarker \\{decimal\\}-}{\\leveltext\\leveltemplateid1"
                              "\\'02\\'00-;}{\\levelnumbers\\'01;}" + noIndent)));
    row("unknown number format: nfc 0, no marker", Lists{{level("%0.", 7)}},
        oneList(definition(0, "{\\leveltext\\leveltemplateid1\\'02\\'00.;}{\\levelnumbers\\'01;}"
                              + noIndent)));
    const QByteArray empty = definition(23, "{\\leveltext\\leveltemplateid1" + emptyLevel);
    row("no levels: one empty bullet level", Lists{{}}, oneList(empty));
    QByteArray nine = empty;
    for (int k = 2; k <= 9; ++k)
        nine += definition(23, "{\\leveltext\\leveltemplateid" + QByteArray::number(k)
                                   + emptyLevel);
    // Was: eight, and an item at the ninth level lost its level.
    row("ten levels: nine written", Lists{Levels(10)}, oneList(nine));
    row("two lists", Lists{{}, {}},
        "{\\*\\listtable\n{\\list\\listtemplateid1\\listhybrid" + empty + "{\\listname ;}\\listid1}"
        "\n{\\list\\listtemplateid2\\listhybrid" + empty + "{\\listname ;}\\listid2}}\n"
        "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid2\\listoverridecount0\\ls2}}\n");
}

void tst_WriterLists::listTable()
{
    QFETCH(QVector<Levels>, lists);
    QFETCH(QByteArray, expected);

    QTextDocument document;
    for (const Levels &levels : lists)
        listOf(document, levels, 1, tenPoints);
    const QByteArray rtf = toRtf(&document, false, false, true, QString());
    const int from = rtf.indexOf('\n', rtf.indexOf("{\\colortbl")) + 1;
    QCOMPARE(rtf.mid(from, rtf.indexOf("\\paperw") - from), expected);
}

void tst_WriterLists::listPrefix_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QByteArray>("expected"); // the last paragraph

    const QByteArray first = "\\pard\\plain \\fi-270\\ltrch\\loch \\ls1\\ilvl0{\\listtext\t";
    row("decimal item of list 1", Build([](QTextDocument &d) { listOf(d, {}); }),
        first + " 1.\t}{a}}");
    row("same format: no \\ls", Build([](QTextDocument &d) { listOf(d, {}, 2); }),
        "\\par\\plain \\ilvl0{\\listtext\t 2.\t}{a}}");
    row("second list: \\ls2", Build([](QTextDocument &d) { listOf(d, {}); listOf(d, {}); }),
        "\\par\\pard\\plain \\fi-270\\ltrch\\loch \\ls2\\ilvl0{\\listtext\t 1.\t}{a}}");
    row("level 1: \\ilvl1, the parent's number", Build([](QTextDocument &d) {
        QTextList *list = listOf(d, {level("%0.", 1), level("%1.%0.", 1)}, 2);
        setListLevel(list, d.lastBlock(), 1);
    }), "\\par\\pard\\plain \\fi-270\\ltrch\\loch \\ls1\\ilvl1{\\listtext\t 1.1.\t}{a}}");
    row("number in the mark's font", Build([](QTextDocument &d) {
        listOf(d, {level("\u00a7%0", 1)}, 1,
               with({{QTextFormat::FontFamily, QStringLiteral("Liberation Serif")}}));
    }), first + "\\f1\\fs24 \\loch\\af1\\hich\\af1\\dbch\\af1\\uc1\\u167\\'A71\t}{a}}");
    row("bullet: \\uc0\\u8226", Build([](QTextDocument &d) { listOf(d, {level("\u2022", 0)}); }),
        first + " \\uc0\\u8226 \t}{a}}");
    row("digit after \\u delimited",
        Build([](QTextDocument &d) { listOf(d, {level("\u2022%0", 0)}); }),
        first + " \\uc0\\u8226 1 \t}{a}}");
    row("blank after \\u delimited",
        Build([](QTextDocument &d) { listOf(d, {level("\u25cf ", 0)}); }),
        first + " \\uc0\\u8226   \t}{a}}");
    row("bullet: control and Latin-1 characters",
        Build([](QTextDocument &d) { listOf(d, {level("\u2022\t\u00bb", 0)}); }),
        first + " \\uc0\\u8226\\'09\xbb \t}{a}}");
}

void tst_WriterLists::listPrefix()
{
    QFETCH(Build, build);
    QFETCH(QByteArray, expected);

    const QByteArray rtf = written(build, false);
    QCOMPARE(rtf.mid(rtf.lastIndexOf('\n') + 1), expected);
}

void tst_WriterLists::stylesheet_data()
{
    QTest::addColumn<Styles>("styles");
    QTest::addColumn<QByteArray>("expected"); // the entries after Normal

    const QTextCharFormat bold = with({{QTextFormat::FontWeight, 75}});
    row("paragraph style", Styles{style("Title", paragraphStyle, centred, bold)},
        "{\\s1 \\qc\\f0\\fs24\\b1 Title;}");
    row("character style from 25", Styles{style("Emphasis", character, {}, italic)},
        "{\\*\\cs25 \\f0\\fs24\\i1 Emphasis;}");
    row("a number for each kind; invalid styles skipped",
        Styles{style("A", paragraphStyle, centred), style("B", character, {}, italic),
               style("", paragraphStyle, centred), style("C", QMKTextStyle::HasBlockFormat, atLeft),
               style("D", character, {}, italic)},
        "{\\s1 \\qc A;}{\\*\\cs25 \\f0\\fs24\\i1 B;}{\\s2 \\ql C;}{\\*\\cs26 \\f0\\fs24\\i1 D;}");
    row("Heading 2: outline level 2", Styles{style("Heading 2", paragraphStyle, atLeft)},
        "{\\s1 \\ql\\outlinelevel2 Heading 2;}");
    row("headings in any case, up to 12",
        Styles{style("HEADING 12 ", paragraphStyle, atLeft),
               style("heading 13", paragraphStyle, atLeft)},
        "{\\s1 \\ql\\outlinelevel12 HEADING 12 ;}{\\s2 \\ql heading 13;}");
    row("Heading2 is no heading", Styles{style("Heading2", paragraphStyle, atLeft)},
        "{\\s1 \\ql Heading2;}");
}

void tst_WriterLists::stylesheet()
{
    QFETCH(Styles, styles);
    QFETCH(QByteArray, expected);

    QMKTextRtfWriterPrivate writer(nullptr);
    writer.styles = styles;
    writer.writeStylesheet();
    QCOMPARE(writer.out, "{\\stylesheet {\\s0 Normal;}" + expected + "}\n");
}

void tst_WriterLists::styleReferences_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QByteArray>("expected"); // the paragraph

    row("paragraph of a style", Build([](QTextDocument &d) {
        paragraph(d, "a", with<Block>({{QMKFormatProperty::StyleIdentifier, titleId}}));
    }), "\\pard\\plain \\s1\\ltrch\\loch {a}}");
    row("paragraph without a style", Build([](QTextDocument &d) { paragraph(d, "a"); }),
        "\\pard\\plain \\s0\\ltrch\\loch {a}}");
    row("unknown style: no reference", Build([](QTextDocument &d) {
        paragraph(d, "a", with<Block>({{QMKFormatProperty::StyleIdentifier, QUuid::createUuid()}}));
    }), "\\pard\\plain \\ltrch\\loch {a}}");
    row("run of a character style", Build([](QTextDocument &d) {
        paragraph(d, "a", {}, with({{QMKFormatProperty::StyleIdentifier, emphasisId}}));
    }), "\\pard\\plain \\s0\\ltrch\\loch {\\cs25\\f0\\fs24 a}}");
}

void tst_WriterLists::styleReferences()
{
    QFETCH(Build, build);
    QFETCH(QByteArray, expected);

    QTextDocument document;
    build(document);
    QByteArray rtf;
    QBuffer buffer(&rtf);
    QMKTextRtfWriterPrivate writer(&buffer);
    writer.styles = {style("Title", paragraphStyle, centred, {}, titleId),
                     style("Emphasis", character, {}, italic, emphasisId)};
    QVERIFY(writer.write(&document, false));
    // The stylesheet comes between the colour table and the page setup.
    QCOMPARE(rtf.mid(rtf.indexOf("{\\colortbl")),
             "{\\colortbl;}\n{\\stylesheet {\\s0 Normal;}{\\s1 \\qc Title;}{\\*\\cs25 \\f0\\fs24"
             "\\i1 Emphasis;}}\n\\paperw12240\\paperh15840\\margl1800\\margr1800\\margt1440"
             "\\margb1440\\deftab1200\\f0\\fs24\\cf0\n" + expected);
}

QMK_TEST_MAIN(tst_WriterLists)
#include "tst_writerlists.moc"
