#ifndef QMKLINESPACING_H
#define QMKLINESPACING_H

class QTextBlockFormat;

// RTF states line spacing as a distance in twips (\sl: positive at least, negative exactly)
// that \slmult turns into a multiple of a single line. Blocks keep that view, in points, in
// QMKFormatProperty::LineSpacing and ::LineSpacingBase beside Qt's own line height, so that a
// document read from RTF and written back states the spacing it was read with.

/// Line spacing as RTF sees it, in points.
struct QMKLineSpacing
{
    double spacing = 0;         ///< > 0 at least, < 0 exactly; the line height when proportional
    double base = 0;            ///< 12 when proportional to a 12-point single line, else 0
};

/// Line spacing as Qt's layout sees it.
struct QMKLineHeight
{
    double height = 0;          ///< percent when proportional, else a length
    int type = 0;               ///< a QTextBlockFormat::LineHeightTypes value
};

/// Equality of spacings within a relative tolerance of 1e-12 around 1 + value, so that a
/// value compares with 0 too.
bool lineSpacingFuzzyEqual(double a, double b);

/// The block's Qt line height (0 and single spacing when absent).
QMKLineHeight lineHeightOf(const QTextBlockFormat &format);

/// The Qt line height for an RTF spacing; lengths are converted from points to pixels when
/// convertToPixels is set.
QMKLineHeight lineHeightFor(const QMKLineSpacing &spacing, bool convertToPixels);

/// The RTF spacing for a Qt line height; lengths are converted from pixels to points when
/// convertToPoints is set.
QMKLineSpacing spacingFromLineHeight(const QMKLineHeight &lineHeight, bool convertToPoints);

/// The block's stored spacing rescaled to base 12; the format is not changed.
QMKLineSpacing normalizeLineSpacing(const QTextBlockFormat &format);

void setLineSpacing(QTextBlockFormat &format, double points);
void setLineSpacingBase(QTextBlockFormat &format, double points);

#endif // QMKLINESPACING_H
