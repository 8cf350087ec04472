#ifndef QMKFONTCONSTRUCTION_H
#define QMKFONTCONSTRUCTION_H

// Fonts from font descriptions, with weights the family really has. A description is a family,
// family-style or family-style-stylename text ("Helvetica-BoldOblique"); weights are on QFont's
// 0-99 scale.

#include <QFont>
#include <QSet>
#include <QString>

// The weight to use for `weight` in `family`: the requested one when a face has it, else the
// nearest that keeps light requests light and bold requests bold (above 57 counts as bold).
int closestWeight(const QString &family, int weight);

// The weights of the family's installed faces; {25, 50, 75} for a family without faces.
QSet<int> availableWeights(const QString &family);

// A font for the description: its family resolved to an installed one with styleHint (a
// QFont::StyleHint value), the style part read for weight, slant, stretch, strike-out and
// underline, the third part taken as the style name. With a base font, the result is a copy
// of it with the family (and what the description names) replaced. `found` tells whether an
// installed family was recognised; an empty description leaves it untouched.
QFont fontFromDescription(const QString &description, int styleHint,
                          const QFont *baseFont = nullptr, bool *found = nullptr);

#endif // QMKFONTCONSTRUCTION_H
