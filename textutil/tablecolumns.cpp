#include "textutil/tablecolumns_p.h"

#include <QTextDocument>
#include <QTextTable>
#include <QVector>

#ifdef QMKRTF_HAVE_QT_GUI_PRIVATE
#include <private/qtextdocument_p.h>
#include <private/qtexttable_p.h>
#endif

namespace {
// Each cut and merge makes Qt rebuild the table's grid: past this many tall cells a column is
// not inserted at all (its cells stay wider), so that no table costs quadratic time.
constexpr int MaxTallCellsToRearrange = 64;
}

// Qt's insertion, with the cells that span rows cut to their first row while the columns go
// in and merged again after, widened where the new columns cross them; empty cells come and
// go, so no content moves.
bool insertTableColumnsByRemerging(QTextTable *table, int position, int count)
{
    if (!table || count <= 0)
        return true;
    position = qBound(0, position, table->columns());
    struct Span
    {
        int row, column, rows, columns;
    };
    QVector<Span> tallCells;
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() == row && cell.column() == column && cell.rowSpan() > 1)
                tallCells.append({row, column, cell.rowSpan(), cell.columnSpan()});
        }
    }
    if (tallCells.size() > MaxTallCellsToRearrange)
        return false;
    for (const Span &span : qAsConst(tallCells))
        table->splitCell(span.row, span.column, 1, span.columns);
    table->insertColumns(position, count);
    for (Span span : qAsConst(tallCells)) {
        if (span.column >= position)
            span.column += count;
        else if (span.column + span.columns > position)
            span.columns += count;
        table->mergeCells(span.row, span.column, span.rows, span.columns);
    }
    return true;
}

#ifdef QMKRTF_HAVE_QT_GUI_PRIVATE

// Qt exports no type information for its table's private class, which the sanitizer's check of
// dynamic types needs.
#if defined(__clang__) || defined(__GNUC__)
#define QMK_NO_DYNAMIC_TYPE_CHECK __attribute__((no_sanitize("vptr")))
#else
#define QMK_NO_DYNAMIC_TYPE_CHECK
#endif

// Qt's insertion with the walk corrected: a row's new cells go before the first cell, in
// document order, that begins in a later row or in this row at or after the position; a cell
// that covers the position in the row is widened instead, once. Cells are read from the grid
// as it was before the insertion, so the walk costs one pass over the table.
QMK_NO_DYNAMIC_TYPE_CHECK bool insertTableColumns(QTextTable *table, int position, int count)
{
    if (!table || count <= 0)
        return true;
    auto *grid = static_cast<QTextTablePrivate *>(QObjectPrivate::get(table));
    table->rows(); // brings the grid up to date
    const int rows = grid->nRows;
    const int columns = grid->nCols;
    position = qBound(0, position, columns);
    QTextDocumentPrivate *document = table->document()->docHandle();
    QTextFormatCollection *formats = document->formatCollection();

    // Where each row's new cells go: a cell to widen, or the fragment to insert before.
    struct RowInsertion
    {
        int widened = -1;
        int before = -1;
    };
    QVector<RowInsertion> insertions(rows);
    int next = 0; // in grid->cells, document order
    for (int row = 0; row < rows; ++row) {
        if (position > 0 && position < columns) {
            const int left = grid->grid[size_t(row) * columns + position - 1];
            if (left == grid->grid[size_t(row) * columns + position]) {
                insertions[row].widened = left;
                continue;
            }
        }
        while (next < grid->cells.size()) {
            const int origin = grid->cellIndices.at(next);
            const int originRow = origin / columns;
            if (originRow > row || (originRow == row && origin % columns >= position))
                break;
            ++next;
        }
        insertions[row].before = next < grid->cells.size() ? grid->cells.at(next)
                                                            : int(grid->fragment_end);
    }

    document->beginEditBlock();
    QVector<int> widened;
    for (const RowInsertion &insertion : qAsConst(insertions)) {
        if (insertion.widened >= 0) {
            if (widened.contains(insertion.widened))
                continue;
            widened.append(insertion.widened);
            const uint fragment = uint(insertion.widened);
            QTextCharFormat format =
                formats->charFormat(document->fragmentMap().fragment(fragment)->format);
            format.setTableCellColumnSpan(format.tableCellColumnSpan() + count);
            document->setCharFormat(int(document->fragmentMap().position(fragment)), 1, format);
            continue;
        }
        const uint fragment = uint(insertion.before);
        QTextCharFormat format =
            formats->charFormat(document->fragmentMap().fragment(fragment)->format);
        format.setTableCellRowSpan(1);
        format.setTableCellColumnSpan(1);
        const int charFormat = formats->indexForFormat(format);
        const int blockFormat = formats->indexForFormat(QTextBlockFormat());
        const int at = int(document->fragmentMap().position(fragment));
        for (int i = 0; i < count; ++i)
            document->insertBlock(QTextBeginningOfFrame, at, blockFormat, charFormat,
                                  QTextUndoCommand::MoveCursor);
    }
    grid->dirty = true;

    // The table's format counts the columns and gives the new ones the width before them.
    QTextTableFormat tableFormat = table->format();
    tableFormat.setColumns(tableFormat.columns() + count);
    QVector<QTextLength> widths = tableFormat.columnWidthConstraints();
    if (!widths.isEmpty()) {
        for (int i = count; i > 0; --i)
            widths.insert(position, widths.at(qMax(0, position - 1)));
    }
    tableFormat.setColumnWidthConstraints(widths);
    // QTextTable::setFormat keeps the column count; the frame's own setter stores it.
    table->setFrameFormat(tableFormat);
    document->endEditBlock();
    return true;
}

#else

bool insertTableColumns(QTextTable *table, int position, int count)
{
    return insertTableColumnsByRemerging(table, position, count);
}

#endif
