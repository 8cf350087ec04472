#include "support/testsupport.h"

#include "rtf/reader/tabledescription.h"
#include "rtf/reader/keywordregistry.h"
#include "rtf/reader/qmktextrtfreader_p.h"

class tst_Tables : public QObject
{
    Q_OBJECT
private slots:
    void tablesAndTheTextAround_data();
    void tablesAndTheTextAround();
    void nestedTables_data();
    void nestedTables();
    void tableFormat_data();
    void tableFormat();
    void cellFormat_data();
    void cellFormat();
    void runFormatsInCells_data();
    void runFormatsInCells();
    void paragraphsInCells_data();
    void paragraphsInCells();
    void nestingLevel_data();
    void nestingLevel();
    void hostileInputFinishes_data();
    void hostileInputFinishes();
};

namespace {

QByteArray rtf(const char *body)
{
    return QByteArray("{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}")
        + body + '}';
}

// A row of two cells with the given contents, as Word writes it.
QByteArray row(const char *first, const char *second)
{
    return QByteArray("\\trowd\\cellx3000\\cellx6000\\pard\\intbl ") + first + "\\cell "
        + second + "\\cell\\row ";
}

} // namespace

void tst_Tables::tablesAndTheTextAround_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("outside");

    QTest::newRow("one row, then a paragraph after the table")
        << rtf("\\trowd\\cellx3000\\cellx6000\\pard\\intbl A\\cell B\\cell\\row\\pard Z")
        << "A|B" << "++Z";
    QTest::newRow("two rows") << rtf(row("A", "B") + row("C", "D") + "\\pard Z")
                              << "A|B / C|D" << "++Z";
    QTest::newRow("a row without \\cell: one cell with all its text")
        << rtf("\\trowd\\cellx3000\\cellx6000\\pard\\intbl A\\par B\\row\\pard Z")
        << "A+B" << "++Z";
    QTest::newRow("paragraphs in a cell")
        << rtf("\\trowd\\cellx3000\\pard\\intbl A\\par B\\cell\\row\\pard Z") << "A+B"
        << "++Z";
    QTest::newRow("\\lastrow closes the table without \\pard")
        << rtf("\\trowd\\lastrow\\cellx3000\\pard\\intbl A\\cell\\row Z") << "A" << "++Z";
    QTest::newRow("without \\lastrow the table goes on after text-less rows")
        << rtf(row("A", "B") + "\\trowd\\cellx3000\\cellx6000\\intbl C\\cell D\\cell\\row")
        << "A|B / C|D" << "+";
    QTest::newRow("\\cell without \\intbl under a merged first cell continues the table")
        << rtf(row("A", "B")
               + "\\trowd\\clvmrg\\cellx3000\\cellx6000\\pard\\cell D\\cell\\row\\pard Z")
        << "A{2x1}|B / D" << "++Z";
    // Report generators write \\intbl only before \\row: were the text read into the body,
    // the cells' words would be glued together there ("CD").
    QTest::newRow("paragraphs without \\intbl that \\cell ends in a row definition are cells")
        << rtf(row("A", "B") + "\\trowd\\cellx3000\\cellx6000\\pard C\\cell\\pard D\\cell\\intbl\\row"
               "\\pard Z")
        << "A|B / C|D" << "++Z";
    QTest::newRow("a table without \\intbl")
        << rtf("\\trowd\\cellx3000\\cellx6000\\pard C\\cell D\\cell\\row\\pard Z")
        << "C|D" << "++Z";
    QTest::newRow("\\cell without \\intbl after the row closes the table first")
        << rtf(row("A", "B") + "\\pard C\\cell D") << "A|B" << "++CD";
    QTest::newRow("text after a row's last cell without \\row leaves the table")
        << rtf("\\trowd\\cellx3000\\pard\\intbl A\\cell\\pard Z") << "A" << "++Z";
    QTest::newRow("text in the body before the table stays there")
        << rtf("Before\\par " + row("A", "B") + "\\pard After")
        << "A|B" << "Before+++After";

    // Text read into cells is kept however the table ends.
    QTest::newRow("\\pard after the last \\cell, without \\row")
        << rtf("\\pard\\intbl A\\cell B\\cell\\pard Z") << "A|B" << "++Z";
    QTest::newRow("a row left open at the end of input")
        << rtf(row("A", "B") + "\\pard\\intbl C\\cell D") << "A|B / C|D" << "+";
    QTest::newRow("the end of input inside a cell, without \\row")
        << rtf("\\trowd\\cellx3000\\pard\\intbl A") << "A" << "+";
    QTest::newRow("an empty row opened after \\row is no row")
        << rtf(row("A", "B")) << "A|B" << "+";
    QTest::newRow("cell definitions without cells make no table")
        << rtf("\\trowd\\cellx3000\\cellx6000\\pard Z") << "(no table)" << "+Z";
}

