#include "qmkhighprecisioncolor.h"

namespace {

void registerMetaTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<QMKHighPrecisionColor>("QMKHighPrecisionColor");
        qRegisterMetaType<QMKHighPrecisionColorType>("QMKHighPrecisionColorType");
        return true;
    }();
    Q_UNUSED(registered)
}

} // namespace

QMKHighPrecisionColor::QMKHighPrecisionColor()
{
    registerMetaTypes();
}

QMKHighPrecisionColor::~QMKHighPrecisionColor() = default;

bool QMKHighPrecisionColor::isValid() const
{
    return m_components[0] != -1 && m_components[1] != -1 && m_components[2] != -1;
}

QString QMKHighPrecisionColor::toString() const
{
    if (!isValid())
        return QString();
    return QStringLiteral("%1;%2;%3").arg(m_components[0]).arg(m_components[1]).arg(m_components[2]);
}

QColor QMKHighPrecisionColor::toColor() const
{
    return QColor::fromRgbF(m_components[0] / 100000.0, m_components[1] / 100000.0,
                            m_components[2] / 100000.0, 1.0);
}

int QMKHighPrecisionColor::component(int index) const
{
    return index >= 1 && index <= 4 ? m_components[index - 1] : -1;
}

void QMKHighPrecisionColor::setComponent(int index, int value)
{
    if (index >= 1 && index <= 4)
        m_components[index - 1] = value;
}

bool QMKHighPrecisionColor::operator==(const QMKHighPrecisionColor &other) const
{
    return std::equal(std::begin(m_components), std::end(m_components),
                      std::begin(other.m_components));
}

QMKHighPrecisionColorType::QMKHighPrecisionColorType(int colorSpace)
    : m_colorSpace(colorSpace)
{
}

int QMKHighPrecisionColorType::colorSpace() const
{
    return m_colorSpace;
}

void QMKHighPrecisionColorType::setColorSpace(int colorSpace)
{
    m_colorSpace = colorSpace;
}

bool QMKHighPrecisionColorType::isValid() const
{
    return m_colorSpace != NoColorSpace && QMKHighPrecisionColor::isValid();
}

bool QMKHighPrecisionColorType::operator==(const QMKHighPrecisionColorType &other) const
{
    return m_colorSpace == other.m_colorSpace && QMKHighPrecisionColor::operator==(other);
}
