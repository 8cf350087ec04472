#ifndef QMK_DOCUMENTINVARIANTS_H
#define QMK_DOCUMENTINVARIANTS_H

#include <QString>

class QTextDocument;

// What must hold of any imported document, whatever the input was: blocks follow each other,
// every table has a cell, every list block is held by its list, the end is reachable.
// Returns the first broken rule, or an empty string.
QString documentInvariantFault(const QTextDocument &document);

#endif // QMK_DOCUMENTINVARIANTS_H
