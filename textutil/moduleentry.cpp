#include "textutil/moduleentry_p.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

QFunctionPointer moduleEntry(const QString &builtPath, const char *entry)
{
    QStringList paths;
    if (QCoreApplication::instance()) {
        paths.append(QDir(QCoreApplication::applicationDirPath())
                         .filePath(QFileInfo(builtPath).fileName()));
    }
    paths.append(builtPath);
    for (const QString &path : paths) {
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
