#ifndef QMK_HOSTILEINPUTS_H
#define QMK_HOSTILEINPUTS_H

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>

// Inputs built to hurt an RTF reader: deep nesting, huge counts and parameters, data that
// never ends. Each is generated at a scale (1.0 is the full size the benchmark uses; the test
// suite runs smaller scales) and documents the status the import ends with.
struct HostileInput
{
    QString name;
    std::function<QByteArray(double scale)> generate;
    /// The message the import ends with, without its position; empty: success; "*": any status.
    QString status;
};

const QVector<HostileInput> &hostileInputs();

#endif // QMK_HOSTILEINPUTS_H
