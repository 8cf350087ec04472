#include "app/rtfdoc/convertcommand.h"

#include "app/rtfdoc/commandline.h"
#include "app/rtfdoc/exitstatus.h"
#include "app/rtfdoc/importfile.h"
#include "app/rtfdoc/outputformats.h"
#include "app/rtfdoc/pages.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextDocument>

namespace {

struct ConvertOptions
{
    QString input;
    QString output;
    QString format;
    int pageIndex = -1; ///< the one png page asked for, counted from 0; -1 all
    bool removeInvalid = false;
};

int parseOptions(const QStringList &arguments, ConvertOptions *options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Converts an RTF file to another format. FORMAT is one of: ")
        + outputFormatNames().join(QStringLiteral(", "))
        + QStringLiteral("; without --to it follows OUT's extension. rtf is the engine's own "
                         "writer, rtf-export its export for other programs; pdf and png are "
                         "laid out on the RTF's page size and margins."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The RTF file."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Write to OUT (required)."),
                                    QStringLiteral("OUT"));
    const QCommandLineOption to(QStringLiteral("to"), QStringLiteral("The output format."),
                                QStringLiteral("FORMAT"));
    const QCommandLineOption page(
        QStringLiteral("page"),
        QStringLiteral("png: write only page N (from 1) to OUT. Without it every page is "
                       "written, to OUT with -1, -2... before the extension."),
        QStringLiteral("N"));
    const QCommandLineOption removeInvalid(
        QStringLiteral("removeinvalidchar"),
        QStringLiteral("Remove characters 127 to 159 instead of replacing them by U+FFFD."));
    parser.addOptions({output, to, page, removeInvalid});
    const QString usage = QStringLiteral("rtfdoc convert [options] FILE -o OUT");
    const int parsed = parseCommandLine(&parser, arguments, 2, usage);
    if (parsed >= 0)
        return parsed;

    options->input = parser.positionalArguments().at(1);
    options->output = parser.value(output);
    options->removeInvalid = parser.isSet(removeInvalid);
    if (options->output.isEmpty()) {
        printError(QStringLiteral("convert needs -o OUT; see --help"));
        return UsageError;
    }
    if (QFileInfo(options->output).canonicalFilePath()
        == QFileInfo(options->input).canonicalFilePath()
        && QFileInfo::exists(options->input)) {
        printError(QStringLiteral("OUT is FILE itself, which would be overwritten"));
        return UsageError;
    }
    options->format = outputFormat(parser.value(to), options->output);
    if (options->format.isEmpty()) {
        printError(parser.isSet(to)
                       ? QStringLiteral("unknown format: ") + parser.value(to)
                       : QStringLiteral("no format known for ") + options->output
                             + QStringLiteral("; give --to FORMAT"));
        return UnknownFormat;
    }
    if (parser.isSet(page)) {
        bool ok = false;
        const int n = parser.value(page).toInt(&ok);
        if (!ok || n < 1 || options->format != QLatin1String("png")) {
            printError(QStringLiteral("--page takes a page number from 1, for png only"));
            return UsageError;
        }
        options->pageIndex = n - 1;
    }
    return -1;
}

bool isPaged(const QString &format)
{
    return format == QLatin1String("pdf") || format == QLatin1String("png");
}

} // namespace

int runConvert(const QStringList &arguments)
{
    ConvertOptions options;
    const int parsed = parseOptions(arguments, &options);
    if (parsed >= 0)
        return parsed;

    QTextDocument document;
    ImportReport report;
    const int status = importFile(options.input, options.removeInvalid, &document, &report);
    if (status != Success)
        return status;
    if (options.format.startsWith(QLatin1String("rtf")))
        setPageProperties(&document, report.page);
    const PageGeometry page = usablePage(report.page);
    if (isPaged(options.format)) {
        insertListLabels(&document);
        const int pages = layOutOnPages(&document, page);
        if (options.pageIndex >= pages) {
            printError(QStringLiteral("page %1 does not exist: the document has %2")
                           .arg(options.pageIndex + 1).arg(pages));
            return UsageError;
        }
    }
    if (!writeOutput(&document, page, options.format, options.output, options.pageIndex)) {
        printError(options.output + QStringLiteral(": cannot be written"));
        return OutputNotWritten;
    }
    return Success;
}
