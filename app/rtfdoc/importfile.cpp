#include "app/rtfdoc/importfile.h"

#include "app/rtfdoc/exitstatus.h"
#include "qmktextrtfreader.h"

#include <QFile>
#include <QFileInfo>

#include <iostream>

void printError(const QString &message)
{
    // Messages carry no line breaks of their own: one fault, one line.
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::cerr << "rtfdoc: " << line.toStdString() << std::endl;
}

QString faultPlace(int line, int column, int offset)
{
    return QStringLiteral("line %1, column %2, byte %3").arg(line).arg(column).arg(offset);
}

int importFile(const QString &path, bool removeInvalid, QTextDocument *document,
               ImportReport *report)
{
    if (!QFile::exists(path)) {
        printError(path + QStringLiteral(": no such file"));
        return FileMissing;
    }
    if (!QFileInfo(path).isReadable()) {
        printError(path + QStringLiteral(": not readable"));
        return FileNotReadable;
    }
    if (QFileInfo(path).isDir()) {
        printError(path + QStringLiteral(": is a directory"));
        return FileNotOpened;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(path + QStringLiteral(": cannot be opened: ") + file.errorString());
        return FileNotOpened;
    }
    QMKTextRtfReader reader(&file);
    report->ok = reader.read(document, removeInvalid);
    report->message = reader.errorString();
    report->status = reader.errorStatus();
    report->offset = reader.errorOffset();
    report->line = reader.errorLine();
    report->column = reader.errorColumn();
    report->page = PageGeometry{reader.paperSize(), reader.pageMargins()};
    if (!report->ok)
        printError(path + QStringLiteral(": RTF Error: ") + report->message
                   + QStringLiteral(" (first fault at ")
                   + faultPlace(report->line, report->column, report->offset) + QLatin1Char(')'));
    return Success;
}
