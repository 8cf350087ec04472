// List level definitions held in list formats, and the level of each block in its list.

#include "qmklistlevel.h"

#include "qmkformatproperties.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QTextListFormat>

namespace {

int registerListLevelType()
{
    const int id = qRegisterMetaType<QMKListLevel>("QMKListLevel");
    // Without a comparator QVariant compares the bytes of the value, so two list formats with
    // equal levels would never be equal.
    if (!QMetaType::hasRegisteredComparators(id))
        QMetaType::registerEqualsComparator<QMKListLevel>();
    return id;
}

int listLevelTypeId()
{
    static const int id = registerListLevelType();
    return id;
}

// Registered at start-up too, so that levels a program wraps in QVariants itself compare.
[[maybe_unused]] const int registeredAtStartUp = listLevelTypeId();

bool containsLetterOrNumber(const QString &text)
{
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            return true;
    }
    return false;
}

// The label style of a recognised bullet character; 0 for any other character.
int bulletStyleOf(QChar c)
{
    switch (c.unicode()) {
    case 0x25CF: case 0x2022:
        return QTextListFormat::ListDisc;
    case 0x25CB: case 0x25E6:
        return QTextListFormat::ListCircle;
    case 0x25A0: case 0x25AA:
        return QTextListFormat::ListSquare;
    case 0x002D: case 0x2010: case 0x2043: case 0x2212:
        return QMKListStyle::Hyphen;
    case 0x25C6: case 0x2B25: case 0x2B29:
        return QMKListStyle::Diamond;
    case 0x2713:
        return QMKListStyle::Check;
    default:
        return 0;
    }
}

} // namespace

bool operator==(const QMKListLevel &a, const QMKListLevel &b)
{
    return a.text == b.text && a.style == b.style && a.indent == b.indent
        && a.firstLinePosition == b.firstLinePosition && a.start == b.start;
}

bool operator!=(const QMKListLevel &a, const QMKListLevel &b)
{
    return !(a == b);
}

QVector<QMKListLevel> listLevels(const QTextListFormat &format)
{
    const QVariant property = format.property(QMKFormatProperty::ListLevels);
    if (property.userType() != QMetaType::QVariantList)
        return {};
    const QVariantList elements = property.toList();
    QVector<QMKListLevel> levels;
    levels.reserve(elements.size());
    for (const QVariant &element : elements) {
        levels.append(element.userType() == listLevelTypeId() ? element.value<QMKListLevel>()
                                                            : QMKListLevel());
    }
    return levels;
}

void setListLevels(QTextListFormat &format, const QVector<QMKListLevel> &levels)
{
    listLevelTypeId();
    QVariantList elements;
    elements.reserve(levels.size());
    for (const QMKListLevel &level : levels)
        elements.append(QVariant::fromValue(level));
    format.setProperty(QMKFormatProperty::ListLevels, elements);
}

int listLevelStyle(const QMKListLevel &level)
{
    switch (level.style) {
    case 1: return QTextListFormat::ListDecimal;
    case 2: return QTextListFormat::ListLowerAlpha;
    case 3: return QTextListFormat::ListUpperAlpha;
    case 4: return QTextListFormat::ListLowerRoman;
    case 5: return QTextListFormat::ListUpperRoman;
    case 0: break;
    default: return QTextListFormat::ListDisc;
    }
    if (level.text.isEmpty() || containsLetterOrNumber(level.text))
        return QTextListFormat::ListDisc;
    for (const QChar c : level.text) {
        if (const int style = bulletStyleOf(c))
            return style;
    }
    return QTextListFormat::ListDisc;
}

int listLevel(const QTextBlock &block)
{
    if (!block.textList())
        return -1;
    return qMax(0, block.blockFormat().intProperty(QMKFormatProperty::ListLevel));
}

void setListLevel(QTextList *list, const QTextBlock &block, int level)
{
    if (!list || !block.isValid() || block.textList() != list)
        return;
    QTextBlockFormat format;
    format.setProperty(QMKFormatProperty::ListLevel, qMax(0, level));
    QTextCursor(block).mergeBlockFormat(format);
}
