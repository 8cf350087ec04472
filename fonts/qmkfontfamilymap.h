#ifndef QMKFONTFAMILYMAP_H
#define QMKFONTFAMILYMAP_H

#include <QString>

#include <memory>

class QMKFontFamilyMapPrivate;

// Turns the font names RTF files carry ("Times New Roman", "Helvetica-Bold", a family this
// machine lacks) into installed families, and supplies the standard Courier and Helvetica
// substitutes and the face names the writer records. One map per process; every result is
// cached until exit. Main thread only: nothing here is locked.
class QMKFontFamilyMap
{
public:
    static QMKFontFamilyMap *instance();

    // Used by instance() and by tests that bring their own font services.
    explicit QMKFontFamilyMap(std::unique_ptr<QMKFontFamilyMapPrivate> d);
    ~QMKFontFamilyMap();
    QMKFontFamilyMap(const QMKFontFamilyMap &) = delete;
    QMKFontFamilyMap &operator=(const QMKFontFamilyMap &) = delete;

    // The family to use for name with a QFont::StyleHint value; empty only for an empty name.
    // `found`: an installed family was recognised for the name; `exact`: the font matcher
    // reported an exact match.
    QString resolveFamily(const QString &name, int styleHint, bool *found = nullptr,
                          bool *exact = nullptr);
    // An installed family that stands for name ("Times" finds "Times New Roman"), or empty.
    QString installedFamilyMatch(const QString &name);
    // The face (PostScript) key of a face called name, or name itself.
    QString faceKeyForName(const QString &name);
    bool isFamilyInstalled(const QString &name);
    // The face key of the family's face with that weight (negative: any), slant and stretch;
    // when none fits, the family's own face key with `fallback`, else empty.
    QString postScriptName(const QString &family, int weight, bool italic, int stretch,
                           bool fallback);

    QString defaultCourierFamily();
    QString courierFamily();
    bool isHelveticaInstalled();
    bool isCourierPrimeInstalled();

private:
    std::unique_ptr<QMKFontFamilyMapPrivate> d;
};

#endif // QMKFONTFAMILYMAP_H
