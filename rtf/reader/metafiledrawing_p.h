#ifndef QMK_METAFILEDRAWING_P_H
#define QMK_METAFILEDRAWING_P_H

#include <QByteArray>
#include <QImage>

// The entry point of the metafile module: the metafile in data drawn into *image, or a null
// image. Looked up by this name when the module is loaded.
#define QMK_METAFILE_ENTRY "qmkDrawMetafile"
using QMKMetafileEntry = void (*)(const QByteArray &data, QImage *image);

#endif // QMK_METAFILEDRAWING_P_H