void tst_Tables::tablesAndTheTextAround()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, table);
    QFETCH(QString, outside);

    const ImportResult result = importRtf(input);
    QVERIFY(result.ok);
    QCOMPARE(describeTable(firstTable(*result.document)), table);
    QCOMPARE(textOutsideTables(*result.document), outside);
}

void tst_Tables::nestedTables_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("outer");
    QTest::addColumn<QString>("inner");

    // As Word writes it: the nested row's definitions follow its cells, in \nesttableprops.
    const QByteArray nested =
        "\\pard\\intbl\\itap2 X\\nestcell Y\\nestcell{\\*\\nesttableprops\\trowd"
        "\\cellx1000\\cellx2000\\nestrow}{\\nonesttables\\par}";
    QTest::newRow("Word") << rtf("\\trowd\\cellx3000\\cellx6000" + nested
                                 + "\\pard\\intbl\\itap1 after\\cell B\\cell\\row\\pard Z")
                          << "+[X|Y]++after|B" << "X|Y";
    // Was: +[X|Y]++|B, an empty paragraph more than the cell has after its nested table.
    QTest::newRow("the outer cell ends right after the nested table")
        << rtf("\\trowd\\cellx3000\\cellx6000" + nested
               + "\\pard\\intbl\\cell B\\cell\\row\\pard Z")
        << "+[X|Y]+|B" << "X|Y";
    QTest::newRow("two levels opened at once keep their text")
        << rtf("\\pard\\itap2 X\\nestcell\\nestrow\\pard Z") << "+[X]+" << "X";
    // Was: A{2x1}|B / D, the merged cell's nested table and text dropped.
    QTest::newRow("a nested table in a merged cell joins the cell above")
        << rtf(row("A", "B") + "\\trowd\\clvmrg\\cellx3000\\cellx6000" + nested
               + "\\pard\\intbl\\itap1 after\\cell D\\cell\\row\\pard Z")
        << "A++[X|Y]++after{2x1}|B / D" << "X|Y";
    QTest::newRow("nested table left open at the end of input")
        << rtf("\\trowd\\cellx3000\\pard\\intbl A\\par\\itap2 X\\nestcell Y") << "A++[X|Y]+"
        << "X|Y";
}

void tst_Tables::nestedTables()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, outer);
    QFETCH(QString, inner);

    const ImportResult result = importRtf(input);
    QVERIFY(result.ok);
    QTextTable *table = firstTable(*result.document);
    QVERIFY(table);
    QCOMPARE(describeTable(table), outer);
    QTextTable *innerTable = nullptr;
    for (QTextFrame *frame : table->childFrames())
        innerTable = innerTable ? innerTable : qobject_cast<QTextTable *>(frame);
    QCOMPARE(describeTable(innerTable), inner);
    QCOMPARE(tablesIn(result.document->rootFrame()).size(), 1);
}

