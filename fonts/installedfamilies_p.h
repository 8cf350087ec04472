#ifndef QMK_INSTALLEDFAMILIES_P_H
#define QMK_INSTALLEDFAMILIES_P_H

#include <QMultiMap>
#include <QSet>
#include <QString>
#include <QStringList>

// The font families installed on this machine and how a name that RTF gives finds one of
// them. Built from a plain list so that tests can control it.
class InstalledFamilies
{
public:
    explicit InstalledFamilies(const QStringList &families);

    // The family name reduced to its letters, case kept: "Times New Roman" gives
    // "TimesNewRoman".
    static QString lettersOnlyKey(const QString &name);

    // An installed family that stands for name, or empty: the name itself, then a family with
    // the same letters, then the longest family whose letters begin or extend the name's, then
    // the same two prefix rules on the raw names. Letters only count when there are some.
    QString match(const QString &name) const;

    const QStringList &families() const { return m_families; }

private:
    QString matchLettersOnly(const QString &key) const;
    QString matchRaw(const QString &name) const;

    QStringList m_families;
    QSet<QString> m_familySet;
    QMultiMap<QString, QString> m_byLettersKey; ///< letters-only key to family
};

#endif // QMK_INSTALLEDFAMILIES_P_H
