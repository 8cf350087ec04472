#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "qmklistlevel.h"
#include "qmkunits.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <QTextList>

using Levels = QVector<QMKListLevel>;

class tst_Lists : public QObject
{
    Q_OBJECT
private slots:
    void levelDefinitions_data();
    void levelDefinitions();
    void levelMarkers_data();
    void levelMarkers();
    void levelPositions_data();
    void levelPositions();

    void listsByNumber_data();
    void listsByNumber();
    void itemsInsideTables();
    void listFormats_data();
    void listFormats();
    void blockLevels();

    void levelIndents_data();
    void levelIndents();
    void notesKeepTheirLevelIndentsAndListNumber();

    void wordDocument();
    void listDefinitionsBeyondWordsLimit();
    void badInput_data();
    void badInput();
    void paragraphNumbering_data();
    void paragraphNumbering();
};

namespace {

double px(int twips)
{
    return twipsToPixels(twips);
}

QMKListLevel level(const QString &text, int style, double indent = 0, double firstLine = 0)
{
    QMKListLevel result;
    result.text = text;
    result.style = style;
    result.indent = indent;
    result.firstLinePosition = firstLine;
    return result;
}

// A document whose only list has the given \listlevel groups, and one paragraph in it.
QByteArray withLevels(const QByteArray &levels)
{
    return "{\\rtf1{\\*\\listtable{\\list\\listtemplateid7" + levels
        + "{\\listname ;}\\listid99}}{\\*\\listoverridetable{\\listoverride\\listid99"
          "\\listoverridecount0\\ls1}}\\pard\\ls1 item\\par}";
}

Levels importedLevels(const ImportResult &result)
{
    const QTextList *list = result.document->firstBlock().textList();
    return list ? listLevels(list->format()) : Levels();
}

// The lists of a document in the order of their first items, each as its items' texts.
QVector<QStringList> listsOf(const QTextDocument &document)
{
    QVector<const QTextList *> lists;
    QVector<QStringList> items;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextList *list = b.textList();
        if (!list)
            continue;
        int at = lists.indexOf(list);
        if (at < 0) {
            at = lists.size();
            lists.append(list);
            items.append(QStringList());
        }
        items[at] << b.text();
    }
    return items;
}

QStringList labelsOf(const QTextDocument &document)
{
    QStringList labels;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        labels << listItemText(b);
    return labels;
}

// Runs handlers on a reader without input, in states an import cannot reach yet.
struct Handlers
{
    QMKTextRtfReaderPrivate reader{nullptr};

    void run(RtfKeyword keyword, int parameter = 0)
    {
        reader.handleKeyword(keyword, true, parameter);
    }
};

} // namespace

