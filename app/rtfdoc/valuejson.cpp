#include "app/rtfdoc/valuejson.h"

#include "app/rtfdoc/propertynames.h"
#include "qmkhighprecisioncolor.h"
#include "qmklistlevel.h"
#include "qmktextstyle.h"

#include <QBrush>
#include <QCryptographicHash>
#include <QJsonArray>
#include <QMetaEnum>
#include <QPen>
#include <QSizeF>
#include <QTextFormat>
#include <QTextLength>
#include <QTextOption>
#include <QUuid>
#include <QVector>

#include <cmath>

namespace {

template<typename Enum>
QString enumName(int value)
{
    const char *key = QMetaEnum::fromType<Enum>().valueToKey(value);
    return key ? QString::fromLatin1(key) : QString::number(value);
}

template<typename Enum>
QString flagNames(int value)
{
    const QByteArray keys = QMetaEnum::fromType<Enum>().valueToKeys(value);
    return keys.isEmpty() ? QString::number(value) : QString::fromLatin1(keys);
}

QJsonValue colourJson(const QColor &colour)
{
    if (!colour.isValid())
        return QStringLiteral("invalid");
    return colour.name(colour.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
}

QJsonValue brushJson(const QBrush &brush)
{
    QJsonObject object{{QStringLiteral("style"), enumName<Qt::BrushStyle>(brush.style())},
                       {QStringLiteral("color"), colourJson(brush.color())}};
    if (brush.style() == Qt::TexturePattern) {
        object.insert(QStringLiteral("textureWidth"), brush.textureImage().width());
        object.insert(QStringLiteral("textureHeight"), brush.textureImage().height());
    }
    return object;
}

QJsonValue penJson(const QPen &pen)
{
    return QJsonObject{{QStringLiteral("style"), enumName<Qt::PenStyle>(pen.style())},
                       {QStringLiteral("color"), colourJson(pen.color())},
                       {QStringLiteral("width"), pen.widthF()}};
}

QJsonValue lengthJson(const QTextLength &length)
{
    static const char *const types[] = {"VariableLength", "FixedLength", "PercentageLength"};
    const int type = length.type();
    return QJsonObject{
        {QStringLiteral("type"), type >= 0 && type < 3 ? QString::fromLatin1(types[type])
                                                       : QString::number(type)},
        {QStringLiteral("value"), length.rawValue()}};
}

QJsonValue tabJson(const QTextOption::Tab &tab)
{
    static const char *const types[] = {"LeftTab", "RightTab", "CenterTab", "DelimiterTab"};
    const int type = tab.type;
    QJsonObject object{
        {QStringLiteral("position"), tab.position},
        {QStringLiteral("type"), type >= 0 && type < 4 ? QString::fromLatin1(types[type])
                                                       : QString::number(type)}};
    if (!tab.delimiter.isNull())
        object.insert(QStringLiteral("delimiter"), QString(tab.delimiter));
    return object;
}

QJsonValue bytesJson(const QByteArray &bytes)
{
    return QJsonObject{{QStringLiteral("size"), bytes.size()},
                       {QStringLiteral("sha1"), QString::fromLatin1(QCryptographicHash::hash(
                                                    bytes, QCryptographicHash::Sha1).toHex())}};
}


QJsonValue styleJson(const QMKTextStyle &style)
{
    return QJsonObject{{QStringLiteral("name"), style.name()},
                       {QStringLiteral("flags"), style.flags()},
                       {QStringLiteral("colour"), colourJson(style.colour())},
                       {QStringLiteral("charFormat"), formatJson(style.charFormat())},
                       {QStringLiteral("blockFormat"), formatJson(style.blockFormat())}};
}

QJsonValue paletteJson(const QMKRgbToHighPrecisionMap &map)
{
    QJsonObject object;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        object.insert(colourJson(QColor::fromRgb(it.key())).toString(), it.value().toString());
    return object;
}

QJsonValue numberJson(double value)
{
    // JSON has no infinities or NaN.
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QString::number(value));
}

template<typename T>
QJsonArray arrayJson(const T &values)
{
    QJsonArray array;
    for (const auto &value : values)
        array.append(jsonValue(QVariant::fromValue(value)));
    return array;
}

// Qt declares no meta-enum for page breaks.
QString pageBreakNames(int flags)
{
    QStringList names;
    if (flags & QTextFormat::PageBreak_AlwaysBefore)
        names << QStringLiteral("PageBreak_AlwaysBefore");
    if (flags & QTextFormat::PageBreak_AlwaysAfter)
        names << QStringLiteral("PageBreak_AlwaysAfter");
    const int others = flags & ~(QTextFormat::PageBreak_AlwaysBefore
                                 | QTextFormat::PageBreak_AlwaysAfter);
    if (others || names.isEmpty())
        names << QString::number(others);
    return names.join(QLatin1Char('|'));
}

// The few enum-valued properties whose numbers say little to a reader.
QJsonValue namedValue(int id, const QVariant &value)
{
    switch (id) {
    case QTextFormat::BlockAlignment:
        return flagNames<Qt::Alignment>(value.toInt());
    case QTextFormat::PageBreakPolicy:
        return pageBreakNames(value.toInt());
    case QTextFormat::ObjectType:
        return enumName<QTextFormat::ObjectTypes>(value.toInt());
    default:
        return jsonValue(value);
    }
}

} // namespace

