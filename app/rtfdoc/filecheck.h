#ifndef RTFDOC_FILECHECK_H
#define RTFDOC_FILECHECK_H

#include "qmktextrtfreader.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The outcome of checking one file, as `rtfdoc check` reports it.
struct FileCheck
{
    QString path;
    bool ok = false;
    int status = 0;         ///< the reader's status; CheckCrashed when the check died
    QString message;        ///< the reader's error message; empty after success
    int offset = -1;        ///< where the first fault was met
    int line = -1;
    int column = -1;
    qint64 bytes = 0;
    double milliseconds = 0;
    QVector<QMKTextRtfFault> faults; ///< every fault, when they were asked for
};

// Status of a file whose check ended the checking process: a fault of the engine, not of
// the file, reported all the same so that a run over many files goes on.
constexpr int CheckCrashed = -1;

// Imports the file as rtfcheck does and reports what the reader said; a file that cannot be
// opened is the reader's "Could not open device." fault.
FileCheck checkFile(const QString &path, bool removeInvalid, bool allFaults);

// One line of JSON, without a line break (with a "faults" array when they were asked for);
// and back. A line that is no check gives ok false.
QByteArray checkJson(const FileCheck &check, bool allFaults);
FileCheck checkFromJson(const QByteArray &line);

// "PATH: Success", or "PATH: RTF Error: MESSAGE" with the first fault's place, then one
// indented line per fault when they were asked for; each line ends with a line break.
QString checkText(const FileCheck &check, bool allFaults);

#endif // RTFDOC_FILECHECK_H
