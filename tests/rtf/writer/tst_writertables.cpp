#include "support/testsupport.h"

#include "writerdocuments.h"

#include "rtf/writer/qmktextrtfwriter_p.h"

#include <QTextFrame>
#include <QTextTable>

namespace {

using Widths = std::initializer_list<QTextLength>;

// A table at the cursor, without the border Qt gives tables by default.
QTextTable *table(QTextCursor cursor, int rows, int columns, Properties more = {},
                  Widths widths = {})
{
    QTextTableFormat format = with<QTextTableFormat>({{QTextFormat::FrameBorder, 0.0}});
    for (const auto &property : more)
        format.setProperty(property.first, property.second);
    format.setColumnWidthConstraints(widths);
    return cursor.insertTable(rows, columns, format);
}

// Tables come first in the documents of the rows.
QTextTable *table(QTextDocument &document, int rows, int columns, Properties more = {},
                  Widths widths = {})
{
    return table(QTextCursor(&document), rows, columns, more, widths);
}

void insertText(QTextTable *table, int row, int column, const char *text)
{
    table->cellAt(row, column).firstCursorPosition().insertText(QString::fromUtf8(text), {});
}

QTextLength percent(double value) { return QTextLength(QTextLength::PercentageLength, value); }
const QTextLength variable(QTextLength::VariableLength, 0);
const QTextLength seventyTwo(QTextLength::FixedLength, 72);
const int style = QTextFormat::FrameBorderStyle, width = QTextFormat::FrameBorder;
const int brush = QTextFormat::FrameBorderBrush, solid = QTextFrameFormat::BorderStyle_Solid;

const QByteArray onlyRow = "\n\\trowd\\trgaph0 \\trautofit1\\lastrow \\trbrdrt\\brdrnil "
                           "\\trbrdrr\\brdrnil \\trbrdrb\\brdrnil \\trbrdrl\\brdrnil ";
const QByteArray firstRow = "\n\\trowd\\trgaph0 \\trautofit1 \\trbrdrt\\brdrnil "
                            "\\trbrdrr\\brdrnil \\trbrdrl\\brdrnil ";
const QByteArray lastRow = "\n\\trowd\\trgaph0 \\trautofit1\\lastrow \\trbrdrr\\brdrnil "
                           "\\trbrdrb\\brdrnil \\trbrdrl\\brdrnil ";
const QByteArray noBorders = "\\clbrdrt\\brdrnil \\clbrdrr\\brdrnil \\clbrdrb\\brdrnil "
                             "\\clbrdrl\\brdrnil ";

// One cell of a row definition: the words before the shading word, the borders and shading
// after it, and the right boundary.
QByteArray cell(int right, const QByteArray &before = "\\clvertalt ",
                const QByteArray &after = noBorders)
{
    return "\n" + before + "\\clshdrawnil" + after + "\\cellx" + QByteArray::number(right) + "\n";
}

QByteArray borders(const QByteArray &words)
{
    return "\\clbrdrt" + words + " \\clbrdrr" + words + " \\clbrdrb" + words + " \\clbrdrl"
           + words + " ";
}

auto row = [](const char *tag, Build build, const QByteArray &expected) {
    QTest::newRow(tag) << build << expected;
};

} // namespace

class tst_WriterTables : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useKnownApplicationFont(); }
    void rowDefinitions_data();
    void rowDefinitions();
    void tables_data();
    void tables();
};

