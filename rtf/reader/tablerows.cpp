// Table rows: a row read into cell documents becomes a row of the document's table. Rows of
// one RTF table need not agree on their cells; the table's columns are the union of all rows'
// cell boundaries, and a cell spans the columns between its boundaries.

#include "qmkformatproperties.h"
#include "rtf/reader/blockbreaks_p.h"
#include "rtf/reader/tablelevel_p.h"
#include "textutil/tablecellformat_p.h"
#include "textutil/tablecolumns_p.h"

#include <QBrush>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>

#include <limits>

namespace {

// A quarter of an inch: less room than that left on the line is not worth sharing out.
constexpr qint64 NarrowestSharedColumn = 360;

constexpr int SpareRows = 128;

void splitColumn(RtfTableLevel &level, int column, int boundary)
{
    QTextTable *table = level.table;
    if (!insertTableColumns(table, column + 1, 1))
        return; // the cells keep the wider column
    // Cells of earlier rows keep their width: each one that ended at the split column now
    // also covers the new one. Qt already widened the cells that spanned across it.
    for (int row = 0; row < level.rowCount;) {
        const QTextTableCell cell = table->cellAt(row, column);
        if (!cell.isValid())
            break;
        if (cell.column() + cell.columnSpan() - 1 == column)
            table->mergeCells(cell.row(), cell.column(), cell.rowSpan(), cell.columnSpan() + 1);
        row = qMax(row + 1, cell.row() + cell.rowSpan());
    }
    level.columnBoundaries.insert(column, boundary);
}

// A cell reaching past the table's column: the next cell continues it, as if \clmrg.
void addContinuationCell(RtfTableLevel &level, int index)
{
    const RtfCellDefinition &cell = level.cellDefinitions.at(index);
    RtfCellDefinition continuation;
    continuation.rightBoundary = cell.rightBoundary;
    continuation.verticalMerge = cell.verticalMerge;
    continuation.horizontalMerge = true;
    level.cellDefinitions.insert(index + 1, continuation);
    level.cellDocuments.insert(level.cellDocuments.begin() + index + 1,
                               RtfCellDocument{level.documentPool->take(), true, false});
}

void reconcileColumns(RtfTableLevel &level)
{
    QTextTable *table = level.table;
    for (int i = 0; i < int(level.cellDocuments.size()); ++i) {
        // Cells without a definition are given columns once the defined ones are in place.
        if (i >= level.cellDefinitions.size())
            break;
        const int boundary = level.cellDefinitions.at(i).rightBoundary;
        const bool roomForColumns = table->columns() < MaxTableColumns;
        if (i < level.columnBoundaries.size()) {
            const int columnBoundary = level.columnBoundaries.at(i);
            if (boundary < columnBoundary && roomForColumns)
                splitColumn(level, i, boundary);
            else if (boundary > columnBoundary)
                addContinuationCell(level, i);
        } else if (roomForColumns) {
            if (insertTableColumns(table, table->columns(), 1))
                level.columnBoundaries.append(boundary);
        }
    }
}

void appendTableRow(RtfTableLevel &level)
{
    // Qt rebuilds its cell grid after each insertion, and removes rows in time quadratic in
    // their number: the table grows by up to SpareRows rows at once.
    if (level.rowCount == level.table->rows())
        level.table->appendRows(qBound(1, level.rowCount, SpareRows));
    ++level.rowCount;
}

// The empty block a table is inserted after took the format of the paragraph before it when
// that one ended, list number included: it holds nothing and must not show as an empty item.
void keepOutOfLists(QTextCursor &at)
{
    if (at.block().length() != 1)
        return;
    QTextBlockFormat format = at.blockFormat();
    if (!format.hasProperty(QMKFormatProperty::ListNumber)
        && !format.hasProperty(QMKFormatProperty::ListLevel))
        return;
    format.clearProperty(QMKFormatProperty::ListNumber);
    format.clearProperty(QMKFormatProperty::ListLevel);
    at.setBlockFormat(format);
}

void insertFirstRow(RtfTableLevel &level)
{
    const int cells = int(level.cellDocuments.size());
    keepOutOfLists(level.outerCursor);
    level.table = level.outerCursor.insertTable(1, cells, level.rowFormat);
    level.outerCursor.movePosition(QTextCursor::End);
    level.rowCount = 1;
    // Definitions past the row's cells (Word repeats them after the cells) make no column.
    level.columnBoundaries.clear();
    for (int i = 0; i < qMin(cells, level.cellDefinitions.size()); ++i)
        level.columnBoundaries.append(level.cellDefinitions.at(i).rightBoundary);
}

// Cells that no \cellx defined still hold text: each gets a column of its own.
void giveCellsColumns(RtfTableLevel &level, qint64 textWidth)
{
    QTextTable *table = level.table;
    const int wanted = qMin(int(level.cellDocuments.size()), MaxTableColumns);
    if (table->columns() < wanted)
        insertTableColumns(table, table->columns(), wanted - table->columns());
    const int undefined = table->columns() - level.columnBoundaries.size();
    if (undefined > 0) {
        const int last = level.columnBoundaries.isEmpty() ? 0 : level.columnBoundaries.last();
        level.columnBoundaries += boundariesForUndefinedCells(
            last, level.columnBoundaries.size(), undefined, textWidth);
    }
}

// Most cells hold paragraphs of runs and nothing else. Copying them block by block and run by
// run gives what inserting the cell document as a fragment gives, without the copy of the
// whole document the fragment first makes; nested tables take the fragment path.
bool copyFlatContent(QTextCursor &at, const RtfCellDocument &cell)
{
    if (cell.holdsTable)
        return false;
    const QTextDocument &content = *cell.document;
    for (QTextBlock block = content.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            // A run the cursor would split into blocks takes Qt's fragment path, which
            // copies it as it stands.
            if (breaksBlock(it.fragment().text()))
                return false;
        }
    }
    const QTextBlock first = content.begin();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        if (block != first)
            at.insertBlock(block.blockFormat(), block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            at.insertText(fragment.text(), fragment.charFormat());
        }
    }
    return true;
}

