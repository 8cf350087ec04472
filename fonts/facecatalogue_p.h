#ifndef QMK_FACECATALOGUE_P_H
#define QMK_FACECATALOGUE_P_H

#include <QFont>
#include <QHash>
#include <QSet>
#include <QString>

// One font face as the catalogue knows it.
struct FaceRecord
{
    QString familyName;             ///< the family the face belongs to
    QString fullName;               ///< the face's full name
    QSet<QString> otherNames;       ///< further names of the family, compared ignoring case
    bool installed = false;         ///< the face is installed on this machine
    int weight = QFont::Normal;     ///< QFont weight scale
    int style = QFont::StyleNormal; ///< a QFont::Style value
    int stretch = QFont::Unstretched;
    QSet<QString> styleWords;       ///< canonical spellings, see normalizeStyleWords()
};

// Font faces by face (PostScript) key, with the names already resolved against them. Nothing in
// the library adds faces, so in practice every lookup ends in its not-found result and the
// font database decides; the lookups still run first, and cache, in the order callers rely on.
class FaceCatalogue
{
public:
    void addFace(const QString &faceKey, const FaceRecord &record);
    void addInstalledFamily(const QString &family);

    /// The record for key, or a default record.
    FaceRecord faceRecord(const QString &key) const;
    /// The face key for name, or name itself when no face has it; empty for an empty name.
    QString faceKeyForName(const QString &name);
    /// The first of a face's names that is an installed family, or empty.
    QString installedFamilyForFace(const QString &key) const;
    /// Whether the installed-family set holds name, ignoring case.
    bool containsInstalledFamily(const QString &name) const;
    /// Looks only at names resolved before; never resolves.
    bool isFamilyInstalled(const QString &name) const;
    QString postScriptName(const QString &family, int weight, bool italic, int stretch,
                           bool fallback);

private:
    struct PostScriptKey
    {
        QString family;
        int weight;
        bool italic;
        int stretch;
        bool operator==(const PostScriptKey &other) const;
    };
    friend uint qHash(const PostScriptKey &key, uint seed);

    QString lookup(const QString &name, bool includeFullNames) const;
    QString nameMatch(const QString &name, bool includeFullNames) const;
    QString styleWordMatch(const QString &familyPart, const QSet<QString> &words) const;
    QString faceWithStyle(const QString &family, int weight, bool italic, int stretch) const;
    bool isUnresolvable(const QString &name) const;

    QHash<QString, FaceRecord> faces;       ///< face key to record
    QHash<QString, QString> resolvedNames;  ///< name to the face key found for it
    QSet<QString> unresolvableNames;        ///< case-folded names no face has
    QSet<QString> installedFamilies;        ///< case-folded
    QHash<PostScriptKey, QString> postScriptNames;
};

#endif // QMK_FACECATALOGUE_P_H
