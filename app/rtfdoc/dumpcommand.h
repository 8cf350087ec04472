#ifndef RTFDOC_DUMPCOMMAND_H
#define RTFDOC_DUMPCOMMAND_H

#include <QStringList>

// rtfdoc dump FILE [--removeinvalidchar]: the imported document as JSON on stdout.
int runDump(const QStringList &arguments);

#endif // RTFDOC_DUMPCOMMAND_H