void placeCell(QTextTable *table, QTextTableCell cell, const RtfCellDefinition &definition,
               const RtfCellDocument &contentCell)
{
    const QTextDocument &content = *contentCell.document;
    const QTextBlock first = content.begin();
    QTextCharFormat format = cell.format();
    if (definition.background.isValid())
        format.setBackground(QBrush(definition.background));
    format.setVerticalAlignment(QTextCharFormat::VerticalAlignment(definition.verticalAlignment));
    format.merge(first.charFormat());
    setTableCellFormat(table, cell, format);
    QTextCursor at = cell.lastCursorPosition();
    at.setBlockFormat(first.blockFormat());
    if (!copyFlatContent(at, contentCell))
        at.insertFragment(QTextDocumentFragment(&content));
}

// Content of a cell that has no place of its own, added to cell after what it holds, in
// paragraphs of its own.
void appendToCell(QTextTableCell cell, const RtfCellDocument &contentCell)
{
    const QTextDocument &content = *contentCell.document;
    const QTextBlock first = content.begin();
    QTextCursor at = cell.lastCursorPosition();
    at.insertBlock(first.blockFormat(), first.charFormat());
    if (!copyFlatContent(at, contentCell))
        at.insertFragment(QTextDocumentFragment(&content));
}

// Merges the cell above or to the left into the cell at (row, column); false when there is
// nothing to merge with or the table's spans do not allow it.
bool mergeIntoCell(QTextTable *table, const RtfCellDefinition &definition, int row, int column)
{
    const bool down = definition.verticalMerge && row > 0;
    QTextTableCell target;
    if (down)
        target = table->cellAt(row - 1, column);
    else if (definition.horizontalMerge && column > 0)
        target = table->cellAt(row, column - 1);
    if (!target.isValid())
        return false;
    // Qt joins the merged cell's empty paragraph to the paragraph before the cell in the
    // table's row-by-row order (the target's last one, or the last one of another cell when
    // merging down), which takes the merged one's format: it keeps its own (an empty list item
    // stays in its list).
    const QTextBlock before =
        table->document()->findBlock(table->cellAt(row, column).firstPosition()).previous();
    const int beforePosition = before.position();
    const QTextBlockFormat beforeFormat = before.blockFormat();
    if (down)
        table->mergeCells(target.row(), target.column(), row - target.row() + 1,
                          target.columnSpan());
    else
        table->mergeCells(target.row(), target.column(), target.rowSpan(),
                          column - target.column() + 1);
    const QTextTableCell merged = table->cellAt(row, column);
    if (merged.row() == row && merged.column() == column)
        return false;
    QTextCursor joined(table->document());
    joined.setPosition(beforePosition);
    if (joined.blockFormat() != beforeFormat)
        joined.setBlockFormat(beforeFormat);
    return true;
}

