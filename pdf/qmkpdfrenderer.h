#ifndef QMKPDFRENDERER_H
#define QMKPDFRENDERER_H

#include <QByteArray>
#include <QImage>

/// The first page of a PDF held in memory, rendered at dpi dots per inch on white paper.
/// A null image when the bytes are empty, the PDF cannot be loaded or has no page, or the
/// rendered page would exceed the size limit for pictures.
QImage renderPdf(const QByteArray &pdf, int dpi, const QByteArray &ownerPassword = QByteArray());

#endif // QMKPDFRENDERER_H
