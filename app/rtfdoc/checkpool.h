#ifndef RTFDOC_CHECKPOOL_H
#define RTFDOC_CHECKPOOL_H

#include "app/rtfdoc/filecheck.h"

#include <QStringList>

#include <functional>

// Checks files in worker processes ("rtfdoc check --worker"), jobs of them at once, and hands
// each result to report in the order of files. Each worker imports one file at a time, as a
// single check does, so that the results are those of checking the files one by one; a
// worker that dies takes only its file with it, and workers are started anew after a few
// hundred files so that what a process keeps between imports (font look-ups) stays bounded.
void checkInWorkers(const QStringList &files, int jobs, const QStringList &workerOptions,
                    const std::function<void(const FileCheck &)> &report);

// The worker's side: reads paths ended by NUL from stdin and writes one line of JSON for
// each on stdout, until stdin ends.
int runCheckWorker(bool removeInvalid, bool allFaults);

#endif // RTFDOC_CHECKPOOL_H
