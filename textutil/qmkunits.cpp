#include "qmkunits.h"

// Exported by QtGui: the logical resolution Qt's text layout uses (96 under Qt::AA_Use96Dpi).
int qt_defaultDpi();

namespace {

// Taken once: a later change of screen resolution must not change the lengths of a
// document half-way through an import or an export.
struct UnitFactors
{
    double pointsPerPixel;
    double pixelsPerPoint;
};

const UnitFactors &factors()
{
    static const UnitFactors f = [] {
        const double dpi = qt_defaultDpi();
        return UnitFactors{72.0 / dpi, dpi / 72.0};
    }();
    return f;
}

} // namespace

double pixelsToPoints(double pixels)
{
    return pixels * factors().pointsPerPixel;
}

double pointsToPixels(double points)
{
    return points * factors().pixelsPerPoint;
}

double pixelsToTwips(double pixels)
{
    return pixels * factors().pointsPerPixel * 20;
}

double twipsToPixels(int twips)
{
    return factors().pixelsPerPoint * (twips / 20.0);
}
