// rtfdump: the document an import builds, as the text of dumpDocument, on stdout.
//
//   rtfdump FILE                  the import of an RTF file
//   rtfdump --workload KIND BYTES the import of a generated bench workload (text, table, list,
//                                 picture) of about that many bytes
//
// Dumps made by two builds of the reader are equal exactly when the builds import the input
// into the same document; scripts/compare-imports runs it over the corpus.

#include "bench/workloads.h"
#include "support/documentdump.h"
#include "qmktextrtfreader.h"
#include "textutil/headless_p.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

namespace {

void discardQtMessage(QtMsgType, const QMessageLogContext &, const QString &)
{
}

bool readInput(const QStringList &arguments, QByteArray *rtf)
{
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String("--workload")) {
        WorkloadKind kind;
        if (!workloadKindFromName(arguments.at(2), &kind))
            return false;
        *rtf = generateWorkload(kind, arguments.at(3).toLongLong());
        return true;
    }
    if (arguments.size() != 2)
        return false;
    QFile file(arguments.at(1));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *rtf = file.readAll();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(discardQtMessage);
    prepareHeadlessGui();
    QGuiApplication application(argc, argv);
    QByteArray rtf;
    if (!readInput(QCoreApplication::arguments(), &rtf)) {
        std::fputs("usage: rtfdump FILE | rtfdump --workload text|table|list|picture BYTES\n", stderr);
        return 1;
    }
    QBuffer buffer(&rtf);
    buffer.open(QIODevice::ReadOnly);
    QTextDocument document;
    QMKTextRtfReader reader(&buffer);
    const bool ok = reader.read(&document, false);
    const QByteArray dump = dumpDocument(document).toUtf8();
    std::fwrite(dump.constData(), 1, size_t(dump.size()), stdout);
    std::printf("status %s\n", ok ? "ok" : qPrintable(reader.errorString()));
    return 0;
}
