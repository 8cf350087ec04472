// The writer's output primitives: control words with their delimiters, and text escaped so
// that any reader sees the same characters (special characters as control words, non-ASCII
// characters as \u with the code page's bytes for readers without Unicode).

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "textutil/platformcodepages_p.h"
#include "qmkcodepageinfo.h"
#include "qmkformatproperties.h"

#include <QIODevice>
#include <QVector>

namespace {

// Handed to the device in pieces of this size: one device write per control word would cost
// more than the escaping itself.
constexpr int FlushThreshold = 1 << 16;

// Private-use characters that stand for page-number fields in text.
constexpr char16_t PageNumberMark = 0xE000;
constexpr char16_t PageCountMark = 0xE001;
constexpr char16_t PageReferenceMark = 0xE002;

void appendNumber(QByteArray &out, int n)
{
    char digits[12];
    int length = 0;
    // Negated in unsigned arithmetic: -INT_MIN does not fit an int.
    unsigned int value = n < 0 ? 0u - unsigned(n) : unsigned(n);
    do {
        digits[length++] = char('0' + value % 10);
        value /= 10;
    } while (value);
    if (n < 0)
        out.append('-');
    while (length)
        out.append(digits[--length]);
}

void appendHexByte(QByteArray &out, uchar byte)
{
    static const char hex[] = "0123456789ABCDEF";
    out.append("\\'", 2);
    out.append(hex[byte >> 4]);
    out.append(hex[byte & 0xF]);
}

// A letter, digit, hyphen or space right after a control word would be read as part of it
// (its name, its number, or the space that ends it).
bool startsControlWordTail(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '-' || (u >= '0' && u <= '9') || (u >= 'a' && u <= 'z')
           || (u >= 'A' && u <= 'Z');
}

// rtfKeywordText() allocates a header for its raw data on every call; made once here.
const QByteArray &keywordText(RtfKeyword keyword)
{
    static const QVector<QByteArray> texts = [] {
        QVector<QByteArray> all(RtfKeywordCount + 1);
        for (int k = 0; k < RtfKeywordCount; ++k)
            all[k] = rtfKeywordText(RtfKeyword(k));
        return all;
    }();
    return texts.at(keyword >= 0 && keyword < RtfKeywordCount ? int(keyword) : RtfKeywordCount);
}

QString withPageNumberFields(QString text, bool pageReference)
{
    const QChar pageMark(pageReference ? PageReferenceMark : PageNumberMark);
    text.replace(QLatin1String("<$p-r>"), pageMark);
    text.replace(QLatin1String("<$p>"), pageMark);
    text.replace(QLatin1String("<$pagecount>"), QChar(PageCountMark));
    return text;
}

} // namespace

void QMKTextRtfWriterPrivate::writeRaw(const char *word)
{
    out.append(word);
    delimiterPending = true;
}

void QMKTextRtfWriterPrivate::writeRaw(const QByteArray &bytes)
{
    out.append(bytes);
    delimiterPending = true;
}

void QMKTextRtfWriterPrivate::writeKeyword(RtfKeyword keyword)
{
    writeRaw(keywordText(keyword));
}

void QMKTextRtfWriterPrivate::writeKeyword(RtfKeyword keyword, int n)
{
    out.append(keywordText(keyword));
    appendNumber(out, n);
    delimiterPending = true;
}

void QMKTextRtfWriterPrivate::writeRawNumber(const char *word, int n)
{
    out.append(word);
    appendNumber(out, n);
    delimiterPending = true;
}

void QMKTextRtfWriterPrivate::writeChar(char c)
{
    out.append(c);
    delimiterPending = false;
}

void QMKTextRtfWriterPrivate::writeNewline()
{
    writeChar('\n');
}

void QMKTextRtfWriterPrivate::writeSpaceIfPending()
{
    if (delimiterPending)
        writeChar(' ');
}

void QMKTextRtfWriterPrivate::flush()
{
    if (out.size() < FlushThreshold && !out.isEmpty())
        return;
    if (!out.isEmpty() && device)
        device->write(out);
    out.clear();
}

