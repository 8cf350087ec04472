// Pictures, embedded PDF pages and the text that travels with them (file names, MathML). A
// picture group collects its data in rawData; when the group ends the data is decoded and
// the image goes into the document as a resource named after its pixels.

#include "rtf/reader/qmktextrtfreader_p.h"

#include "qmkformatproperties.h"
#include "qmkpdfrenderer.h"
#include "qmkunits.h"
#include "rtf/reader/pictureimages_p.h"

#include <QIODevice>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <cmath>

namespace {

// Embedded PDF pages become images at twice the 72 points per inch of PDF.
constexpr int PdfResolution = 144;

// The most a single read from the device asks for while \bin data is gathered.
constexpr qint64 BinaryReadStep = 1 << 20;

bool isJpeg(const QString &type)
{
    return type.compare(QLatin1String("jpeg"), Qt::CaseInsensitive) == 0
        || type.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0;
}

// The size a picture is shown at, in pixels. Huge goals and scales stay finite doubles.
QSizeF displayedSize(const QSize &pixels, int goalWidth, int goalHeight, int scaleX, int scaleY)
{
    QSizeF size = (goalWidth < 1 || goalHeight < 1) ? QSizeF(pixels)
                                                    : QSizeF(goalWidth, goalHeight);
    if (scaleX > 0 && scaleY > 0) {
        size.setWidth(std::round(size.width() * scaleX / 100.0));
        size.setHeight(std::round(size.height() * scaleY / 100.0));
    }
    return size;
}

} // namespace

