#include "textutil/platformcodepages_p.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>

namespace {

enum class Engine { Icu, Iconv, Symbol };

// One row per Windows code page that RTF's \fcharset values lead to, with the converter whose
// mapping matches the Windows definition (or comes closest where none does).
struct CodePageDefinition
{
    int codePage;
    Engine engine;
    const char *converter;      ///< ICU converter or iconv encoding name
    int maxCharSize;
    char16_t defaultChar;       ///< Windows answers U+30FB for the four CJK ANSI pages
};

constexpr char16_t Question = u'?';
constexpr char16_t KatakanaMiddleDot = u'\u30FB';

const CodePageDefinition codePageDefinitions[] = {
    {42, Engine::Symbol, "", 1, Question},
    {437, Engine::Icu, "ibm-437_P100-1995", 1, Question},
    {850, Engine::Icu, "ibm-850_P100-1995", 1, Question},
    {874, Engine::Icu, "windows-874-2000", 1, Question},
    {932, Engine::Icu, "ibm-943_P15A-2003", 2, KatakanaMiddleDot},
    {936, Engine::Icu, "windows-936-2000", 2, KatakanaMiddleDot},
    {949, Engine::Icu, "windows-949-2000", 2, KatakanaMiddleDot},
    {950, Engine::Icu, "windows-950-2000", 2, KatakanaMiddleDot},
    {1250, Engine::Icu, "ibm-1250_P100-1995", 1, Question},
    {1251, Engine::Icu, "ibm-1251_P100-1995", 1, Question},
    {1252, Engine::Icu, "ibm-5348_P100-1997", 1, Question},
    {1253, Engine::Icu, "ibm-1253_P100-1995", 1, Question},
    {1254, Engine::Icu, "ibm-1254_P100-1995", 1, Question},
    {1255, Engine::Icu, "ibm-1255_P100-1995", 1, Question},
    {1256, Engine::Icu, "ibm-1256_P110-1997", 1, Question},
    {1257, Engine::Icu, "ibm-1257_P100-1995", 1, Question},
    {1258, Engine::Icu, "ibm-1258_P100-1997", 1, Question},
    // ICU has no Johab converter; glibc's matches the Windows page.
    {1361, Engine::Iconv, "JOHAB", 2, Question},
    {10000, Engine::Icu, "macos-0_2-10.2", 1, Question},
    // The Mac CJK pages are their Windows or EUC counterparts without Apple's additions,
    // for which no converter exists here.
    {10001, Engine::Icu, "ibm-943_P15A-2003", 2, Question},
    {10002, Engine::Icu, "windows-950-2000", 2, Question},
    {10003, Engine::Icu, "ibm-970_P110_P110-2006_U2", 2, Question},
    {10006, Engine::Icu, "macos-6_2-10.4", 1, Question},
    {10007, Engine::Icu, "macos-7_3-10.2", 1, Question},
    {10008, Engine::Icu, "ibm-1383_P110-1999", 2, Question},
    {10029, Engine::Icu, "macos-29-10.2", 1, Question},
    {10081, Engine::Icu, "macos-35-10.2", 1, Question},
};

// Single bytes that Windows decodes although ICU's table for the page leaves them out.
struct ExtraSingleByte
{
    int codePage;
    uchar byte;
    char16_t unit;
};

const ExtraSingleByte extraSingleBytes[] = {
    {932, 0x80, 0x0080}, {932, 0xA0, 0xF8F0}, {932, 0xFD, 0xF8F1}, {932, 0xFE, 0xF8F2},
    {932, 0xFF, 0xF8F3},
};

const ExtraSingleByte *findExtraByte(int codePage, uchar byte)
{
    for (const ExtraSingleByte &extra : extraSingleBytes) {
        if (extra.codePage == codePage && extra.byte == byte)
            return &extra;
    }
    return nullptr;
}

const ExtraSingleByte *findExtraUnit(int codePage, char16_t unit)
{
    for (const ExtraSingleByte &extra : extraSingleBytes) {
        if (extra.codePage == codePage && extra.unit == unit)
            return &extra;
    }
    return nullptr;
}

const CodePageDefinition *findDefinition(int codePage)
{
    if (codePage == 0)
        codePage = 1252;
    for (const CodePageDefinition &definition : codePageDefinitions) {
        if (definition.codePage == codePage)
            return &definition;
    }
    return nullptr;
}

// A converter for one page, opened on first use and kept for the life of the process.
class PageConverter
{
public:
    virtual ~PageConverter() = default;
    virtual bool isValid() const = 0;
    /// Units written, or -1 when the bytes are invalid, incomplete or do not fit.
    virtual int decode(const char *bytes, int count, char16_t *out, int room) = 0;
    /// Bytes written, or -1 when the unit has no mapping or does not fit.
    virtual int encode(char16_t unit, char *out, int room) = 0;
    /// True when the lone byte is the start of an incomplete sequence.
    virtual bool isIncomplete(uchar byte) = 0;
};

class IcuConverter final : public PageConverter
{
public:
    explicit IcuConverter(const char *name)
    {
        UErrorCode error = U_ZERO_ERROR;
        converter = ucnv_open(name, &error);
        if (U_FAILURE(error)) {
            ucnv_close(converter);
            converter = nullptr;
            return;
        }
        // Stop at the first invalid sequence (MB_ERR_INVALID_CHARS) and take no fallback
        // mappings towards the page (WC_NO_BEST_FIT_CHARS).
        ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                            &error);
        ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &error);
        ucnv_setFallback(converter, false);
    }
    ~IcuConverter() override { ucnv_close(converter); }

    bool isValid() const override { return converter != nullptr; }

    int decode(const char *bytes, int count, char16_t *out, int room) override
    {
        ucnv_resetToUnicode(converter);
        UErrorCode error = U_ZERO_ERROR;
        const int32_t units = ucnv_toUChars(converter, out, room, bytes, count, &error);
        return U_FAILURE(error) ? -1 : units;
    }

    int encode(char16_t unit, char *out, int room) override
    {
        ucnv_resetFromUnicode(converter);
        UErrorCode error = U_ZERO_ERROR;
        const int32_t written = ucnv_fromUChars(converter, out, room, &unit, 1, &error);
        return U_FAILURE(error) ? -1 : written;
    }

    bool isIncomplete(uchar byte) override
    {
        ucnv_resetToUnicode(converter);
        UErrorCode error = U_ZERO_ERROR;
        char16_t unit;
        const char single = char(byte);
        ucnv_toUChars(converter, &unit, 1, &single, 1, &error);
        return error == U_TRUNCATED_CHAR_FOUND;
    }

