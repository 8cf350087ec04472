#include "rtf/reader/charformatpool_p.h"

#include <QBrush>
#include <QColor>

namespace {

// Hostile input can make any number of distinct formats (\fs1, \fs2, ...): past these sizes
// formats are no longer pooled, and remembered changes are forgotten and begin again.
constexpr int MaxPooledFormats = 1 << 16;
constexpr int MaxRememberedChanges = 1 << 18;

static_assert(RtfKeywordCount + 1 < (1 << 11), "keyword numbers take 11 bits of a change");

// A few properties that tell most formats apart, read without copying the whole property
// list; equal formats hash equal, and the comparison tells the rest apart.
uint formatHash(const QTextCharFormat &format)
{
    uint hash = uint(format.propertyCount());
    hash = hash * 31 + qHash(format.fontFamily());
    hash = hash * 31 + qHash(format.fontPointSize());
    hash = hash * 31 + uint(format.intProperty(QTextFormat::FontWeight));
    hash = hash * 31 + uint(format.fontItalic()) + 2 * uint(format.fontUnderline());
    hash = hash * 31 + format.foreground().color().rgba();
    hash = hash * 31 + qHash(format.anchorHref());
    return hash;
}

} // namespace

int RtfCharFormatPool::intern(const QTextCharFormat &format)
{
    const uint hash = formatHash(format);
    for (auto it = m_byHash.constFind(hash); it != m_byHash.cend() && it.key() == hash; ++it) {
        if (m_formats.at(it.value()) == format)
            return it.value();
    }
    if (m_formats.size() >= MaxPooledFormats)
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

void RtfCharFormatPool::clear()
{
    m_formats.clear();
    m_byHash.clear();
    m_changes.clear();
}
