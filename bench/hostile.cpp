// Runs rtfcheck on every hostile input at full size and at half size, and reports for each the
// time, how time grew with the input (linear growth doubles it), the peak memory against the
// bound the project promises, and whether the import ended with its documented status; then
// the same for writing and reading back the hostile documents built by code.
//
// Usage: bench_hostile RTFCHECK [SCALE]   (SCALE multiplies every input's full size; default 1)
// Exit status 1 when any input breaks its status, its memory bound or linear time.

#include "bench/hostiledocuments.h"
#include "hostile/hostileinputs.h"

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Peak memory may be a small multiple of the input plus what Qt itself needs.
constexpr double MemoryPerInputByte = 16;
constexpr double MemoryConstantMb = 150;
// Twice the input may take at most this factor longer (2 is linear; small inputs are noisy).
constexpr double GrowthLimit = 3.0;
constexpr double NoiseSeconds = 0.05;

struct Run
{
    double seconds = 0;
    double peakMb = 0;
    QByteArray output;
    bool exited = false;
};

Run runChecker(const QByteArray &checker, const QString &input, const QString &outputPath)
{
    Run run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(QFile::encodeName(outputPath).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        const QByteArray path = QFile::encodeName(input);
        execl(checker.constData(), checker.constData(), path.constData(), static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMb = usage.ru_maxrss / 1024.0;
    run.exited = WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 5);
    QFile output(outputPath);
    if (output.open(QIODevice::ReadOnly))
        run.output = output.readAll();
    return run;
}

bool statusMatches(const QByteArray &output, const QString &status)
{
    if (status == QLatin1String("*"))
        return true;
    if (status.isEmpty())
        return output == "Success";
    return output.startsWith("RTF Error: " + status.toUtf8() + " RTF file position: ");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s RTFCHECK [SCALE] [PART-OF-NAME]\n", argv[0]);
        return 2;
    }
    const QByteArray checker = argv[1];
    const double scale = argc > 2 ? QByteArray(argv[2]).toDouble() : 1.0;
    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    QTemporaryDir dir;
    const QString outputPath = dir.filePath(QStringLiteral("output"));

    std::printf("%-42s %9s %8s %8s %6s %9s %9s %s\n", "input", "size MB", "half s", "full s",
                "growth", "peak MB", "bound MB", "verdict");
    bool allGood = true;
    for (const HostileInput &input : hostileInputs()) {
        if (!input.name.contains(only))
            continue;
        Run runs[2];
        double sizeMb = 0;
        for (int i = 0; i < 2; ++i) {
            const QByteArray bytes = input.generate(scale * (i == 0 ? 0.5 : 1.0));
            const QString path = dir.filePath(QStringLiteral("input.rtf"));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                return 2;
            file.close();
            sizeMb = bytes.size() / 1048576.0;
            runs[i] = runChecker(checker, path, outputPath);
        }
        const Run &full = runs[1];
        const double growth = (full.seconds + NoiseSeconds) / (runs[0].seconds + NoiseSeconds);
        const double boundMb = sizeMb * MemoryPerInputByte + MemoryConstantMb;
        QStringList faults;
        if (!full.exited)
            faults << QStringLiteral("crashed");
        if (!statusMatches(full.output, input.status))
            faults << QStringLiteral("status: ") + QString::fromUtf8(full.output.left(80));
        if (full.peakMb > boundMb)
            faults << QStringLiteral("memory");
        if (growth > GrowthLimit)
            faults << QStringLiteral("not linear");
        allGood = allGood && faults.isEmpty();
        std::printf("%-42s %9.2f %8.3f %8.3f %6.2f %9.1f %9.1f %s\n", qPrintable(input.name), sizeMb,
                    runs[0].seconds, full.seconds, growth, full.peakMb, boundMb,
                    faults.isEmpty() ? "ok" : qPrintable(faults.join(QLatin1String("; "))));
        std::fflush(stdout);
    }
    allGood = benchHostileDocuments(scale, only, outputPath) && allGood;
    return allGood ? 0 : 1;
}
