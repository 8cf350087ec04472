#ifndef RTFDOC_CHECKCOMMAND_H
#define RTFDOC_CHECKCOMMAND_H

#include <QStringList>

// rtfdoc check PATH...: checks many files as rtfcheck checks one. Exit status 0 when every
// file imported without a fault, 5 otherwise; 1 to 4 for arguments that cannot be used.
int runCheck(const QStringList &arguments);

#endif // RTFDOC_CHECKCOMMAND_H
