// rtfworkload KIND BYTES FILE: writes a generated RTF workload (text, table, list or picture)
// of about BYTES bytes to FILE, for the import bench and for peers to read.

#include "workloads.h"
#include "textutil/headless_p.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    prepareHeadlessGui();
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    WorkloadKind kind;
    if (arguments.size() != 4 || !workloadKindFromName(arguments.at(1), &kind)) {
        std::fputs("usage: rtfworkload text|table|list|picture BYTES FILE\n", stderr);
        return 1;
    }
    QFile file(arguments.at(3));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 2;
    const QByteArray rtf = generateWorkload(kind, arguments.at(2).toLongLong());
    return file.write(rtf) == rtf.size() ? 0 : 2;
}
