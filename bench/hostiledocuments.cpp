// The hostile documents of the test suite at full size: each is built, written with toRtf in
// internal mode and read back, in a process of its own at half and at full size. Reports the
// time of writing and of reading back, how it grew (linear growth doubles it), the peak memory
// against the bound, and whether the written RTF imported without a fault.

#include "bench/hostiledocuments.h"

#include "hostile/hostiledocuments.h"
#include "qmktextrtfreader.h"
#include "qmktextrtfwriter.h"
#include "textutil/headless_p.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double MemoryPerWrittenByte = 16;
constexpr double MemoryConstantMb = 150;
constexpr double GrowthLimit = 3.0;
constexpr double NoiseSeconds = 0.05;

struct DocumentRun
{
    double writeSeconds = -1;
    double readSeconds = -1;
    double writtenMb = 0;
    bool readBack = false;
    double peakMb = 0;
};

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// In the child: the measurement, as one line of numbers in the output file.
[[noreturn]] void measure(const HostileDocument &hostile, double scale, const QString &output)
{
    int argc = 1;
    char name[] = "bench_hostile";
    char *argv[] = {name, nullptr};
    prepareHeadlessGui();
    QGuiApplication application(argc, argv);
    QTextDocument document;
    hostile.build(document, scale);
    auto start = std::chrono::steady_clock::now();
    QByteArray rtf = toRtf(&document, false, false, true, QString());
    const double writeSeconds = secondsSince(start);
    start = std::chrono::steady_clock::now();
    QBuffer buffer(&rtf);
    QTextDocument readBack;
    const bool ok = QMKTextRtfReader(&buffer).read(&readBack, false);
    const double readSeconds = secondsSince(start);
    QFile file(output);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QByteArray::number(writeSeconds) + ' ' + QByteArray::number(readSeconds) + ' '
                   + QByteArray::number(rtf.size()) + ' ' + (ok ? "1" : "0"));
        file.close(); // _exit runs no destructor to flush it
    }
    std::fflush(nullptr);
    _exit(0);
}

DocumentRun runDocument(const HostileDocument &hostile, double scale, const QString &output)
{
    DocumentRun run;
    QFile::remove(output);
    const pid_t pid = fork();
    if (pid == 0)
        measure(hostile, scale, output);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.peakMb = usage.ru_maxrss / 1024.0;
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly))
        return run;
    const QList<QByteArray> fields = file.readAll().split(' ');
    if (fields.size() == 4) {
        run.writeSeconds = fields.at(0).toDouble();
        run.readSeconds = fields.at(1).toDouble();
        run.writtenMb = fields.at(2).toDouble() / 1048576.0;
        run.readBack = fields.at(3) == "1";
    }
    return run;
}

} // namespace

bool benchHostileDocuments(double scale, const QString &only, const QString &output)
{
    std::printf("\n%-42s %9s %8s %8s %6s %8s %9s %9s %s\n", "document", "RTF MB", "half w s",
                "full w s", "growth", "read s", "peak MB", "bound MB", "verdict");
    bool allGood = true;
    for (const HostileDocument &hostile : hostileDocuments()) {
        if (!hostile.name.contains(only))
            continue;
        const DocumentRun half = runDocument(hostile, scale * 0.5, output);
        const DocumentRun full = runDocument(hostile, scale, output);
        const double growth = (full.writeSeconds + full.readSeconds + NoiseSeconds)
            / (half.writeSeconds + half.readSeconds + NoiseSeconds);
        const double boundMb = full.writtenMb * MemoryPerWrittenByte + MemoryConstantMb;
        QStringList faults;
        if (full.writeSeconds < 0)
            faults << QStringLiteral("crashed");
        else if (!full.readBack)
            faults << QStringLiteral("written RTF has a fault");
        if (full.peakMb > boundMb)
            faults << QStringLiteral("memory");
        if (growth > GrowthLimit)
            faults << QStringLiteral("not linear");
        allGood = allGood && faults.isEmpty();
        std::printf("%-42s %9.2f %8.3f %8.3f %6.2f %8.3f %9.1f %9.1f %s\n",
                    qPrintable(hostile.name), full.writtenMb, half.writeSeconds,
                    full.writeSeconds, growth, full.readSeconds, full.peakMb, boundMb,
                    faults.isEmpty() ? "ok" : qPrintable(faults.join(QLatin1String("; "))));
        std::fflush(stdout);
    }
    return allGood;
}
