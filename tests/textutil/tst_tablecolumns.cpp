#include "support/testsupport.h"

#include "rtf/reader/tabledescription.h"
#include "textutil/tablecolumns_p.h"

#include <QTextTable>

#include <functional>

namespace {

struct Merge
{
    int row, column, rows, columns;
};

// A rows x columns table whose cells hold their own names (A, B, ... in reading order), then
// merged as listed.
QTextTable *namedTable(QTextDocument &document, int rows, int columns,
                       const QVector<Merge> &merges)
{
    QTextCursor cursor(&document);
    QTextTable *table = cursor.insertTable(rows, columns);
    for (int i = 0; i < rows * columns; ++i)
        table->cellAt(i / columns, i % columns).firstCursorPosition().insertText(
            QString(QChar('A' + i)));
    for (const Merge &merge : merges) {
        // Only the merged cells' names are kept: the others are emptied first.
        for (int r = merge.row; r < merge.row + merge.rows; ++r) {
            for (int c = merge.column; c < merge.column + merge.columns; ++c) {
                if (r == merge.row && c == merge.column)
                    continue;
                QTextCursor cell = table->cellAt(r, c).firstCursorPosition();
                cell.setPosition(table->cellAt(r, c).lastCursorPosition().position(),
                                 QTextCursor::KeepAnchor);
                cell.removeSelectedText();
            }
        }
        table->mergeCells(merge.row, merge.column, merge.rows, merge.columns);
    }
    return table;
}

} // namespace

Q_DECLARE_METATYPE(QVector<Merge>)

class tst_TableColumns : public QObject
{
    Q_OBJECT
private slots:
    void insertion_data();
    void insertion();
};

void tst_TableColumns::insertion_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QVector<Merge>>("merges");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("table");

    QTest::newRow("no merged cells") << 2 << 2 << QVector<Merge>{} << 1 << "A||B / C||D";
    QTest::newRow("appended") << 2 << 2 << QVector<Merge>{} << 2 << "A|B| / C|D|";
    QTest::newRow("a wide cell across the position widens")
        << 2 << 3 << QVector<Merge>{{0, 0, 1, 3}} << 1 << "A{1x4} / D||E|F";
    QTest::newRow("a tall cell across the position widens once")
        << 2 << 2 << QVector<Merge>{{0, 0, 2, 2}} << 1 << "A{2x3} / ";
    // Qt's own insertion puts the new cell of each tall cell's first row before the tall cell.
    QTest::newRow("appended beside tall cells")
        << 4 << 1 << QVector<Merge>{{0, 0, 2, 1}, {2, 0, 2, 1}} << 1
        << "A{2x1}| /  / C{2x1}| / ";
    // Qt's own insertion widens E, and the grid gains a row.
    QTest::newRow("beside tall cells on both sides")
        << 4 << 3 << QVector<Merge>{{0, 2, 2, 1}, {1, 0, 2, 1}, {1, 1, 2, 1}} << 2
        << "A|B||C{2x1} / D{2x1}|E{2x1}| / |I / J|K||L";
}

void tst_TableColumns::insertion()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QVector<Merge>, merges);
    QFETCH(int, position);
    QFETCH(QString, table);

    using Insertion = std::function<bool(QTextTable *, int, int)>;
    const QVector<QPair<const char *, Insertion>> ways{
        {"in this build", insertTableColumns},
        {"by cutting and merging again", insertTableColumnsByRemerging}};
    for (const auto &way : ways) {
        QTextDocument document;
        QTextTable *subject = namedTable(document, rows, columns, merges);
        QVERIFY(way.second(subject, position, 1));
        QCOMPARE(describeTable(subject), table);
        QCOMPARE(subject->rows(), rows);
        QCOMPARE(subject->format().columns(), columns + 1);
    }
}

QMK_TEST_MAIN(tst_TableColumns)
#include "tst_tablecolumns.moc"
