#include "app/rtfdoc/checkcommand.h"

#include "app/rtfdoc/checkedfiles.h"
#include "app/rtfdoc/checkpool.h"
#include "app/rtfdoc/commandline.h"
#include "app/rtfdoc/exitstatus.h"
#include "app/rtfdoc/importfile.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QThread>

#include <iostream>

#include <unistd.h>

namespace {

// Any file that did not import without a fault.
constexpr int SomeFileFailed = 5;

// A bar on stderr, redrawn at most ten times a second, and wiped before lines go to stdout.
class ProgressBar
{
public:
    ProgressBar(int total, bool shown) : total(total), shown(shown) { timer.start(); }

    void clear()
    {
        if (drawn)
            std::cerr << "\r\033[K" << std::flush;
        drawn = false;
    }

    void update(int done, int failed)
    {
        if (!shown || (drawn && done < total && timer.elapsed() < 100))
            return;
        timer.restart();
        constexpr int Width = 30;
        const int filled = total > 0 ? int(qint64(done) * Width / total) : Width;
        std::cerr << "\r[" << std::string(size_t(filled), '#')
                  << std::string(size_t(Width - filled), ' ') << "] " << done << '/' << total
                  << " files, " << failed << " failed" << std::flush;
        drawn = true;
    }

private:
    const int total;
    const bool shown;
    bool drawn = false;
    QElapsedTimer timer;
};

} // namespace

int runCheck(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Checks RTF files as rtfcheck does, many in one run: each named file, and every *.rtf "
        "below each named folder. One line per file and a summary; exit status 0 when every "
        "file imported without a fault, 5 when some did not."));
    parser.addPositionalArgument(QStringLiteral("PATH"),
                                 QStringLiteral("Files and folders to check."),
                                 QStringLiteral("PATH..."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("One JSON object per file instead of text."));
    const QCommandLineOption jobs(QStringLiteral("jobs"),
                                  QStringLiteral("Files checked at once (default: the cores)."),
                                  QStringLiteral("N"));
    const QCommandLineOption all(QStringLiteral("all"),
                                 QStringLiteral("List every fault of a file, not the first only."));
    const QCommandLineOption removeInvalid(
        QStringLiteral("removeinvalidchar"),
        QStringLiteral("Remove characters 127 to 159 instead of replacing them by U+FFFD."));
    QCommandLineOption worker(QStringLiteral("worker"));
    worker.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({json, jobs, all, removeInvalid, worker});
    // A worker takes its paths on stdin.
    const int parsed = parseCommandLine(&parser, arguments, 1, QStringLiteral(
        "rtfdoc check [options] PATH..."), true);
    if (parsed >= 0)
        return parsed;
    if (parser.isSet(worker))
        return runCheckWorker(parser.isSet(removeInvalid), parser.isSet(all));
    if (parser.positionalArguments().size() < 2) {
        printError(QStringLiteral("missing argument; see --help"));
        return UsageError;
    }

    int jobCount = QThread::idealThreadCount();
    if (parser.isSet(jobs)) {
        bool number = false;
        jobCount = parser.value(jobs).toInt(&number);
        if (!number || jobCount < 1) {
            printError(QStringLiteral("--jobs wants a number of at least 1; see --help"));
            return UsageError;
        }
    }
    QStringList files;
    const int collected = collectCheckedFiles(parser.positionalArguments().mid(1), &files);
    if (collected != Success)
        return collected;

    QStringList workerOptions;
    if (parser.isSet(all))
        workerOptions << QStringLiteral("--all");
    if (parser.isSet(removeInvalid))
        workerOptions << QStringLiteral("--removeinvalidchar");
    const bool asJson = parser.isSet(json);
    const bool allFaults = parser.isSet(all);
    ProgressBar progress(files.size(), isatty(STDERR_FILENO));
    int done = 0;
    int failed = 0;
    checkInWorkers(files, jobCount, workerOptions, [&](const FileCheck &check) {
        progress.clear();
        const QByteArray line = asJson ? checkJson(check, allFaults) + '\n'
                                       : checkText(check, allFaults).toUtf8();
        std::cout.write(line.constData(), line.size());
        std::cout.flush();
        ++done;
        failed += check.ok ? 0 : 1;
        progress.update(done, failed);
    });
    progress.clear();
    // The summary stays out of the JSON lines.
    const std::string summary =
        QStringLiteral("Checked %1 %2: %3 succeeded, %4 failed.\n")
            .arg(files.size())
            .arg(files.size() == 1 ? QStringLiteral("file") : QStringLiteral("files"))
            .arg(files.size() - failed).arg(failed).toStdString();
    (asJson ? std::cerr : std::cout) << summary << std::flush;
    return failed == 0 ? Success : SomeFileFailed;
}
