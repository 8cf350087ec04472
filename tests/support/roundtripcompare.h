#ifndef QMK_ROUNDTRIPCOMPARE_H
#define QMK_ROUNDTRIPCOMPARE_H

#include <QString>

class QTextDocument;

// What a document written as RTF and read back must keep: the text of every block in
// document order (table cells included), its block format, and its runs with their character
// formats, compared by meaning (formatsEquivalent), not by how Qt happens to store them.
// Adjacent runs of equivalent formats count as one. Empty when nothing differs, else the first
// difference.
QString roundTripDifference(const QTextDocument &original, const QTextDocument &readBack);

#endif // QMK_ROUNDTRIPCOMPARE_H
