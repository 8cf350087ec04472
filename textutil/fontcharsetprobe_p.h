#ifndef QMK_FONTCHARSETPROBE_H
#define QMK_FONTCHARSETPROBE_H

#include <QFontDatabase>
#include <QList>

class QFont;

// The Windows character set (\fcharset value) that a font family is written in: 0 (ANSI) for
// a family that covers Latin, otherwise the set of the first script the family supports, and
// 0 when it supports none of them. Answered from the font database; results are kept per
// family for the life of the process. Needs a QGuiApplication.
int fontCharacterSet(const QFont &font);

/// The character set for a family that supports these writing systems.
int characterSetForWritingSystems(const QList<QFontDatabase::WritingSystem> &writingSystems);

#endif // QMK_FONTCHARSETPROBE_H
