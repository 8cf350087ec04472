#ifndef QMK_BENCH_WORKLOADS_H
#define QMK_BENCH_WORKLOADS_H

#include <QByteArray>
#include <QString>

// RTF written the way Word writes it, in four kinds that stress different parts of an import.
// The same kind and size always give the same bytes, so that timings and documents can be
// compared between builds.
enum class WorkloadKind {
    Text,       ///< prose with frequent run formatting, escapes, \u, fields and footnotes
    Table,      ///< thousands of rows with merges, shading, borders and nested tables
    List,       ///< multi-level Word lists
    Picture,    ///< many small PNG and JPEG pictures between short paragraphs
};

/// The kind named "text", "table", "list" or "picture"; false for any other name.
bool workloadKindFromName(const QString &name, WorkloadKind *kind);

/// A complete RTF document of the kind, at least targetBytes long (and at most one
/// paragraph, table or picture longer). Picture workloads need a QGuiApplication.
QByteArray generateWorkload(WorkloadKind kind, qint64 targetBytes);

#endif // QMK_BENCH_WORKLOADS_H
