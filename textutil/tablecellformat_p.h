#ifndef QMKRTF_TABLECELLFORMAT_H
#define QMKRTF_TABLECELLFORMAT_H

class QTextCharFormat;
class QTextTable;
class QTextTableCell;

// Gives a cell of table the format QTextTableCell::setFormat would. Qt's own path looks the
// format up twice in the document's format collection, each time a fresh copy compared
// property by property; with Qt's private headers at build time the format the cell ends up
// with is looked up once. The document has the same text, frames and formats either way
// (its collection lacks the unused copy without the cell's object index).
void setTableCellFormat(QTextTable *table, QTextTableCell cell,
                        const QTextCharFormat &format);

#endif // QMKRTF_TABLECELLFORMAT_H
