#include "qmktextrtfreader.h"

#include "rtf/reader/qmktextrtfreader_p.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QTextDocument>

QMKTextRtfReader::QMKTextRtfReader(QIODevice *device)
    : d(new QMKTextRtfReaderPrivate(device))
{
}

QMKTextRtfReader::~QMKTextRtfReader()
{
    delete d;
}

bool QMKTextRtfReader::read(QTextDocument *document, bool removeInvalid)
{
    return d->read(document, removeInvalid);
}

bool QMKTextRtfReader::read(QTextDocument *document)
{
    return d->read(document, true);
}

QString QMKTextRtfReader::errorString() const
{
    return d->errorString();
}

int QMKTextRtfReader::errorOffset() const
{
    return d->firstFault.offset;
}

int QMKTextRtfReader::errorLine() const
{
    return d->firstFault.line;
}

int QMKTextRtfReader::errorColumn() const
{
    return d->firstFault.column;
}

int QMKTextRtfReader::errorStatus() const
{
    return d->status;
}

void QMKTextRtfReader::setFaultObserver(std::function<void(const QMKTextRtfFault &)> observer)
{
    d->faultObserver = std::move(observer);
}

QSize QMKTextRtfReader::paperSize() const
{
    return QSize(d->paperWidth, d->paperHeight);
}

QMargins QMKTextRtfReader::pageMargins() const
{
    return QMargins(d->leftMargin, d->topMargin, d->rightMargin, d->bottomMargin);
}

void QMKTextRtfReader::setPaletteColours(bool on)
{
    d->paletteColours = on;
}

void QMKTextRtfReader::setIgnoreZeroRightIndent(bool on)
{
    d->ignoreZeroRightIndent = on;
}

void QMKTextRtfReader::setFootnotesAsText(bool on)
{
    d->footnotesAsText = on;
}

void QMKTextRtfReader::setAnnotationsAsText(bool on)
{
    d->annotationsAsText = on;
}

void QMKTextRtfReader::setFootnotePlaceholderAnchor(bool on)
{
    d->footnotePlaceholderAnchor = on;
}

void QMKTextRtfReader::setNoteAnchorPlaceholder(const QString &placeholder)
{
    d->noteAnchorPlaceholder = placeholder;
}

QMKTextRtfReaderPrivate::QMKTextRtfReaderPrivate(QIODevice *device)
    : device(device),
      cellDocumentPool([this](const QTextDocument *document) { return cursorPointsInto(document); })
{
}

QMKTextRtfReaderPrivate::~QMKTextRtfReaderPrivate()
{
    cellDocumentPool.closeDown();
}

bool QMKTextRtfReaderPrivate::read(QTextDocument *target, bool removeInvalidCharacters)
{
    if (!target)
        return false;

    plainCharFormat = QTextCursor(target).blockCharFormat();
    plainReset = {};
    // Pooled formats stay valid for any document (a group left open by an earlier read still
    // holds their numbers); what the tables made of them does not.
    charFormatPool.forgetChanges();
    plainCharFormat.clearProperty(QTextFormat::ForegroundBrush);
    plainCharFormat.clearProperty(QTextFormat::BackgroundBrush);
    plainCharFormat.clearProperty(QTextFormat::ObjectIndex);
    plainCharFormat.setProperty(QTextFormat::FontHintingPreference, QFont::PreferDefaultHinting);
    if (!target->isEmpty())
        target->clear();

    removeInvalid = removeInvalidCharacters;
    document = target;
    const bool undoRedo = target->isUndoRedoEnabled();
    target->setUndoRedoEnabled(false);

    deferredBlockFormats = RtfDeferredBlockFormats();
    appliedBlockFormats = RtfAppliedBlockFormats();
    storedCharFormats = RtfStoredCharFormats();
    textRun = RtfTextRun();
    cursor = QTextCursor(target);
    cursor.beginEditBlock();
    state.destination = RtfDestination::Body;
    pictureCounter = 1;
    status = RtfStatus::Ok;
    firstFault = QMKTextRtfFault();
    status = parse();
    cursor.endEditBlock();
    cursor = QTextCursor();
    cellDocumentPool.dropSpare();

    postProcess();
    target->setUndoRedoEnabled(undoRedo);
    storeColourPalette();
    document = nullptr;
    return status == RtfStatus::Ok;
}

QString QMKTextRtfReaderPrivate::errorString() const
{
    if (status == RtfStatus::Ok)
        return QString();
    const QString message = rtfStatusMessage(status);
    if (status == RtfStatus::DeviceNotOpen || !device)
        return message;
    return message + QLatin1Char(' ')
        + QCoreApplication::translate("QMKTextRtfReader", "RTF file position: %1")
              .arg(device->pos());
}
