#ifndef QMK_FONTFACES_P_H
#define QMK_FONTFACES_P_H

#include <QCache>
#include <QFont>
#include <QHash>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QMKFontFamilyMap;

// One face of a family, as the font database describes it.
struct FaceEntry
{
    QString styleName;
    int weight = QFont::Normal;     ///< QFont weight scale
    bool italic = false;
};

// Where face lists come from; the platform's font database by default, a test's own otherwise.
struct FontFaceServices
{
    std::function<QStringList(const QString &family)> styles;
    std::function<int(const QString &family, const QString &style)> weight;
    std::function<bool(const QString &family, const QString &style)> italic;
};

FontFaceServices platformFontFaceServices();

// The faces of font families and the weights chosen in them, cached for the process. Style
// names and face lists are kept for the 15 families used most recently (an RTF file rarely
// switches between more); chosen weights are kept for every family.
class FontFaces
{
public:
    static constexpr int cachedFamilies = 15;

    explicit FontFaces(FontFaceServices services);
    static FontFaces &instance();

    QStringList familyStyles(const QString &family);
    QVector<FaceEntry> faceList(const QString &family);
    QSet<int> availableWeights(const QString &family);
    int closestWeight(const QString &family, int weight);

    /// Whether a cache holds the family; looking does not make it recently used.
    bool hasCachedStyles(const QString &family) const { return styleNames.contains(family); }
    bool hasCachedFaceList(const QString &family) const { return faceLists.contains(family); }

private:
    FontFaceServices services;
    QCache<QString, QStringList> styleNames{cachedFamilies};
    QCache<QString, QVector<FaceEntry>> faceLists{cachedFamilies};
    QHash<QPair<QString, int>, int> chosenWeights; ///< (family, requested) to chosen weight
};

// The weight to use for a request of `weight` among the `available` weights of a family.
int chooseClosestWeight(const QSet<int> &available, int weight);

// fontFromDescription() on the given map and faces instead of the process-wide ones.
QFont buildFontFromDescription(const QString &description, int styleHint, const QFont *baseFont,
                               bool *found, QMKFontFamilyMap &familyMap, FontFaces &faces);

#endif // QMK_FONTFACES_P_H
