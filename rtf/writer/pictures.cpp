// Pictures: the image the document holds, as PNG data or the JPEG bytes it was read from, with
// its name and MathML; in internal mode a picture made from PDF data keeps the PDF instead.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "qmkformatproperties.h"
#include "qmkpdfrenderer.h"
#include "qmktextutilities.h"
#include "qmkunits.h"

#include <QBuffer>
#include <QImage>
#include <QTextDocument>


namespace {

constexpr int ExportPdfDpi = 150;

} // namespace

void QMKTextRtfWriterPrivate::writePicture(const QTextImageFormat &format)
{
    if (format.isAnchor())
        openLink(format);
    // The position words are character formatting: in a group of their own they stay the
    // picture's and do not reach the text after it.
    writeChar('{');
    if (format.hasProperty(QMKFormatProperty::VerticalOffset)
        && format.hasProperty(QMKFormatProperty::PdfFileName)) {
        writeVerticalOffset(format.intProperty(QMKFormatProperty::VerticalOffset));
    } else if (format.hasProperty(QTextFormat::TextVerticalAlignment)) {
        static const RtfKeyword words[] = {KwSuper, KwSub, KwVertalc, KwVertalt, KwVertalb,
                                           KwVertalj};
        const int alignment = format.intProperty(QTextFormat::TextVerticalAlignment);
        if (alignment >= 1 && alignment <= 6)
            writeKeyword(words[alignment - 1]);
    }
    writeSpaceIfPending();

    QImage image = documentImage(*document, format.name());
    const QByteArray pdf = format.property(QMKFormatProperty::PdfData).toByteArray();
    if (!image.isNull() && exportMode && !pdf.isEmpty()) {
        const QImage rendering = renderPdf(pdf, ExportPdfDpi);
        if (!rendering.isNull())
            image = rendering;
    }
    if (!image.isNull() && !exportMode && !pdf.isEmpty()) {
        // The name is kept as it was read: a prefix added here would grow at every round trip.
        writeChar('{');
        writeKeyword(KwIgnorable);
        writeKeyword(KwQuillmarkpdf);
        writeSpaceIfPending();
        writeRaw("{{\\*\\pdffilename");
        writeText(format.stringProperty(QMKFormatProperty::PdfFileName), 0, false, true, false,
                  QString());
        writeChar('}');
        out.append(pdf.toHex());
        writeChar('}');
        writeChar('}');
    } else if (!image.isNull()) {
        writeRaw("{\\*\\shppict{\\pict");
        const QString name = imageName(format);
        if ((!exportMode || includeImageFileNames) && !name.isEmpty()) {
            writeRaw("{\\*\\nisusfilename");
            writeSpaceIfPending();
            writeText(name, 0, false, false, false, QString());
            writeChar('}');
        }
        if (format.hasProperty(QMKFormatProperty::MathMLText)) {
            writeRaw("{\\*\\mathmlequation");
            writeSpaceIfPending();
            writeText(format.stringProperty(QMKFormatProperty::MathMLText), 0, false, false, false,
                      QString());
            writeChar('}');
        }
        writeKeyword(KwPicw, image.width());
        writeKeyword(KwPich, image.height());
        writeKeyword(KwPicwgoal, qRound(pixelsToTwips(format.width())));
        writeKeyword(KwPichgoal, qRound(pixelsToTwips(format.height())));
        const QByteArray stored = format.property(QMKFormatProperty::PictureSourceBytes).toByteArray();
        const QString kind = format.stringProperty(QMKFormatProperty::PictureSourceFormat).toLower();
        QByteArray data;
        if (!stored.isEmpty() && (kind == QLatin1String("jpeg") || kind == QLatin1String("jpg"))) {
            writeKeyword(KwJpegblip);
            data = stored;
        } else {
            writeKeyword(KwPngblip);
            QBuffer buffer(&data);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
        }
        writeSpaceIfPending();
        out.append(data.toHex());
        writeChar('}');
        writeChar('}');
    }
    writeChar('}');
    if (format.isAnchor()) {
        writeChar('}');
        writeChar('}');
    }
    flush();
}
