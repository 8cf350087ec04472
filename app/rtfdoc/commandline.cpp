#include "app/rtfdoc/commandline.h"

#include "app/rtfdoc/exitstatus.h"
#include "app/rtfdoc/importfile.h"

#include <QCommandLineParser>

#include <iostream>

int parseCommandLine(QCommandLineParser *parser, const QStringList &arguments,
                     int positionalCount, const QString &usage, bool countIsMinimum)
{
    const QCommandLineOption help = parser->addHelpOption();
    if (!parser->parse(arguments)) {
        printError(parser->errorText());
        return UsageError;
    }
    // Qt adds --help-all beside --help; the Qt options it would list are not rtfdoc's concern.
    if (parser->isSet(help) || parser->isSet(QStringLiteral("help-all"))) {
        // Qt's usage line names the program as it was started and knows no commands.
        QString text = parser->helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')), QStringLiteral("Usage: ") + usage);
        std::cout << text.toStdString();
        return Success;
    }
    const int given = parser->positionalArguments().size();
    if (given < positionalCount || (given > positionalCount && !countIsMinimum)) {
        printError(given < positionalCount ? QStringLiteral("missing argument; see --help")
                                           : QStringLiteral("too many arguments; see --help"));
        return UsageError;
    }
    return -1;
}
