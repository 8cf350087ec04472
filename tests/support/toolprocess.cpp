#include "support/toolprocess.h"

#include <QProcess>
#include <QProcessEnvironment>

ToolRun runTool(const QString &path, const QStringList &arguments, const QString &asUser,
                int timeoutMs)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    if (asUser.isEmpty()) {
        process.start(path, arguments);
    } else {
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), asUser, QStringLiteral("--"), path}
                          + arguments);
    }
    process.waitForFinished(timeoutMs);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}
