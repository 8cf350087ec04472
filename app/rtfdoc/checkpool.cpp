#include "app/rtfdoc/checkpool.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMap>
#include <QProcess>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

// Files a worker checks before it is replaced by a fresh one.
constexpr int FilesPerWorker = 500;

class CheckPool
{
public:
    CheckPool(const QStringList &files, const QStringList &workerOptions,
              const std::function<void(const FileCheck &)> &report)
        : files(files), arguments(QStringList{QStringLiteral("check"),
                                              QStringLiteral("--worker")} + workerOptions),
          report(report)
    {
    }

    void run(int jobs)
    {
        workers.resize(size_t(qBound(1, jobs, qMax(1, files.size()))));
        for (size_t i = 0; i < workers.size() && next < files.size(); ++i)
            startWorker(i);
        if (delivered < files.size())
            loop.exec();
        for (Worker &worker : workers) {
            if (worker.process && worker.process->state() != QProcess::NotRunning) {
                worker.process->closeWriteChannel();
                worker.process->waitForFinished();
            }
        }
    }

private:
    struct Worker
    {
        std::unique_ptr<QProcess> process;
        int file = -1;          ///< index of the file being checked; -1: idle
        int checked = 0;
        QByteArray output;
    };

    void startWorker(size_t index)
    {
        Worker &worker = workers[index];
        worker = Worker();
        worker.process = std::make_unique<QProcess>();
        QProcess *process = worker.process.get();
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(process, &QProcess::readyReadStandardOutput, process,
                         [this, index] { readResults(index); });
        QObject::connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                         process, [this, index] { workerEnded(index); });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [this, index](QProcess::ProcessError error) {
                             if (error == QProcess::FailedToStart)
                                 workerEnded(index);
                         });
        process->start(QCoreApplication::applicationFilePath(), arguments);
        assign(index);
    }

    void assign(size_t index)
    {
        Worker &worker = workers[index];
        if (next >= files.size() || worker.checked >= FilesPerWorker) {
            worker.process->closeWriteChannel();
            return;
        }
        worker.file = next++;
        worker.process->write(files.at(worker.file).toUtf8() + '\0');
    }

    void readResults(size_t index)
    {
        Worker &worker = workers[index];
        worker.output += worker.process->readAllStandardOutput();
        for (int end; worker.file >= 0 && (end = worker.output.indexOf('\n')) >= 0;) {
            FileCheck check = checkFromJson(worker.output.left(end));
            worker.output.remove(0, end + 1);
            check.path = files.at(worker.file);
            deliver(worker.file, check);
            worker.file = -1;
            ++worker.checked;
            assign(index);
        }
    }

    void workerEnded(size_t index)
    {
        Worker &worker = workers[index];
        if (!worker.process)
            return;
        const bool failedToStart = worker.process->error() == QProcess::FailedToStart;
        if (!failedToStart && worker.process->state() != QProcess::NotRunning)
            return;
        readResults(index);
        if (worker.file >= 0)
            deliverUnchecked(worker.file, failedToStart
                                 ? QStringLiteral("no checking process could be started")
                                 : QStringLiteral("the checking process ended while reading this file"));
        // Deleted later: this runs inside the process's own signal.
        worker.process.release()->deleteLater();
        if (failedToStart) {
            // Starting another would fail alike: the files still to hand out are not checked.
            while (next < files.size())
                deliverUnchecked(next++, QStringLiteral("no checking process could be started"));
        } else if (next < files.size()) {
            startWorker(index);
        }
    }

    void deliverUnchecked(int file, const QString &why)
    {
        FileCheck check;
        check.path = files.at(file);
        check.status = CheckCrashed;
        check.message = why;
        deliver(file, check);
    }

    void deliver(int file, const FileCheck &check)
    {
        waiting.insert(file, check);
        for (auto it = waiting.find(delivered); it != waiting.end();
             it = waiting.find(delivered)) {
            report(it.value());
            waiting.erase(it);
            ++delivered;
        }
        if (delivered == files.size())
            loop.quit();
    }

    const QStringList &files;
    const QStringList arguments;
    const std::function<void(const FileCheck &)> &report;
    std::vector<Worker> workers;
    QMap<int, FileCheck> waiting;   ///< results that came before those of earlier files
    int next = 0;                   ///< the next file to hand out
    int delivered = 0;              ///< files reported so far
    QEventLoop loop;
};

} // namespace

void checkInWorkers(const QStringList &files, int jobs, const QStringList &workerOptions,
                    const std::function<void(const FileCheck &)> &report)
{
    CheckPool pool(files, workerOptions, report);
    pool.run(jobs);
}

int runCheckWorker(bool removeInvalid, bool allFaults)
{
    std::string path;
    while (std::getline(std::cin, path, '\0')) {
        const FileCheck check = checkFile(QString::fromStdString(path), removeInvalid, allFaults);
        const QByteArray line = checkJson(check, allFaults) + '\n';
        std::cout.write(line.constData(), line.size());
        std::cout.flush();
    }
    return 0;
}