private:
    UConverter *converter = nullptr;
};

class IconvConverter final : public PageConverter
{
public:
    explicit IconvConverter(const char *name)
        : toUnicode(iconv_open("UTF-16LE", name)), fromUnicode(iconv_open(name, "UTF-16LE"))
    {
    }
    ~IconvConverter() override
    {
        if (toUnicode != invalid())
            iconv_close(toUnicode);
        if (fromUnicode != invalid())
            iconv_close(fromUnicode);
    }

    bool isValid() const override { return toUnicode != invalid() && fromUnicode != invalid(); }

    int decode(const char *bytes, int count, char16_t *out, int room) override
    {
        char buffer[16];
        const int written = run(toUnicode, bytes, count, buffer, qMin(room * 2, 16));
        if (written < 0)
            return -1;
        for (int i = 0; i + 1 < written; i += 2)
            out[i / 2] = char16_t(uchar(buffer[i]) | uchar(buffer[i + 1]) << 8);
        return written / 2;
    }

    int encode(char16_t unit, char *out, int room) override
    {
        const char bytes[2] = {char(unit & 0xFF), char(unit >> 8)};
        return run(fromUnicode, bytes, 2, out, room);
    }

    bool isIncomplete(uchar byte) override
    {
        char16_t unit;
        const char single = char(byte);
        iconv(toUnicode, nullptr, nullptr, nullptr, nullptr);
        char *in = const_cast<char *>(&single);
        size_t inLeft = 1;
        char *out = reinterpret_cast<char *>(&unit);
        size_t outLeft = sizeof unit;
        return iconv(toUnicode, &in, &inLeft, &out, &outLeft) == size_t(-1) && errno == EINVAL;
    }

private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }

    // Bytes written, or -1 for invalid or incomplete input and for output that does not fit.
    static int run(iconv_t cd, const char *bytes, int count, char *out, int room)
    {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char *in = const_cast<char *>(bytes);
        size_t inLeft = size_t(count);
        char *next = out;
        size_t outLeft = size_t(room);
        if (iconv(cd, &in, &inLeft, &next, &outLeft) == size_t(-1) || inLeft != 0)
            return -1;
        return int(next - out);
    }

    iconv_t toUnicode;
    iconv_t fromUnicode;
};

