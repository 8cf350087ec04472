// rtfdoc: shows what the engine understood of an RTF file (dump) and converts it to other
// formats (convert). The exit statuses are in exitstatus.h and docs/rtfdoc.1.

#include "app/rtfdoc/checkcommand.h"
#include "app/rtfdoc/convertcommand.h"
#include "app/rtfdoc/dumpcommand.h"
#include "app/rtfdoc/exitstatus.h"
#include "app/rtfdoc/importfile.h"
#include "textutil/headless_p.h"

#include <QGuiApplication>

#include <iostream>

namespace {

const char ToolHelp[] =
    "Usage: rtfdoc COMMAND [options] FILE\n"
    "Checks RTF files, shows what the RTF engine understood of a file, and converts it.\n"
    "\n"
    "Commands:\n"
    "  check PATH... [--json] [--jobs N] [--all]  check files and folders of them, as\n"
    "          [--removeinvalidchar]           rtfcheck checks one\n"
    "  dump FILE [--removeinvalidchar]         the imported document as JSON on stdout\n"
    "  convert FILE -o OUT [--to FORMAT]       convert to rtf, rtf-export, html, md, odt,\n"
    "          [--page N] [--removeinvalidchar] txt, pdf or png\n"
    "\n"
    "rtfdoc COMMAND --help describes a command. Exit status: 0 done (also when the file\n"
    "imported with an RTF error, which is reported on stderr), 1 bad command line, 2 file\n"
    "missing, 3 file not readable, 4 file cannot be opened, 5 unknown format (check: some\n"
    "file did not import without a fault), 6 output cannot be written.\n";

int run(const QStringList &arguments)
{
    const QString command = arguments.value(1);
    if (command == QLatin1String("check"))
        return runCheck(arguments);
    if (command == QLatin1String("dump"))
        return runDump(arguments);
    if (command == QLatin1String("convert"))
        return runConvert(arguments);
    if (command == QLatin1String("--help") || command == QLatin1String("-h")
        || command == QLatin1String("help")) {
        std::cout << ToolHelp;
        return Success;
    }
    printError(command.isEmpty() ? QStringLiteral("no command given; see rtfdoc --help")
                                 : QStringLiteral("unknown command: ") + command
                                       + QStringLiteral("; see rtfdoc --help"));
    return UsageError;
}

} // namespace

int main(int argc, char *argv[])
{
    // stderr carries rtfdoc's own lines only.
    discardQtMessages();
    prepareHeadlessGui();
    QGuiApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rtfdoc"));
    const int status = run(QCoreApplication::arguments());
    std::cout.flush();
    return status;
}
