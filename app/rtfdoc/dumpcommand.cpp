#include "app/rtfdoc/dumpcommand.h"

#include "app/rtfdoc/commandline.h"
#include "app/rtfdoc/documentjson.h"
#include "app/rtfdoc/exitstatus.h"
#include "app/rtfdoc/importfile.h"

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QTextDocument>

#include <iostream>

namespace {

// Version of the dump's layout; docs/rtfdoc-dump.md says what changes it.
const int DumpVersion = 1;

QJsonObject readerJson(const ImportReport &report)
{
    const PageGeometry &page = report.page;
    return QJsonObject{
        {QStringLiteral("ok"), report.ok},
        {QStringLiteral("message"), report.message},
        {QStringLiteral("status"), report.status},
        {QStringLiteral("errorOffset"), report.offset},
        {QStringLiteral("errorLine"), report.line},
        {QStringLiteral("errorColumn"), report.column},
        {QStringLiteral("page"),
         QJsonObject{{QStringLiteral("paperWidth"), page.paper.width()},
                     {QStringLiteral("paperHeight"), page.paper.height()},
                     {QStringLiteral("leftMargin"), page.margins.left()},
                     {QStringLiteral("topMargin"), page.margins.top()},
                     {QStringLiteral("rightMargin"), page.margins.right()},
                     {QStringLiteral("bottomMargin"), page.margins.bottom()}}}};
}

} // namespace

int runDump(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the document an RTF file imports to as JSON on stdout: what the reader said, "
        "every block with its formats and fragments, tables, lists and images."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The RTF file."));
    const QCommandLineOption removeInvalid(
        QStringLiteral("removeinvalidchar"),
        QStringLiteral("Remove characters 127 to 159 instead of replacing them by U+FFFD."));
    parser.addOption(removeInvalid);
    const QString usage = QStringLiteral("rtfdoc dump [options] FILE");
    const int parsed = parseCommandLine(&parser, arguments, 2, usage);
    if (parsed >= 0)
        return parsed;

    QTextDocument document;
    ImportReport report;
    const int status = importFile(parser.positionalArguments().at(1),
                                  parser.isSet(removeInvalid), &document, &report);
    if (status != Success)
        return status;
    QJsonObject dump = documentJson(document);
    dump.insert(QStringLiteral("reader"), readerJson(report));
    dump.insert(QStringLiteral("version"), DumpVersion);
    const QByteArray json = QJsonDocument(dump).toJson(QJsonDocument::Indented);
    std::cout.write(json.constData(), json.size());
    return Success;
}