void tst_Lists::levelDefinitions_data()
{
    QTest::addColumn<QByteArray>("levels");
    QTest::addColumn<Levels>("expected");

    const QString bullet(QChar(0x2022));
    QTest::newRow("Word decimal, first level")
        << QByteArray("{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}")
        << Levels{level(QStringLiteral("%0."), 1)};
    // Was: counted from 1 whatever the author's first number.
    QTest::newRow("the first number of \\levelstartat")
        << QByteArray("{\\listlevel\\levelnfc0\\levelstartat7{\\leveltext\\'02\\'00.;}}")
        << Levels{[] { QMKListLevel l = level(QStringLiteral("%0."), 1); l.start = 7; return l; }()};
    QTest::newRow("Word decimal, second level: placeholders count levels up")
        << QByteArray("{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}"
                      "{\\listlevel\\levelnfc0{\\leveltext\\'04\\'00.\\'01.;}}")
        << Levels{level(QStringLiteral("%0."), 1), level(QStringLiteral("%1.%0."), 1)};
    QTest::newRow("number styles of \\levelnfc")
        << QByteArray("{\\listlevel\\levelnfc4{\\leveltext\\'02\\'00);}}"
                      "{\\listlevel\\levelnfc2{\\leveltext\\'02\\'01.;}}"
                      "{\\listlevel\\levelnfcn3{\\leveltext\\'01\\'02;}}"
                      "{\\listlevel\\levelnfc1{\\leveltext\\'01\\'03;}}")
        << Levels{level(QStringLiteral("%0)"), 2), level(QStringLiteral("%0."), 4),
                  level(QStringLiteral("%0"), 3), level(QStringLiteral("%0"), 5)};
    QTest::newRow("an unknown \\levelnfc keeps the style")
        << QByteArray("{\\listlevel\\levelnfc2\\levelnfc255{\\leveltext\\'02\\'00.;}}")
        << Levels{level(QStringLiteral("%0."), 4)};
    QTest::newRow("a bullet") << QByteArray("{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}}")
                              << Levels{level(bullet, 0)};
    QTest::newRow("a letter o keeps the number style")
        << QByteArray("{\\listlevel\\levelnfc23{\\leveltext\\'01o;}}")
        << Levels{level(QStringLiteral("o"), 0)};
    QTest::newRow("bullet text makes a bullet level whatever \\levelnfc says")
        << QByteArray("{\\listlevel\\levelnfc0{\\leveltext\\'01-;}}")
        << Levels{level(QString(QChar(0x2043)), 0)};
    QTest::newRow("bullets are normalised")
        << QByteArray("{\\listlevel{\\leveltext\\'04\\u9679 ?\\u9632 ?\\u9670 ?\\u9675 ?;}}")
        << Levels{level(QString::fromUtf8("\u2022\u25AA\u2B29\u25E6"), 0)};
    QTest::newRow("the length character bounds the text")
        << QByteArray("{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.)];}}")
        << Levels{level(QStringLiteral("%0."), 1)};
    QTest::newRow("a blank before the closing semicolon")
        << QByteArray("{\\listlevel\\levelnfc0{\\leveltext\\'03\\'00. ;}}")
        << Levels{level(QStringLiteral("%0."), 1)};
    QTest::newRow("a group inside the level text")
        << QByteArray("{\\listlevel\\levelnfc0{\\leveltext\\'02{\\'00}.;}}")
        << Levels{level(QStringLiteral("%0."), 1)};
    QTest::newRow("a placeholder of a deeper level")
        << QByteArray("{\\listlevel\\levelnfc0{\\leveltext\\'02\\'01.;}}")
        << Levels{level(QStringLiteral("%-1."), 1)};
    QTest::newRow("length zero") << QByteArray("{\\listlevel\\levelnfc0{\\leveltext\\'00abc;}}")
                                 << Levels{level(QString(), 0)};
    QTest::newRow("level text wins over the marker")
        << QByteArray("{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}"
                      "{\\*\\levelmarker \\{disc\\}}}")
        << Levels{level(QStringLiteral("%0."), 1)};
    QTest::newRow("level text of a list without levels goes nowhere")
        << QByteArray("{\\leveltext\\'02\\'00.;}") << Levels{};
}

void tst_Lists::levelDefinitions()
{
    QFETCH(QByteArray, levels);
    QFETCH(Levels, expected);

    const ImportResult result = importRtf(withLevels(levels));
    QVERIFY(result.ok);
    QCOMPARE(result.text(), QStringLiteral("item\n"));
    QCOMPARE(importedLevels(result), expected);
}

void tst_Lists::levelMarkers_data()
{
    QTest::addColumn<QByteArray>("marker");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style");

    QTest::newRow("square") << QByteArray("\\{square\\}") << QStringLiteral("\u25AA") << 0;
    QTest::newRow("disc") << QByteArray("\\{disc\\}") << QStringLiteral("\u2022") << 0;
    QTest::newRow("circle without braces") << QByteArray("circle") << QStringLiteral("\u25E6")
                                           << 0;
    QTest::newRow("hyphen") << QByteArray("\\{hyphen\\}") << QStringLiteral("\u2043") << 0;
    QTest::newRow("diamond") << QByteArray("\\{diamond\\}") << QStringLiteral("\u2B29") << 0;
    QTest::newRow("check") << QByteArray("\\{check\\}") << QStringLiteral("\u2713") << 0;
    QTest::newRow("decimal keeps its braces") << QByteArray("\\{decimal\\}.")
                                              << QStringLiteral("{%0}.") << 1;
    QTest::newRow("lower roman") << QByteArray("\\{lower-roman\\}.") << QStringLiteral("{%0}.")
                                 << 4;
    QTest::newRow("upper alpha") << QByteArray("(\\{upper-alpha\\})") << QStringLiteral("({%0})")
                                 << 3;
    QTest::newRow("bullets are looked for first")
        << QByteArray("\\{decimal\\}\\{disc\\}") << QStringLiteral("{decimal}\u2022") << 0;
    QTest::newRow("names are case-sensitive") << QByteArray("\\{Disc\\}")
                                              << QStringLiteral("{Disc}") << 0;
    QTest::newRow("no name") << QByteArray("\\{star\\}") << QStringLiteral("{star}") << 0;
}

void tst_Lists::levelMarkers()
{
    QFETCH(QByteArray, marker);
    QFETCH(QString, text);
    QFETCH(int, style);

    const ImportResult result = importRtf(
        withLevels("{\\listlevel\\levelnfc0{\\leveltext;}{\\*\\levelmarker " + marker + "}}"));
    QCOMPARE(importedLevels(result), Levels{level(text, style)});
}

