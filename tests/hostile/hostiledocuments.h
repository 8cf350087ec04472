#ifndef QMK_HOSTILEDOCUMENTS_H
#define QMK_HOSTILEDOCUMENTS_H

#include <QString>
#include <QVector>

#include <functional>

class QTextDocument;

// Documents built by code that no RTF file makes easily, to be written as RTF and read back:
// characters no code page holds, control characters, huge paragraphs and counts, deep tables.
// Each is built at a scale (1.0 is the full size the benchmark uses; the test suite builds
// smaller ones).
struct HostileDocument
{
    QString name;
    std::function<void(QTextDocument &document, double scale)> build;
};

const QVector<HostileDocument> &hostileDocuments();

#endif // QMK_HOSTILEDOCUMENTS_H
