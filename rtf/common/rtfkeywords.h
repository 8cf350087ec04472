#ifndef QMK_RTFKEYWORDS_H
#define QMK_RTFKEYWORDS_H

#include <QByteArray>

// Position of every known keyword in the keyword list; the writer emits keywords by position.
enum RtfKeyword : int {
#define QMK_RTF_KEYWORD(name, text, handler) Kw##name,
#include "rtf/common/rtfkeywords.def"
#undef QMK_RTF_KEYWORD
    RtfKeywordCount
};

// The keyword as RTF writes it, backslash included (for example "\\par").
QByteArray rtfKeywordText(RtfKeyword keyword);

#endif // QMK_RTFKEYWORDS_H
