#ifndef QMKTEXTRTFREADER_H
#define QMKTEXTRTFREADER_H

#include <QMargins>
#include <QSize>
#include <QString>

#include <functional>

class QIODevice;
class QTextDocument;
class QMKTextRtfReaderPrivate;

// A fault met while reading, placed at the first byte of the token at fault (the '}' without
// a group, the backslash of a malformed control word or of a \bin with too few bytes), or at
// the end of the input for groups it left open.
struct QMKTextRtfFault
{
    int status = 0;
    QString message;    ///< as errorString() gives it, without the position
    int offset = -1;    ///< bytes from the device position where reading began
    int line = -1;      ///< 1-based; LF, CR LF and a lone CR each end a line
    int column = -1;    ///< 1-based, in bytes
};

// Imports RTF from a device into a QTextDocument. Faults never stop an import: the first one is
// recorded, reading goes on to the end of the input and the document holds all that could be
// read. One reader serves one import; options are set before read().
class QMKTextRtfReader
{
public:
    explicit QMKTextRtfReader(QIODevice *device);
    virtual ~QMKTextRtfReader();

    // Clears the document and imports the whole device into it. Returns true when no fault was
    // met. Characters 127 to 159 of the text are removed when removeInvalid is set, otherwise
    // replaced by U+FFFD.
    bool read(QTextDocument *document, bool removeInvalid);
    bool read(QTextDocument *document);

    // Empty after success; otherwise the fault and the device position reached.
    QString errorString() const;
    // Where the first fault was met; -1 when there is none (or the device could not be read).
    int errorOffset() const;
    int errorLine() const;
    int errorColumn() const;
    // 0 after success, else the first fault's status.
    int errorStatus() const;
    // Called with every fault met, in input order: the first one, which errorString() reports,
    // and each later one, which changes nothing else.
    void setFaultObserver(std::function<void(const QMKTextRtfFault &)> observer);

    // The page the input declared (\paperw, \paperh, \margl, \margt, \margr, \margb) in
    // twips, as written; RTF's defaults for what it left out. The document keeps nothing of the
    // page, so a program that lays the document out on its pages asks the reader after read().
    QSize paperSize() const;
    QMargins pageMargins() const;

    void setPaletteColours(bool);
    void setIgnoreZeroRightIndent(bool);

    // Footnotes and annotations (comments) are read as text in the flow by default, each run
    // marked as note text; an endnote is a footnote whose runs also carry the note flag. With
    // "as text" off, a note is read into a document of its own and stored, as RTF with an
    // identifier, on anchor characters: the word before it, or for footnotes (by default) an
    // inserted placeholder, "*" unless another is set.
    void setFootnotesAsText(bool);
    void setAnnotationsAsText(bool);
    void setFootnotePlaceholderAnchor(bool);
    void setNoteAnchorPlaceholder(const QString &);

private:
    Q_DISABLE_COPY(QMKTextRtfReader)
    QMKTextRtfReaderPrivate *d;
};

#endif // QMKTEXTRTFREADER_H
