#include "qmktextstyle.h"

namespace {

void registerMetaType()
{
    static const bool registered = [] {
        qRegisterMetaType<QMKTextStyle>("QMKTextStyle");
        return true;
    }();
    Q_UNUSED(registered)
}

bool hasProperties(const QTextFormat &format)
{
    return !format.properties().isEmpty();
}

} // namespace

QMKTextStyle::QMKTextStyle()
{
    registerMetaType();
}

bool QMKTextStyle::isNull() const
{
    return m_identifier.isNull() && m_name.isNull() && !hasProperties(m_charFormat)
        && !hasProperties(m_blockFormat);
}

bool QMKTextStyle::isValid() const
{
    return !m_identifier.isNull() && !m_name.isEmpty()
        && (m_flags & (HasCharFormat | HasBlockFormat)) != 0
        && (m_charFormat.isCharFormat() || m_blockFormat.isBlockFormat())
        && (hasProperties(m_charFormat) || hasProperties(m_blockFormat));
}

QMKTextStyle QMKTextStyle::find(const QList<QMKTextStyle> &styles, const QUuid &identifier)
{
    for (const QMKTextStyle &style : styles) {
        if (style.m_identifier == identifier)
            return style;
    }
    return QMKTextStyle();
}

QMKTextStyle QMKTextStyle::find(const QList<QMKTextStyle> &styles, const QString &name,
                                Qt::CaseSensitivity sensitivity)
{
    for (const QMKTextStyle &style : styles) {
        if (style.m_name.compare(name, sensitivity) == 0)
            return style;
    }
    return QMKTextStyle();
}

bool QMKTextStyle::operator==(const QMKTextStyle &other) const
{
    return m_identifier == other.m_identifier && m_name == other.m_name
        && m_charFormat == other.m_charFormat && m_blockFormat == other.m_blockFormat
        && m_flags == other.m_flags && m_colour == other.m_colour
        && m_secondIdentifier == other.m_secondIdentifier
        && m_secondString == other.m_secondString;
}
