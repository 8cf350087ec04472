#ifndef QMKFONTNAMES_H
#define QMKFONTNAMES_H

// Reading style information out of font names and font description texts: "Arial Narrow Bold
// Italic" ends in style words, and the style part of "Helvetica-BoldOblique" names a weight, a
// slant and a stretch. Pure text functions; none of them touches the font database.
//
// Weights are on QFont's 0-99 scale, stretches are QFont::Stretch percentages.

#include <QFont>
#include <QSet>
#include <QString>

#include <optional>

// The forty words that may end a face name after its family ("Thin" ... "SmText"). Membership
// is meant to be tested ignoring case.
const QSet<QString> &styleWords();

// Strips the style words that end `name`, each preceded by a blank, from the back. `family`
// receives the text before the first stripped word and is left untouched when nothing was
// stripped; `words` gains each stripped word as spelled. True when a word was stripped.
bool stripStyleWords(const QString &name, QString *family = nullptr,
                     QSet<QString> *words = nullptr);

// Rewrites a set of style words to canonical spellings ("Hairline" to "Thin", "Demibold" to
// "SemiBold", ...) and drops the words that mean the regular face.
void normalizeStyleWords(QSet<QString> &words);

// The weight a style text names, by substring and ignoring case; 50 with `found` false when it
// names none.
int weightFromStyleText(const QString &text, bool *found = nullptr);

// Italic or oblique when the text says so, with case ("italic" names no slant).
std::optional<QFont::Style> styleFromStyleText(const QString &text);

// The stretch percentage the text names, with case; nothing for no stretch or "Unstretched".
std::optional<int> stretchFromStyleText(const QString &text);

#endif // QMKFONTNAMES_H
