#ifndef QMK_TOOLPROCESS_H
#define QMK_TOOLPROCESS_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a run of one of the command-line tools gave.
struct ToolRun
{
    int exitCode = -1;          ///< -1: crashed or did not finish
    QByteArray out;
    QByteArray err;
};

// Runs the real binary headless as on a server (no display, no platform chosen), as asUser
// when given (through runuser), for at most timeoutMs.
ToolRun runTool(const QString &path, const QStringList &arguments,
                const QString &asUser = QString(), int timeoutMs = 120000);

#endif // QMK_TOOLPROCESS_H
