#include "support/testsupport.h"

#include "rtf/reader/tabledescription.h"
#include "rtf/reader/tablelevel_p.h"

#include <limits>

using Percentages = QVector<double>;
using Boundaries = QVector<int>;

class tst_TableRows : public QObject
{
    Q_OBJECT
private slots:
    void rowsBecomeColumns_data();
    void rowsBecomeColumns();
    void columnWidthsAtClose_data();
    void columnWidthsAtClose();
    void widthConstraints_data();
    void widthConstraints();
    void boundariesOfUndefinedCells_data();
    void boundariesOfUndefinedCells();
    void longTableKeepsEveryRow();
};

namespace {

QByteArray rtf(const QByteArray &body)
{
    return "{\\rtf1\\ansi " + body + "\\pard Z}";
}

// One row: its \cellx boundaries, then one cell per text, then \row. Extra definition words
// for a cell may stand before its boundary, as in "\\clvmrg 3000".
QByteArray row(const QList<QByteArray> &boundaries, const QList<QByteArray> &texts)
{
    QByteArray rtf = "\\trowd\\trgaph108";
    for (const QByteArray &boundary : boundaries) {
        const int blank = boundary.lastIndexOf(' ');
        rtf += boundary.left(blank + 1) + "\\cellx" + boundary.mid(blank + 1);
    }
    rtf += "\\pard\\intbl ";
    for (const QByteArray &text : texts)
        rtf += text + "\\cell ";
    return rtf + "\\row ";
}

Percentages percentages(const QTextTable *table)
{
    Percentages values;
    for (const QTextLength &length : table->format().columnWidthConstraints()) {
        if (length.type() == QTextLength::PercentageLength)
            values.append(qRound(length.rawValue() * 100) / 100.0);
    }
    return values;
}

} // namespace

void tst_TableRows::rowsBecomeColumns_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("table");

    const auto twoColumns = row({"3000", "6000"}, {"A", "B"});
    QTest::newRow("rows that agree") << rtf(twoColumns + row({"3000", "6000"}, {"C", "D"}))
                                     << "A|B / C|D";
    QTest::newRow("a boundary between two columns splits the column")
        << rtf(twoColumns + row({"3000", "4500", "6000"}, {"C", "D", "E"}))
        << "A|B{1x2} / C|D|E";
    QTest::newRow("a split under a merged cell keeps the merge")
        << rtf(twoColumns + row({"\\clvmrg 3000", "6000"}, {"", "D"})
               + row({"1500", "3000", "6000"}, {"E", "F", "G"}))
        << "A{2x2}|B / D / E|F|G";
    QTest::newRow("a boundary beyond the table adds a column; the cell spans two")
        << rtf(twoColumns + row({"3000", "9000"}, {"C", "D"})) << "A|B| / C|D{1x2}";
    // Qt inserts columns beside cells that span rows in the wrong place (fixed in
    // textutil/tablecolumns): the text moved to other cells, or the table gained a row and crashed.
    QTest::newRow("a column added beside a cell merged down")
        << rtf(row({"6000"}, {"A"}) + row({"\\clvmrg 6000"}, {""})
               + row({"3000", "6000"}, {"C", "D"}))
        << "A{2x2} /  / C|D";
    QTest::newRow("a split beside cells merged down on both sides")
        << rtf(row({"1000", "2000", "3000"}, {"A", "B", "C"})
               + row({"1000", "2000", "\\clvmrg 3000"}, {"D", "E", ""})
               + row({"\\clvmrg 1000", "\\clvmrg 2000", "3000"}, {"", "", "G"})
               + row({"1000", "1500", "2000", "3000"}, {"H", "I", "J", "K"}))
        << "A|B{1x2}|C{2x1} / D{2x1}|E{2x2} / G / H|I|J|K";
    // Was: A{2x1}|B / D, the merged cell's text dropped.
    QTest::newRow("vertical merge: the cell above grows and takes the merged cell's text")
        << rtf(twoColumns + row({"\\clvmrg 3000", "6000"}, {"C", "D"})) << "A+C{2x1}|B / D";
    QTest::newRow("vertical merge over three rows")
        << rtf(twoColumns + row({"\\clvmrg 3000", "6000"}, {"", "D"})
               + row({"\\clvmrg 3000", "6000"}, {"", "F"}))
        << "A{3x1}|B / D / F";
    QTest::newRow("horizontal merge") << rtf(row({"3000", "\\clmrg 6000"}, {"A", ""}))
                                      << "A{1x2}";
    // Was: A{1x2}, the merged cell's text dropped.
    QTest::newRow("horizontal merge: the cell to the left takes the merged cell's text")
        << rtf(row({"3000", "\\clmrg 6000"}, {"A", "{\\b B}\\par C"})) << "A+B+C{1x2}";
    QTest::newRow("merged text over three rows, in the order written")
        << rtf(twoColumns + row({"\\clvmrg 3000", "6000"}, {"C", "D"})
               + row({"\\clvmrg 3000", "6000"}, {"E", "F"}))
        << "A+C+E{3x1}|B / D / F";
    QTest::newRow("merged cells holding only blanks and breaks add nothing")
        << rtf(twoColumns + row({"\\clvmrg 3000", "6000"}, {" \\par ", "D"})
               + row({"3000", "\\clmrg 6000"}, {"E", "\\par  "}))
        << "A{2x1}|B / D / E{1x2}";
    QTest::newRow("text after the last \\cell stays in the row")
        << rtf("\\trowd\\cellx3000\\cellx6000\\pard\\intbl A\\cell B\\row") << "A|B";
    QTest::newRow("a non-breaking space after the last \\cell is text")
        << rtf("\\trowd\\cellx3000\\cellx6000\\pard\\intbl A\\cell\\~\\row")
        << QStringLiteral("A|") + QChar(QChar::Nbsp);
    QTest::newRow("blanks and breaks after the last \\cell are not")
        << rtf("\\trowd\\cellx3000\\pard\\intbl A\\cell\\par \\row") << "A";
    QTest::newRow("a row without \\cell under a two-column definition")
        << rtf("\\trowd\\cellx3000\\cellx6000\\pard\\intbl A\\row"
               + row({"3000", "6000"}, {"C", "D"}))
        << "A| / C|D";
    QTest::newRow("Word repeats the definitions after the cells")
        << rtf("\\trowd\\cellx3000\\cellx6000\\pard\\intbl A\\cell B\\cell"
               "{\\trowd\\cellx3000\\cellx6000\\row}" + row({"3000", "6000"}, {"C", "D"}))
        << "A|B / C|D";

    // Cells whose text must reach the table although no column was defined for it.
    QTest::newRow("more cells than definitions, first row")
        << rtf(row({"3000"}, {"A", "B"})) << "A|B";
    QTest::newRow("more cells than definitions, later row")
        << rtf(twoColumns + row({"3000", "6000"}, {"C", "D", "E"})) << "A|B| / C|D|E";
    QTest::newRow("one cell more than the table has columns")
        << rtf(row({"3000"}, {"A"}) + row({"3000"}, {"C", "D"})) << "A| / C|D";
    QTest::newRow("fewer cells than the table has columns")
        << rtf(row({"3000", "6000", "9000"}, {"A", "B", "C"}) + row({"3000", "6000"}, {"D", "E"}))
        << "A|B|C / D|E|";
    QTest::newRow("a merge in the first row keeps the cell's text")
        << rtf(row({"\\clvmrg 3000", "6000"}, {"A", "B"})) << "A|B";
    QTest::newRow("a horizontal merge in the first cell keeps its text")
        << rtf(row({"\\clmrg 3000", "6000"}, {"A", "B"})) << "A|B";
}

