#ifndef QMK_CHARFORMATPOOL_P_H
#define QMK_CHARFORMATPOOL_P_H

#include "rtf/common/rtfkeywords.h"

#include <QHash>
#include <QTextCharFormat>
#include <QVector>

// Word sets a dozen character properties at the head of every run, most of them to the values
// they already have. Changing a QTextCharFormat copies its properties, and every fresh copy
// costs a comparison of all its properties wherever it meets another format: the run's format
// check, the document's format look-up. The pool keeps one copy of each distinct format the
// reader builds, gives it a number, and remembers what each change made of each pooled
// format: equal numbers mean equal formats, and a change seen before costs a hash look-up.
class RtfCharFormatPool
{
public:
    /// No pooled format: the format is kept and compared as it is.
    static constexpr int NotPooled = -1;

    /// The number of the pooled format equal to format, pooling it if new; NotPooled when
    /// the pool is full, or holds too many formats of the same hash.
    int intern(const QTextCharFormat &format);
    const QTextCharFormat &format(int id) const { return m_formats.at(id); }

    /// What change made of the pooled format id before, or NotPooled if unknown.
    int changed(int id, quint64 change) const { return m_changes.value(key(id, change), NotPooled); }
    void rememberChange(int id, quint64 change, int result);
    /// The tables changes read from (colours, fonts) were replaced.
    void forgetChanges() { if (!m_changes.isEmpty()) m_changes.clear(); }

private:
    static quint64 key(int id, quint64 change) { return (quint64(id) << 44) ^ change; }

    QVector<QTextCharFormat> m_formats;
    QMultiHash<uint, int> m_byHash;
    QHash<quint64, int> m_changes;
};

// A character format with its number in the reader's pool, if it has one.
class RtfCharFormatState
{
public:
    const QTextCharFormat &format() const { return m_format; }
    int pooledId() const { return m_id; }
    void assign(const QTextCharFormat &format, int pooledId = RtfCharFormatPool::NotPooled)
    {
        m_format = format;
        m_id = pooledId;
    }

    /// Whether both have the same number in the pool: they are the same format.
    bool isPooledAs(const RtfCharFormatState &other) const
    {
        return m_id != RtfCharFormatPool::NotPooled && m_id == other.m_id;
    }

    /// Whether both are the same format; the numbers decide when both have one.
    bool sameAs(const RtfCharFormatState &other) const
    {
        if (m_id != RtfCharFormatPool::NotPooled && other.m_id != RtfCharFormatPool::NotPooled)
            return m_id == other.m_id;
        return m_format == other.m_format;
    }

private:
    QTextCharFormat m_format;
    int m_id = RtfCharFormatPool::NotPooled;
};

/// A change made by a keyword call, as the pool remembers it: the same keyword with the same
/// parameter changes a given format the same way while the document's tables stay.
inline quint64 keywordChange(int keyword, bool hasParameter, int parameter)
{
    return (quint64(keyword) << 33) | (quint64(hasParameter) << 32) | quint32(parameter);
}

/// The change that merges the pooled format linkId into a format: a field's link. Its number
/// is past every keyword's.
inline quint64 mergeChange(int linkId)
{
    return (quint64(RtfKeywordCount) << 33) | quint32(linkId);
}

#endif // QMK_CHARFORMATPOOL_P_H