void tst_Lists::levelPositions_data()
{
    QTest::addColumn<QByteArray>("indents");
    QTest::addColumn<double>("indent");
    QTest::addColumn<double>("firstLine");

    QTest::newRow("hanging") << QByteArray("\\li720\\fi-360") << px(720) << px(360);
    QTest::newRow("first-line indent first") << QByteArray("\\fi-360\\li720") << px(720)
                                             << px(360);
    QTest::newRow("leading indent") << QByteArray("\\fi-360\\lin1440") << px(1440) << px(1080);
    QTest::newRow("right indents are not the level's") << QByteArray("\\li720\\ri500\\rin500")
                                                       << px(720) << px(720);
}

void tst_Lists::levelPositions()
{
    QFETCH(QByteArray, indents);
    QFETCH(double, indent);
    QFETCH(double, firstLine);

    const ImportResult result = importRtf(
        withLevels("{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}" + indents + "}"));
    const Levels levels = importedLevels(result);
    QCOMPARE(levels.size(), 1);
    QCOMPARE(levels.first().indent, indent);
    QCOMPARE(levels.first().firstLinePosition, firstLine);
    // The level's indents describe the level, not the paragraph that follows the table.
    QVERIFY(!result.document->firstBlock().blockFormat().hasProperty(
        QMKFormatProperty::TailIndent));
}

void tst_Lists::listsByNumber_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QVector<QStringList>>("lists");

    using Lists = QVector<QStringList>;
    QTest::newRow("one list per number")
        << QByteArray("\\pard\\ls1 a\\par\\pard\\ls2 b\\par\\pard\\ls1 c\\par")
        << Lists{strings({"a", "c"}), strings({"b"})};
    QTest::newRow("the empty block after the last \\par is no item")
        << QByteArray("\\pard\\ls1 a\\par") << Lists{strings({"a"})};
    QTest::newRow("an empty paragraph between items is an item")
        << QByteArray("\\pard\\ls1 a\\par\\par b\\par") << Lists{strings({"a", "", "b"})};
    QTest::newRow("a paragraph between") << QByteArray("\\pard\\ls1 a\\par\\pard b\\par\\ls1 c\\par")
                                         << Lists{strings({"a", "c"})};
    QTest::newRow("the list number holds until \\pard")
        << QByteArray("\\pard\\ls2 a\\par b\\par\\pard c\\par") << Lists{strings({"a", "b"})};
    QTest::newRow("a number with no override") << QByteArray("\\pard\\ls7 a\\par")
                                                << Lists{strings({"a"})};
    QTest::newRow("number 0 and negative numbers") << QByteArray("\\pard\\ls0 a\\par\\ls-3 b\\par")
                                                   << Lists{strings({"a"}), strings({"b"})};
    QTest::newRow("\\ls after the paragraph's text: the next paragraph")
        << QByteArray("\\pard a\\ls1\\par b\\par") << Lists{strings({"b"})};
    // Was: a, an empty item (the block the table stands after), b, c.
    QTest::newRow("a list paragraph right before a table")
        << QByteArray("\\pard\\ls1 a\\par\\trowd\\cellx2000\\pard\\intbl\\ls1 b\\cell\\row"
                      "\\pard\\ls1 c\\par")
        << Lists{strings({"a", "b", "c"})};
    // Was: a, two empty items, b, c.
    QTest::newRow("an empty item written before a table stays an item")
        << QByteArray("\\pard\\ls1 a\\par\\par\\trowd\\cellx2000\\pard\\intbl\\ls1 b\\cell"
                      "\\row\\pard\\ls1 c\\par")
        << Lists{strings({"a", "", "b", "c"})};
    QTest::newRow("text without \\par before a table stays an item")
        << QByteArray("\\pard\\ls1 a\\trowd\\cellx2000\\pard\\intbl\\ls1 b\\cell\\row"
                      "\\pard\\ls1 c\\par")
        << Lists{strings({"a", "b", "c"})};
    // Was: a, an empty item, b, c.
    QTest::newRow("a list paragraph in a cell right before a nested table")
        << QByteArray("\\trowd\\cellx4000\\pard\\intbl\\ls1 a\\par\\itap2 b\\nestcell"
                      "{\\*\\nesttableprops\\trowd\\cellx2000\\nestrow}{\\nonesttables\\par}"
                      "\\pard\\intbl\\ls1 c\\cell\\row\\pard d\\par")
        << Lists{strings({"a", "b", "c"})};
    // Was: b, c, with the empty paragraph after the nested table an item.
    QTest::newRow("a list paragraph in a cell right after a nested table")
        << QByteArray("\\trowd\\cellx4000\\pard\\intbl\\itap2 a\\nestcell{\\*\\nesttableprops"
                      "\\trowd\\cellx2000\\lastrow\\nestrow}\\pard\\intbl\\itap1\\ls1 {b}"
                      "\\cell\\row")
        << Lists{strings({"b"})};
    // Was: g alone: the cells merged into the first gave their empty paragraph's format to its
    // last one.
    QTest::newRow("an empty item ending a cell that others merge into")
        << QByteArray("\\trowd\\clmgf\\cellx2000\\clmrg\\cellx4000\\pard\\intbl\\ls1 g\\par\\cell"
                      "\\pard\\intbl\\cell\\row\\trowd\\clvmrg\\cellx4000\\pard\\intbl\\cell\\row")
        << Lists{strings({"g", ""})};
    // Was: g alone: merging down the first column gave the last paragraph of the row above
    // (the one before it, row by row) the merged cell's format.
    QTest::newRow("an empty item ending a row whose cells are merged down")
        << QByteArray("\\trowd\\clvmgf\\cellx2000\\clvmgf\\cellx4000\\pard\\intbl a\\cell"
                      "\\pard\\intbl\\ls1 g\\par\\cell\\row\\trowd\\clvmrg\\cellx2000"
                      "\\clvmrg\\cellx4000\\pard\\intbl\\cell\\cell\\row")
        << Lists{strings({"g", ""})};
    QTest::newRow("\\ls in the list table goes nowhere")
        << QByteArray("{\\*\\listtable\\ls1}\\pard a\\par") << Lists{};
}

