#ifndef QMK_IMAGESIZELIMIT_H
#define QMK_IMAGESIZELIMIT_H

#include <QSize>
#include <QSizeF>

// The largest picture the import decodes or renders. A picture header is a few bytes that can
// declare any size, and Qt allocates the pixels before it finds the data short; beyond this
// bound (about 400 MB of 32-bit pixels) a picture is dropped unread. Real photographs and
// scanned pages stay well below it.
constexpr int MaxImageSide = 32768;
constexpr qint64 MaxImagePixels = 100 * 1000 * 1000;

/// Whether an image of this many pixels may be allocated.
inline bool isAllowedImageSize(const QSize &size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxImageSide
        && size.height() <= MaxImageSide
        && qint64(size.width()) * size.height() <= MaxImagePixels;
}

/// Same for a size that is not yet rounded to whole pixels (a page at some resolution).
inline bool isAllowedImageSize(const QSizeF &size)
{
    return size.width() >= 0.5 && size.height() >= 0.5 && size.width() < MaxImageSide
        && size.height() < MaxImageSide && size.width() * size.height() <= MaxImagePixels;
}

#endif // QMK_IMAGESIZELIMIT_H
