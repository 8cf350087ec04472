#ifndef QMK_FAKEFONTSERVICES_H
#define QMK_FAKEFONTSERVICES_H

// Font services whose answers a test controls, so that results do not depend on the fonts of
// the machine.

#include "fonts/fontfaces_p.h"
#include "fonts/fontfamilymap_p.h"
#include "qmkfontfamilymap.h"

#include <QHash>
#include <QStringList>
#include <QVector>

#include <memory>

inline QString text(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

// "Arial|Times New Roman" gives {"Arial", "Times New Roman"}.
inline QStringList familyList(const char *barSeparated)
{
    return text(barSeparated).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

// The family map's services. The matcher answers an installed family exactly and anything
// else with `fallback`, as the platform's matcher does.
struct FakeFontFamilyServices
{
    QStringList installed;
    QString fallback = QStringLiteral("MS Shell Dlg 2");
    bool courierScalable = false;
    int familyListReads = 0;
    int matcherCalls = 0;

    FontFamilyServices services()
    {
        FontFamilyServices s;
        s.installedFamilies = [this] {
            ++familyListReads;
            return installed;
        };
        s.matchFont = [this](const QString &family, int) {
            ++matcherCalls;
            return installed.contains(family) ? FontMatch{family, true}
                                              : FontMatch{fallback, false};
        };
        s.isScalable = [this](const QString &family) {
            return courierScalable && family == QLatin1String("Courier");
        };
        return s;
    }

    std::unique_ptr<QMKFontFamilyMap> map(FaceCatalogue catalogue = FaceCatalogue())
    {
        return std::make_unique<QMKFontFamilyMap>(
            std::make_unique<QMKFontFamilyMapPrivate>(services(), std::move(catalogue)));
    }
};

// The font database's faces: family to its faces.
struct FakeFontFaceServices
{
    QHash<QString, QVector<FaceEntry>> faces;
    int styleQueries = 0;

    void addFace(const QString &family, const QString &style, int weight, bool italic = false)
    {
        faces[family].append(FaceEntry{style, weight, italic});
    }

    FontFaceServices services()
    {
        FontFaceServices s;
        s.styles = [this](const QString &family) {
            ++styleQueries;
            QStringList styles;
            for (const FaceEntry &face : faces.value(family))
                styles.append(face.styleName);
            return styles;
        };
        s.weight = [this](const QString &family, const QString &style) {
            return find(family, style).weight;
        };
        s.italic = [this](const QString &family, const QString &style) {
            return find(family, style).italic;
        };
        return s;
    }

private:
    FaceEntry find(const QString &family, const QString &style) const
    {
        for (const FaceEntry &face : faces.value(family)) {
            if (face.styleName == style)
                return face;
        }
        return FaceEntry{style, -1, false};
    }
};

#endif // QMK_FAKEFONTSERVICES_H
