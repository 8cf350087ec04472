#ifndef RTFDOC_CHECKEDFILES_H
#define RTFDOC_CHECKEDFILES_H

#include <QStringList>

// The files a check covers: each named file, and every *.rtf (any case) below each named
// folder, in name order so that every run lists them alike. Returns an exit status: Success,
// or that of the first path that cannot be checked, after one line about it on stderr.
int collectCheckedFiles(const QStringList &paths, QStringList *files);

#endif // RTFDOC_CHECKEDFILES_H
