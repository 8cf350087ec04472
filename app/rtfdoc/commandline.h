#ifndef RTFDOC_COMMANDLINE_H
#define RTFDOC_COMMANDLINE_H

#include <QStringList>

class QCommandLineParser;

// Parses a command's arguments (the program name, the command's name, then its own).
// positionalCount counts the command's name; with countIsMinimum, more may follow. Returns -1 when the command should go on;
// otherwise the exit status, after --help was shown (with usage as its first line) or a usage
// error printed on stderr.
int parseCommandLine(QCommandLineParser *parser, const QStringList &arguments,
                     int positionalCount, const QString &usage, bool countIsMinimum = false);

#endif // RTFDOC_COMMANDLINE_H
