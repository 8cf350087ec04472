#ifndef WRITERDOCUMENTS_H
#define WRITERDOCUMENTS_H

#include "rtf/writer/qmktextrtfwriter.h"

#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>

// Builds the document of a test row; rows hold capture-less lambdas.
using Build = void (*)(QTextDocument &);
Q_DECLARE_METATYPE(Build)

using Properties = std::initializer_list<std::pair<int, QVariant>>;

template <typename Format = QTextCharFormat>
Format with(Properties properties)
{
    Format format;
    for (const auto &property : properties)
        format.setProperty(property.first, property.second);
    return format;
}

// Appends a paragraph of one run; while the document has no text, its first paragraph is used.
inline void paragraph(QTextDocument &document, const char *text, const QTextBlockFormat &block = {},
                      const QTextCharFormat &run = {})
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    if (document.isEmpty())
        cursor.setBlockFormat(block);
    else
        cursor.insertBlock(block);
    cursor.insertText(QString::fromUtf8(text), run);
}

inline QByteArray written(Build build, bool exportMode)
{
    QTextDocument document;
    build(document);
    return toRtf(&document, false, exportMode, true, QString());
}

// Formats that name no font take the application's: make it one that every test machine has.
inline void useKnownApplicationFont()
{
    QGuiApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 12));
}

#endif // WRITERDOCUMENTS_H
