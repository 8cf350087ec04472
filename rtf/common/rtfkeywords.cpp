#include "rtf/common/rtfkeywords.h"

#include <iterator>

namespace {

const char *const keywordTexts[] = {
#define QMK_RTF_KEYWORD(name, text, handler) text,
#include "rtf/common/rtfkeywords.def"
#undef QMK_RTF_KEYWORD
};

static_assert(std::size(keywordTexts) == 329, "the keyword list has 329 entries");
static_assert(std::size(keywordTexts) == RtfKeywordCount, "one text per keyword position");

} // namespace

QByteArray rtfKeywordText(RtfKeyword keyword)
{
    if (keyword < 0 || keyword >= RtfKeywordCount)
        return QByteArray();
    return QByteArray::fromRawData(keywordTexts[keyword], int(qstrlen(keywordTexts[keyword])));
}