// Windows' CP_SYMBOL: the bytes of a symbol font sit in the private use area at U+F000.
class SymbolConverter final : public PageConverter
{
public:
    bool isValid() const override { return true; }

    int decode(const char *bytes, int count, char16_t *out, int room) override
    {
        if (count > room)
            return -1;
        for (int i = 0; i < count; ++i) {
            const uchar byte = uchar(bytes[i]);
            out[i] = byte < 0x20 ? byte : char16_t(0xF000 + byte);
        }
        return count;
    }

    int encode(char16_t unit, char *out, int room) override
    {
        if (room < 1 || !(unit < 0x20 || (unit >= 0xF020 && unit <= 0xF0FF)))
            return -1;
        out[0] = char(unit & 0xFF);
        return 1;
    }

    bool isIncomplete(uchar) override { return false; }
};

PageConverter *converterFor(const CodePageDefinition &definition)
{
    static std::map<int, std::unique_ptr<PageConverter>> converters;
    std::unique_ptr<PageConverter> &slot = converters[definition.codePage];
    if (!slot) {
        switch (definition.engine) {
        case Engine::Icu: slot = std::make_unique<IcuConverter>(definition.converter); break;
        case Engine::Iconv: slot = std::make_unique<IconvConverter>(definition.converter); break;
        case Engine::Symbol: slot = std::make_unique<SymbolConverter>(); break;
        }
    }
    return slot->isValid() ? slot.get() : nullptr;
}

PageConverter *converterFor(int codePage)
{
    const CodePageDefinition *definition = findDefinition(codePage);
    return definition ? converterFor(*definition) : nullptr;
}

} // namespace

bool platformCodePageInfo(int codePage, PlatformCodePageInfo *info)
{
    const CodePageDefinition *definition = findDefinition(codePage);
    if (!definition || !converterFor(*definition))
        return false;
    if (info) {
        info->maxCharSize = definition->maxCharSize;
        info->defaultChar = definition->defaultChar;
    }
    return true;
}

int platformBytesToUnicode(int codePage, const char *bytes, int byteCount, char16_t *out,
                           int room)
{
    PageConverter *converter = converterFor(codePage);
    if (!converter || !bytes || byteCount <= 0 || !out || room <= 0)
        return 0;
    if (byteCount == 1) {
        if (const ExtraSingleByte *extra = findExtraByte(codePage, uchar(bytes[0]))) {
            out[0] = extra->unit;
            return 1;
        }
    }
    return qMax(converter->decode(bytes, byteCount, out, room), 0);
}

bool platformIsLeadByte(int codePage, uchar byte)
{
    const CodePageDefinition *definition = findDefinition(codePage);
    if (!definition || definition->maxCharSize < 2)
        return false;
    PageConverter *converter = converterFor(*definition);
    return converter && converter->isIncomplete(byte);
}

int platformUnicodeToBytes(int codePage, char16_t unit, char *out, int room, bool *usedDefault)
{
    if (usedDefault)
        *usedDefault = false;
    PageConverter *converter = converterFor(codePage);
    if (!converter || !out || room <= 0)
        return 0;
    const int written = converter->encode(unit, out, room);
    if (written > 0)
        return written;
    if (const ExtraSingleByte *extra = findExtraUnit(codePage, unit)) {
        out[0] = char(extra->byte);
        return 1;
    }
    // Windows writes the page's default byte for what the page cannot represent.
    if (usedDefault)
        *usedDefault = true;
    out[0] = '?';
    return 1;
}
