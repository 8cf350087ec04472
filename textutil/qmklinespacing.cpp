#include "qmklinespacing.h"

#include "qmkformatproperties.h"
#include "qmkunits.h"

#include <QTextBlockFormat>

namespace {

constexpr double SingleLinePoints = 12; // the base of a proportional spacing
constexpr double DoubleSpacingPercent = 200;

double convertedToPixels(double points, bool convert)
{
    return convert ? pointsToPixels(points) : points;
}

double convertedToPoints(double pixels, bool convert)
{
    return convert ? pixelsToPoints(pixels) : pixels;
}

} // namespace

bool lineSpacingFuzzyEqual(double a, double b)
{
    const double p = 1 + a;
    const double q = 1 + b;
    return qAbs(p - q) * 1e12 <= qMin(qAbs(p), qAbs(q));
}

QMKLineHeight lineHeightOf(const QTextBlockFormat &format)
{
    return {format.doubleProperty(QTextFormat::LineHeight),
            format.intProperty(QTextFormat::LineHeightType)};
}

QMKLineHeight lineHeightFor(const QMKLineSpacing &spacing, bool convertToPixels)
{
    const double a = spacing.spacing;
    const double b = spacing.base;
    if (lineSpacingFuzzyEqual(b, 0)) {
        if (lineSpacingFuzzyEqual(a, 0))
            return {0, QTextBlockFormat::SingleHeight};
        if (a > 0)
            return {convertedToPixels(a, convertToPixels), QTextBlockFormat::MinimumHeight};
        return {convertedToPixels(-a, convertToPixels), QTextBlockFormat::FixedHeight};
    }
    if (lineSpacingFuzzyEqual(a, 0) || lineSpacingFuzzyEqual(a, b))
        return {0, QTextBlockFormat::SingleHeight};
    if (lineSpacingFuzzyEqual(a, 2 * b))
        return {DoubleSpacingPercent, QTextBlockFormat::ProportionalHeight};
    // Hundredths are compared, not the doubles: \sl288 over a base of 12 is 120 percent, not
    // 119.99999. 64 bits, because a spacing from \sl reaches 10^8 points.
    const qint64 numerator = qRound64(100 * a);
    const qint64 denominator = qRound64(100 * b);
    if (denominator == 0)
        return {0, QTextBlockFormat::SingleHeight};
    return {double(numerator) / double(denominator) * 100, QTextBlockFormat::ProportionalHeight};
}

QMKLineSpacing spacingFromLineHeight(const QMKLineHeight &lineHeight, bool convertToPoints)
{
    switch (lineHeight.type) {
    case QTextBlockFormat::ProportionalHeight: {
        const double lines = lineHeight.height / 100;
        if (lineSpacingFuzzyEqual(lines, 1))
            return {0, 0};
        return {lines * SingleLinePoints, SingleLinePoints};
    }
    case QTextBlockFormat::FixedHeight:
        return {-convertedToPoints(lineHeight.height, convertToPoints), 0};
    case QTextBlockFormat::MinimumHeight:
    case QTextBlockFormat::LineDistanceHeight:
        return {convertedToPoints(lineHeight.height, convertToPoints), 0};
    default:
        return {0, 0};
    }
}

QMKLineSpacing normalizeLineSpacing(const QTextBlockFormat &format)
{
    const double a = format.doubleProperty(QMKFormatProperty::LineSpacing);
    const double b = format.doubleProperty(QMKFormatProperty::LineSpacingBase);
    if (lineSpacingFuzzyEqual(a, b))
        return {SingleLinePoints, SingleLinePoints};
    if (b == 0)
        return {a, 0};
    return {a * SingleLinePoints / b, SingleLinePoints};
}

void setLineSpacing(QTextBlockFormat &format, double points)
{
    format.setProperty(QMKFormatProperty::LineSpacing, points);
}

void setLineSpacingBase(QTextBlockFormat &format, double points)
{
    format.setProperty(QMKFormatProperty::LineSpacingBase, points);
}
