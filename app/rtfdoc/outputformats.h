#ifndef RTFDOC_OUTPUTFORMATS_H
#define RTFDOC_OUTPUTFORMATS_H

#include <QString>
#include <QStringList>

class QTextDocument;
struct PageGeometry;

// The formats rtfdoc converts to, by the name --to takes.
QStringList outputFormatNames();

// The format named by --to, or implied by the extension of the output path when the name is
// empty; empty when there is none.
QString outputFormat(const QString &name, const QString &outputPath);

// Writes the document in format to path. For png, pageIndex picks one page (counted from 0)
// written to path itself; with -1 every page is written, to path with "-1", "-2"... before
// the extension. False when an output file cannot be written.
bool writeOutput(QTextDocument *document, const PageGeometry &page, const QString &format,
                 const QString &path, int pageIndex);

// The name of page n (counted from 1) of a png output path: "out.png" gives "out-2.png".
QString numberedPagePath(const QString &path, int n);

#endif // RTFDOC_OUTPUTFORMATS_H
