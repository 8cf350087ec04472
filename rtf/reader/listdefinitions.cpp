// What a list table entry becomes: level texts read as number templates or bullets, marker
// names, and the list format that carries the levels.

#include "rtf/reader/listdefinitions.h"

namespace {

bool isRecognisedBullet(QChar c)
{
    switch (c.unicode()) {
    case 0x002D: case 0x2010: case 0x2043: case 0x2212: case 0x2022: case 0x25CF: case 0x25A0:
    case 0x25AA: case 0x25C6: case 0x2B25: case 0x2B29: case 0x25CB: case 0x25E6: case 0x2713:
        return true;
    default:
        return false;
    }
}

QChar normalisedBullet(QChar c)
{
    switch (c.unicode()) {
    case 0x002D: case 0x2043: case 0x2212: return QChar(0x2043);
    case 0x2022: case 0x25CF: return QChar(0x2022);
    case 0x25A0: case 0x25AA: return QChar(0x25AA);
    case 0x25C6: case 0x2B29: case 0x2BC1: return QChar(0x2B29);
    case 0x25CB: case 0x25E6: return QChar(0x25E6);
    default: return c;
    }
}

bool isBulletText(const QString &text)
{
    bool bullet = false;
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            return false;
        bullet = bullet || isRecognisedBullet(c);
    }
    return bullet;
}

// Word writes the number of level D as the character with code D; the template names it by
// how many levels above this one it is.
QString numberTemplate(const QString &text, int levelIndex)
{
    QString result;
    result.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c.unicode() <= 9)
            result += QLatin1Char('%') + QString::number(qint64(levelIndex) - c.unicode());
        else
            result += c;
    }
    return result;
}

struct MarkerName
{
    const char *name;
    int style;
    char16_t bullet;                ///< 0: a number name, replaced by "%0"
};

// Checked in this order; the first name the marker contains decides.
const MarkerName markerNames[] = {
    {"disc", 0, 0x2022},        {"circle", 0, 0x25E6},      {"square", 0, 0x25AA},
    {"hyphen", 0, 0x2043},      {"diamond", 0, 0x2B29},     {"check", 0, 0x2713},
    {"decimal", 1, 0},          {"lower-alpha", 2, 0},      {"upper-alpha", 3, 0},
    {"lower-roman", 4, 0},      {"upper-roman", 5, 0},
};

void applyMarker(QMKListLevel &level, const QString &marker)
{
    level.text = marker;
    for (const MarkerName &entry : markerNames) {
        const QString name = QLatin1String(entry.name);
        if (!marker.contains(name))
            continue;
        level.style = entry.style;
        if (entry.bullet) {
            const QString bullet(QChar(ushort(entry.bullet)));
            level.text.replace(QLatin1Char('{') + name + QLatin1Char('}'), bullet);
            level.text.replace(name, bullet);
        } else {
            level.text.replace(name, QStringLiteral("%0"));
        }
        return;
    }
}

} // namespace

int numberFormatForLevelNfc(int nfc)
{
    switch (nfc) {
    case 0: return 1;
    case 1: return 5;
    case 2: return 4;
    case 3: return 3;
    case 4: return 2;
    case 23: return 0;
    default: return -1;
    }
}

void finishLevelText(RtfListLevelRecord &level, int levelIndex)
{
    level.levelTextPending = false;
    if (level.levelText.isEmpty())
        return;
    const int length = level.levelText.at(0).unicode();
    const QString text = level.levelText.mid(1, length);
    if (!text.isEmpty() && isBulletText(text)) {
        level.numberFormat = 0;
        level.levelText.clear();
        for (const QChar c : text)
            level.levelText += normalisedBullet(c);
        return;
    }
    level.levelText = numberTemplate(text, levelIndex);
}

QMKListLevel toListLevel(const RtfListLevelRecord &record)
{
    QMKListLevel level;
    if (!record.levelText.isEmpty()) {
        level.text = record.levelText;
        level.style = record.numberFormat;
    } else if (!record.levelMarker.isEmpty()) {
        applyMarker(level, record.levelMarker);
    }
    level.indent = record.indent;
    level.firstLinePosition = record.firstLinePosition;
    level.start = record.start;
    return level;
}

QTextListFormat listFormatFor(const RtfListRecord &list)
{
    QVector<QMKListLevel> levels;
    levels.reserve(list.levels.size());
    for (RtfListLevelRecord record : list.levels) {
        // A destination keyword in the level text's group (\field, say) ended it as another
        // destination: its bytes are read now, as its own end would have.
        if (record.levelTextPending)
            finishLevelText(record, levels.size());
        levels.append(toListLevel(record));
    }
    QTextListFormat format;
    setListLevels(format, levels);
    return format;
}
