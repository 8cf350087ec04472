#ifndef RTFDOC_VALUEJSON_H
#define RTFDOC_VALUEJSON_H

#include <QJsonObject>
#include <QJsonValue>

struct QMKListLevel;
class QTextFormat;
class QTextOption;
class QVariant;

// Property values in a readable, stable JSON form: colours "#rrggbb" ("#aarrggbb" when not
// opaque), brushes and pens as objects with style and colour, lengths with their kind, tab
// stops as objects, byte arrays as size and SHA-1; whatever has no better form is its text.
QJsonValue jsonValue(const QVariant &value);

// Every property of the format under its name (see formatPropertyName).
QJsonObject formatJson(const QTextFormat &format);

QJsonObject textOptionJson(const QTextOption &option);

// A list level definition: text, style, indent, firstLinePosition, start.
QJsonObject listLevelJson(const QMKListLevel &level);

#endif // RTFDOC_VALUEJSON_H