void tst_WriterTables::rowDefinitions_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QByteArray>("expected"); // every row's; colours 1 black, 3 red, 4 blue

    row("no constraint: 200 points", [](QTextDocument &d) { table(d, 1, 1); },
        onlyRow + cell(4000));
    row("cell padding", [](QTextDocument &d) {
        table(d, 1, 1, {{QTextFormat::TableCellPadding, 4.0}});
    },
        "\n\\trowd\\trgaph80 \\trautofit1\\lastrow \\trbrdrt\\brdrnil \\trbrdrr\\brdrnil "
        "\\trbrdrb\\brdrnil \\trbrdrl\\brdrnil " + cell(4000));
    row("row span: merged below", [](QTextDocument &d) { table(d, 2, 1)->mergeCells(0, 0, 2, 1); },
        firstRow + cell(4000, "\\clvmgf \\clvertalt ") + lastRow
            + cell(4000, "\\clvmrg \\clvertalt "));
    row("column span: a boundary each", [](QTextDocument &d) {
        table(d, 1, 2)->mergeCells(0, 0, 1, 2);
    }, onlyRow + cell(4000, "\\clmgf \\clvertalt ") + cell(8000, "\\clmrg \\clvertalt "));
    row("1-point border in its colour", [](QTextDocument &d) {
        table(d, 1, 1, {{width, 1.0}, {style, solid}, {brush, QBrush(Qt::blue)}});
    }, onlyRow + cell(4000, "\\clvertalt ", borders("\\brdrs\\brdrw20\\brdrcf4")));
    row("20-point border: 255 twips", [](QTextDocument &d) {
        table(d, 1, 1, {{width, 20.0}, {style, solid}, {brush, QBrush(Qt::red)}});
    }, onlyRow + cell(4000, "\\clvertalt ", borders("\\brdrs\\brdrw255\\brdrcf3")));
    row("border width without a style", [](QTextDocument &d) {
        table(d, 1, 1, {{width, 1.0}, {style, QTextFrameFormat::BorderStyle_None}});
    }, onlyRow + cell(4000));
    row("middle on black, bottom on red, top without a brush", [](QTextDocument &d) {
        QTextTable *t = table(d, 1, 3);
        const int alignment = QTextFormat::TextVerticalAlignment;
        const int background = QTextFormat::BackgroundBrush;
        t->cellAt(0, 0).setFormat(with({{alignment, 3}, {background, QBrush(Qt::black)}}));
        t->cellAt(0, 1).setFormat(with({{alignment, 5}, {background, QBrush(Qt::red)}}));
        t->cellAt(0, 2).setFormat(with({{alignment, 4}}));
    }, onlyRow + cell(4000, "\\clvertalc ", noBorders + "\\clcbpat1")
           + cell(8000, "\\clvertalb ", noBorders + "\\clcbpat3") + cell(12000));
    row("percentages of 432 points", [](QTextDocument &d) {
        table(d, 1, 3, {}, {percent(25), percent(25), percent(50)});
    }, onlyRow + cell(2160) + cell(4320) + cell(8640));
    row("two variable columns share the width", [](QTextDocument &d) {
        table(d, 1, 2, {}, {variable, variable});
    }, onlyRow + cell(4320) + cell(8640));
    row("variable columns share what is left", [](QTextDocument &d) {
        table(d, 1, 4, {}, {variable, seventyTwo, variable, percent(50)});
    }, onlyRow + cell(1440) + cell(2880) + cell(4320) + cell(8640));
    row("beyond the constraints: 200 points", [](QTextDocument &d) {
        table(d, 1, 2, {}, {percent(50)});
    }, onlyRow + cell(4320) + cell(8320));
}

void tst_WriterTables::rowDefinitions()
{
    QFETCH(Build, build);
    QFETCH(QByteArray, expected);

    QTextDocument document;
    build(document);
    QTextTable *written = qobject_cast<QTextTable *>(document.rootFrame()->childFrames().value(0));
    QVERIFY(written);
    QMKTextRtfWriterPrivate writer(nullptr);
    writer.colours = {Qt::black, Qt::white, Qt::red, Qt::blue};
    for (int r = 0; r < written->rows(); ++r)
        writer.writeRowDefinition(written, r);
    QCOMPARE(writer.out, expected);
}

void tst_WriterTables::tables_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QByteArray>("expected"); // after the empty paragraph Qt keeps before a table

    // An empty cell states the format of its paragraph mark: the cell's.
    const QByteArray text = "\n\\pard\\plain \\intbl\\itap1\\loch ", empty = text + "\\f0\\fs24";
    row("one cell, then text", [](QTextDocument &d) {
        insertText(table(d, 1, 1), 0, 0, "a");
        paragraph(d, "b");
    }, "\n\n" + onlyRow + cell(4000) + text + "{a}\\cell{" + onlyRow + cell(4000)
           + "\\row}\\pard\n\\pard\\plain \\ltrch\\loch {b}}");
    row("no paragraph for the one after a table", [](QTextDocument &d) { table(d, 1, 1); },
        "\n\n" + onlyRow + cell(4000) + empty + "\\cell{" + onlyRow + cell(4000) + "\\row}\\pard}");
    row("a covered position still ends a cell", [](QTextDocument &d) {
        QTextTable *t = table(d, 2, 1);
        t->mergeCells(0, 0, 2, 1);
        insertText(t, 0, 0, "a");
    }, "\n\n" + firstRow + cell(4000, "\\clvmgf \\clvertalt ") + text + "{a}\\cell{" + firstRow
           + cell(4000, "\\clvmgf \\clvertalt ") + "\\row}\\pard\n" + lastRow
           + cell(4000, "\\clvmrg \\clvertalt ") + "\\cell{" + lastRow
           + cell(4000, "\\clvmrg \\clvertalt ") + "\\row}\\pard}");
    row("nested table", [](QTextDocument &d) {
        insertText(table(table(d, 1, 1)->cellAt(0, 0).firstCursorPosition(), 1, 1), 0, 0, "x");
    }, "\n\n" + onlyRow + cell(4000) + empty + "\n\n\n\\pard\\plain \\intbl\\itap2\\loch {x}"
       "\\nestcell{\\*\\nesttableprops" + onlyRow + cell(4000) + "\\nestrow}\\pard\\itap1\\intbl"
       + empty + "\\cell{" + onlyRow + cell(4000) + "\\row}\\pard}");
}

void tst_WriterTables::tables()
{
    QFETCH(Build, build);
    QFETCH(QByteArray, expected);

    const QByteArray rtf = written(build, false);
    const QByteArray start = "\\cf0\n\\pard\\plain \\ltrch\\loch ";
    QVERIFY(rtf.contains(start));
    QCOMPARE(rtf.mid(rtf.indexOf(start) + start.size()), expected);
}

QMK_TEST_MAIN(tst_WriterTables)
#include "tst_writertables.moc"
