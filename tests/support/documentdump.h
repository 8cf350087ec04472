#ifndef QMK_DOCUMENTDUMP_H
#define QMK_DOCUMENTDUMP_H

#include <QString>

class QTextDocument;

// Everything an import put into a document as plain, stable text: the frame tree, tables with
// their cell spans, every block with its text runs, every block, character, list, frame and
// table format property, list membership, images with their size and pixels, and the
// document's dynamic properties. Two imports that give the same dump built the same document,
// so a change that is meant to keep documents as they are can be proven against it.
QString dumpDocument(const QTextDocument &document);

#endif // QMK_DOCUMENTDUMP_H
