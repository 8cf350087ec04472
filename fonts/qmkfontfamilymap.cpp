#include "qmkfontfamilymap.h"

#include "fonts/fontfamilymap_p.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace {

bool equalIgnoringCase(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Values outside the enumeration would be undefined behaviour once cast to it.
QFont::StyleHint toStyleHint(int styleHint)
{
    return styleHint >= QFont::Helvetica && styleHint <= QFont::Fantasy
               ? QFont::StyleHint(styleHint)
               : QFont::AnyStyle;
}

// On Windows the matcher answers a family it does not know with the user-interface font.
bool fellBackToInterfaceFont(const QString &matched, const QString &candidate)
{
    const QString shellDlg = QStringLiteral("MS Shell Dlg");
    const QString segoeUi = QStringLiteral("Segoe UI");
    return (matched.startsWith(shellDlg, Qt::CaseInsensitive) && candidate != shellDlg)
           || (matched.startsWith(segoeUi, Qt::CaseInsensitive) && candidate != segoeUi);
}

} // namespace

FontFamilyServices platformFontFamilyServices()
{
    FontFamilyServices services;
    services.installedFamilies = [] { return QFontDatabase().families(); };
    services.matchFont = [](const QString &family, int styleHint) {
        QFont font(family, -1, -1, false);
        font.setStyleHint(toStyleHint(styleHint), QFont::PreferDefault);
        const QFontInfo info(font);
        return FontMatch{info.family(), info.exactMatch()};
    };
    services.isScalable = [](const QString &family) {
        return QFontDatabase().isScalable(family, QString());
    };
    return services;
}

QString genericFamilyForStyleHint(int styleHint)
{
    switch (styleHint) {
    case QFont::SansSerif:
    case QFont::System:
    case QFont::AnyStyle:
        return QStringLiteral("Arial");
    case QFont::Serif:
        return QStringLiteral("Times New Roman");
    case QFont::TypeWriter:
    case QFont::Monospace:
        return QStringLiteral("Courier Prime");
    case QFont::Decorative:
    case QFont::Cursive:
    case QFont::Fantasy:
        return QStringLiteral("Segoe Script");
    default:
        return QString();
    }
}

QMKFontFamilyMapPrivate::QMKFontFamilyMapPrivate(FontFamilyServices services,
                                                 FaceCatalogue catalogue)
    : services(std::move(services)), catalogue(std::move(catalogue))
{
}

const InstalledFamilies &QMKFontFamilyMapPrivate::installedFamilies()
{
    if (!installed)
        installed.emplace(services.installedFamilies());
    return *installed;
}

ResolvedFamily QMKFontFamilyMapPrivate::resolve(const QString &name, int styleHint)
{
    if (name.isEmpty())
        return ResolvedFamily();
    const QPair<QString, int> key(name, styleHint);
    const auto cached = resolutions.constFind(key);
    if (cached != resolutions.cend())
        return cached.value();

    // Word processors write "Courier" for the typewriter face; Courier Prime is the scalable
    // face that stands for it.
    const QString candidate = equalIgnoringCase(name, QStringLiteral("Courier"))
                                  ? QStringLiteral("Courier Prime")
                                  : name;
    const std::optional<QString> recognised = recogniseFamily(candidate);

    // A PostScript name such as "Helvetica-Bold" names a face of the family before the dash.
    // A name that begins with a dash has no such family and goes to the matcher as it is.
    const int dash = name.indexOf(QLatin1Char('-'));
    if (!recognised && candidate.contains(QLatin1Char('-')) && dash > 0) {
        ResolvedFamily result = resolve(name.left(dash), styleHint);
        result.exact = false;
        resolutions.insert(key, result);
        return result;
    }

    const ResolvedFamily result =
        matchCandidate(recognised.value_or(candidate), styleHint, recognised.has_value());
    resolutions.insert(key, result);
    return result;
}

