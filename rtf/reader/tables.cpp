// Tables: the keywords that open table levels, define cells and end cells and rows. RTF gives a
// row's cell definitions first, then each cell's content ended by \cell, then \row; each cell
// is read into a document of its own and the row is assembled at \row (tablerows.cpp).

#include "rtf/reader/qmktextrtfreader_p.h"

#include <QBrush>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>

namespace {

// The text width of the default page; tables fall back to it when the page leaves no room.
constexpr qint64 DefaultTextWidth = 12240 - 1800 - 1800;

} // namespace

qint64 QMKTextRtfReaderPrivate::tableTextWidth() const
{
    const qint64 width = qint64(paperWidth) - leftMargin - rightMargin;
    return width > 0 ? width : DefaultTextWidth;
}

void QMKTextRtfReaderPrivate::startCellDocument(RtfTableLevel &level)
{
    settleCursor();
    level.cellDocuments.push_back({level.documentPool->take(), false, false});
    QTextDocument *document = level.cellDocuments.back().document.get();
    forgetDocument(document);
    cursor = QTextCursor(document);
}

bool QMKTextRtfReaderPrivate::cursorPointsInto(const QTextDocument *document) const
{
    if (cursor.document() == document)
        return true;
    for (const RtfTableLevel &level : tableStack) {
        if (level.outerCursor.document() == document)
            return true;
    }
    return false;
}

void QMKTextRtfReaderPrivate::forgetDocument(const QTextDocument *document)
{
    if (appliedBlockFormats.document == document)
        appliedBlockFormats = RtfAppliedBlockFormats();
    if (storedCharFormats.document == document)
        storedCharFormats = RtfStoredCharFormats();
}

void QMKTextRtfReaderPrivate::resetRowDefinition(RtfTableLevel &level)
{
    level.rowFormat = QTextTableFormat();
    level.rowFormat.setCellSpacing(0.0);
    level.cellDefinitions = {RtfCellDefinition()};
    level.cellDocuments.clear();
    level.lastRow = false;
    level.cellsPresumed = false;
    startCellDocument(level);
}

void QMKTextRtfReaderPrivate::openTableLevels(int nestingLevel)
{
    nestingLevel = qMin(nestingLevel, MaxTableNesting);
    if (int(tableStack.size()) < nestingLevel)
        openParagraphAfterTable();
    while (int(tableStack.size()) < nestingLevel) {
        RtfTableLevel level;
        if (!tableStack.empty())
            tableStack.back().cellDocuments.back().holdsTable = true;
        level.outerCursor = cursor;
        level.documentPool = &cellDocumentPool;
        tableStack.push_back(std::move(level));
        resetRowDefinition(tableStack.back());
    }
}

void QMKTextRtfReaderPrivate::openTable()
{
    if (tableStack.empty())
        openTableLevels(1);
}

RtfCellDefinition &QMKTextRtfReaderPrivate::lastCellDefinition()
{
    return tableStack.back().cellDefinitions.last();
}

bool QMKTextRtfReaderPrivate::rowAwaitsCells() const
{
    // Report generators write \pard ... \cell for each cell and \intbl only before \row; Word
    // reads such a paragraph into the cell that \cell ends, as long as the row defines one.
    if (tableStack.size() != 1)
        return false;
    const RtfTableLevel &level = tableStack.front();
    int defined = 0;
    for (const RtfCellDefinition &definition : level.cellDefinitions)
        defined += definition.defined ? 1 : 0;
    int closed = 0;
    for (const RtfCellDocument &document : level.cellDocuments)
        closed += document.closed ? 1 : 0;
    return closed < defined;
}

void QMKTextRtfReaderPrivate::closeInnermostTableLevel()
{
    paragraphAfterTablePending = false;
    settleCursor();
    RtfTableLevel &level = tableStack.back();
    if (level.cellsPresumed && !level.table && level.cellDocuments.size() == 1
        && !level.cellDocuments.front().closed) {
        // No \cell ended the text after the row definition: it was the body's.
        cursor = level.outerCursor;
        commitTextRun();
        cursor.insertBlock();
        cursor.insertFragment(QTextDocumentFragment(level.cellDocuments.front().document.get()));
        const RtfTableLevel closed = std::move(level);
        tableStack.pop_back();
        return;
    }
    // Careless writers end a table with \pard after its last \cell, or stop in the middle
    // of a row: the row is kept as \row would have kept it.
    if (hasPendingRow(level))
        assembleTableRow(level, tableTextWidth());
    finishTableLayout(level, tableTextWidth());
    cursor = level.outerCursor;
    // Out of the stack before its cell documents go back to the pool, which looks at it.
    const RtfTableLevel closed = std::move(level);
    tableStack.pop_back();
}

void QMKTextRtfReaderPrivate::closeTableLevels(int nestingLevel, bool openParagraph)
{
    if (nestingLevel >= int(tableStack.size()))
        return;
    while (int(tableStack.size()) > qMax(nestingLevel, 0))
        closeInnermostTableLevel();
    commitTextRun();
    if (openParagraph)
        cursor.insertBlock();
}

void QMKTextRtfReaderPrivate::openParagraphAfterTable()
{
    if (!paragraphAfterTablePending)
        return;
    paragraphAfterTablePending = false;
    commitTextRun();
    cursor.insertBlock();
}

void QMKTextRtfReaderPrivate::closeOpenTables()
{
    // Nothing follows the table, so no paragraph is opened after it.
    while (!tableStack.empty())
        closeInnermostTableLevel();
}

