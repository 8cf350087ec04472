#include "qmkfontconstruction.h"

#include "fonts/fontfaces_p.h"
#include "qmkfontfamilymap.h"
#include "qmkfontnames.h"

#include <QStringList>

namespace {

// A normal weight is never written, so that a base font's own weight survives it.
void setWeightUnlessNormal(QFont &font, int weight)
{
    if (weight != QFont::Normal)
        font.setWeight(weight);
}

// Reads the style part of a description ("BoldOblique"); true when it named a weight.
bool applyStyleText(QFont &font, const QString &family, const QString &styleText,
                    FontFaces &faces)
{
    bool namesWeight = false;
    const int weight = weightFromStyleText(styleText, &namesWeight);
    if (namesWeight)
        setWeightUnlessNormal(font, faces.closestWeight(family, weight));
    if (const std::optional<QFont::Style> slant = styleFromStyleText(styleText))
        font.setStyle(*slant);
    if (const std::optional<int> stretch = stretchFromStyleText(styleText))
        font.setStretch(*stretch);
    if (styleText.contains(QLatin1String("StrikeOut"), Qt::CaseInsensitive))
        font.setStrikeOut(true);
    if (styleText.contains(QLatin1String("Underline"), Qt::CaseInsensitive))
        font.setUnderline(true);
    return namesWeight;
}

} // namespace

QFont buildFontFromDescription(const QString &description, int styleHint, const QFont *baseFont,
                               bool *found, QMKFontFamilyMap &familyMap, FontFaces &faces)
{
    if (description.isEmpty())
        return QFont();
    const QStringList parts = description.split(QLatin1Char('-'), Qt::SkipEmptyParts);

    // The whole description first: family names may contain dashes themselves.
    bool familyFound = false;
    QString family = familyMap.resolveFamily(description, styleHint, &familyFound);
    if (!familyFound && !parts.isEmpty())
        family = familyMap.resolveFamily(parts.first(), styleHint, &familyFound);
    if (found)
        *found = familyFound;

    QFont font = baseFont ? *baseFont : QFont(family, -1, -1, false);
    if (baseFont)
        font.setFamily(family);

    bool weightNamed = false;
    if (parts.size() >= 2)
        weightNamed = applyStyleText(font, family, parts.at(1), faces);
    if (parts.size() >= 3)
        font.setStyleName(parts.at(2));
    if (!weightNamed)
        setWeightUnlessNormal(font, faces.closestWeight(font.family(), QFont::Normal));
    return font;
}

QFont fontFromDescription(const QString &description, int styleHint, const QFont *baseFont,
                          bool *found)
{
    return buildFontFromDescription(description, styleHint, baseFont, found,
                                    *QMKFontFamilyMap::instance(), FontFaces::instance());
}

int closestWeight(const QString &family, int weight)
{
    return FontFaces::instance().closestWeight(family, weight);
}

QSet<int> availableWeights(const QString &family)
{
    return FontFaces::instance().availableWeights(family);
}
