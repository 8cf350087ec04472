#include "app/rtfdoc/outputformats.h"

#include "app/rtfdoc/pages.h"
#include "textutil/documenttext_p.h"
#include "qmktextrtfwriter.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace {

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

// Qt's own writers, by their format names.
bool writeWithQt(const QTextDocument *document, const QByteArray &qtFormat, const QString &path)
{
    QTextDocumentWriter writer(path, qtFormat);
    return writer.write(document);
}

bool writePngPages(QTextDocument *document, const PageGeometry &page, const QString &path)
{
    const int pages = document->pageCount();
    for (int index = 0; index < pages; ++index) {
        if (!writePng(document, page, index, numberedPagePath(path, index + 1)))
            return false;
    }
    return true;
}

} // namespace

QStringList outputFormatNames()
{
    return {QStringLiteral("rtf"), QStringLiteral("rtf-export"), QStringLiteral("html"),
            QStringLiteral("md"), QStringLiteral("odt"), QStringLiteral("txt"),
            QStringLiteral("pdf"), QStringLiteral("png")};
}

QString outputFormat(const QString &name, const QString &outputPath)
{
    if (!name.isEmpty())
        return outputFormatNames().contains(name) ? name : QString();
    const QString suffix = QFileInfo(outputPath).suffix().toLower();
    if (suffix == QLatin1String("htm"))
        return QStringLiteral("html");
    if (suffix == QLatin1String("rtf-export"))
        return QString();
    return outputFormatNames().contains(suffix) ? suffix : QString();
}

QString numberedPagePath(const QString &path, int n)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    const QString numbered = base + QLatin1Char('-') + QString::number(n);
    return suffix.isEmpty() ? numbered : numbered + QLatin1Char('.') + suffix;
}

bool writeOutput(QTextDocument *document, const PageGeometry &page, const QString &format,
                 const QString &path, int pageIndex)
{
    if (format == QLatin1String("rtf") || format == QLatin1String("rtf-export")) {
        const bool exportMode = format == QLatin1String("rtf-export");
        return writeBytes(path, toRtf(document, true, exportMode, true, QString()));
    }
    if (format == QLatin1String("txt"))
        return writeBytes(path, documentText(*document).toUtf8());
    if (format == QLatin1String("html"))
        return writeWithQt(document, "html", path);
    if (format == QLatin1String("md"))
        return writeWithQt(document, "markdown", path);
    if (format == QLatin1String("odt"))
        return writeWithQt(document, "odf", path);
    if (format == QLatin1String("pdf"))
        return writePdf(document, page, path);
    if (format == QLatin1String("png")) {
        return pageIndex >= 0 ? writePng(document, page, pageIndex, path)
                              : writePngPages(document, page, path);
    }
    return false;
}
