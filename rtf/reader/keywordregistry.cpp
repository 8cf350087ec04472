// Keyword lookup and dispatch: every control word the tokeniser scans comes through here.

#include "rtf/reader/keywordregistry.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

using KeywordHandler = int (QMKTextRtfReaderPrivate::*)(const RtfKeywordCall &);

const KeywordHandler keywordHandlers[] = {
#define QMK_RTF_KEYWORD(name, text, handler) &QMKTextRtfReaderPrivate::handler,
#include "rtf/common/rtfkeywords.def"
#undef QMK_RTF_KEYWORD
};
static_assert(std::size(keywordHandlers) == RtfKeywordCount, "one handler per keyword");

// The keywords that build or end table rows, by their handlers.
class TableKeywords
{
public:
    TableKeywords()
    {
        using P = QMKTextRtfReaderPrivate;
        const KeywordHandler tableHandlers[] = {
            &P::setTableNesting, &P::setCellPadding, &P::setBorderTarget, &P::setTableBorder,
            &P::setCellMerge, &P::setCellVerticalAlignment, &P::setCellShading,
            &P::defineCell, &P::endCell, &P::endRow, &P::markLastRow};
        for (int keyword = 0; keyword < RtfKeywordCount; ++keyword)
            table[keyword] = std::find(std::begin(tableHandlers), std::end(tableHandlers),
                                       keywordHandlers[keyword]) != std::end(tableHandlers);
    }
    bool contains(RtfKeyword keyword) const { return table[keyword]; }

private:
    bool table[RtfKeywordCount];
};

// Open addressing over a table several times larger than the keyword list, so that a lookup
// is one hash of the scanned bytes and, almost always, one comparison. Built once.
class KeywordTable
{
public:
    KeywordTable()
    {
        std::fill(std::begin(buckets), std::end(buckets), qint16(-1));
        for (int keyword = 0; keyword < RtfKeywordCount; ++keyword) {
            const QByteArray text = rtfKeywordText(RtfKeyword(keyword));
            texts[keyword] = text.constData(); // static storage, not a copy
            lengths[keyword] = text.size();
            unsigned slot = hash(texts[keyword], lengths[keyword]);
            while (buckets[slot] >= 0)
                slot = (slot + 1) & (SlotCount - 1);
            buckets[slot] = qint16(keyword);
        }
    }

    int find(const char *text, int length) const
    {
        for (unsigned slot = hash(text, length); buckets[slot] >= 0;
             slot = (slot + 1) & (SlotCount - 1)) {
            const int keyword = buckets[slot];
            if (lengths[keyword] == length
                && std::memcmp(texts[keyword], text, size_t(length)) == 0)
                return keyword;
        }
        return -1;
    }

private:
    static constexpr unsigned SlotCount = 1024;
    static_assert(SlotCount >= 3 * RtfKeywordCount, "keep the table sparse");

    static unsigned hash(const char *text, int length)
    {
        unsigned h = 2166136261u; // FNV-1a
        for (int i = 0; i < length; ++i)
            h = (h ^ static_cast<unsigned char>(text[i])) * 16777619u;
        return h & (SlotCount - 1);
    }

    qint16 buckets[SlotCount];
    const char *texts[RtfKeywordCount];
    int lengths[RtfKeywordCount];
};

} // namespace

int findRtfKeyword(const char *text, int length)
{
    static const KeywordTable table;
    return table.find(text, length);
}

int QMKTextRtfReaderPrivate::dispatchKeyword(int keyword, bool hasParameter, int parameter)
{
    if (skipDepth > 0) {
        // Binary data is no RTF, in a skipped group neither: a brace in it must not count.
        if (keyword == KwBin)
            return takeBinaryData(hasParameter ? parameter : 0, false);
        return RtfStatus::Ok;
    }
    if (keyword >= 0) {
        ignorableDestination = false;
        return handleKeyword(RtfKeyword(keyword), hasParameter, parameter);
    }
    // An unknown destination marked \* is skipped; an unknown word without it is ignored.
    if (ignorableDestination)
        skipDepth = 1;
    ignorableDestination = false;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::handleKeyword(RtfKeyword keyword, bool hasParameter, int parameter)
{
    // Writers put size and scale words after the kind word (\pngblip\picwgoal300 ...): in a
    // picture every keyword leaves the data mode on. Text is discarded there in any case.
    if (state.destination != RtfDestination::Picture
        && state.destination != RtfDestination::EmbeddedPdf
        && state.destination != RtfDestination::NoteData)
        state.inputMode = RtfInputMode::Text;
    const RtfKeywordCall call{keyword, hasParameter, hasParameter ? parameter : 0,
                              !(hasParameter && parameter == 0)};
    if (Q_UNLIKELY(insideNote())) {
        static const TableKeywords tableKeywords;
        if (tableKeywords.contains(keyword))
            return tableKeywordInNote(call);
    }
    return (this->*keywordHandlers[keyword])(call);
}

int QMKTextRtfReaderPrivate::ignoreKeyword(const RtfKeywordCall &)
{
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::skipGroup(const RtfKeywordCall &)
{
    ++skipDepth;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::markIgnorable(const RtfKeywordCall &)
{
    ignorableDestination = true;
    return RtfStatus::Ok;
}