void tst_Lists::listsByNumber()
{
    QFETCH(QByteArray, body);
    QFETCH(QVector<QStringList>, lists);

    const ImportResult result = importRtf("{\\rtf1{\\*\\listtable{\\list\\listid5}}"
                                          "{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}"
                                          "{\\listoverride\\listid5\\ls2}}"
                                          + body + "}");
    QVERIFY(result.ok);
    QCOMPARE(listsOf(*result.document), lists);
}

// Every block of the document joins its list, those in table cells too.
void tst_Lists::itemsInsideTables()
{
    const ImportResult result = importRtf(
        "{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'02\\'00.;}}\\listid5}}"
        "{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}"
        "\\pard\\ls1 a\\par\\trowd\\cellx2000\\cellx4000\\pard\\intbl\\ls1 b\\cell"
        "\\pard\\intbl c\\cell\\row\\pard\\ls1 d\\par}");
    const QVector<QStringList> lists = listsOf(*result.document);
    QCOMPARE(lists.size(), 1);
    QCOMPARE(lists.first().first(), QStringLiteral("a"));
    QVERIFY(lists.first().last().endsWith(QLatin1Char('d')));
    QVERIFY(lists.first().filter(QStringLiteral("b")).size() == 1);
}

void tst_Lists::listFormats_data()
{
    QTest::addColumn<QByteArray>("overrides");
    QTest::addColumn<QString>("levelText");

    const QByteArray table = "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'01A;}}\\listid10}"
                             "{\\list{\\listlevel{\\leveltext\\'01B;}}\\listid20}"
                             "{\\list{\\listlevel{\\leveltext\\'01C;}}\\listid20}}";
    QTest::newRow("through the override") << table + "{\\*\\listoverridetable{\\listoverride"
                                                     "\\listid20\\ls1}}"
                                          << QStringLiteral("B");
    QTest::newRow("the first override that leads to a list")
        << table + "{\\*\\listoverridetable{\\listoverride\\listid30\\ls1}{\\listoverride"
                   "\\listid10\\ls1}{\\listoverride\\listid20\\ls1}}"
        << QStringLiteral("A");
    QTest::newRow("the number is not a list id")
        << table + "{\\*\\listoverridetable{\\listoverride\\listid10\\ls20}}" << QString();
    QTest::newRow("an override read after the body")
        << "{\\*\\listoverridetable{\\listoverride\\listid10\\ls9}}" + table << QString();
}

void tst_Lists::listFormats()
{
    QFETCH(QByteArray, overrides);
    QFETCH(QString, levelText);

    // Paragraphs with \ls1 and \ls20; the level text of the first list's first level.
    const ImportResult result = importRtf("{\\rtf1" + overrides
                                          + "\\pard\\ls1 one\\par\\pard\\ls20 two\\par}");
    const Levels levels = importedLevels(result);
    QCOMPARE(levels.isEmpty() ? QString() : levels.first().text, levelText);
}

