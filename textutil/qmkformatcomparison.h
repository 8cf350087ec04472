#ifndef QMKFORMATCOMPARISON_H
#define QMKFORMATCOMPARISON_H

#include <QVariant>

class QTextCharFormat;
class QTextDocument;
class QTextFormat;

// Two formats can store different properties and still render alike: normal weight stored or
// not stored is the same weight. These compare formats by what they mean.

/// The value a format property has when the format does not store it; an invalid variant for
/// properties without a known default.
QVariant absentPropertyValue(int id);

/// Whether every property of either format equals the other's, or its absent value when the
/// other lacks it. Page-break settings are not compared.
bool formatsEquivalent(const QTextFormat &a, const QTextFormat &b);

/// Gives the document the default character format unless its current one is equivalent.
/// Qt keeps no default character format of its own: the first block's character format,
/// which text typed into an empty document takes, stands for it.
void setDefaultCharFormatIfDifferent(QTextDocument *document, const QTextCharFormat &format);

#endif // QMKFORMATCOMPARISON_H
