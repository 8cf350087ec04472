#ifndef QMK_MODULEENTRY_H
#define QMK_MODULEENTRY_H

#include <QString>
#include <QStringList>

// Libraries that only rare content needs (Poppler for PDF pages, libwmf for metafiles) are
// built into modules of their own and loaded the first time that content is met: linked into
// every program, they cost each run milliseconds of loading for nothing.

/// Where modules may be, besides the folder of the running program.
struct ModuleLocations
{
    QString buildDir;             ///< the build tree; programs inside it use its modules
    QString installedDir;         ///< where installing put the modules
    QString installedFromProgram; ///< the same, relative to the folder of an installed program
};

/// The configured locations: this build tree and the install prefix it was configured with.
ModuleLocations configuredModuleLocations();

/// The paths to try, in order, for the module that the build put at builtPath, for a program
/// in programDir. Beside the program first (a program moved with its modules); then, inside
/// the build tree, the built module; elsewhere the installed one, found from the program (an
/// installed program, under whatever prefix) or at the configured place (a program linking the
/// installed library). A program outside the build tree never loads from it: an installed copy
/// stays independent of the tree it was built in. With no programDir (no application object
/// to tell), the built module, then the configured place.
QStringList moduleCandidates(const QString &builtPath, const QString &programDir,
                             const ModuleLocations &locations);

/// The function named entry in the module whose build put it at builtPath, loading the module
/// from the first of its candidates that loads and has the entry, on first use. Null when none.
QFunctionPointer moduleEntry(const QString &builtPath, const char *entry);

#endif // QMK_MODULEENTRY_H