int QMKTextRtfReaderPrivate::enterPicture(const RtfKeywordCall &)
{
    state.destination = RtfDestination::Picture;
    state.inputMode = RtfInputMode::Hexadecimal;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setPictureType(const RtfKeywordCall &call)
{
    switch (call.keyword) {
    case KwPngblip:
        pictureType = QStringLiteral("PNG");
        break;
    case KwJpegblip:
        pictureType = QStringLiteral("JPEG");
        break;
    default:
        pictureType = QStringLiteral("WMF");
        break;
    }
    state.inputMode = RtfInputMode::Hexadecimal;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setPictureGoalSize(const RtfKeywordCall &call)
{
    const int pixels = qRound(twipsToPixels(call.parameter));
    if (call.keyword == KwPicwgoal)
        goalWidth = pixels;
    else
        goalHeight = pixels;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setPictureScale(const RtfKeywordCall &call)
{
    if (call.keyword == KwPicscalex)
        scaleX = call.parameter;
    else
        scaleY = call.parameter;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterEmbeddedPdf(const RtfKeywordCall &)
{
    state.destination = RtfDestination::EmbeddedPdf;
    state.inputMode = RtfInputMode::Hexadecimal;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterPictureText(const RtfKeywordCall &call)
{
    switch (call.keyword) {
    case KwNisusfilename:
        state.destination = RtfDestination::PictureFileName;
        break;
    case KwPdffilename:
        state.destination = RtfDestination::PdfFileName;
        break;
    default:
        state.destination = RtfDestination::MathMLEquation;
        break;
    }
    // These groups sit inside picture groups, whose data words keep the hexadecimal mode.
    state.inputMode = RtfInputMode::Text;
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::takePictureText(const QString &text)
{
    switch (state.destination) {
    case RtfDestination::PictureFileName:
        pictureFileName += text;
        break;
    case RtfDestination::PdfFileName:
        pdfFileName += text;
        break;
    default:
        mathMLText += text;
        break;
    }
}

int QMKTextRtfReaderPrivate::readBinaryData(const RtfKeywordCall &call)
{
    return takeBinaryData(call.parameter, true);
}

int QMKTextRtfReaderPrivate::takeBinaryData(int count, bool keep)
{
    if (count <= 0)
        return RtfStatus::Ok;
    // The data must be followed by at least one byte, the brace that closes its group.
    if (!bufferInputBytes(qint64(count) + 1))
        return RtfStatus::InvalidParameter;
    if (keep) {
        rawData = window.mid(windowPosition, count);
        pendingNibble = -1;
    }
    dropWindowBytes(windowPosition + count);
    windowPosition = 0;
    return RtfStatus::Ok;
}

bool QMKTextRtfReaderPrivate::bufferInputBytes(qint64 count)
{
    qint64 buffered = window.size() - windowPosition;
    if (buffered >= count)
        return true;
    if (!device)
        return false;
    // A count can be anything up to 2^31: ask a file for its size before reading it all.
    if (!device->isSequential() && buffered + device->size() - device->pos() < count)
        return false;
    while (buffered < count && !device->atEnd()) {
        const QByteArray chunk = device->read(qMin(count - buffered, BinaryReadStep));
        if (chunk.isEmpty())
            break;
        window.append(chunk);
        buffered += chunk.size();
    }
    return buffered >= count;
}

void QMKTextRtfReaderPrivate::addImageResource(const QString &key, const QImage &image)
{
    // A table cell is read into a document of its own that is released once the row stands in
    // the target; the image must outlive it, so the target gets the resource too.
    const QUrl name(key);
    QTextDocument *cursorDocument = cursor.document();
    if (cursorDocument)
        cursorDocument->addResource(QTextDocument::ImageResource, name, QVariant(image));
    if (document && document != cursorDocument)
        document->addResource(QTextDocument::ImageResource, name, QVariant(image));
}

QTextImageFormat QMKTextRtfReaderPrivate::imageCharFormat(const QString &key) const
{
    QTextImageFormat format = state.charFormat.format().toImageFormat();
    format.setObjectType(QTextFormat::ImageObject);
    format.setName(key);
    return format;
}

void QMKTextRtfReaderPrivate::endPicture()
{
    // Empty groups inside a picture (a skipped \*\blipuid) end here too and change nothing.
    if (rawData.isEmpty())
        return;
    const DecodedPicture decoded = loadImage(rawData, pictureType.toLatin1());
    if (!decoded.format.isEmpty())
        pictureType = QString::fromLatin1(decoded.format);
    beginParagraphText();
    if (!decoded.image.isNull()) {
        const QString key = imageKey(decoded.image);
        addImageResource(key, decoded.image);
        QTextImageFormat format = imageCharFormat(key);
        // JPEG bytes are kept so that writing the picture again does not recompress it.
        if (isJpeg(pictureType))
            format.setProperty(QMKFormatProperty::PictureSourceBytes, rawData);
        format.setProperty(QMKFormatProperty::PictureSourceFormat, pictureType);
        format.setProperty(QMKFormatProperty::PictureName,
                           pictureFileName.isEmpty()
                               ? QStringLiteral("Image%1").arg(pictureCounter++)
                               : pictureFileName);
        const QSizeF size = displayedSize(decoded.image.size(), goalWidth, goalHeight, scaleX,
                                          scaleY);
        format.setWidth(size.width());
        format.setHeight(size.height());
        if (!mathMLText.isEmpty())
            format.setProperty(QMKFormatProperty::MathMLText, mathMLText);
        commitTextRun();
        cursor.insertImage(format);
    }
    resetPicture();
}

void QMKTextRtfReaderPrivate::resetPicture()
{
    mathMLText.clear();
    pictureFileName.clear();
    pictureType.clear();
    goalWidth = -1;
    goalHeight = -1;
    scaleX = -1;
    scaleY = -1;
}

void QMKTextRtfReaderPrivate::endEmbeddedPdf()
{
    const QImage image = rawData.isEmpty() ? QImage()
                                           : renderPdf(rawData, PdfResolution, QByteArray());
    if (!image.isNull()) {
        beginParagraphText();
        const QString key = imageKey(image);
        addImageResource(key, image);
        QTextImageFormat format = imageCharFormat(key);
        format.setProperty(QMKFormatProperty::PictureName,
                           pdfFileName.isEmpty() ? key : pdfFileName);
        format.setProperty(QMKFormatProperty::PdfData, rawData);
        if (!pdfFileName.isEmpty())
            format.setProperty(QMKFormatProperty::PdfFileName, pdfFileName);
        format.setWidth(image.width());
        format.setHeight(image.height());
        commitTextRun();
        cursor.insertImage(format);
    }
    pdfFileName.clear();
}
