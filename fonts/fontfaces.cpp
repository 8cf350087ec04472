#include "fonts/fontfaces_p.h"

#include <QFontDatabase>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

// Weights above Medium count as bold: a bold request never gets a lighter face, a light or
// normal request never a bold one.
constexpr int heaviestNonBold = QFont::Medium;

// The weight nearest to `weight`, starting from `best`; on equal distance the lighter wins.
int nearestWeight(const QVector<int> &ascending, int weight, int best, int bestDistance)
{
    for (const int candidate : ascending) {
        // Wide enough for any requested weight.
        const qint64 distance = std::abs(qint64(weight) - candidate);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

int closestLightWeight(const QVector<int> &ascending, int weight)
{
    // Any existing weight up to Normal will do; 0 (Thin) only when nothing else is near.
    std::optional<int> heaviestUpToNormal;
    for (const int candidate : ascending) {
        if (candidate <= QFont::Normal)
            heaviestUpToNormal = candidate;
    }
    if (heaviestUpToNormal && *heaviestUpToNormal != 0)
        return *heaviestUpToNormal;
    const int best = nearestWeight(ascending, weight, QFont::Normal, 87);
    return best > heaviestNonBold ? int(QFont::Normal) : best;
}

int closestBoldWeight(const QVector<int> &ascending, int weight)
{
    for (const int candidate : ascending) {
        if (candidate >= weight)
            return candidate;
    }
    const int best = nearestWeight(ascending, weight, QFont::Bold, 100);
    return best <= heaviestNonBold ? int(QFont::Bold) : best;
}

} // namespace

int chooseClosestWeight(const QSet<int> &available, int weight)
{
    if (available.contains(weight))
        return weight;
    if (available.size() == 1) {
        const int only = *available.cbegin();
        if (weight > heaviestNonBold)
            return only > heaviestNonBold ? only : int(QFont::Bold);
        return only <= heaviestNonBold ? only : int(QFont::Normal);
    }
    QVector<int> ascending(available.cbegin(), available.cend());
    std::sort(ascending.begin(), ascending.end());
    return weight <= heaviestNonBold ? closestLightWeight(ascending, weight)
                                     : closestBoldWeight(ascending, weight);
}

FontFaceServices platformFontFaceServices()
{
    FontFaceServices services;
    services.styles = [](const QString &family) { return QFontDatabase().styles(family); };
    services.weight = [](const QString &family, const QString &style) {
        return QFontDatabase().weight(family, style);
    };
    services.italic = [](const QString &family, const QString &style) {
        return QFontDatabase().italic(family, style);
    };
    return services;
}

FontFaces::FontFaces(FontFaceServices services) : services(std::move(services)) {}

FontFaces &FontFaces::instance()
{
    static FontFaces faces(platformFontFaceServices());
    return faces;
}

QStringList FontFaces::familyStyles(const QString &family)
{
    if (family.isEmpty())
        return QStringList();
    if (const QStringList *cached = styleNames.object(family))
        return *cached;
    const QStringList styles = services.styles(family);
    styleNames.insert(family, new QStringList(styles));
    return styles;
}

QVector<FaceEntry> FontFaces::faceList(const QString &family)
{
    if (family.isEmpty())
        return QVector<FaceEntry>();
    if (const QVector<FaceEntry> *cached = faceLists.object(family))
        return *cached;
    QVector<FaceEntry> faces;
    for (const QString &style : familyStyles(family)) {
        const int weight = services.weight(family, style);
        if (weight >= 0)
            faces.append(FaceEntry{style, weight, services.italic(family, style)});
    }
    faceLists.insert(family, new QVector<FaceEntry>(faces));
    return faces;
}

QSet<int> FontFaces::availableWeights(const QString &family)
{
    QSet<int> weights;
    for (const FaceEntry &face : faceList(family))
        weights.insert(face.weight);
    if (weights.isEmpty())
        return {QFont::Light, QFont::Normal, QFont::Bold};
    return weights;
}

int FontFaces::closestWeight(const QString &family, int weight)
{
    if (family.isEmpty())
        return QFont::Normal;
    const QPair<QString, int> key(family, weight);
    const auto cached = chosenWeights.constFind(key);
    if (cached != chosenWeights.cend())
        return cached.value();
    const int chosen = chooseClosestWeight(availableWeights(family), weight);
    chosenWeights.insert(key, chosen);
    return chosen;
}
