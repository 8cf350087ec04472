#ifndef QMK_MODULEENTRY_H
#define QMK_MODULEENTRY_H

#include <QString>

// Libraries that only rare content needs (Poppler for PDF pages, libwmf for metafiles) are
// built into modules of their own and loaded the first time that content is met: linked into
// every program, they cost each run milliseconds of loading for nothing.

/// The function named entry in the module whose build put it at builtPath, loading the module
/// on first use. The module is looked for beside the running program first (a program moved
/// with its modules), then at builtPath. Null when neither loads or has the entry.
QFunctionPointer moduleEntry(const QString &builtPath, const char *entry);

#endif // QMK_MODULEENTRY_H
