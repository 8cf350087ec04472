#ifndef QMK_POSTPROCESSING_H
#define QMK_POSTPROCESSING_H

class QTextDocument;

// The normal form of a document, for documents just read and documents about to be written.
// Both do nothing for a null document.

/// Clears the flags of the document's default text option; alignment, wrapping and tabs stay.
void clearDefaultTextOptionFlags(QTextDocument *document);

/// Turns every break after a block into a break before the block that follows it; a break
/// after the last block is dropped.
void movePageBreaksToFollowingBlock(QTextDocument *document);

#endif // QMK_POSTPROCESSING_H
