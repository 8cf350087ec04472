#include "rtf/reader/charformatpool_p.h"

#include "qmkformatproperties.h"

#include <QBrush>
#include <QColor>

namespace {

// Hostile input can make any number of distinct formats (\fs1, \fs2, ...): past these sizes
// formats are no longer pooled, and remembered changes are forgotten and begin again.
constexpr int MaxPooledFormats = 1 << 16;
constexpr int MaxRememberedChanges = 1 << 18;

static_assert(RtfKeywordCount + 1 < (1 << 11), "keyword numbers take 11 bits of a change");

// Formats whose hash is equal are compared in turn; past this many, a new one is not pooled,
// so that formats apart only in properties the hash leaves out cannot make look-ups
// quadratic.
constexpr int MaxComparedPerHash = 8;

// The properties that tell formats apart in documents, read without copying the whole
// property list; equal formats hash equal, and the comparison tells the rest apart.
uint formatHash(const QTextCharFormat &format)
{
    uint hash = uint(format.propertyCount());
    const auto mix = [&hash](uint value) { hash = hash * 31 + value; };
    mix(qHash(format.stringProperty(QTextFormat::FontFamily)));
    mix(qHash(format.doubleProperty(QTextFormat::FontPointSize)));
    for (int property : {int(QTextFormat::FontWeight), int(QTextFormat::TextUnderlineStyle),
                         int(QTextFormat::TextVerticalAlignment),
                         int(QTextFormat::FontCapitalization),
                         int(QMKFormatProperty::VerticalOffset),
                         int(QMKFormatProperty::RevisionLevel)})
        mix(uint(format.intProperty(property)));
    for (int property : {int(QTextFormat::FontItalic), int(QTextFormat::FontStrikeOut),
                         int(QTextFormat::FontFixedPitch), int(QTextFormat::IsAnchor)})
        mix(uint(format.boolProperty(property)));
    mix(format.brushProperty(QTextFormat::ForegroundBrush).color().rgba());
    mix(format.brushProperty(QTextFormat::BackgroundBrush).color().rgba());
    mix(qHash(format.stringProperty(QTextFormat::AnchorHref)));
    return hash;
}

} // namespace

int RtfCharFormatPool::intern(const QTextCharFormat &format)
{
    const uint hash = formatHash(format);
    int compared = 0;
    for (auto it = m_byHash.constFind(hash); it != m_byHash.cend() && it.key() == hash; ++it) {
        if (m_formats.at(it.value()) == format)
            return it.value();
        ++compared;
    }
    if (m_formats.size() >= MaxPooledFormats || compared >= MaxComparedPerHash)
        return NotPooled;
    m_formats.append(format);
    m_byHash.insert(hash, m_formats.size() - 1);
    return m_formats.size() - 1;
}

void RtfCharFormatPool::rememberChange(int id, quint64 change, int result)
{
    if (id == NotPooled || result == NotPooled)
        return;
    if (m_changes.size() >= MaxRememberedChanges)
        m_changes.clear();
    m_changes.insert(key(id, change), result);
}
