#ifndef QMK_PICTUREIMAGES_P_H
#define QMK_PICTUREIMAGES_P_H

#include <QByteArray>
#include <QImage>
#include <QString>

// A picture's bytes decoded, with the name of the format that decoded them ("png", "jpeg"...).
struct DecodedPicture
{
    QImage image;                   ///< null when nothing could decode the bytes
    QByteArray format;              ///< empty when the image is null
};

/// Decodes picture bytes as format, then as whatever format they turn out to be. Pictures
/// that declare more pixels than the picture size limit are not decoded.
DecodedPicture loadImage(const QByteArray &data, const QByteArray &format);

/// The resource name of an image: the MD4 hash of the pixel bytes of its scan lines, each of
/// the 16 hash bytes as a 3-digit decimal number, joined by "-". Equal pixels give equal names;
/// a null image has none.
QString imageKey(const QImage &image);

#endif // QMK_PICTUREIMAGES_P_H