void tst_Tables::tableFormat_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("value"); // invalid: the property is absent

    const int border = QTextFormat::FrameBorder;
    const int style = QTextFormat::FrameBorderStyle;
    const int brush = QTextFormat::FrameBorderBrush;
    const int solid = QTextFrameFormat::BorderStyle_Solid;
    const QByteArray cells = "\\cellx3000\\pard\\intbl A\\cell\\row\\pard Z";
    // Word opens every row with \trgaph, before the border words.

    QTest::newRow("no spacing between cells")
        << rtf("\\trowd" + cells) << int(QTextFormat::TableCellSpacing) << QVariant(0.0);
    QTest::newRow("\\trgaph: padding in points")
        << rtf("\\trowd\\trgaph108" + cells) << int(QTextFormat::TableCellPadding)
        << QVariant(5.4);
    QTest::newRow("\\brdrw after \\clbrdrb: width")
        << rtf("\\trowd\\trgaph0\\clbrdrb\\brdrw30" + cells) << border << QVariant(1.5);
    QTest::newRow("\\brdrw after \\clbrdrb: solid")
        << rtf("\\trowd\\trgaph0\\clbrdrb\\brdrw30" + cells) << style << QVariant(solid);
    QTest::newRow("\\brdrw after \\trbrdrb: no effect")
        << rtf("\\trowd\\trgaph0\\trbrdrb\\brdrw30" + cells) << border << QVariant(1.0);
    QTest::newRow("\\brdrs") << rtf("\\trowd\\trgaph0\\clbrdrt\\brdrs" + cells) << style
                             << QVariant(solid);
    QTest::newRow("\\brdrnil removes the border")
        << rtf("\\trowd\\trgaph0\\clbrdrt\\brdrw30\\brdrnil" + cells) << border << QVariant();
    QTest::newRow("\\brdrnil: no style")
        << rtf("\\trowd\\trgaph0\\clbrdrt\\brdrnil" + cells) << style
        << QVariant(int(QTextFrameFormat::BorderStyle_None));
    QTest::newRow("\\brdrcf: a colour of the table")
        << rtf("\\trowd\\trgaph0\\clbrdrl\\brdrcf2" + cells) << brush
        << QVariant(QBrush(QColor(0, 0, 255)));
    QTest::newRow("\\brdrcf outside the colour table: the text colour")
        << rtf("\\trowd\\trgaph0\\clbrdrl\\brdrcf9" + cells) << brush << QVariant(QBrush(Qt::black));
    QTest::newRow("\\brdrcf of the automatic colour: the text colour")
        << rtf("\\trowd\\trgaph0\\clbrdrl\\brdrcf0" + cells) << brush << QVariant(QBrush(Qt::black));
    QTest::newRow("a row's format holds for the whole table")
        << rtf("\\trowd\\trgaph0\\clbrdrb\\brdrw30\\cellx3000\\pard\\intbl A\\cell\\row"
               "\\trowd\\clbrdrb\\brdrw60\\cellx3000\\pard\\intbl B\\cell\\row\\pard Z")
        << border << QVariant(3.0);
}

void tst_Tables::tableFormat()
{
    QFETCH(QByteArray, input);
    QFETCH(int, property);
    QFETCH(QVariant, value);

    const ImportResult result = importRtf(input);
    QTextTable *table = firstTable(*result.document);
    QVERIFY(table);
    const QVariant actual = table->format().property(property);
    if (value.userType() == QMetaType::QBrush)
        QCOMPARE(actual.value<QBrush>().color(), value.value<QBrush>().color());
    else
        QCOMPARE(actual, value);
}

void tst_Tables::cellFormat_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("value");

    const int background = QTextFormat::BackgroundBrush;
    const int alignment = QTextFormat::TextVerticalAlignment;
    const QByteArray cells = "\\cellx3000\\cellx6000\\pard\\intbl A\\cell B\\cell\\row\\pard Z";

    QTest::newRow("shading") << rtf("\\trowd\\clcbpat1" + cells) << "A" << background
                             << QVariant(QBrush(QColor(255, 0, 0)));
    QTest::newRow("shading of one cell only") << rtf("\\trowd\\clcbpat1" + cells) << "B"
                                              << background << QVariant();
    QTest::newRow("shading outside the colour table: none")
        << rtf("\\trowd\\clcbpat7" + cells) << "A" << background << QVariant();
    QTest::newRow("\\clshdrawnil takes the shading back")
        << rtf("\\trowd\\clcbpat1\\clshdrawnil" + cells) << "A" << background << QVariant();
    QTest::newRow("top by default") << rtf("\\trowd" + cells) << "A" << alignment
                                    << QVariant(int(QTextCharFormat::AlignTop));
    QTest::newRow("centred") << rtf("\\trowd\\trgaph0\\clvertalc" + cells) << "A" << alignment
                             << QVariant(int(QTextCharFormat::AlignMiddle));
    QTest::newRow("bottom, second cell") << rtf("\\trowd\\cellx3000\\clvertalb" + cells.mid(9))
                                         << "B" << alignment
                                         << QVariant(int(QTextCharFormat::AlignBottom));
}

void tst_Tables::cellFormat()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, text);
    QFETCH(int, property);
    QFETCH(QVariant, value);

    const ImportResult result = importRtf(input);
    QTextTable *table = firstTable(*result.document);
    QVERIFY(table);
    QTextTableCell cell;
    for (int c = 0; c < table->columns(); ++c) {
        if (cellText(table->cellAt(0, c), table) == text)
            cell = table->cellAt(0, c);
    }
    QVERIFY(cell.isValid());
    QCOMPARE(cell.format().property(property), value);
}

