#include "fonts/facecatalogue_p.h"

#include "qmkfontnames.h"

namespace {

bool equalIgnoringCase(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool containsIgnoringCase(const QSet<QString> &names, const QString &name)
{
    for (const QString &n : names) {
        if (equalIgnoringCase(n, name))
            return true;
    }
    return false;
}

bool hasName(const FaceRecord &record, const QString &name, bool includeFullName)
{
    return equalIgnoringCase(record.familyName, name)
           || (includeFullName && equalIgnoringCase(record.fullName, name))
           || containsIgnoringCase(record.otherNames, name);
}

bool sameStyleWords(const QSet<QString> &a, const QSet<QString> &b)
{
    if (a.size() != b.size())
        return false;
    for (const QString &word : a) {
        if (!containsIgnoringCase(b, word))
            return false;
    }
    return true;
}

// A negative weight asks for any weight.
bool faceFits(const FaceRecord &record, const QString &family, int weight, bool italic,
              int stretch, bool includeFullName)
{
    return (weight < 0 || record.weight == weight) && record.style == int(italic)
           && record.stretch == stretch && hasName(record, family, includeFullName);
}

QString withoutBlanks(QString name)
{
    return name.remove(QLatin1Char(' '));
}

} // namespace

bool FaceCatalogue::PostScriptKey::operator==(const PostScriptKey &other) const
{
    return family == other.family && weight == other.weight && italic == other.italic
           && stretch == other.stretch;
}

uint qHash(const FaceCatalogue::PostScriptKey &key, uint seed)
{
    return qHash(key.family, seed) ^ qHash(uint(key.weight) * 2u + uint(key.italic), seed)
           ^ qHash(key.stretch, seed + 1);
}

void FaceCatalogue::addFace(const QString &faceKey, const FaceRecord &record)
{
    faces.insert(faceKey, record);
}

void FaceCatalogue::addInstalledFamily(const QString &family)
{
    installedFamilies.insert(family.toCaseFolded());
}

FaceRecord FaceCatalogue::faceRecord(const QString &key) const
{
    return faces.value(key);
}

QString FaceCatalogue::faceKeyForName(const QString &name)
{
    if (name.isEmpty())
        return QString();
    const auto resolved = resolvedNames.constFind(name);
    if (resolved != resolvedNames.cend())
        return resolved.value();
    if (isUnresolvable(name))
        return name;

    QString key = lookup(name, false);
    if (key.isEmpty())
        key = lookup(name, true);
    if (key.isEmpty()) {
        unresolvableNames.insert(name.toCaseFolded());
        return name;
    }
    resolvedNames.insert(name, key);
    return key;
}

QString FaceCatalogue::lookup(const QString &name, bool includeFullNames) const
{
    if (isUnresolvable(name))
        return QString();
    QString key = nameMatch(name, includeFullNames);
    if (!key.isEmpty())
        return key;

    // "Arial Narrow Bold" names a face of the family "Arial Narrow".
    QString familyPart = name;
    QSet<QString> words;
    if (stripStyleWords(name, &familyPart, &words) && !isUnresolvable(familyPart)) {
        normalizeStyleWords(words);
        key = styleWordMatch(familyPart, words);
        if (key.isEmpty())
            key = nameMatch(familyPart, includeFullNames);
        if (!key.isEmpty())
            return key;
    }

    // PostScript keys are names without blanks ("TimesNewRomanPSMT").
    if (name.contains(QLatin1Char(' ')) && faces.contains(withoutBlanks(name)))
        return withoutBlanks(name);
    if (familyPart.contains(QLatin1Char(' ')) && faces.contains(withoutBlanks(familyPart)))
        return withoutBlanks(familyPart);
    if (!name.contains(QLatin1Char(' ')) && faces.contains(name))
        return name;
    return QString();
}

QString FaceCatalogue::nameMatch(const QString &name, bool includeFullNames) const
{
    for (auto it = faces.cbegin(); it != faces.cend(); ++it) {
        if (hasName(it.value(), name, includeFullNames))
            return it.key();
    }
    return QString();
}

QString FaceCatalogue::styleWordMatch(const QString &familyPart,
                                      const QSet<QString> &words) const
{
    for (const bool includeFullNames : {false, true}) {
        for (auto it = faces.cbegin(); it != faces.cend(); ++it) {
            if (hasName(it.value(), familyPart, includeFullNames)
                && sameStyleWords(it.value().styleWords, words))
                return it.key();
        }
    }
    return QString();
}

QString FaceCatalogue::installedFamilyForFace(const QString &key) const
{
    const FaceRecord record = faceRecord(key);
    if (containsInstalledFamily(record.familyName))
        return record.familyName;
    if (containsInstalledFamily(record.fullName))
        return record.fullName;
    for (const QString &name : record.otherNames) {
        if (containsInstalledFamily(name))
            return name;
    }
    return QString();
}

bool FaceCatalogue::containsInstalledFamily(const QString &name) const
{
    return !name.isEmpty() && installedFamilies.contains(name.toCaseFolded());
}

bool FaceCatalogue::isFamilyInstalled(const QString &name) const
{
    const auto resolved = resolvedNames.constFind(name);
    return resolved != resolvedNames.cend() && faceRecord(resolved.value()).installed;
}

QString FaceCatalogue::postScriptName(const QString &family, int weight, bool italic,
                                      int stretch, bool fallback)
{
    const PostScriptKey cacheKey{family, weight, italic, stretch};
    const auto cached = postScriptNames.constFind(cacheKey);
    if (cached != postScriptNames.cend())
        return cached.value();

    QString key = faceKeyForName(family);
    if (key.isEmpty() || !faceFits(faceRecord(key), family, weight, italic, stretch, false))
        key = faceWithStyle(family, weight, italic, stretch);
    if (!key.isEmpty()) {
        postScriptNames.insert(cacheKey, key);
        return key;
    }
    return fallback ? faceKeyForName(family) : QString();
}

QString FaceCatalogue::faceWithStyle(const QString &family, int weight, bool italic,
                                     int stretch) const
{
    for (const bool includeFullNames : {false, true}) {
        for (auto it = faces.cbegin(); it != faces.cend(); ++it) {
            if (faceFits(it.value(), family, weight, italic, stretch, includeFullNames))
                return it.key();
        }
    }
    return QString();
}

bool FaceCatalogue::isUnresolvable(const QString &name) const
{
    return unresolvableNames.contains(name.toCaseFolded());
}