std::pair<uchar, uchar> QMKTextRtfWriterPrivate::codePageBytes(char16_t unit,
                                                                const RtfWriterCodePage &page)
{
    char bytes[8];
    const int count = platformUnicodeToBytes(page.codePage, unit, bytes, int(sizeof bytes));
    if (count == 1)
        return {uchar(bytes[0]), 0};
    if (count == 2)
        return {uchar(bytes[0]), uchar(bytes[1])};
    int maxCharSize = page.maxCharSize;
    QChar defaultChar = page.defaultChar;
    if (maxCharSize < 1 || defaultChar.isNull()) {
        const QMKCodePageInfo info = codePageInfo(page.codePage);
        if (maxCharSize < 1)
            maxCharSize = info.maxCharSize;
        if (defaultChar.isNull())
            defaultChar = info.defaultChar;
    }
    const uchar d = uchar(defaultChar.unicode() & 0xFF);
    return {d, maxCharSize == 1 ? uchar(0) : d};
}

void QMKTextRtfWriterPrivate::writeText(const QString &input, int fontIndex, bool noUnicode,
                                        bool leadingSpace, bool raw,
                                        const QString &pageReference)
{
    const QString text = exportMode ? withPageNumberFields(input, !pageReference.isEmpty())
                                    : input;
    if (leadingSpace && delimiterPending)
        out.append(' ');
    // Raw text follows its control word directly; a first character that would carry on the
    // word or its number (a level text whose length is a digit, say) needs the delimiter.
    else if (raw && delimiterPending && !text.isEmpty() && startsControlWordTail(text.at(0)))
        out.append(' ');
    bool codePageKnown = false;
    RtfWriterCodePage page;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c >= 0x20 && c < 0x80) {
            // Even raw text keeps the braces and backslashes that would break the groups.
            if (c == '\\' || c == '{' || c == '}')
                out.append('\\');
            out.append(char(c));
            continue;
        }
        if (!raw) {
            switch (c) {
            case 0x0009: out.append("\\tab "); continue;
            case 0x00A0: out.append("\\~"); continue;
            case 0x2011: out.append("\\_"); continue;
            case 0x2013: out.append("\\endash "); continue;
            case 0x2014:
                out.append("\\hich\\f");
                appendNumber(out, fontIndex);
                out.append(" \\emdash \\loch\\f");
                appendNumber(out, fontIndex);
                out.append(' ');
                continue;
            case 0x2022: out.append("\\bullet "); continue;
            case 0x2028: out.append("\\line "); continue;
            case PageNumberMark: out.append("{\\chpgn}"); continue;
            case PageCountMark: out.append("{\\field{\\*\\fldinst{NUMPAGES}}{\\fldrslt 1}}"); continue;
            case PageReferenceMark:
                out.append("{\\field{\\*\\fldinst");
                out.append(QStringLiteral("{PAGEREF %1 \\h}").arg(pageReference).toLatin1());
                out.append("}{\\fldrslt ?}}");
                continue;
            default: break;
            }
        }
        if (c < 0x80) {
            appendHexByte(out, uchar(c));
            continue;
        }
        if (!codePageKnown) {
            codePageKnown = true;
            page = codePageOfFont(fontIndex);
            if (!noUnicode) {
                for (const char *word : {"\\loch\\af", "\\hich\\af", "\\dbch\\af"}) {
                    out.append(word);
                    appendNumber(out, fontIndex);
                }
                out.append("\\uc");
                appendNumber(out, page.maxCharSize);
            }
        }
        if (!noUnicode) {
            out.append("\\u");
            appendNumber(out, int(c));
        }
        const auto bytes = codePageBytes(c, page);
        appendHexByte(out, bytes.first);
        if (page.maxCharSize >= 2)
            appendHexByte(out, bytes.second);
    }
    delimiterPending = false;
    flush();
}

void QMKTextRtfWriterPrivate::writeTextRun(const QString &input, const QTextCharFormat &format,
                                           bool writeFormat, bool spaceAfterFormat)
{
    if (writeFormat) {
        writeCharFormat(format);
        if (spaceAfterFormat)
            writeSpaceIfPending();
    }
    if (input.isEmpty())
        return;
    // All capitals are a way of showing the text, stated with \caps: the letters keep their case.
    const QString text = format.fontCapitalization() == QFont::AllLowercase ? input.toLower()
                                                                           : input;
    writeText(text, qMax(0, fontIndex(format)), false, true, false,
              format.stringProperty(QMKFormatProperty::InternalLinkTarget));
}
