// Decoding picture bytes and naming the decoded images.

#include "rtf/reader/pictureimages_p.h"

#include "rtf/reader/metafileimage_p.h"

#include "textutil/imagesizelimit_p.h"
#include "textutil/silencedstderr_p.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <QStringList>

#include <optional>

namespace {

DecodedPicture readImage(const QByteArray &data, const QByteArray &format)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    reader.setAutoTransform(true);
    // Asked before reading: once the data is consumed, a detected format is forgotten. Only
    // the signature is looked at to tell it.
    const QByteArray used = reader.format().toLower();
    // libpng prints the faults of a damaged PNG to stderr itself, with fprintf; Qt's JPEG
    // reader reports through Qt's messages, so JPEG pictures go without.
    std::optional<SilencedStderr> quiet;
    if (used != "jpeg")
        quiet.emplace(SilencedStderr::StdioStream);
    // The header is read before any pixel is allocated: a picture that declares an absurd size
    // costs nothing. A reader that cannot tell the size in advance is checked afterwards.
    const QSize declared = reader.size();
    if (declared.isValid() && !isAllowedImageSize(declared))
        return {};
    const QImage image = reader.read();
    if (image.isNull() || !isAllowedImageSize(image.size()))
        return {};
    return {image, used};
}

} // namespace

DecodedPicture loadImage(const QByteArray &data, const QByteArray &format)
{
    DecodedPicture result;
    if (!format.isEmpty())
        result = readImage(data, format);
    // The kind word may be wrong (a PNG marked \jpegblip) or unknown to Qt (a metafile).
    if (result.image.isNull())
        result = readImage(data, QByteArray());
    if (result.image.isNull() && looksLikeMetafile(data)) {
        result.image = renderMetafile(data);
        if (!result.image.isNull())
            result.format = "wmf";
    }
    return result;
}

QString imageKey(const QImage &image)
{
    if (image.isNull())
        return QString();
    // Lines are padded to 4 bytes, and decoders leave the padding as malloc gave it: only
    // the bits that hold pixels are hashed, so that equal pixels always get equal names.
    const qint64 lineBits = qint64(image.width()) * image.depth();
    const int pixelBytes = int((lineBits + 7) / 8);
    const int unusedBits = int(pixelBytes * 8 - lineBits); // in the last byte of one-bit lines
    const uchar lastByteMask = image.format() == QImage::Format_MonoLSB
        ? uchar(0xFF >> unusedBits) : uchar(0xFF << unusedBits);
    QCryptographicHash hash(QCryptographicHash::Md4);
    QByteArray line;
    for (int y = 0; y < image.height(); ++y) {
        const char *bits = reinterpret_cast<const char *>(image.constScanLine(y));
        if (unusedBits == 0) {
            hash.addData(bits, pixelBytes);
            continue;
        }
        line = QByteArray(bits, pixelBytes);
        line[pixelBytes - 1] = char(uchar(line[pixelBytes - 1]) & lastByteMask);
        hash.addData(line);
    }
    const QByteArray digest = hash.result();
    // Each byte as three decimal digits, joined by '-'.
    QString key;
    key.reserve(digest.size() * 4);
    for (const char byte : digest) {
        const int value = uchar(byte);
        if (!key.isEmpty())
            key += QLatin1Char('-');
        key += QLatin1Char(char('0' + value / 100));
        key += QLatin1Char(char('0' + value / 10 % 10));
        key += QLatin1Char(char('0' + value % 10));
    }
    return key;
}