void placeCells(RtfTableLevel &level)
{
    QTextTable *table = level.table;
    const int row = level.rowCount - 1;
    const int columns = table->columns();
    for (int i = 0; i < int(level.cellDocuments.size()); ++i) {
        const RtfCellDocument &content = level.cellDocuments.at(i);
        // Cells beyond the most columns a table may have: their text joins the row's last cell.
        if (i >= columns) {
            if (!content.document->isEmpty())
                appendToCell(table->cellAt(row, columns - 1), content);
            continue;
        }
        const RtfCellDefinition definition =
            i < level.cellDefinitions.size() ? level.cellDefinitions.at(i) : RtfCellDefinition();
        // A merged cell's text joins the cell it continues, which stands for both. Word
        // writes an empty paragraph into every merged cell: that adds nothing. A merge that
        // cannot happen (the first row, the first cell) leaves an ordinary cell.
        if (mergeIntoCell(table, definition, row, i)) {
            if (holdsContent(*content.document))
                appendToCell(table->cellAt(row, i), content);
            continue;
        }
        placeCell(table, table->cellAt(row, i), definition, content);
    }
}

} // namespace

bool holdsContent(const QTextDocument &document)
{
    // Paragraph breaks and blanks alone are layout; a \~, a picture or a nested table is
    // content.
    if (!document.rootFrame()->childFrames().isEmpty())
        return true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (const QChar c : text) {
            if (!c.isSpace() || c == QChar::Nbsp)
                return true;
        }
    }
    return false;
}

bool hasPendingRow(const RtfTableLevel &level)
{
    const auto &documents = level.cellDocuments;
    return documents.size() > 1
        || (documents.size() == 1
            && (documents.front().closed || holdsContent(*documents.front().document)));
}

void assembleTableRow(RtfTableLevel &level, qint64 textWidth)
{
    auto &documents = level.cellDocuments;
    // The document opened by the row's last \cell holds nothing of the row, unless a
    // careless writer put text after that \cell.
    if (documents.size() > 1 && !documents.back().closed
        && !holdsContent(*documents.back().document))
        documents.pop_back();
    if (!level.cellDefinitions.isEmpty() && !level.cellDefinitions.last().defined)
        level.cellDefinitions.removeLast();
    if (documents.empty())
        return;

    if (!level.table) {
        insertFirstRow(level);
    } else {
        reconcileColumns(level);
        appendTableRow(level);
    }
    giveCellsColumns(level, textWidth);
    placeCells(level);
    level.table->setFormat(level.rowFormat);
    documents.clear();
}

void finishTableLayout(RtfTableLevel &level, qint64 textWidth)
{
    QTextTable *table = level.table;
    if (!table)
        return;
    if (table->rows() > level.rowCount)
        table->removeRows(level.rowCount, table->rows() - level.rowCount);
    if (table->columns() < 1)
        return;
    QTextTableFormat format = table->format();
    format.setColumnWidthConstraints(
        columnWidthConstraints(level.columnBoundaries, table->columns(), textWidth));
    table->setFormat(format);
}

QVector<QTextLength> columnWidthConstraints(const QVector<int> &boundaries, int columnCount,
                                            qint64 textWidth)
{
    QVector<QTextLength> widths;
    widths.reserve(columnCount);
    for (int column = 0; column < columnCount; ++column) {
        double percent = 100.0 / columnCount;
        if (boundaries.size() >= columnCount) {
            const qint64 left = column > 0 ? boundaries.at(column - 1) : 0;
            const qint64 width = qMax<qint64>(0, boundaries.at(column) - left);
            percent = double(width) * 100.0 / double(qMax<qint64>(1, textWidth));
        }
        widths.append(QTextLength(QTextLength::PercentageLength, percent));
    }
    return widths;
}

QVector<int> boundariesForUndefinedCells(int lastBoundary, int definedCount, int count,
                                         qint64 textWidth)
{
    QVector<int> boundaries;
    if (count <= 0)
        return boundaries;
    const qint64 share = (textWidth - lastBoundary) / count;
    const qint64 evenShare = textWidth / (qint64(definedCount) + count);
    const qint64 width = share >= NarrowestSharedColumn ? share : qMax<qint64>(1, evenShare);
    boundaries.reserve(count);
    for (int i = 1; i <= count; ++i) {
        const qint64 boundary = lastBoundary + i * width;
        boundaries.append(int(qMin<qint64>(boundary, std::numeric_limits<int>::max())));
    }
    return boundaries;
}
