#include "qmkpdfrenderer.h"

#include "pdfpages_p.h"
#include "textutil/moduleentry_p.h"

QImage renderPdf(const QByteArray &pdf, int dpi, const QByteArray &ownerPassword)
{
    if (pdf.isEmpty() || dpi <= 0)
        return QImage();
    static const auto renderFirstPage = reinterpret_cast<QMKPdfPageEntry>(
        moduleEntry(QStringLiteral(QMKRTF_PDF_MODULE_PATH), QMK_PDF_PAGE_ENTRY));
    QImage image;
    if (renderFirstPage)
        renderFirstPage(pdf, dpi, ownerPassword, &image);
    return image;
}
