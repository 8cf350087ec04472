#ifndef QMK_ROUNDTRIPCOMPARE_H
#define QMK_ROUNDTRIPCOMPARE_H

#include <QString>

class QTextDocument;

enum class RoundTripScope
{
    Everything,     ///< text, cells, lists, block formats and runs with their formats
    Structure,      ///< text, cells and lists
};

// What a document written as RTF and read back must keep: the text of every block in
// document order (table cells included) with its cell and list item, its block format, and its
// runs with their character formats, compared by meaning (formatsEquivalent), not by how Qt
// happens to store them. Adjacent runs of equivalent formats count as one. Empty when nothing
// differs, else the first difference.
QString roundTripDifference(const QTextDocument &original, const QTextDocument &readBack,
                            RoundTripScope scope = RoundTripScope::Everything);

// The text a peer's reading of export mode must keep: the non-empty paragraphs, a line each,
// without blanks. Export mode ends a paragraph before a table with \par for other readers, which
// gives an empty paragraph more, and sets each note's text off by one blank.
QString exportedText(const QTextDocument &document);

#endif // QMK_ROUNDTRIPCOMPARE_H