void tst_TableRows::rowsBecomeColumns()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, table);

    const ImportResult result = importRtf(input);
    QVERIFY(result.ok);
    QCOMPARE(describeTable(firstTable(*result.document)), table);
}

void tst_TableRows::columnWidthsAtClose_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<Percentages>("widths");

    const auto twoColumns = row({"3000", "6000"}, {"A", "B"});
    QTest::newRow("default page: 8640 twips of text") << rtf(twoColumns)
                                                      << Percentages{34.72, 34.72};
    QTest::newRow("the page at the time of closing")
        << QByteArray("{\\rtf1 " + twoColumns + "\\paperw9000\\margl1500\\margr1500\\pard Z}")
        << Percentages{50, 50};
    QTest::newRow("split column") << rtf(twoColumns + row({"3000", "4500", "6000"}, {"", "", ""}))
                                  << Percentages{34.72, 17.36, 17.36};
    QTest::newRow("added column") << rtf(twoColumns + row({"3000", "9000"}, {"", ""}))
                                  << Percentages{34.72, 34.72, 34.72};
    QTest::newRow("row indent widens the first column")
        << rtf("\\trowd\\trleft1000\\cellx3000\\pard\\intbl A\\cell\\row")
        << Percentages{34.72};
    QTest::newRow("undefined cells share the text width left")
        << rtf(row({"3000"}, {"A", "B", "C"})) << Percentages{34.72, 32.64, 32.64};
    QTest::newRow("undefined cells past the text width get an even share")
        << rtf(row({"8640"}, {"A", "B"})) << Percentages{100, 50};
    QTest::newRow("no room on the page: the default page's text width")
        << QByteArray("{\\rtf1\\paperw3600 " + twoColumns + "\\pard Z}")
        << Percentages{34.72, 34.72};
    QTest::newRow("margins wider than the paper")
        << QByteArray("{\\rtf1\\margl9000\\margr9000 " + twoColumns + "\\pard Z}")
        << Percentages{34.72, 34.72};
    QTest::newRow("a boundary left of the one before: no width")
        << rtf(row({"3000", "1000"}, {"A", "B"})) << Percentages{34.72, 0};
}

