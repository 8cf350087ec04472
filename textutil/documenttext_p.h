#ifndef QMK_DOCUMENTTEXT_H
#define QMK_DOCUMENTTEXT_H

#include <QString>

class QTextDocument;

// The text of a document as a reader of it sees it, for comparing with other programs' text
// exports: a paragraph a line, a table row a line with its cells separated by tabs (one field
// per column; a column covered by a merged cell is empty), the paragraphs of a cell joined by
// a space, a list item's rendered label and a space before its text, a line break within a
// paragraph as a line break (a space inside a cell), pictures left out. Every line ends with
// "\n". QTextDocument::toPlainText glues the cells of a table together and drops list labels.
QString documentText(const QTextDocument &document);

#endif // QMK_DOCUMENTTEXT_H
