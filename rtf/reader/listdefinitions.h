#ifndef QMK_LISTDEFINITIONS_H
#define QMK_LISTDEFINITIONS_H

#include "qmklistlevel.h"

#include <QString>
#include <QTextListFormat>
#include <QVector>

// One \listlevel of the list table.
// Word's largest first number of a level.
constexpr int MaxLevelStart = 32767;

struct RtfListLevelRecord
{
    QString levelText;              ///< \leveltext; a number template or bullet text once read
    bool levelTextPending = false;  ///< levelText holds bytes its group's end did not read
    QString levelMarker;            ///< \levelmarker, e.g. "{decimal}."
    int numberFormat = 0;           ///< QMKListLevel::style codes: 0 bullet, 1 decimal, ...
    double indent = 0;              ///< pixels, \li / \lin
    double firstLinePosition = 0;   ///< pixels, indent plus \fi
    int start = 1;                  ///< \levelstartat, \pnstart
};

// One \list of the list table.
struct RtfListRecord
{
    int listId = -1;                ///< \listid; -1 until given
    QVector<RtfListLevelRecord> levels;
};

// One \listoverride: which list an \ls number stands for.
struct RtfListOverride
{
    int listId = -1;                ///< \listid of the list it refers to
    int listNumber = -1;            ///< the \ls number paragraphs use
};

/// The number format for a \levelnfc value; -1 for values that leave it unchanged.
int numberFormatForLevelNfc(int nfc);

/// Turns the level text as read (a length character, then the text with level placeholder
/// characters) into a number template or bullet text; levelIndex is the level's position.
void finishLevelText(RtfListLevelRecord &level, int levelIndex);

/// The level definition a list format carries for this level.
QMKListLevel toListLevel(const RtfListLevelRecord &level);

/// A list format with the level definitions of list.
QTextListFormat listFormatFor(const RtfListRecord &list);

#endif // QMK_LISTDEFINITIONS_H