void tst_TableRows::columnWidthsAtClose()
{
    QFETCH(QByteArray, input);
    QFETCH(Percentages, widths);

    const ImportResult result = importRtf(input);
    QTextTable *table = firstTable(*result.document);
    QVERIFY(table);
    QCOMPARE(percentages(table), widths);
}

void tst_TableRows::widthConstraints_data()
{
    QTest::addColumn<Boundaries>("boundaries");
    QTest::addColumn<int>("columns");
    QTest::addColumn<qint64>("textWidth");
    QTest::addColumn<Percentages>("widths");

    const int largest = std::numeric_limits<int>::max();
    const int smallest = std::numeric_limits<int>::min();
    QTest::newRow("one column per boundary") << Boundaries{4320, 8640} << 2 << qint64(8640)
                                             << Percentages{50, 50};
    QTest::newRow("fewer boundaries than columns: even widths")
        << Boundaries{4320} << 4 << qint64(8640) << Percentages{25, 25, 25, 25};
    QTest::newRow("boundaries past the columns are not used")
        << Boundaries{4320, 8640, 9000} << 2 << qint64(8640) << Percentages{50, 50};
    QTest::newRow("full integer range") << Boundaries{smallest, largest} << 2 << qint64(1)
                                        << Percentages{0, 429496729500.0};
    QTest::newRow("text width of 0 is taken as one twip") << Boundaries{20} << 1 << qint64(0)
                                                          << Percentages{2000};
}

void tst_TableRows::widthConstraints()
{
    QFETCH(Boundaries, boundaries);
    QFETCH(int, columns);
    QFETCH(qint64, textWidth);
    QFETCH(Percentages, widths);

    Percentages actual;
    for (const QTextLength &length : columnWidthConstraints(boundaries, columns, textWidth)) {
        QCOMPARE(length.type(), QTextLength::PercentageLength);
        actual.append(length.rawValue());
    }
    QCOMPARE(actual, widths);
}

void tst_TableRows::boundariesOfUndefinedCells_data()
{
    QTest::addColumn<int>("lastBoundary");
    QTest::addColumn<int>("definedCount");
    QTest::addColumn<int>("count");
    QTest::addColumn<qint64>("textWidth");
    QTest::addColumn<Boundaries>("boundaries");

    const int largest = std::numeric_limits<int>::max();
    QTest::newRow("no definitions: even shares") << 0 << 0 << 4 << qint64(8640)
                                                 << Boundaries{2160, 4320, 6480, 8640};
    QTest::newRow("the width left, shared") << 3000 << 1 << 2 << qint64(8640)
                                            << Boundaries{5820, 8640};
    QTest::newRow("nothing left: an even share of the text width")
        << 8640 << 1 << 1 << qint64(8640) << Boundaries{12960};
    QTest::newRow("a sliver left: an even share instead") << 8500 << 1 << 1 << qint64(8640)
                                                         << Boundaries{12820};
    QTest::newRow("boundary beyond the text width") << 20000 << 2 << 2 << qint64(8640)
                                                    << Boundaries{22160, 24320};
    QTest::newRow("more cells than twips: one twip each") << 0 << 0 << 3 << qint64(2)
                                                          << Boundaries{1, 2, 3};
    QTest::newRow("near the largest boundary") << largest - 1 << 1 << 2 << qint64(8640)
                                               << Boundaries{largest, largest};
}

void tst_TableRows::boundariesOfUndefinedCells()
{
    QFETCH(int, lastBoundary);
    QFETCH(int, definedCount);
    QFETCH(int, count);
    QFETCH(qint64, textWidth);
    QFETCH(Boundaries, boundaries);

    QCOMPARE(boundariesForUndefinedCells(lastBoundary, definedCount, count, textWidth),
             boundaries);
}

// The table grows in steps with spare rows at its end: none of them may remain.
void tst_TableRows::longTableKeepsEveryRow()
{
    QByteArray body;
    for (int i = 0; i < 1500; ++i)
        body += row({"3000", "6000"}, {QByteArray::number(i), "x"});
    const ImportResult result = importRtf(rtf(body));
    QTextTable *table = firstTable(*result.document);
    QVERIFY(table);
    QCOMPARE(table->rows(), 1500);
    QCOMPARE(cellText(table->cellAt(1499, 0), table), QStringLiteral("1499"));
    QCOMPARE(textOutsideTables(*result.document), QStringLiteral("++Z"));
}

QMK_TEST_MAIN(tst_TableRows)
#include "tst_tablerows.moc"
