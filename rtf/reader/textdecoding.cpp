// Characters that RTF writes as control words: \'hh bytes in the current code page, \u with its
// replacement characters, and the symbol and punctuation keywords.

#include "qmkcodepageinfo.h"
#include "rtf/reader/qmktextrtfreader_p.h"
#include "rtf/reader/rtfsyntax_p.h"
#include "textutil/platformcodepages_p.h"

namespace {

constexpr int Utf8CodePage = 65001;

// No code page decodes to a noncharacter, so it marks a failed conversion.
const QChar NotDecoded(0xFFFF);

bool isGroupOrControl(char c)
{
    return c == '{' || c == '}' || c == '\\';
}

} // namespace

int QMKTextRtfReaderPrivate::effectiveCodePage() const
{
    return state.codePage == -1 ? documentCodePage : state.codePage;
}

int QMKTextRtfReaderPrivate::setDocumentCodePage(const RtfKeywordCall &call)
{
    // The character sets older than \ansicpg each stand for one page.
    switch (call.keyword) {
    case KwPc: documentCodePage = 437; break;
    case KwPca: documentCodePage = 850; break;
    case KwMac: documentCodePage = 10000; break;
    default: documentCodePage = call.parameter >= 1 ? call.parameter : 1252; break;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setUnicodeSkip(const RtfKeywordCall &call)
{
    state.unicodeSkip = qMax(call.parameter, 0);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::appendUnicodeCharacter(const RtfKeywordCall &call)
{
    // Codes above 32767 are written as negative numbers: the UTF-16 unit is the value mod 2^16.
    state.pendingText.append(call.hasParameter ? QChar(ushort(call.parameter))
                                               : QChar(QLatin1Char('?')));
    skipUnicodeReplacement(state.unicodeSkip);
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::skipUnicodeReplacement(int count)
{
    // The replacement is count characters for readers without Unicode: a plain byte, a \'hh
    // escape, or any other control word or symbol each count as one. It never reaches past
    // the end of its group, and line breaks are not characters.
    while (count > 0) {
        bool exists = false;
        const char c = peek(0, &exists);
        if (!exists || c == '{' || c == '}')
            return;
        if (c == '\r' || c == '\n') {
            advance(1);
            continue;
        }
        --count;
        if (c != '\\') {
            advance(1);
            continue;
        }
        const char symbol = peek(1, &exists);
        if (!exists)
            return; // a lone backslash at the end is the tokeniser's to report
        advance(2);
        if (symbol == '\'') {
            for (int digits = 0; digits < 2 && hexDigitValue(peek(0, &exists)) >= 0 && exists;
                 ++digits)
                advance(1);
        } else if (isRtfLetter(symbol)) {
            while (isRtfLetter(peek(0, &exists)) && exists)
                advance(1);
            if (peek(0, &exists) == '-' && exists)
                advance(1);
            while (isRtfDigit(peek(0, &exists)) && exists)
                advance(1);
            if (peek(0, &exists) == ' ' && exists)
                advance(1);
        }
    }
}

bool QMKTextRtfReaderPrivate::readEscapedByte(char *byte)
{
    // Both digits are consumed even when malformed, but never a brace or backslash: those
    // still delimit the groups and keywords that follow.
    int value = 0;
    bool valid = true;
    for (int i = 0; i < 2; ++i) {
        bool exists = false;
        const char c = peek(0, &exists);
        if (!exists || isGroupOrControl(c))
            return false;
        advance(1);
        const int digit = hexDigitValue(c);
        valid = valid && digit >= 0;
        value = value << 4 | qMax(digit, 0);
    }
    *byte = char(value);
    return valid;
}

int QMKTextRtfReaderPrivate::appendEscapedBytes(const RtfKeywordCall &)
{
    const int codePage = effectiveCodePage();
    const QMKCodePageInfo info = codePageInfo(codePage);
    char first = 0;
    if (!readEscapedByte(&first))
        return RtfStatus::InvalidParameter;

    if (codePage == Utf8CodePage) {
        // The code page layer knows no UTF-8: its default character is Windows' own.
        appendUtf8Sequence(uchar(first), QLatin1Char('?'));
        return RtfStatus::Ok;
    }

    // A double-byte character is written as two escapes. Only a lead byte takes the next
    // escape as its partner: single-byte characters of these pages (half-width katakana in
    // 932) stand alone.
    bool exists = false;
    if (info.maxCharSize >= 2 && platformIsLeadByte(codePage, uchar(first))
        && peek(0, &exists) == '\\' && exists && peek(1, &exists) == '\'' && exists) {
        advance(2);
        char second = 0;
        if (!readEscapedByte(&second))
            return RtfStatus::InvalidParameter;
        const char pair[2] = {first, second};
        const QChar character = bytesToChar(QByteArray(pair, 2), codePage, 2, NotDecoded);
        if (character != NotDecoded) {
            state.pendingText.append(character);
            return RtfStatus::Ok;
        }
        // Not a character of the page: the lead byte stands for the default character and
        // the second byte is read on its own, so that nothing written is lost.
        state.pendingText.append(info.defaultChar);
        first = second;
    }

    QChar character = bytesToChar(QByteArray(1, first), codePage, 1, QChar());
    // No page has been known yet, so there is no default character to stand in.
    if (info.maxCharSize == 0 && character.isNull())
        character = QLatin1Char('?');
    state.pendingText.append(character);
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::appendUtf8Sequence(uchar lead, QChar defaultChar)
{
    // HTML-to-RTF converters write UTF-8 as one escape per byte: the escapes of a sequence
    // are gathered and decoded together. A byte that continues no sequence is left to the
    // next escape.
    const int continuations = lead >= 0xF0 && lead <= 0xF4 ? 3
        : lead >= 0xE0 && lead <= 0xEF                    ? 2
        : lead >= 0xC2 && lead <= 0xDF                    ? 1
                                                          : 0;
    if (lead < 0x80) {
        state.pendingText.append(QLatin1Char(char(lead)));
        return;
    }
    QByteArray sequence(1, char(lead));
    while (sequence.size() <= continuations) {
        bool exists = false;
        if (peek(0, &exists) != '\\' || !exists || peek(1, &exists) != '\'' || !exists)
            break;
        const int high = hexDigitValue(peek(2, &exists));
        const int low = exists ? hexDigitValue(peek(3, &exists)) : -1;
        if (!exists || high < 0 || low < 0 || (high << 4 | low) < 0x80 || (high << 4 | low) > 0xBF)
            break;
        advance(4);
        sequence.append(char(high << 4 | low));
    }
    const QString decoded = QString::fromUtf8(sequence);
    if (continuations == 0 || sequence.size() != continuations + 1
        || decoded.contains(QChar::ReplacementCharacter))
        state.pendingText.append(defaultChar);
    else
        state.pendingText.append(decoded);
}

int QMKTextRtfReaderPrivate::appendSymbol(const RtfKeywordCall &call)
{
    char16_t character = 0;
    switch (call.keyword) {
    case KwNonBreakingSpace: character = 0x00A0; break;
    // The optional hyphen is only shown where a line breaks: a soft hyphen, not a '-'.
    case KwOptionalHyphen: character = 0x00AD; break;
    case KwNonBreakingHyphen: character = 0x2011; break;
    case KwBackslash: character = 0x005C; break;
    case KwOpenBrace: character = 0x007B; break;
    case KwCloseBrace: character = 0x007D; break;
    case KwLquote: character = 0x2018; break;
    case KwRquote: character = 0x2019; break;
    case KwLdblquote: character = 0x201C; break;
    case KwRdblquote: character = 0x201D; break;
    case KwEndash: character = 0x2013; break;
    case KwEmdash: character = 0x2014; break;
    case KwBullet: character = 0x2022; break;
    default: return RtfStatus::Ok;
    }
    state.pendingText.append(QChar(character));
    return RtfStatus::Ok;
}
