// rtfcheck: imports one RTF file and reports whether the import met a fault.
//
// Exit status: 0 success, 1 no file given, 2 file missing, 3 file not readable, 4 file cannot
// be opened, 5 the import reported an error. Only "Success" or "RTF Error: <message>" is
// printed, without a line terminator, so that scripts can compare the output as it stands.

#include "qmktextrtfreader.h"
#include "textutil/headless_p.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTextDocument>

#include <iostream>

namespace {

enum ExitStatus {
    Success = 0,
    NoFileGiven = 1,
    FileMissing = 2,
    FileNotReadable = 3,
    FileNotOpened = 4,
    ImportFailed = 5,
};

int check(const QStringList &arguments)
{
    const QString path = arguments.size() >= 2 ? arguments.at(1) : QString();
    if (path.isEmpty())
        return NoFileGiven;
    if (!QFile::exists(path))
        return FileMissing;
    if (!QFileInfo(path).isReadable())
        return FileNotReadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileNotOpened;

    const bool removeInvalid = arguments.contains(QStringLiteral("--removeinvalidchar"));
    QMKTextRtfReader reader(&file);
    QTextDocument document;
    if (reader.read(&document, removeInvalid)) {
        std::cout << "Success";
        return Success;
    }
    std::cout << "RTF Error: " << reader.errorString().toStdString();
    return ImportFailed;
}

} // namespace

int main(int argc, char *argv[])
{
    // The tool's only output is its verdict.
    discardQtMessages();
    prepareHeadlessGui();
    QGuiApplication application(argc, argv);
    const int status = check(QCoreApplication::arguments());
    std::cout.flush();
    return status;
}