// Cells are read into documents of their own, which later cells may use again: a format seen
// in an earlier cell must be looked up afresh. Each run's letter says its format: B bold, I
// italic, C red, P plain.
void tst_Tables::runFormatsInCells_data()
{
    QTest::addColumn<QByteArray>("input");

    QTest::newRow("later rows use the formats of earlier ones, in another order")
        << rtf(row("{\\b B}{\\i I}P", "{\\cf1 C}P") + row("{\\i I}", "{\\cf1 C}{\\b B}")
               + row("P{\\b B}", "{\\i I}") + "\\pard Z");
    QTest::newRow("a format only in the row's last cell, then first in the next row")
        << rtf(row("P", "{\\cf1 C}") + row("{\\cf1 C}P{\\i I}", "P") + "\\pard Z");
    QTest::newRow("text of merged cells keeps its formats")
        << rtf("\\trowd\\cellx3000\\clmrg\\cellx6000\\pard\\intbl {\\b B}\\cell {\\i I}P\\par "
               "{\\cf1 C}\\cell\\row"
               "\\trowd\\clvmrg\\cellx3000\\cellx6000\\pard\\intbl {\\b B}P\\cell {\\i I}\\cell"
               "\\row\\pard Z");
    QTest::newRow("nested table between the rows")
        << rtf("\\trowd\\cellx3000\\pard\\intbl {\\b B}\\cell\\row"
               "\\pard\\intbl\\itap2 {\\i I}\\nestcell{\\*\\nesttableprops\\trowd\\cellx2000"
               "\\nestrow}{\\b B}\\cell\\trowd\\cellx3000\\row"
               "\\trowd\\cellx3000\\pard\\intbl {\\i I}{\\b B}\\cell\\row\\pard Z");
}

void tst_Tables::runFormatsInCells()
{
    QFETCH(QByteArray, input);

    const ImportResult result = importRtf(input);
    int runs = 0;
    for (QTextBlock block = result.document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            for (const QChar letter : fragment.text()) {
                ++runs;
                QCOMPARE(format.fontWeight() == QFont::Bold, letter == QLatin1Char('B'));
                QCOMPARE(format.fontItalic(), letter == QLatin1Char('I'));
                QCOMPARE(format.foreground().color() == QColor(255, 0, 0),
                         letter == QLatin1Char('C'));
            }
        }
    }
    QVERIFY(runs > 0);
}

// Lists in cells are built from the block formats of the cells' paragraphs: every paragraph
// of a cell keeps its own.
void tst_Tables::paragraphsInCells_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");

    const QByteArray cell = "\\trowd\\cellx3000\\pard\\intbl\\qc A\\par\\pard\\intbl\\qr B\\par"
                            "\\pard\\intbl\\qj C\\cell\\row\\pard Z";
    QTest::newRow("first paragraph") << rtf(cell) << "A" << int(Qt::AlignHCenter);
    QTest::newRow("middle paragraph") << rtf(cell) << "B" << int(Qt::AlignRight);
    QTest::newRow("last paragraph") << rtf(cell) << "C" << int(Qt::AlignJustify);
    QTest::newRow("after the table") << rtf(cell) << "Z" << int(Qt::AlignLeft);
}

void tst_Tables::paragraphsInCells()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, text);
    QFETCH(int, alignment);

    const ImportResult result = importRtf(input);
    QTextBlock found;
    for (QTextBlock b = result.document->begin(); b.isValid(); b = b.next()) {
        if (b.text() == text)
            found = b;
    }
    QVERIFY(found.isValid());
    QCOMPARE(int(found.blockFormat().alignment() & Qt::AlignHorizontal_Mask), alignment);
}

void tst_Tables::nestingLevel_data()
{
    QTest::addColumn<QByteArray>("keywords");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("depth");

    QTest::newRow("\\intbl") << QByteArray("\\intbl") << 1 << 1;
    QTest::newRow("\\intbl keeps a deeper level") << QByteArray("\\itap3\\intbl") << 3 << 3;
    QTest::newRow("\\itap0 opens nothing") << QByteArray("\\itap0") << 0 << 0;
    QTest::newRow("\\itap2") << QByteArray("\\itap2") << 2 << 2;
    QTest::newRow("\\itap far beyond any writer") << QByteArray("\\itap2147483647")
                                                  << MaxTableNesting << MaxTableNesting;
    QTest::newRow("negative \\itap") << QByteArray("\\itap-5") << 0 << 0;
    QTest::newRow("\\cellx opens a table, not a nesting level") << QByteArray("\\cellx100")
                                                                << 0 << 1;
}

