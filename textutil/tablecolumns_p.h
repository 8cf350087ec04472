#ifndef QMKRTF_TABLECOLUMNS_H
#define QMKRTF_TABLECOLUMNS_H

class QTextTable;

// Inserts count columns before column position of table (its column count appends them), as
// QTextTable::insertColumns should. Qt's own insertion goes wrong beside cells that span rows:
// looking for where a row's new cell goes, it can walk into the next row and widen a cell
// there or put the new cell before it, and the grid then loses its shape (cells move, a row
// appears, and later edits crash). With Qt's private headers the columns go in by Qt's own
// steps with the walk corrected; without them, cells that span rows are cut and merged again
// around Qt's insertion. False when the columns were not inserted: without the private headers,
// a table with more tall cells than that path rearranges cheaply keeps its columns.
bool insertTableColumns(QTextTable *table, int position, int count);

/// The way without the private headers, built in every build so that tests compare both.
bool insertTableColumnsByRemerging(QTextTable *table, int position, int count);

#endif // QMKRTF_TABLECOLUMNS_H
