#include "app/rtfdoc/filecheck.h"

#include "app/rtfdoc/importfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextDocument>

namespace {

QJsonObject faultJson(const QMKTextRtfFault &fault)
{
    return QJsonObject{{QStringLiteral("status"), fault.status},
                       {QStringLiteral("message"), fault.message},
                       {QStringLiteral("offset"), fault.offset},
                       {QStringLiteral("line"), fault.line},
                       {QStringLiteral("column"), fault.column}};
}

QMKTextRtfFault faultFromJson(const QJsonObject &object)
{
    QMKTextRtfFault fault;
    fault.status = object.value(QStringLiteral("status")).toInt();
    fault.message = object.value(QStringLiteral("message")).toString();
    fault.offset = object.value(QStringLiteral("offset")).toInt(-1);
    fault.line = object.value(QStringLiteral("line")).toInt(-1);
    fault.column = object.value(QStringLiteral("column")).toInt(-1);
    return fault;
}

} // namespace

FileCheck checkFile(const QString &path, bool removeInvalid, bool allFaults)
{
    FileCheck check;
    check.path = path;
    QElapsedTimer timer;
    timer.start();
    QFile file(path);
    check.bytes = qMax<qint64>(file.size(), 0);
    // The reader opens the file itself: one it cannot open is its "Could not open device."
    QMKTextRtfReader reader(&file);
    if (allFaults)
        reader.setFaultObserver([&check](const QMKTextRtfFault &fault) {
            check.faults.append(fault);
        });
    QTextDocument document;
    check.ok = reader.read(&document, removeInvalid);
    check.status = reader.errorStatus();
    check.message = reader.errorString();
    check.offset = reader.errorOffset();
    check.line = reader.errorLine();
    check.column = reader.errorColumn();
    check.milliseconds = timer.nsecsElapsed() / 1e6;
    return check;
}

QByteArray checkJson(const FileCheck &check, bool allFaults)
{
    QJsonObject object{{QStringLiteral("path"), check.path},
                       {QStringLiteral("ok"), check.ok},
                       {QStringLiteral("status"), check.status},
                       {QStringLiteral("message"), check.message},
                       {QStringLiteral("offset"), check.offset},
                       {QStringLiteral("line"), check.line},
                       {QStringLiteral("column"), check.column},
                       {QStringLiteral("bytes"), double(check.bytes)},
                       {QStringLiteral("milliseconds"),
                        qRound64(check.milliseconds * 1000) / 1000.0}};
    if (allFaults) {
        QJsonArray faults;
        for (const QMKTextRtfFault &fault : check.faults)
            faults.append(faultJson(fault));
        object.insert(QStringLiteral("faults"), faults);
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

FileCheck checkFromJson(const QByteArray &line)
{
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    FileCheck check;
    check.path = object.value(QStringLiteral("path")).toString();
    check.ok = object.value(QStringLiteral("ok")).toBool();
    check.status = object.value(QStringLiteral("status")).toInt(CheckCrashed);
    check.message = object.value(QStringLiteral("message")).toString();
    check.offset = object.value(QStringLiteral("offset")).toInt(-1);
    check.line = object.value(QStringLiteral("line")).toInt(-1);
    check.column = object.value(QStringLiteral("column")).toInt(-1);
    check.bytes = qint64(object.value(QStringLiteral("bytes")).toDouble());
    check.milliseconds = object.value(QStringLiteral("milliseconds")).toDouble();
    const QJsonArray faults = object.value(QStringLiteral("faults")).toArray();
    for (const QJsonValue &fault : faults)
        check.faults.append(faultFromJson(fault.toObject()));
    return check;
}

QString checkText(const FileCheck &check, bool allFaults)
{
    if (check.ok)
        return check.path + QStringLiteral(": Success\n");
    QString text = check.path + QStringLiteral(": RTF Error: ") + check.message;
    if (check.line > 0)
        text += QStringLiteral(" (first fault at ") + faultPlace(check.line, check.column, check.offset)
            + QLatin1Char(')');
    text += QLatin1Char('\n');
    if (allFaults) {
        for (const QMKTextRtfFault &fault : check.faults)
            text += QStringLiteral("  ") + faultPlace(fault.line, fault.column, fault.offset)
                + QStringLiteral(": ") + fault.message + QLatin1Char('\n');
    }
    return text;
}