void tst_Tables::nestingLevel()
{
    QFETCH(QByteArray, keywords);
    QFETCH(int, level);
    QFETCH(int, depth);

    QMKTextRtfReaderPrivate reader(nullptr);
    QTextDocument document;
    reader.cursor = QTextCursor(&document);
    for (const QByteArray &word : keywords.split('\\')) {
        if (word.isEmpty())
            continue;
        int split = 0;
        while (split < word.size() && QChar::isLetter(word.at(split)))
            ++split;
        const int keyword = findRtfKeyword(('\\' + word.left(split)).constData(), split + 1);
        QVERIFY(keyword >= 0);
        const bool hasParameter = split < word.size();
        reader.handleKeyword(RtfKeyword(keyword), hasParameter, word.mid(split).toInt());
    }
    QCOMPARE(reader.tableNestingLevel, level);
    QCOMPARE(int(reader.tableStack.size()), depth);
}

void tst_Tables::hostileInputFinishes_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("keptLetters");

    QTest::newRow("\\itap2147483647") << rtf("\\itap2147483647 X\\nestcell\\nestrow\\pard Z")
                                      << "XZ";
    QTest::newRow("\\itap-2147483648") << rtf("\\itap-2147483648 X\\cell\\row\\pard Z") << "XZ";
    QTest::newRow("50,000 \\cellx") << rtf("\\trowd" + QByteArray("\\cellx100").repeated(50000)
                                           + "\\pard\\intbl X\\cell\\row\\pard Z")
                                    << "XZ";
    QTest::newRow("50,000 \\cell") << rtf("\\trowd\\pard\\intbl X"
                                          + QByteArray("\\cell Y").repeated(50000) + "\\row Z")
                                   << "XYZ";
    QByteArray widest = "\\trowd";
    QByteArray shifted = "\\trowd";
    for (int i = 1; i <= MaxTableColumns; ++i) {
        widest += "\\cellx" + QByteArray::number(i * 10);
        shifted += "\\cellx" + QByteArray::number(i * 10 + 5);
    }
    widest += "\\pard\\intbl " + QByteArray("A\\cell ").repeated(MaxTableColumns) + "\\row ";
    shifted += "\\pard\\intbl " + QByteArray("B\\cell ").repeated(MaxTableColumns - 1) + "C\\cell\\row";
    QTest::newRow("cells past the most columns a table may have") << rtf(widest + shifted)
                                                                  << "ABC";
    QTest::newRow("\\cell and \\row without a table")
        << rtf("A\\cell B\\row\\nestcell\\nestrow\\lastrow C") << "ABC";
    QTest::newRow("cell words without a table") << rtf("\\clvertalb\\brdrs\\clbrdrb\\brdrw9 A")
                                                << "A";
    QTest::newRow("merges in the first row and the first cell")
        << rtf("\\trowd\\clmrg\\clvmrg\\cellx100\\pard\\intbl X\\cell\\row") << "X";
    QTest::newRow("boundaries going backwards")
        << rtf(row("A", "B") + "\\trowd\\cellx6000\\cellx-3000\\cellx-9000\\pard\\intbl C\\cell"
               " D\\cell E\\cell\\row")
        << "ABCDE";
    QTest::newRow("largest and smallest boundaries")
        << rtf(row("A", "B") + "\\trowd\\cellx-2147483648\\cellx2147483647\\pard\\intbl C\\cell"
               " D\\cell\\row\\trowd\\cellx2147483647\\pard\\intbl E\\cell F\\cell G\\cell\\row")
        << "ABCDEFG";
    QTest::newRow("margins wider than the paper")
        << rtf("\\paperw100\\margl5000\\margr5000" + row("A", "B")) << "AB";
}

// Only has to finish without a crash, keep the text read and leave sane column widths.
void tst_Tables::hostileInputFinishes()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, keptLetters);

    const ImportResult result = importRtf(input);
    const QString text = result.document->toPlainText();
    for (const QChar letter : keptLetters)
        QVERIFY2(text.contains(letter), qPrintable(QString(letter)));
    for (const QTextTable *table : tablesIn(result.document->rootFrame())) {
        for (const QTextLength &width : table->format().columnWidthConstraints()) {
            QVERIFY(width.rawValue() >= 0);
            QVERIFY(qIsFinite(width.rawValue()));
        }
    }
}

QMK_TEST_MAIN(tst_Tables)
#include "tst_tables.moc"