int QMKTextRtfReaderPrivate::setTableNesting(const RtfKeywordCall &call)
{
    if (call.keyword == KwIntbl) {
        if (tableNestingLevel == 0)
            tableNestingLevel = 1;
    } else {
        tableNestingLevel = qBound(0, call.parameter, MaxTableNesting);
    }
    if (tableNestingLevel > 0)
        openTableLevels(tableNestingLevel);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setCellPadding(const RtfKeywordCall &call)
{
    openTable();
    tableStack.back().rowFormat.setCellPadding(call.parameter / 20.0);
    return RtfStatus::Ok;
}

// Border words follow the word that says which border they describe; only cell borders
// reach the table, which has one border for all its cells.
int QMKTextRtfReaderPrivate::setBorderTarget(const RtfKeywordCall &call)
{
    borderTarget = call.keyword == KwClbrdrt || call.keyword == KwClbrdrl
        || call.keyword == KwClbrdrr || call.keyword == KwClbrdrb;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setTableBorder(const RtfKeywordCall &call)
{
    if (!borderTarget || tableStack.empty())
        return RtfStatus::Ok;
    QTextTableFormat &format = tableStack.back().rowFormat;
    if (call.keyword == KwBrdrnil) {
        format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
        format.clearProperty(QTextFormat::FrameBorder);
        format.clearProperty(QTextFormat::FrameBorderBrush);
        return RtfStatus::Ok;
    }
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    switch (call.keyword) {
    case KwBrdrs:
        format.setBorder(1.0);
        break;
    case KwBrdrw:
        format.setBorder(call.parameter / 20.0);
        break;
    case KwBrdrcf: {
        // The automatic colour (an empty first entry) is the text colour.
        QColor colour = call.hasParameter ? colourAt(call.parameter) : QColor();
        if (!colour.isValid())
            colour = plainCharFormat.foreground().color();
        format.setBorderBrush(QBrush(colour));
        break;
    }
    default:
        break;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setCellMerge(const RtfKeywordCall &call)
{
    openTable();
    if (call.keyword == KwClvmrg)
        lastCellDefinition().verticalMerge = true;
    else
        lastCellDefinition().horizontalMerge = true;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setCellVerticalAlignment(const RtfKeywordCall &call)
{
    if (tableStack.empty())
        return RtfStatus::Ok;
    switch (call.keyword) {
    case KwClvertalc: lastCellDefinition().verticalAlignment = QTextCharFormat::AlignMiddle; break;
    case KwClvertalb: lastCellDefinition().verticalAlignment = QTextCharFormat::AlignBottom; break;
    default: lastCellDefinition().verticalAlignment = QTextCharFormat::AlignTop; break;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setCellShading(const RtfKeywordCall &call)
{
    openTable();
    if (call.keyword == KwClshdrawnil)
        lastCellDefinition().background = QColor();
    else if (isColourNumber(call.parameter))
        lastCellDefinition().background = colourAt(call.parameter);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::defineCell(const RtfKeywordCall &call)
{
    openTable();
    RtfCellDefinition &definition = lastCellDefinition();
    definition.rightBoundary = call.parameter;
    definition.defined = true;
    // Past the limit the last definition is defined again rather than a new one begun.
    if (tableStack.back().cellDefinitions.size() < MaxCellsPerRow)
        tableStack.back().cellDefinitions.append(RtfCellDefinition());
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::endCell(const RtfKeywordCall &)
{
    // Under a first cell that continues the cell above, \cell goes on with the table even
    // in a paragraph without \intbl.
    if (tableNestingLevel == 0 && !tableStack.empty()
        && tableStack.back().cellDefinitions.first().verticalMerge)
        tableNestingLevel = 1;
    // A cell that ends right after its nested table: the paragraph Qt keeps after a table is
    // the cell's last paragraph, as it is in Word's file; no other is opened.
    if (!paragraphApplied && tableNestingLevel > 0) {
        paragraphApplied = true;
        closeTableLevels(tableNestingLevel, false);
    }
    paragraphAfterTablePending = false;
    beginParagraphText();
    if (tableStack.empty())
        return RtfStatus::Ok;
    RtfTableLevel &level = tableStack.back();
    if (int(level.cellDocuments.size()) >= MaxCellsPerRow) {
        // A row with more cells than any table has: the rest of its text stays in its last
        // cell, one paragraph per cell.
        commitTextRun();
        cursor.insertBlock();
        return RtfStatus::Ok;
    }
    level.cellDocuments.back().closed = true;
    startCellDocument(level);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::endRow(const RtfKeywordCall &)
{
    paragraphApplied = false;
    tableNestingLevel = 0;
    if (tableStack.empty())
        return RtfStatus::Ok;
    settleCursor();
    RtfTableLevel &level = tableStack.back();
    assembleTableRow(level, tableTextWidth());
    // A nested table is closed by its last row, and the cell may end right after it: the
    // paragraph that follows it is opened by what comes next, if anything does.
    const bool nested = tableStack.size() > 1;
    if (level.lastRow) {
        closeTableLevels(int(tableStack.size()) - 1, !nested);
        paragraphAfterTablePending = nested;
    }
    else
        resetRowDefinition(level);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::markLastRow(const RtfKeywordCall &)
{
    if (!tableStack.empty())
        tableStack.back().lastRow = true;
    return RtfStatus::Ok;
}
