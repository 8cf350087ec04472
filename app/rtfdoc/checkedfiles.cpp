#include "app/rtfdoc/checkedfiles.h"

#include "app/rtfdoc/exitstatus.h"
#include "app/rtfdoc/importfile.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

int collectCheckedFiles(const QStringList &paths, QStringList *files)
{
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (!info.exists()) {
            printError(path + QStringLiteral(": no such file"));
            return FileMissing;
        }
        if (!info.isReadable()) {
            printError(path + QStringLiteral(": not readable"));
            return FileNotReadable;
        }
        if (!info.isDir()) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                printError(path + QStringLiteral(": cannot be opened: ") + file.errorString());
                return FileNotOpened;
            }
            files->append(path);
            continue;
        }
        // Name filters ignore case. Links to folders are not followed: a link back up would
        // never end.
        QStringList found;
        QDirIterator it(path, {QStringLiteral("*.rtf")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found.append(it.next());
        std::sort(found.begin(), found.end());
        files->append(found);
    }
    return Success;
}
