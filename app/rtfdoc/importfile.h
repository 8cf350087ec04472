#ifndef RTFDOC_IMPORTFILE_H
#define RTFDOC_IMPORTFILE_H

#include "app/rtfdoc/pages.h"

#include <QString>

class QTextDocument;

// What the reader said about an import.
struct ImportReport
{
    bool ok = false;
    QString message; ///< the reader's error message, empty after success
    int status = 0;  ///< the reader's status
    int offset = -1; ///< where the first fault was met; -1 after success
    int line = -1;
    int column = -1;
    PageGeometry page; ///< as the RTF declared it
};

// Imports the file into document. Returns Success, or the status of a file that could not be
// read, after printing one line about it on stderr. An RTF fault is reported on stderr too,
// but the import still succeeds: the document holds what could be read.
int importFile(const QString &path, bool removeInvalid, QTextDocument *document,
               ImportReport *report);

// "line L, column C, byte O": where a fault was met.
QString faultPlace(int line, int column, int offset);

// Prints "rtfdoc: " and the message as one line on stderr.
void printError(const QString &message);

#endif // RTFDOC_IMPORTFILE_H