std::optional<QString> QMKFontFamilyMapPrivate::recogniseFamily(const QString &name)
{
    const QString forFace = catalogue.installedFamilyForFace(name);
    if (!forFace.isEmpty())
        return forFace;
    if (catalogue.containsInstalledFamily(name))
        return name;
    const QString installedMatch = installedFamilies().match(name);
    if (!installedMatch.isEmpty())
        return installedMatch;
    return std::nullopt;
}

ResolvedFamily QMKFontFamilyMapPrivate::matchCandidate(QString candidate, int styleHint,
                                                       bool found)
{
    // Arial has Helvetica's metrics and is what documents written elsewhere expect.
    if (candidate == QLatin1String("Helvetica") && !isHelveticaInstalled())
        candidate = QStringLiteral("Arial");

    const FontMatch match = services.matchFont(candidate, styleHint);
    if (!match.exact && fellBackToInterfaceFont(match.family, candidate)) {
        const QString generic = genericFamilyForStyleHint(styleHint);
        if (!generic.isEmpty())
            candidate = generic;
    }
    return ResolvedFamily{candidate, found, match.exact};
}

bool QMKFontFamilyMapPrivate::isHelveticaInstalled()
{
    if (!helveticaInstalled)
        helveticaInstalled = catalogue.isFamilyInstalled(QStringLiteral("Helvetica"));
    return *helveticaInstalled;
}

QMKFontFamilyMap *QMKFontFamilyMap::instance()
{
    static QMKFontFamilyMap map(
        std::make_unique<QMKFontFamilyMapPrivate>(platformFontFamilyServices()));
    return &map;
}

QMKFontFamilyMap::QMKFontFamilyMap(std::unique_ptr<QMKFontFamilyMapPrivate> d)
    : d(std::move(d))
{
}

QMKFontFamilyMap::~QMKFontFamilyMap() = default;

QString QMKFontFamilyMap::resolveFamily(const QString &name, int styleHint, bool *found,
                                        bool *exact)
{
    const ResolvedFamily result = d->resolve(name, styleHint);
    if (found)
        *found = result.found;
    if (exact)
        *exact = result.exact;
    return result.family;
}

QString QMKFontFamilyMap::installedFamilyMatch(const QString &name)
{
    return d->installedFamilies().match(name);
}

QString QMKFontFamilyMap::faceKeyForName(const QString &name)
{
    return d->catalogue.faceKeyForName(name);
}

bool QMKFontFamilyMap::isFamilyInstalled(const QString &name)
{
    return d->catalogue.isFamilyInstalled(name);
}

QString QMKFontFamilyMap::postScriptName(const QString &family, int weight, bool italic,
                                         int stretch, bool fallback)
{
    return d->catalogue.postScriptName(family, weight, italic, stretch, fallback);
}

QString QMKFontFamilyMap::defaultCourierFamily()
{
    if (d->defaultCourierFamily.isEmpty()) {
        const QString finalDraft = QStringLiteral("Courier Final Draft");
        d->defaultCourierFamily = isFamilyInstalled(finalDraft) ? finalDraft
                                                                : QStringLiteral("Courier New");
    }
    return d->defaultCourierFamily;
}

QString QMKFontFamilyMap::courierFamily()
{
    if (d->courierFamily.isEmpty()) {
        const QString courier = QStringLiteral("Courier");
        d->courierFamily = d->services.isScalable(courier) ? courier
                                                           : QStringLiteral("Courier New");
    }
    return d->courierFamily;
}

bool QMKFontFamilyMap::isHelveticaInstalled()
{
    return d->isHelveticaInstalled();
}

bool QMKFontFamilyMap::isCourierPrimeInstalled()
{
    if (!d->courierPrimeInstalled)
        d->courierPrimeInstalled = isFamilyInstalled(QStringLiteral("Courier Prime"));
    return *d->courierPrimeInstalled;
}