void tst_Lists::blockLevels()
{
    const ImportResult result = importRtf(
        withLevels("{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}}"
                   "{\\listlevel\\levelnfc4{\\leveltext\\'02\\'01);}}")
            .replace("\\pard\\ls1 item\\par", "\\pard\\ls1 a\\par\\ilvl1 b\\par\\ilvl1 c\\par"
                                              "\\pard\\ls1\\ilvl0 d\\par"));
    const QTextDocument &document = *result.document;
    QCOMPARE(listsOf(document).size(), 1);
    QCOMPARE(listLevel(block(document, 0)), 0);
    QCOMPARE(listLevel(block(document, 1)), 1);
    QCOMPARE(labelsOf(document), strings({"1.", "a)", "b)", "2.", ""}));

    // Two numbers for one list id: two lists, equal formats.
    const ImportResult twice = importRtf(
        "{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'02\\'00.;}}\\listid5}}"
        "{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}{\\listoverride\\listid5\\ls2}}"
        "\\pard\\ls1 a\\par\\pard\\ls2 b\\par}");
    const QTextList *first = block(*twice.document, 0).textList();
    const QTextList *second = block(*twice.document, 1).textList();
    QVERIFY(first && second && first != second);
    QCOMPARE(first->format(), second->format());
}

void tst_Lists::levelIndents_data()
{
    QTest::addColumn<QByteArray>("paragraph");
    QTest::addColumn<double>("headIndent");
    QTest::addColumn<double>("firstLine");

    // List id 111 indents its levels by 720 twips a step, list id 222 by 1440: Word's \ls
    // numbers are override indices, its list ids large numbers.
    QTest::newRow("level of the list the override names")
        << QByteArray("\\ls1\\ilvl1") << px(2880) << px(2520);
    QTest::newRow("the other list") << QByteArray("\\ls2\\ilvl1") << px(1440) << px(1080);
    QTest::newRow("level 0") << QByteArray("\\ls1\\ilvl0") << px(1440) << px(1080);
    QTest::newRow("a list id equal to the number, without an override")
        << QByteArray("\\ls111\\ilvl1") << px(1440) << px(1080);
    QTest::newRow("no list number: the first list") << QByteArray("\\ilvl1") << px(1440)
                                                    << px(1080);
    QTest::newRow("an unknown number: the first list") << QByteArray("\\ls9\\ilvl1") << px(1440)
                                                       << px(1080);
    QTest::newRow("explicit indents win") << QByteArray("\\li360\\fi-180\\ls1\\ilvl1") << px(360)
                                          << px(180);
    QTest::newRow("explicit indents with the first line at 0 win")
        << QByteArray("\\li720\\fi-720\\ls1\\ilvl1") << px(720) << 0.0;
    QTest::newRow("an explicit left indent of 0 wins") << QByteArray("\\li0\\ls1\\ilvl1") << 0.0
                                                       << 0.0;
    QTest::newRow("later explicit indents move the level's")
        << QByteArray("\\ls1\\ilvl1\\li360") << px(360) << px(0);
    QTest::newRow("a right indent is no reason to keep out")
        << QByteArray("\\ri720\\rin720\\ls1\\ilvl1") << px(2880) << px(2520);
    QTest::newRow("indents of an earlier paragraph reset by \\pard")
        << QByteArray("\\li360 x\\par\\pard\\ls1\\ilvl1") << px(2880) << px(2520);
    QTest::newRow("a level beyond the list's") << QByteArray("\\ls1\\ilvl3") << 0.0 << 0.0;
    QTest::newRow("a negative level") << QByteArray("\\ls1\\ilvl-1") << 0.0 << 0.0;
    QTest::newRow("a level indent of 1000 pixels or more")
        << QByteArray("\\ls1\\ilvl2") << 0.0 << 0.0;
}

void tst_Lists::levelIndents()
{
    QFETCH(QByteArray, paragraph);
    QFETCH(double, headIndent);
    QFETCH(double, firstLine);

    const ImportResult result = importRtf(
        "{\\rtf1{\\*\\listtable"
        "{\\list{\\listlevel\\fi-360\\li720}{\\listlevel\\fi-360\\li1440}{\\listlevel\\li15000}"
        "\\listid111}"
        "{\\list{\\listlevel\\fi-360\\li1440}{\\listlevel\\fi-360\\li2880}\\listid222}}"
        "{\\*\\listoverridetable{\\listoverride\\listid222\\ls1}{\\listoverride\\listid111\\ls2}}"
        "\\pard" + paragraph + " item\\par}");
    const QTextBlockFormat format = result.document->lastBlock().previous().blockFormat();
    QCOMPARE(format.doubleProperty(QMKFormatProperty::HeadIndent), headIndent);
    QCOMPARE(format.textIndent(), firstLine);
}

