#ifndef QMKTEXTRTFWRITER_H
#define QMKTEXTRTFWRITER_H

#include <QByteArray>
#include <QString>

class QIODevice;
class QTextDocument;
class QMKTextRtfWriterPrivate;

// Writes a QTextDocument as RTF. In internal mode (the default) the output is meant for this
// system's own reader, which turns it back into the same document; export mode writes RTF for
// other applications (family names instead of face names, footnote and section settings,
// page-number placeholders as fields). Options are set before write().
class QMKTextRtfWriter
{
public:
    explicit QMKTextRtfWriter(QIODevice *device);
    ~QMKTextRtfWriter();

    void setExportMode(bool);
    void setNoteSpacing(bool);
    void setAnnotationMode(int);
    void setInlineFootnoteMode(int);
    void setLinkedFootnoteMode(int);
    void setIncludeImageFileNames(bool);
    void setFootnoteMarkerText(const QString &);

    // Writes the document to the device, opening it write-only when it is not open. With asIs
    // the document itself is prepared and written (its undo stack is switched off and page
    // breaks after a block become breaks before the next); otherwise a copy is. False when
    // there is no device or document, or the device refuses the header.
    bool write(QTextDocument *document, bool asIs);

private:
    Q_DISABLE_COPY(QMKTextRtfWriter)
    QMKTextRtfWriterPrivate *d;
};

// The document as RTF bytes; empty when there is no document or writing failed.
QByteArray toRtf(QTextDocument *document, bool asIs, bool exportMode, bool includeImageFileNames,
                 const QString &footnoteMarkerText);

#endif // QMKTEXTRTFWRITER_H
