#include "qmkfontnames.h"

#include <QStringList>

#include <array>
#include <initializer_list>

namespace {

const QStringList &styleWordList()
{
    static const QStringList words = {
        // Light weights
        QStringLiteral("Thin"), QStringLiteral("Hairline"), QStringLiteral("ExtraLight"),
        QStringLiteral("UltraLight"), QStringLiteral("Light"), QStringLiteral("SemiLight"),
        // Regular weights
        QStringLiteral("Normal"), QStringLiteral("Medium"), QStringLiteral("Mid"),
        QStringLiteral("Regular"),
        // Heavy weights
        QStringLiteral("SemiBold"), QStringLiteral("Semi"), QStringLiteral("Smbd"),
        QStringLiteral("DemiBold"), QStringLiteral("Demi"), QStringLiteral("Bold"),
        QStringLiteral("ExtraBold"), QStringLiteral("UltraBold"), QStringLiteral("Black"),
        QStringLiteral("ExtraBlack"), QStringLiteral("Heavy"),
        // Slant
        QStringLiteral("Italic"), QStringLiteral("Oblique"),
        // Stretch
        QStringLiteral("UltraCondensed"), QStringLiteral("ExtraCondensed"),
        QStringLiteral("Condensed"), QStringLiteral("Cond"), QStringLiteral("SemiCondensed"),
        QStringLiteral("Unstretched"), QStringLiteral("SemiExpanded"),
        QStringLiteral("Expanded"), QStringLiteral("ExtraExpanded"),
        QStringLiteral("UltraExpanded"),
        // Optical size and other
        QStringLiteral("Caption"), QStringLiteral("Capitals"), QStringLiteral("Subhead"),
        QStringLiteral("Extended"), QStringLiteral("Ext"), QStringLiteral("Display"),
        QStringLiteral("SmText"),
    };
    return words;
}

// The style words case-folded, so that a case-blind membership test is one lookup.
const QSet<QString> &foldedStyleWords()
{
    static const QSet<QString> folded = [] {
        QSet<QString> set;
        for (const QString &word : styleWordList())
            set.insert(word.toCaseFolded());
        return set;
    }();
    return folded;
}

bool isStyleWord(const QString &word)
{
    return foldedStyleWords().contains(word.toCaseFolded());
}

bool containsIgnoringCase(const QSet<QString> &words, const QString &word)
{
    for (const QString &w : words) {
        if (w.compare(word, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

struct NormalizeRule
{
    const char *from;
    const char *to; ///< nullptr: the word is only removed
    Qt::CaseSensitivity containment;
};

// Order matters only in that each rule sees what the ones before it left.
const std::array<NormalizeRule, 14> normalizeRules = {{
    {"Hairline", "Thin", Qt::CaseInsensitive},
    {"UltraLight", "ExtraLight", Qt::CaseInsensitive},
    {"EL", "ExtraLight", Qt::CaseInsensitive},
    {"UL", "ExtraLight", Qt::CaseInsensitive},
    {"L", "Light", Qt::CaseInsensitive},
    {"R", nullptr, Qt::CaseInsensitive},
    {"Medium", nullptr, Qt::CaseInsensitive},
    {"Med", nullptr, Qt::CaseInsensitive},
    {"Normal", nullptr, Qt::CaseInsensitive},
    {"DemiBold", "SemiBold", Qt::CaseInsensitive},
    // Compared with case: "SemiBold" itself is already canonical.
    {"Semibold", "SemiBold", Qt::CaseSensitive},
    {"Smbd", "SemiBold", Qt::CaseInsensitive},
    {"UltraBold", "ExtraBold", Qt::CaseInsensitive},
    {"Heavy", "Black", Qt::CaseInsensitive},
}};

struct WeightRow
{
    std::initializer_list<const char *> substrings;
    int weight;
};

// Compound words come before their parts: "SemiBold" is 63, not 75.
const std::array<WeightRow, 10> weightRows = {{
    {{"SemiBold", "DemiBold"}, 63},
    {{"ExtraBold", "UltraBold"}, 81},
    {{"Bold"}, 75},
    {{"Thin", "Hairline"}, 0},
    {{"SemiLight"}, 36},
    {{"ExtraLight", "UltraLight"}, 12},
    {{"Light"}, 25},
    {{"Normal", "Regular"}, 50},
    {{"Medium"}, 57},
    {{"ExtraBlack", "Black", "Heavy"}, 87},
}};

struct StretchRow
{
    const char *substring;
    std::optional<int> stretch;
};

// The plain "Condensed" and "Expanded" come last so that the compound words win.
const std::array<StretchRow, 9> stretchRows = {{
    {"UltraCondensed", 50},
    {"ExtraCondensed", 62},
    {"SemiCondensed", 87},
    {"Unstretched", std::nullopt},
    {"SemiExpanded", 112},
    {"ExtraExpanded", 150},
    {"UltraExpanded", 200},
    {"Condensed", 75},
    {"Expanded", 125},
}};

} // namespace

const QSet<QString> &styleWords()
{
    static const QSet<QString> words(styleWordList().cbegin(), styleWordList().cend());
    return words;
}

bool stripStyleWords(const QString &name, QString *family, QSet<QString> *words)
{
    // The family is cut once at the end: cutting a copy per word would make a name of many
    // style words cost its length squared.
    int familyEnd = name.size();
    while (familyEnd > 0) {
        const int blank = name.lastIndexOf(QLatin1Char(' '), familyEnd - 1);
        if (blank < 0)
            break;
        const QString lastWord = name.mid(blank + 1, familyEnd - blank - 1);
        if (!isStyleWord(lastWord))
            break;
        if (words)
            words->insert(lastWord);
        familyEnd = blank;
    }
    if (familyEnd == name.size())
        return false;
    if (family)
        *family = name.left(familyEnd);
    return true;
}

void normalizeStyleWords(QSet<QString> &words)
{
    if (words.isEmpty())
        return;
    // A lone "Bold" or "Italic" is already what the catalogue stores.
    if (words.size() == 1
        && (words.contains(QStringLiteral("Bold")) || words.contains(QStringLiteral("Italic"))))
        return;

    for (const NormalizeRule &rule : normalizeRules) {
        const QString from = QLatin1String(rule.from);
        const bool present = rule.containment == Qt::CaseSensitive
                                 ? words.contains(from)
                                 : containsIgnoringCase(words, from);
        if (!present)
            continue;
        words.remove(from);
        if (rule.to)
            words.insert(QLatin1String(rule.to));
    }
    words.remove(QStringLiteral("Regular"));
}

int weightFromStyleText(const QString &text, bool *found)
{
    if (found)
        *found = false;
    if (text.isEmpty())
        return QFont::Normal;
    for (const WeightRow &row : weightRows) {
        for (const char *substring : row.substrings) {
            if (text.contains(QLatin1String(substring), Qt::CaseInsensitive)) {
                if (found)
                    *found = true;
                return row.weight;
            }
        }
    }
    return QFont::Normal;
}

std::optional<QFont::Style> styleFromStyleText(const QString &text)
{
    if (text.contains(QLatin1String("Italic")))
        return QFont::StyleItalic;
    if (text.contains(QLatin1String("Oblique")))
        return QFont::StyleOblique;
    return std::nullopt;
}

std::optional<int> stretchFromStyleText(const QString &text)
{
    for (const StretchRow &row : stretchRows) {
        if (text.contains(QLatin1String(row.substring)))
            return row.stretch;
    }
    return std::nullopt;
}
