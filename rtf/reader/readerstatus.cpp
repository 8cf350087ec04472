#include "rtf/reader/readerstatus.h"

#include <QCoreApplication>

QString rtfStatusMessage(int status)
{
    // The wording of 1 and 2 (and 3) is what scripts checking this tool's output know; it is
    // kept even though it names the other brace.
    static const char *const messages[] = {
        nullptr,
        QT_TRANSLATE_NOOP("QMKTextRtfReader", "Unmatched '{' in Rich Text file."),
        QT_TRANSLATE_NOOP("QMKTextRtfReader", "Unmatched '}' in Rich Text file."),
        QT_TRANSLATE_NOOP("QMKTextRtfReader", "Unmatched '{' in Rich Text file."),
        QT_TRANSLATE_NOOP("QMKTextRtfReader", "Invalid character found in #SDATA."),
        QT_TRANSLATE_NOOP("QMKTextRtfReader", "Invalid table encountered in Rich Text file."),
        QT_TRANSLATE_NOOP("QMKTextRtfReader", "Assertion Error."),
        QT_TRANSLATE_NOOP("QMKTextRtfReader", "Unexpected end of file."),
        QT_TRANSLATE_NOOP("QMKTextRtfReader", "Invalid control word encountered."),
        QT_TRANSLATE_NOOP("QMKTextRtfReader", "Invalid control word parameter encountered."),
        QT_TRANSLATE_NOOP("QMKTextRtfReader", "Could not open device."),
    };
    if (status <= 0 || status >= int(sizeof messages / sizeof *messages))
        return QString();
    return QCoreApplication::translate("QMKTextRtfReader", messages[status]);
}
