#include "qmkpdfrenderer.h"

#include "pdfpages_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

// The module is looked for beside the program first (a program moved with its module), then
// where the build put it.
QStringList modulePaths()
{
    QStringList paths;
    const QString fileName = QFileInfo(QStringLiteral(QMKRTF_PDF_MODULE_PATH)).fileName();
    if (QCoreApplication::instance())
        paths.append(QDir(QCoreApplication::applicationDirPath()).filePath(fileName));
    paths.append(QStringLiteral(QMKRTF_PDF_MODULE_PATH));
    return paths;
}

QMKPdfPageEntry loadPdfPageModule()
{
    for (const QString &path : modulePaths()) {
        QLibrary module(path);
        if (!module.load())
            continue;
        if (const auto entry = reinterpret_cast<QMKPdfPageEntry>(module.resolve(QMK_PDF_PAGE_ENTRY)))
            return entry;
        module.unload();
    }
    return nullptr;
}

} // namespace

QImage renderPdf(const QByteArray &pdf, int dpi, const QByteArray &ownerPassword)
{
    if (pdf.isEmpty() || dpi <= 0)
        return QImage();
    static const QMKPdfPageEntry renderFirstPage = loadPdfPageModule();
    QImage image;
    if (renderFirstPage)
        renderFirstPage(pdf, dpi, ownerPassword, &image);
    return image;
}
