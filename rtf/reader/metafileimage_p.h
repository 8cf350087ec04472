#ifndef QMK_METAFILEIMAGE_P_H
#define QMK_METAFILEIMAGE_P_H

#include <QByteArray>
#include <QImage>

/// Whether bytes begin like a Windows metafile: the placeable header, or the plain header
/// RTF's \wmetafile data has.
bool looksLikeMetafile(const QByteArray &data);

/// A Windows metafile drawn at Qt's text resolution (96 dpi), or smaller when that would make
/// its longer side exceed 4096 pixels. A null image when libwmf cannot play the data.
QImage renderMetafile(const QByteArray &data);

#endif // QMK_METAFILEIMAGE_P_H
