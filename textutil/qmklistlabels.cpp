// Item labels of multi-level lists: the number template of the block's level with each
// placeholder replaced by the number of the item at that level, in that level's style.

#include "qmklistlevel.h"

#include "qmkformatproperties.h"

#include <QTextBlock>
#include <QTextList>
#include <QTextListFormat>

namespace {

// Items counted so far at each level along the path to the current item, shallowest first:
// a level's count restarts when a shallower item comes between.
class LevelCounts
{
public:
    void count(int level)
    {
        while (!path.isEmpty() && path.last().level > level)
            path.removeLast();
        if (!path.isEmpty() && path.last().level == level)
            ++path.last().count;
        else
            path.append({level, 1});
    }

    // A level with no item since the last shallower one counts 0, as Word's "1.0.1" shows.
    int at(qint64 level) const
    {
        for (const Entry &entry : path) {
            if (entry.level == level)
                return entry.count;
        }
        return 0;
    }

private:
    struct Entry
    {
        int level;
        int count;
    };
    QVector<Entry> path;
};

QString romanNumber(int number, bool upper)
{
    // Roman numerals stop at 3999; Word goes on in decimal too.
    if (number < 1 || number > 3999)
        return QString::number(number);
    static const struct { int value; const char *digits; } numerals[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"},
        {50, "l"}, {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"},
    };
    QString text;
    for (const auto &numeral : numerals) {
        for (; number >= numeral.value; number -= numeral.value)
            text += QLatin1String(numeral.digits);
    }
    return upper ? text.toUpper() : text;
}

// Word's letters: a to z, then aa, bb, ... zz, then aaa.
QString alphabeticNumber(int number, bool upper)
{
    if (number < 1)
        return QString::number(number);
    const QChar letter(ushort((upper ? 'A' : 'a') + (number - 1) % 26));
    return QString((number - 1) / 26 + 1, letter);
}

QString formatNumber(int number, int style)
{
    switch (style) {
    case 2: return alphabeticNumber(number, false);
    case 3: return alphabeticNumber(number, true);
    case 4: return romanNumber(number, false);
    case 5: return romanNumber(number, true);
    default: return QString::number(number); // bullet levels quoting a number show digits
    }
}

// Word's default bullets are characters of the Symbol and Wingdings fonts, which arrive in
// their private-use form; shown in any other font they must become the bullets they draw.
QChar displayedBullet(QChar c)
{
    switch (c.unicode()) {
    case 0xF0B7: return QChar(0x2022);
    case 0xF0A7: return QChar(0x25AA);
    case 0xF0FC: return QChar(0x2713);
    case 0xF0D8: return QChar(0x27A2);
    case 0xF076: return QChar(0x2756);
    default: return c;
    }
}

QString bulletOfStyle(int style)
{
    switch (style) {
    case QTextListFormat::ListDisc: return QString(QChar(0x2022));
    case QTextListFormat::ListCircle: return QString(QChar(0x25E6));
    case QTextListFormat::ListSquare: return QString(QChar(0x25AA));
    case QMKListStyle::Hyphen: return QString(QChar(0x2043));
    case QMKListStyle::Diamond: return QString(QChar(0x2B29));
    case QMKListStyle::Check: return QString(QChar(0x2713));
    default: return QString();
    }
}

QMKListLevel levelAt(const QVariantList &levels, qint64 level)
{
    // Levels deeper than the definitions look like the deepest one, as Word shows the
    // paragraphs of a one-level list whatever their \ilvl.
    const QVariant &element = levels.at(int(qBound<qint64>(0, level, levels.size() - 1)));
    return element.value<QMKListLevel>();
}

// Reads the placeholder at text[at] ("%" then an optional minus and digits). Returns its
// length, 0 when there is none, and the number it names in *levelsUp.
int readPlaceholder(const QString &text, int at, qint64 *levelsUp)
{
    int end = at + 1;
    const bool negative = end < text.size() && text.at(end) == QLatin1Char('-');
    if (negative)
        ++end;
    const int digitsStart = end;
    qint64 value = 0;
    for (; end < text.size() && text.at(end) >= QLatin1Char('0')
           && text.at(end) <= QLatin1Char('9');
         ++end) {
        value = qMin<qint64>(value * 10 + (text.at(end).unicode() - '0'), 1 << 30);
    }
    if (end == digitsStart)
        return 0;
    *levelsUp = negative ? -value : value;
    return end - at;
}

QString renderLevel(const QVariantList &levels, const LevelCounts &counts, int level)
{
    const QMKListLevel definition = levelAt(levels, level);
    const QString &text = definition.text;
    // Writers give the Symbol bullet as byte 0xB7 before the level selects the Symbol font,
    // so it reads as a middle dot.
    if (definition.style == 0 && text == QString(QChar(0x00B7)))
        return QString(QChar(0x2022));
    QString label;
    for (int i = 0; i < text.size(); ++i) {
        qint64 levelsUp = 0;
        const int length = text.at(i) == QLatin1Char('%') ? readPlaceholder(text, i, &levelsUp)
                                                           : 0;
        if (length == 0) {
            label += displayedBullet(text.at(i));
            continue;
        }
        i += length - 1;
        // A number from a deeper level, or from above the top one, does not exist.
        const qint64 quoted = qint64(level) - levelsUp;
        if (levelsUp < 0 || quoted < 0)
            continue;
        const QMKListLevel quotedLevel = levelAt(levels, quoted);
        label += formatNumber(counts.at(quoted) + quotedLevel.start - 1, quotedLevel.style);
    }
    return label;
}

QVariantList levelsOf(const QTextList *list)
{
    const QVariant property = list->format().property(QMKFormatProperty::ListLevels);
    return property.userType() == QMetaType::QVariantList ? property.toList() : QVariantList();
}

QString labelWithoutLevels(const QTextList *list, const QTextBlock &block)
{
    // Qt labels its own numbered styles; for any other style it gives a bare suffix.
    // Read as an int: the extra bullet styles are no values of QTextListFormat::Style.
    const int style = list->format().intProperty(QTextFormat::ListStyle);
    if (style <= QTextListFormat::ListDecimal && style >= QTextListFormat::ListUpperRoman)
        return list->itemText(block);
    return bulletOfStyle(style);
}

} // namespace

QString listItemText(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return QString();
    const QVariantList levels = levelsOf(list);
    if (levels.isEmpty())
        return labelWithoutLevels(list, block);
    LevelCounts counts;
    for (int i = 0; i < list->count(); ++i) {
        const QTextBlock item = list->item(i);
        counts.count(listLevel(item));
        if (item == block)
            break;
    }
    return renderLevel(levels, counts, listLevel(block));
}

QStringList listItemTexts(const QTextList *list)
{
    QStringList labels;
    if (!list)
        return labels;
    const QVariantList levels = levelsOf(list);
    LevelCounts counts;
    for (int i = 0; i < list->count(); ++i) {
        const QTextBlock item = list->item(i);
        if (levels.isEmpty()) {
            labels << labelWithoutLevels(list, item);
            continue;
        }
        const int level = listLevel(item);
        counts.count(level);
        labels << renderLevel(levels, counts, level);
    }
    return labels;
}