void tst_Lists::notesKeepTheirLevelIndentsAndListNumber()
{
    for (const RtfKeyword note : {KwFootnote, KwAnnotation}) {
        Handlers handlers;
        handlers.run(KwListtable);
        handlers.run(KwList);
        handlers.run(KwListlevel);
        handlers.run(KwLi, 720);
        handlers.reader.state.destination = RtfDestination::Body; // the list table has ended
        handlers.run(note);
        handlers.run(KwLs, 1);
        handlers.run(KwIlvl, 0);
        const QTextBlockFormat format = handlers.reader.paragraphFormat;
        QVERIFY(!format.hasProperty(QMKFormatProperty::ListNumber));
        QVERIFY(!format.hasProperty(QMKFormatProperty::ListLevel));
        QVERIFY(!format.hasProperty(QMKFormatProperty::HeadIndent));
    }
}

// Lists as Word writes them: a numbered outline and a bullet list, each level with its own
// template, random list ids, \ls numbers through the override table, and the \listtext label
// Word repeats for older readers.
void tst_Lists::wordDocument()
{
    const QByteArray levelTail = "\\levelfollow0\\levelstartat1\\levelspace0\\levelindent0";
    const ImportResult result = importRtf(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
        "{\\f3\\froman\\fcharset2 Symbol;}{\\f10\\fnil\\fcharset2 Wingdings;}"
        "{\\f11\\fmodern\\fcharset0 Courier New;}}\n"
        "{\\*\\listtable{\\list\\listtemplateid-1537232114\\listhybrid"
        "{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc0\\leveljcn0" + levelTail +
        "{\\leveltext\\leveltemplateid67698703\\'02\\'00.;}{\\levelnumbers\\'01;}"
        "\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\fi-360\\li720\\lin720 }\n"
        "{\\listlevel\\levelnfc0\\levelnfcn0\\leveljc0\\leveljcn0" + levelTail +
        "{\\leveltext\\leveltemplateid67698713\\'04\\'00.\\'01.;}{\\levelnumbers\\'01\\'03;}"
        "\\fi-432\\li1152\\lin1152 }\n"
        "{\\listlevel\\levelnfc4\\levelnfcn4\\leveljc0\\leveljcn0" + levelTail +
        "{\\leveltext\\leveltemplateid67698715\\'02\\'02);}{\\levelnumbers\\'01;}"
        "\\fi-360\\li1800\\lin1800 }\n"
        "{\\listlevel\\levelnfc2\\levelnfcn2\\leveljc2\\leveljcn2" + levelTail +
        "{\\leveltext\\leveltemplateid67698703\\'02\\'03.;}{\\levelnumbers\\'01;}"
        "\\fi-180\\li2520\\lin2520 }"
        "{\\listname ;}\\listid1893618310}\n"
        "{\\list\\listtemplateid1266291316\\listhybrid"
        "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0" + levelTail +
        "{\\leveltext\\leveltemplateid67698689\\'01\\u-3913 ?;}{\\levelnumbers;}"
        "\\f3\\fbias0 \\fi-360\\li720\\lin720 }\n"
        "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0" + levelTail +
        "{\\leveltext\\leveltemplateid67698691\\'01o;}{\\levelnumbers;}"
        "\\f11\\fbias0 \\fi-360\\li1440\\lin1440 }\n"
        "{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0" + levelTail +
        "{\\leveltext\\leveltemplateid67698693\\'01\\u-3929 ?;}{\\levelnumbers;}"
        "\\f10\\fbias0 \\fi-360\\li2160\\lin2160 }"
        "{\\listname ;}\\listid425660134}}\n"
        "{\\*\\listoverridetable{\\listoverride\\listid425660134\\listoverridecount0\\ls1}"
        "{\\listoverride\\listid1893618310\\listoverridecount0\\ls2}}\n"
        "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\itap0 Plan\\par\n"
        + [] {
              QByteArray items;
              const struct { int level; const char *label; const char *text; } outline[] = {
                  {0, "1.", "Scope"}, {1, "1.1.", "Goals"}, {1, "1.2.", "Limits"},
                  {2, "a)", "Time"}, {3, "i.", "Weeks"}, {3, "ii.", "Days"}, {2, "b)", "Money"},
                  {0, "2.", "Method"}, {1, "2.1.", "Steps"},
              };
              for (const auto &item : outline) {
                  const int li = 720 + 720 * item.level;
                  items += "{\\listtext\\pard\\plain \\f0 " + QByteArray(item.label)
                      + "\\tab}\\pard\\plain \\ltrpar\\ql \\fi-360\\li" + QByteArray::number(li)
                      + "\\ri0\\widctlpar\\wrapdefault\\ls2\\ilvl" + QByteArray::number(item.level)
                      + "\\rin0\\lin" + QByteArray::number(li) + "\\itap0 " + item.text + "\\par\n";
              }
              return items;
          }()
        + "{\\listtext\\pard\\plain \\f3 \\'b7\\tab}\\pard\\plain \\fi-360\\li720\\ls1 Tea\\par\n"
          "{\\listtext\\pard\\plain \\f11 o\\tab}\\pard\\plain \\fi-360\\li1440\\ls1\\ilvl1 "
          "Green\\par\n"
          "{\\listtext\\pard\\plain \\f10 \\'a7\\tab}\\pard\\plain \\fi-360\\li2160\\ls1\\ilvl2 "
          "Sencha\\par\n"
          "{\\listtext\\pard\\plain \\f3 \\'b7\\tab}\\pard\\plain \\fi-360\\li720\\ls1 Coffee\\par\n"
          "\\pard\\plain End\\par}");
    QVERIFY2(result.ok, qPrintable(result.error));
    const QTextDocument &document = *result.document;

    const QVector<QStringList> lists = listsOf(document);
    QCOMPARE(lists, (QVector<QStringList>{
                        strings({"Scope", "Goals", "Limits", "Time", "Weeks", "Days", "Money",
                                 "Method", "Steps"}),
                        strings({"Tea", "Green", "Sencha", "Coffee"})}));
    QCOMPARE(labelsOf(document),
             strings({"", "1.", "1.1.", "1.2.", "a)", "i.", "ii.", "b)", "2.", "2.1.", "\u2022", "o",
                      "\u25AA", "\u2022", "", ""}));
    QCOMPARE(listLevel(block(document, 5)), 3);
    QCOMPARE(listLevel(block(document, 12)), 2);
    QCOMPARE(listLevel(block(document, 0)), -1);

    const Levels outline = listLevels(block(document, 1).textList()->format());
    QCOMPARE(outline.size(), 4);
    QCOMPARE(outline.at(1), level(QStringLiteral("%1.%0."), 1, px(1152), px(720)));
    // The label of every item was already in the \listtext groups: none of it is text.
    QVERIFY(!document.toPlainText().contains(QLatin1Char('\t')));
}

