#ifndef QMK_TABLELEVEL_P_H
#define QMK_TABLELEVEL_P_H

#include "rtf/reader/celldocumentpool_p.h"

#include <QColor>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLength>
#include <QTextTableFormat>
#include <QVector>

#include <memory>
#include <vector>

class QTextTable;

// Word writes at most 63 cells to a row and nests tables a few levels deep. The limits keep
// hostile input (\itap2147483647, rows of 50,000 \cell) from building millions of levels,
// cell documents or columns; nothing read is dropped when they are reached.
constexpr int MaxTableNesting = 64;
constexpr int MaxCellsPerRow = 1024;
constexpr int MaxTableColumns = 1024;

// One cell of the row being read, as \cellx and the cell keywords before it describe it.
struct RtfCellDefinition
{
    QColor background;              ///< \clcbpat; an invalid colour: no shading
    int rightBoundary = 0;          ///< \cellx, twips
    int verticalAlignment = QTextCharFormat::AlignTop;
    bool verticalMerge = false;     ///< \clvmrg: continues the cell above
    bool horizontalMerge = false;   ///< \clmrg: continues the cell to the left
    bool defined = false;           ///< closed by \cellx
};

// The content of one cell, read apart from the table until its row is assembled.
struct RtfCellDocument
{
    RtfCellDocumentPtr document;
    bool closed = false;            ///< ended by \cell
    bool holdsTable = false;        ///< a nested table level was opened in it
};

// One open table; the reader keeps one per nesting level, outermost first.
struct RtfTableLevel
{
    RtfTableLevel() = default;
    RtfTableLevel(RtfTableLevel &&) = default;
    RtfTableLevel &operator=(RtfTableLevel &&) = default;
    RtfTableLevel(const RtfTableLevel &) = delete;  // owns its cell documents
    RtfTableLevel &operator=(const RtfTableLevel &) = delete;

    QTextTableFormat rowFormat;     ///< padding, borders and spacing, for the whole table
    QVector<RtfCellDefinition> cellDefinitions; ///< the last one is still being defined
    std::vector<RtfCellDocument> cellDocuments; ///< the last one is still being written
    bool lastRow = false;           ///< \lastrow
    bool cellsPresumed = false;     ///< text without \intbl was read into the row's cells
    QTextCursor outerCursor;        ///< where reading resumes when the level closes
    QTextTable *table = nullptr;    ///< null until the first row is finished
    /// Rows in use. The table grows in steps and keeps a few spare rows at its end until it
    /// closes: Qt rebuilds its whole cell grid after every row insertion, so appending rows
    /// one at a time costs time quadratic in the table's size.
    int rowCount = 0;
    QVector<int> columnBoundaries;  ///< right boundary of each column in twips
    RtfCellDocumentPool *documentPool = nullptr; ///< where the cell documents come from
};

/// Whether document holds more than blanks and paragraph breaks.
bool holdsContent(const QTextDocument &document);

/// Whether cells were read since the level's last row was assembled.
bool hasPendingRow(const RtfTableLevel &level);

/// Appends the row read into level to its table (inserting the table with the first row),
/// reconciling the row's cell boundaries with the table's columns, and places the cells'
/// contents; the cell documents are released. Cells without a definition get columns whose
/// widths share what textWidth leaves.
void assembleTableRow(RtfTableLevel &level, qint64 textWidth);

/// Gives a closing level's table its column widths, measured against textWidth twips, and
/// drops its spare rows.
void finishTableLayout(RtfTableLevel &level, qint64 textWidth);

/// The width of a column for each pair of boundaries, in percent of textWidth twips; a column
/// whose boundary lies left of the previous one gets no width.
QVector<QTextLength> columnWidthConstraints(const QVector<int> &boundaries, int columnCount,
                                            qint64 textWidth);

/// Boundaries for count cells that have no \cellx, after the last boundary: they share the
/// text width left over; when little or nothing is left, each gets an even share of the text
/// width among all the row's cells. No width is below one twip.
QVector<int> boundariesForUndefinedCells(int lastBoundary, int definedCount, int count,
                                         qint64 textWidth);

#endif // QMK_TABLELEVEL_P_H
