#ifndef QMKRTF_LISTAPPEND_H
#define QMKRTF_LISTAPPEND_H

class QTextBlock;
class QTextList;

// Adds a block to a list and gives it its level, as QTextList::add followed by setListLevel
// would. Qt's own add marks every block of the list dirty (a position lookup each), so a
// list of n items cost n²/2 lookups; with Qt's private headers at build time the block joins
// the list in logarithmic time, with the same document as the result.
// Undo must be off for the document (the reader turns it off while it builds).
void appendToList(QTextList *list, const QTextBlock &block, int level);

#endif // QMKRTF_LISTAPPEND_H
