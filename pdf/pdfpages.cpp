// The PDF renderer proper, in a module of its own that qmkpdfrenderer.cpp loads the first
// time a PDF page is met: Poppler and the libraries it brings cost every process that links
// them about eight milliseconds of loading, and most imports hold no PDF.

#include "pdfpages_p.h"

#include "textutil/imagesizelimit_p.h"

#include <QColor>
#include <QVariant>

#include <poppler-qt5.h>

#include <memory>

namespace {

void discardPopplerMessage(const QString &, const QVariant &)
{
}

// Poppler reports every fault of a damaged PDF on stderr; the import reports nothing there.
void silencePoppler()
{
    static const bool silenced = [] {
        Poppler::setDebugErrorFunction(discardPopplerMessage, QVariant());
        return true;
    }();
    Q_UNUSED(silenced)
}

QImage renderFirstPage(const QByteArray &pdf, int dpi, const QByteArray &ownerPassword)
{
    silencePoppler();
    const std::unique_ptr<Poppler::Document> document(
        Poppler::Document::loadFromData(pdf, ownerPassword));
    if (!document || document->isLocked() || document->numPages() < 1)
        return QImage();
    document->setPaperColor(QColor(255, 255, 255, 255));
    document->setRenderHint(Poppler::Document::Antialiasing);
    document->setRenderHint(Poppler::Document::TextAntialiasing);

    const std::unique_ptr<Poppler::Page> page(document->page(0));
    if (!page)
        return QImage();
    // A MediaBox is a few bytes that can declare a page kilometres wide.
    const QSizeF points = page->pageSizeF();
    if (!isAllowedImageSize(points * (dpi / 72.0)))
        return QImage();
    return page->renderToImage(dpi, dpi);
}

} // namespace

extern "C" Q_DECL_EXPORT void qmkRenderFirstPdfPage(const QByteArray &pdf, int dpi,
                                                    const QByteArray &ownerPassword, QImage *image)
{
    *image = renderFirstPage(pdf, dpi, ownerPassword);
}
