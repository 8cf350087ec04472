#ifndef QMKLISTLEVEL_H
#define QMKLISTLEVEL_H

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVector>

class QTextBlock;
class QTextList;
class QTextListFormat;

// Multi-level lists on top of Qt's single-level QTextList: a list format carries one level
// definition per level (list-format property QMKFormatProperty::ListLevels), each block of a
// list has a level, and item labels are rendered from the definition of the block's level.

/// One level of a multi-level list. Lengths are pixels.
struct QMKListLevel {
    /// A number template ("%0" is the item's own number, "%1" its parent's, and so on) or the
    /// bullet text.
    QString text;
    int style = 0;               // 0 bullet, 1 decimal, 2 lower-alpha, 3 upper-alpha, 4 lower-roman, 5 upper-roman
    double indent = 0;
    double firstLinePosition = 0;
    int start = 1;               // the number of the level's first item
};

bool operator==(const QMKListLevel &a, const QMKListLevel &b);
bool operator!=(const QMKListLevel &a, const QMKListLevel &b);

Q_DECLARE_METATYPE(QMKListLevel)

// Bullet styles beyond Qt's disc, circle and square, as QTextListFormat::Style values.
struct QMKListStyle
{
    enum : int {
        Hyphen = -103,  ///< U+2043
        Diamond = -104, ///< U+2B29
        Check = -105,   ///< U+2713
    };
};

/// The level definitions of a list format, in level order; an element that is not a level
/// reads as a default level.
QVector<QMKListLevel> listLevels(const QTextListFormat &format);
/// Stores the level definitions in the list format (replacing any it had).
void setListLevels(QTextListFormat &format, const QVector<QMKListLevel> &levels);

/// The QTextListFormat::Style a level's labels have: a numbered style for number styles 1 to
/// 5, the style of the first bullet character for bullet text (one of the QMKListStyle values
/// for the extra bullets), and QTextListFormat::ListDisc otherwise.
int listLevelStyle(const QMKListLevel &level);

/// The block's level in its list: 0 when none was set, -1 when the block is in no list.
int listLevel(const QTextBlock &block);
/// Puts block, an item of list, at level (negative levels count as 0). Does nothing when the
/// block is not an item of list.
void setListLevel(QTextList *list, const QTextBlock &block, int level);

/// The rendered label, e.g. "2.", "1.3.", "iv)", a bullet; empty for a block in no list.
QString listItemText(const QTextBlock &block);
/// The labels of all items of list, in item order: one walk through the list, where
/// listItemText walks it up to its block for every call.
QStringList listItemTexts(const QTextList *list);

#endif // QMKLISTLEVEL_H
