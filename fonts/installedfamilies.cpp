#include "fonts/installedfamilies_p.h"

InstalledFamilies::InstalledFamilies(const QStringList &families)
{
    for (const QString &family : families) {
        // An empty name would be a prefix of every name in the raw pass.
        if (family.isEmpty() || m_familySet.contains(family))
            continue;
        m_families.append(family);
        m_familySet.insert(family);
        m_byLettersKey.insert(lettersOnlyKey(family), family);
    }
}

QString InstalledFamilies::lettersOnlyKey(const QString &name)
{
    QString key;
    key.reserve(name.size());
    for (const QChar c : name) {
        if (c.isLetter())
            key.append(c);
    }
    return key;
}

QString InstalledFamilies::match(const QString &name) const
{
    if (m_familySet.contains(name))
        return name;
    // A name without letters ("1234", or "???" from a name in an unknown code page) has an
    // empty key, which every key extends: the letters would pick an arbitrary family.
    const QString key = lettersOnlyKey(name);
    if (!key.isEmpty()) {
        const QString byLetters = matchLettersOnly(key);
        if (!byLetters.isEmpty())
            return byLetters;
    }
    return matchRaw(name);
}

QString InstalledFamilies::matchLettersOnly(const QString &key) const
{
    const auto same = m_byLettersKey.constFind(key);
    if (same != m_byLettersKey.cend())
        return same.value();

    // A longer name that extends an installed family ("Arial Narrow Special" finds "Arial
    // Narrow"): the longest installed key that is a prefix of ours. Walking the families rather
    // than the prefixes of the name keeps a huge name from costing its length squared.
    QString best;
    int bestLength = 0;
    for (auto it = m_byLettersKey.cbegin(); it != m_byLettersKey.cend(); ++it) {
        if (it.key().size() > bestLength && key.startsWith(it.key()) && !it.value().isEmpty()) {
            bestLength = it.key().size();
            best = it.value();
        }
    }
    if (!best.isEmpty())
        return best;

    // A short name that an installed family extends ("Times" finds "Times New Roman"). Keys
    // that begin with ours sort together right after it; on equal lengths the first wins.
    bestLength = -1;
    for (auto it = m_byLettersKey.lowerBound(key);
         it != m_byLettersKey.cend() && it.key().startsWith(key); ++it) {
        if (it.key().size() > bestLength) {
            bestLength = it.key().size();
            best = it.value();
        }
    }
    return best;
}

QString InstalledFamilies::matchRaw(const QString &name) const
{
    QString best;
    for (const QString &family : m_families) {
        if (name.startsWith(family) && family.size() > best.size())
            best = family;
    }
    if (!best.isEmpty())
        return best;
    for (const QString &family : m_families) {
        if (family.startsWith(name) && family.size() > best.size())
            best = family;
    }
    return best;
}
