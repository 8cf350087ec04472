#ifndef QMK_FONTFAMILYMAP_P_H
#define QMK_FONTFAMILYMAP_P_H

#include "fonts/facecatalogue_p.h"
#include "fonts/installedfamilies_p.h"

#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What the platform's font matcher made of a requested family.
struct FontMatch
{
    QString family;                 ///< the family it chose
    bool exact = false;             ///< QFontInfo::exactMatch()
};

// The font services the family map asks; the platform's by default, a test's own otherwise.
struct FontFamilyServices
{
    std::function<QStringList()> installedFamilies; ///< asked once, on first need
    std::function<FontMatch(const QString &family, int styleHint)> matchFont;
    std::function<bool(const QString &family)> isScalable;
};

// QFontDatabase and QFontInfo.
FontFamilyServices platformFontFamilyServices();

// The family that stands in when the matcher fell back to the user-interface font; empty for
// a style hint that is no QFont::StyleHint.
QString genericFamilyForStyleHint(int styleHint);

struct ResolvedFamily
{
    QString family;
    bool found = false;
    bool exact = false;
};

class QMKFontFamilyMapPrivate
{
public:
    explicit QMKFontFamilyMapPrivate(FontFamilyServices services,
                                     FaceCatalogue catalogue = FaceCatalogue());

    const InstalledFamilies &installedFamilies();
    ResolvedFamily resolve(const QString &name, int styleHint);
    /// The catalogue's or the font database's family that stands for the name, if any.
    std::optional<QString> recogniseFamily(const QString &name);
    /// The candidate after the Helvetica substitute and the matcher's fall-back check.
    ResolvedFamily matchCandidate(QString candidate, int styleHint, bool found);
    /// Decided once: resolution reads it for every "Helvetica".
    bool isHelveticaInstalled();

    FontFamilyServices services;
    FaceCatalogue catalogue;
    std::optional<InstalledFamilies> installed; ///< read on first need
    QHash<QPair<QString, int>, ResolvedFamily> resolutions; ///< (name, style hint) to result
    std::optional<bool> helveticaInstalled;
    std::optional<bool> courierPrimeInstalled;
    QString defaultCourierFamily;   ///< empty until decided
    QString courierFamily;          ///< empty until decided
};

#endif // QMK_FONTFAMILYMAP_P_H