// Each distinct list format costs a comparison with every earlier one in Qt's format
// collection; past Word's 2047 overrides the lists of a file keep their items only.
void tst_Lists::listDefinitionsBeyondWordsLimit()
{
    const int count = 2049;
    QByteArray rtf = "{\\rtf1{\\*\\listtable";
    for (int i = 1; i <= count; ++i)
        rtf += "{\\list{\\listlevel\\li" + QByteArray::number(i) + "}\\listid"
            + QByteArray::number(i) + "}";
    rtf += "}{\\*\\listoverridetable";
    for (int i = 1; i <= count; ++i)
        rtf += "{\\listoverride\\listid" + QByteArray::number(i) + "\\ls" + QByteArray::number(i)
            + "}";
    rtf += "}";
    for (int i = 1; i <= count; ++i)
        rtf += "\\pard\\ls" + QByteArray::number(i) + " x\\par";
    const ImportResult result = importRtf(rtf + "}");

    const QTextDocument &document = *result.document;
    QCOMPARE(listsOf(document).size(), count);
    QCOMPARE(listLevels(block(document, 2046).textList()->format()).size(), 1);
    QCOMPARE(listLevels(block(document, 2047).textList()->format()).size(), 0);
    QCOMPARE(block(document, 2048).text(), QStringLiteral("x"));
}

