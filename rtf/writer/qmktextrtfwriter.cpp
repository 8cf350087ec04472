// The writer object, toRtf, and the order of a document's parts: header, tables, page setup,
// document defaults, then the body.

#include "qmktextrtfwriter.h"

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "qmkfontfamilymap.h"
#include "rtf/reader/postprocessing.h"

#include <QBuffer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QVariant>

#include <memory>

namespace {

// Puts the copy's first block into the copy of the source's list: the list of the copy's
// block that stands where the list's next item stands, or a new list when there is none.
void rejoinFirstList(QTextDocument *copy, QTextList *sourceList)
{
    QTextCursor cursor(copy);
    const QTextBlock next = sourceList->count() > 1 ? sourceList->item(1) : QTextBlock();
    QTextList *list = next.isValid() ? copy->findBlockByNumber(next.blockNumber()).textList()
                                     : nullptr;
    if (list)
        list->add(cursor.block());
    else
        cursor.createList(sourceList->format());
}

// A copy that keeps what QTextDocument::clone() leaves behind: the first paragraph's formats
// and list when it is empty, and the page and colour properties stored on the document object.
QTextDocument *workingCopy(QTextDocument *source)
{
    // No layout: nothing written needs one, and every edit would lay the copy out again, in
    // time exponential in the depth of nested tables.
    QTextDocument *copy = source->clone();
    const QTextBlock first = source->begin();
    if (first.isValid() && first.length() <= 1) {
        QTextBlockFormat blockFormat = first.blockFormat();
        blockFormat.clearProperty(QTextFormat::ObjectIndex);
        QTextCharFormat charFormat = first.charFormat();
        charFormat.clearProperty(QTextFormat::ObjectIndex);
        QTextCursor cursor(copy);
        cursor.setBlockFormat(blockFormat);
        cursor.setBlockCharFormat(charFormat);
        if (QTextList *list = first.textList())
            rejoinFirstList(copy, list);
    }
    const QList<QByteArray> names = source->dynamicPropertyNames();
    for (const QByteArray &name : names)
        copy->setProperty(name.constData(), source->property(name.constData()));
    return copy;
}

void prepareForWriting(QTextDocument *document)
{
    document->setUndoRedoEnabled(false);
    clearDefaultTextOptionFlags(document);
    movePageBreaksToFollowingBlock(document);
}

double defaultPointSize(QTextDocument *document)
{
    const QTextCharFormat format = document->begin().charFormat();
    if (format.hasProperty(QTextFormat::FontPointSize))
        return format.fontPointSize();
    return document->defaultFont().pointSizeF();
}

} // namespace

QMKTextRtfWriterPrivate::QMKTextRtfWriterPrivate(QIODevice *device)
    : device(device)
{
}

QMKTextRtfWriterPrivate::~QMKTextRtfWriterPrivate()
{
    qDeleteAll(noteDocuments);
}

bool QMKTextRtfWriterPrivate::write(QTextDocument *source, bool asIs)
{
    if (!device || !source)
        return false;
    if (!device->isOpen() && !device->open(QIODevice::WriteOnly))
        return false;

    noteCounter = 0;
    std::unique_ptr<QTextDocument> copy(asIs ? nullptr : workingCopy(source));
    document = asIs ? source : copy.get();
    prepareForWriting(document);

    computePageSetup();

    static const char header[] = "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\n";
    const qint64 headerSize = qint64(sizeof header - 1);
    if (device->write(header, headerSize) != headerSize) {
        document = nullptr;
        return false;
    }
    out.clear();
    delimiterPending = false;
    tableDepth = 0;
    afterTable = false;
    firstParagraph = true;
    firstSection = true;
    previousBlockFormat = QTextBlockFormat();
    previousCharFormat = QTextCharFormat();
    span = RtfSpanState();

    fonts.clear();
    collectDocumentFormats(document);
    registerLists(document);

    writeFontTable();
    writeColourTable();
    writeStylesheet();
    writeListTable();
    writeInformation();
    writePageSetup();
    if (exportMode)
        writeDocumentFootnoteSettings();

    writeKeyword(KwF, 0);
    writeKeyword(KwFs, qRound(2 * defaultPointSize(document)));
    writeKeyword(KwCf, 0);
    if (exportMode) {
        writeKeyword(KwFtnbj);
        writeKeyword(KwFtnnar);
        writeKeyword(KwAftnnar);
        writeNewline();
        writeKeyword(KwSectd);
        writeSectionFootnoteSettings();
    }

    writeFrame(document->rootFrame());
    writeChar('}');
    if (!out.isEmpty())
        device->write(out);
    out.clear();
    document = nullptr;
    return true;
}

QMKTextRtfWriter::QMKTextRtfWriter(QIODevice *device)
    : d(new QMKTextRtfWriterPrivate(device))
{
}

QMKTextRtfWriter::~QMKTextRtfWriter()
{
    delete d;
}

void QMKTextRtfWriter::setExportMode(bool on)
{
    d->exportMode = on;
    d->fontIdentityByWeight = !on;
    if (on && !QMKFontFamilyMap::instance()->isCourierPrimeInstalled())
        d->substituteCourierPrime = true;
}

void QMKTextRtfWriter::setNoteSpacing(bool on)
{
    d->noteSpacing = on;
}

void QMKTextRtfWriter::setAnnotationMode(int mode)
{
    d->annotationMode = mode;
}

void QMKTextRtfWriter::setInlineFootnoteMode(int mode)
{
    d->inlineFootnoteMode = mode;
}

void QMKTextRtfWriter::setLinkedFootnoteMode(int mode)
{
    d->linkedFootnoteMode = mode;
}

void QMKTextRtfWriter::setIncludeImageFileNames(bool on)
{
    d->includeImageFileNames = on;
}

void QMKTextRtfWriter::setFootnoteMarkerText(const QString &text)
{
    d->footnoteMarkerText = text;
}

bool QMKTextRtfWriter::write(QTextDocument *document, bool asIs)
{
    return d->write(document, asIs);
}

QByteArray toRtf(QTextDocument *document, bool asIs, bool exportMode, bool includeImageFileNames,
                 const QString &footnoteMarkerText)
{
    if (!document)
        return QByteArray();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return bytes;
    QMKTextRtfWriter writer(&buffer);
    writer.setExportMode(exportMode);
    if (exportMode) {
        writer.setNoteSpacing(true);
        writer.setAnnotationMode(0);
        writer.setLinkedFootnoteMode(1);
        writer.setInlineFootnoteMode(1);
        writer.setIncludeImageFileNames(includeImageFileNames);
        writer.setFootnoteMarkerText(footnoteMarkerText);
    }
    if (!writer.write(document, asIs))
        return QByteArray();
    buffer.close();
    return bytes;
}
