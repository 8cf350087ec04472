#include "textutil/fontcharsetprobe_p.h"

#include <QFont>
#include <QHash>

namespace {

// Scripts in the order they are tried. The font database knows no Turkish or Baltic writing
// system: such fonts cover Latin and answer 0 like any other Latin font.
struct ScriptCharacterSet
{
    QFontDatabase::WritingSystem writingSystem;
    int characterSet;
};

const ScriptCharacterSet scriptCharacterSets[] = {
    {QFontDatabase::Cyrillic, 204},
    {QFontDatabase::Greek, 161},
    {QFontDatabase::Hebrew, 177},
    {QFontDatabase::Arabic, 178},
    {QFontDatabase::Vietnamese, 163},
    {QFontDatabase::Thai, 222},
    {QFontDatabase::Japanese, 128},
    {QFontDatabase::Korean, 129},
    {QFontDatabase::SimplifiedChinese, 134},
    {QFontDatabase::TraditionalChinese, 136},
    {QFontDatabase::Symbol, 2},
};

} // namespace

int characterSetForWritingSystems(const QList<QFontDatabase::WritingSystem> &writingSystems)
{
    if (writingSystems.contains(QFontDatabase::Latin))
        return 0;
    for (const ScriptCharacterSet &script : scriptCharacterSets) {
        if (writingSystems.contains(script.writingSystem))
            return script.characterSet;
    }
    return 0;
}

int fontCharacterSet(const QFont &font)
{
    static QHash<QString, int> characterSets;
    const QString family = font.family();
    auto it = characterSets.constFind(family);
    if (it == characterSets.constEnd())
        it = characterSets.insert(
            family, characterSetForWritingSystems(QFontDatabase().writingSystems(family)));
    return it.value();
}
