#include "qmkrevisionpalette.h"

#include <array>

namespace {

const std::array<QColor, 5> &palette()
{
    static const std::array<QColor, 5> colours = {
        QColor(251, 0, 23), QColor(16, 128, 214), QColor(48, 150, 3),
        QColor(218, 102, 7), QColor(128, 34, 175),
    };
    return colours;
}

} // namespace

int paletteIndexOf(const QColor &colour)
{
    const auto &colours = palette();
    for (size_t i = 0; i < colours.size(); ++i) {
        if (colours[i] == colour)
            return int(i) + 1;
    }
    // A colour given another way (with alpha, or as HSV) still names its level.
    for (size_t i = 0; i < colours.size(); ++i) {
        if (colours[i].rgb() == colour.rgb())
            return int(i) + 1;
    }
    return -1;
}

QColor paletteColour(int index)
{
    if (index < 1 || index > 5)
        return QColor(Qt::black);
    return palette()[size_t(index) - 1];
}
