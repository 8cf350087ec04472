// Windows metafiles: recognised here, drawn by the metafile module (metafiledrawing.cpp).

#include "rtf/reader/metafileimage_p.h"

#include "rtf/reader/metafiledrawing_p.h"
#include "textutil/moduleentry_p.h"
#include "textutil/silencedstderr_p.h"

bool looksLikeMetafile(const QByteArray &data)
{
    return data.startsWith(QByteArray::fromRawData("\xd7\xcd\xc6\x9a", 4))
        || data.startsWith(QByteArray::fromRawData("\x01\x00\x09\x00", 4))
        || data.startsWith(QByteArray::fromRawData("\x02\x00\x09\x00", 4));
}

QImage renderMetafile(const QByteArray &data)
{
    if (!looksLikeMetafile(data))
        return QImage();
    static const auto draw = reinterpret_cast<QMKMetafileEntry>(
        moduleEntry(QStringLiteral(QMKRTF_METAFILE_MODULE_PATH), QMK_METAFILE_ENTRY));
    QImage image;
    if (draw) {
        const SilencedStderr quiet; // libwmf reports missing fonts and bad records there
        draw(data, &image);
    }
    return image;
}
