#include "textutil/moduleentry_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

bool isInside(const QString &path, const QString &dir)
{
    const QString cleanPath = QDir::cleanPath(path);
    const QString cleanDir = QDir::cleanPath(dir);
    return cleanPath == cleanDir || cleanPath.startsWith(cleanDir + QLatin1Char('/'));
}

} // namespace

ModuleLocations configuredModuleLocations()
{
    return {QStringLiteral(QMKRTF_BUILD_DIR), QStringLiteral(QMKRTF_INSTALLED_MODULE_DIR),
            QStringLiteral(QMKRTF_MODULE_DIR_FROM_PROGRAM)};
}

QStringList moduleCandidates(const QString &builtPath, const QString &programDir,
                             const ModuleLocations &locations)
{
    const QString name = QFileInfo(builtPath).fileName();
    const QString installed = QDir(locations.installedDir).filePath(name);
    if (programDir.isEmpty())
        return {builtPath, installed};
    QStringList paths{QDir(programDir).filePath(name)};
    if (isInside(programDir, locations.buildDir)) {
        paths.append(builtPath);
    } else {
        paths.append(QDir::cleanPath(
            QDir(programDir).filePath(locations.installedFromProgram + QLatin1Char('/') + name)));
        paths.append(installed);
    }
    paths.removeDuplicates();
    return paths;
}

QFunctionPointer moduleEntry(const QString &builtPath, const char *entry)
{
    const QString programDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    for (const QString &path :
         moduleCandidates(builtPath, programDir, configuredModuleLocations())) {
        // A loaded module stays loaded: the library object going out of scope does not
        // unload it.
        QLibrary module(path);
        if (!module.load())
            continue;
        if (const QFunctionPointer function = module.resolve(entry))
            return function;
        module.unload();
    }
    return nullptr;
}