QJsonObject listLevelJson(const QMKListLevel &level)
{
    return QJsonObject{{QStringLiteral("text"), level.text},
                       {QStringLiteral("style"), level.style},
                       {QStringLiteral("indent"), level.indent},
                       {QStringLiteral("firstLinePosition"), level.firstLinePosition},
                       {QStringLiteral("start"), level.start}};
}

QJsonValue jsonValue(const QVariant &value)
{
    const int type = value.userType();
    switch (type) {
    case QMetaType::UnknownType: return QJsonValue();
    case QMetaType::Bool: return value.toBool();
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::LongLong:
    case QMetaType::ULongLong: case QMetaType::Char: case QMetaType::UChar:
        return value.toLongLong();
    case QMetaType::Double: case QMetaType::Float: return numberJson(value.toDouble());
    case QMetaType::QString: return value.toString();
    case QMetaType::QByteArray: return bytesJson(value.toByteArray());
    case QMetaType::QColor: return colourJson(value.value<QColor>());
    case QMetaType::QBrush: return brushJson(value.value<QBrush>());
    case QMetaType::QPen: return penJson(value.value<QPen>());
    case QMetaType::QTextLength: return lengthJson(value.value<QTextLength>());
    case QMetaType::QUuid: return value.toUuid().toString(QUuid::WithoutBraces);
    case QMetaType::QStringList: return QJsonArray::fromStringList(value.toStringList());
    case QMetaType::QVariantList: return arrayJson(value.toList());
    case QMetaType::QVariantMap: case QMetaType::QVariantHash: {
        QJsonObject object;
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            object.insert(it.key(), jsonValue(it.value()));
        return object;
    }
    case QMetaType::QSizeF: case QMetaType::QSize: {
        const QSizeF size = value.toSizeF();
        return QJsonObject{{QStringLiteral("width"), size.width()},
                           {QStringLiteral("height"), size.height()}};
    }
    default: break;
    }
    if (type == qMetaTypeId<QVector<QTextLength>>())
        return arrayJson(value.value<QVector<QTextLength>>());
    if (type == qMetaTypeId<QTextOption::Tab>())
        return tabJson(value.value<QTextOption::Tab>());
    if (type == qMetaTypeId<QList<QTextOption::Tab>>())
        return arrayJson(value.value<QList<QTextOption::Tab>>());
    if (type == qMetaTypeId<QMKListLevel>())
        return listLevelJson(value.value<QMKListLevel>());
    if (type == qMetaTypeId<QMKTextStyle>())
        return styleJson(value.value<QMKTextStyle>());
    if (type == qMetaTypeId<QList<QMKTextStyle>>())
        return arrayJson(value.value<QList<QMKTextStyle>>());
    if (type == qMetaTypeId<QMKHighPrecisionColor>())
        return value.value<QMKHighPrecisionColor>().toString();
    if (type == qMetaTypeId<QMKHighPrecisionColorType>())
        return value.value<QMKHighPrecisionColorType>().toString();
    if (type == qMetaTypeId<QMKRgbToHighPrecisionMap>())
        return paletteJson(value.value<QMKRgbToHighPrecisionMap>());
    if (value.canConvert<QString>())
        return value.toString();
    return QJsonObject{{QStringLiteral("type"), QString::fromLatin1(value.typeName())}};
}

QJsonObject formatJson(const QTextFormat &format)
{
    QJsonObject object;
    const QMap<int, QVariant> properties = format.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        object.insert(formatPropertyName(it.key()), namedValue(it.key(), it.value()));
    return object;
}

QJsonObject textOptionJson(const QTextOption &option)
{
    static const char *const wrapModes[] = {"NoWrap", "WordWrap", "ManualWrap",
                                            "WrapAnywhere", "WrapAtWordBoundaryOrAnywhere"};
    const int wrap = option.wrapMode();
    return QJsonObject{
        {QStringLiteral("alignment"), flagNames<Qt::Alignment>(int(option.alignment()))},
        {QStringLiteral("flags"), int(option.flags())},
        {QStringLiteral("tabStopDistance"), option.tabStopDistance()},
        {QStringLiteral("tabs"), arrayJson(option.tabs())},
        {QStringLiteral("textDirection"), enumName<Qt::LayoutDirection>(option.textDirection())},
        {QStringLiteral("useDesignMetrics"), option.useDesignMetrics()},
        {QStringLiteral("wrapMode"), wrap >= 0 && wrap < 5 ? QString::fromLatin1(wrapModes[wrap])
                                                           : QString::number(wrap)}};
}