void tst_Lists::badInput_data()
{
    QTest::addColumn<QByteArray>("rtf");

    QByteArray manyLevels = "{\\rtf1{\\*\\listtable{\\list";
    for (int i = 0; i < 10000; ++i)
        manyLevels += "{\\listlevel\\levelnfc0{\\leveltext\\'02\\'09.;}\\li720}";
    manyLevels += "\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}";
    QByteArray manyNumbers = manyLevels;
    for (int i = 0; i < 2000; ++i)
        manyNumbers += "\\pard\\ls" + QByteArray::number(i % 4 ? 1 : i) + "\\ilvl9999 x\\par";
    QTest::newRow("10,000 levels, many paragraphs") << manyNumbers + "}";

    QByteArray manyOverrides = "{\\rtf1{\\*\\listtable{\\list{\\listlevel}\\listid1}}"
                               "{\\*\\listoverridetable";
    for (int i = 0; i < 20000; ++i)
        manyOverrides += "{\\listoverride\\listid" + QByteArray::number(i) + "\\ls"
            + QByteArray::number(i) + "}";
    manyOverrides += "}";
    for (int i = 0; i < 20000; ++i)
        manyOverrides += "\\pard\\ls" + QByteArray::number(i) + "\\ilvl0 x\\par";
    QTest::newRow("20,000 overrides, each number its own list") << manyOverrides + "}";

    QTest::newRow("huge \\ilvl") << QByteArray("{\\rtf1\\pard\\ls1\\ilvl2147483647 x\\par"
                                               "\\ilvl-2147483648 y\\par}");
    QTest::newRow("\\ls with no list") << QByteArray("{\\rtf1\\pard\\ls3\\ilvl4 x\\par}");
    QTest::newRow("garbage level text")
        << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'ff\\'00\\'01\\'02"
                      "\\'03\\'04\\'05\\'06\\'07\\'08\\'09\\'0a;;;;\\u-1 \\'85}{\\leveltext}"
                      "{\\leveltext\\'01}}\\listid1}}"
                      "{\\listoverridetable{\\listoverride\\listid1\\ls1}}\\ls1 x\\par}");
    QTest::newRow("list words outside their tables")
        << QByteArray("{\\rtf1\\list\\listid4\\listlevel\\levelnfc3\\listoverride{\\leveltext "
                      "eaten}{\\levelmarker \\{disc\\}}\\fi-100 x\\par}");
    QByteArray manyNumberings = "{\\rtf1";
    for (int i = 0; i < 5000; ++i)
        manyNumberings += "{\\*\\pn\\pnlvlbody\\pnstart" + QByteArray::number(i) + "}\\ilvl0 x\\par";
    QTest::newRow("5,000 distinct \\pn numberings") << manyNumberings + "}";
    QTest::newRow("unclosed \\pn group") << QByteArray("{\\rtf1{\\*\\pn\\pnlvlblt{\\pntxtb x");
    QTest::newRow("unclosed list table") << QByteArray("{\\rtf1{\\*\\listtable{\\list{\\listlevel"
                                                       "{\\leveltext\\'02\\'00.");
}

void tst_Lists::badInput()
{
    QFETCH(QByteArray, rtf);
    const ImportResult result = importRtf(rtf);
    // Text in the body is kept, every list item gets a label without trouble.
    for (QTextBlock b = result.document->begin(); b.isValid(); b = b.next())
        listItemText(b);
    if (rtf.contains(" x\\par"))
        QVERIFY(result.text().startsWith(QLatin1Char('x')));
}

void tst_Lists::paragraphNumbering_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("labels");

    const QByteArray bullet = "{\\pntext\\f1\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent360{\\pntxtb\\'b7}}";
    QTest::newRow("bullets, the \\pntext label skipped")
        << bullet + "a\\par" + bullet + "b\\par\\pard c" << strings({"\u2022", "\u2022", ""});
    const QByteArray number = "{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}";
    QTest::newRow("numbers, one list for the same settings")
        << number + "a\\par" + number + "b\\par" << strings({"1.", "2.", ""});
    // Was: 1. and 2.
    QTest::newRow("\\pnstart gives the first number")
        << QByteArray("{\\*\\pn\\pnlvlbody\\pndec\\pnstart7{\\pntxta .}}a\\par b")
        << strings({"7.", "8."});
    QTest::newRow("letters with text before and after")
        << QByteArray("{\\*\\pn\\pnlvlbody\\pnlcltr{\\pntxtb (}{\\pntxta )}}a\\par")
        << strings({"(a)", ""});
    QTest::newRow("an outline level with roman numbers")
        << QByteArray("{\\*\\pn\\pnlvl2\\pnucrm{\\pntxta .}}a\\par b")
        << strings({"I.", "II."});
    QTest::newRow("\\ls wins over \\pn")
        << QByteArray("\\ls1{\\*\\pn\\pnlvlbody\\pndec{\\pntxta )}}a\\par") << strings({"A", ""});
    QTest::newRow("\\ls inside the \\pn group: no list of the group's own")
        << QByteArray("{\\*\\pn\\pnlvlbody\\ilvl0\\ls1\\pndec{\\pntxta )}}a\\par") << strings({"", ""});
    QTest::newRow("numbering ends with the paragraph's group")
        << "{" + bullet + "a\\par}{b\\par}" << strings({"\u2022", "", ""});
    QTest::newRow("an \\ls after the \\pn group outlives the group")
        << "{" + bullet + "\\ls1 a\\par}b\\par" << strings({"A", "A", ""});
    QTest::newRow("a continuation paragraph has no label")
        << QByteArray("{\\*\\pn\\pnlvlcont}a\\par") << strings({"", ""});
}

void tst_Lists::paragraphNumbering()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, labels);

    const ImportResult result = importRtf(
        "{\\rtf1{\\fonttbl{\\f0 Times;}{\\f1\\fcharset2 Symbol;}}"
        "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'01A;}}\\listid5}}"
        "{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}\\pard " + body + "}");
    QVERIFY(result.ok);
    QCOMPARE(labelsOf(*result.document), labels);
}

QMK_TEST_MAIN(tst_Lists)
#include "tst_lists.moc"
