#ifndef QMK_PDFPAGES_P_H
#define QMK_PDFPAGES_P_H

#include <QByteArray>
#include <QImage>

// The entry point of the PDF page module: the first page of pdf rendered at dpi on white
// paper into *image, or a null image. Looked up by this name when the module is loaded.
#define QMK_PDF_PAGE_ENTRY "qmkRenderFirstPdfPage"
using QMKPdfPageEntry = void (*)(const QByteArray &pdf, int dpi, const QByteArray &ownerPassword,
                                 QImage *image);

#endif // QMK_PDFPAGES_P_H
