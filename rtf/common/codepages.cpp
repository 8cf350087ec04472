#include "qmkcodepageinfo.h"

#include "rtf/common/codepages_p.h"
#include "textutil/platformcodepages_p.h"

namespace {

struct CharsetCodePage
{
    int charset;
    int codePage;
};

const CharsetCodePage charsetCodePages[] = {
    {1, 0},       {2, 42},      {77, 10000},  {78, 10001},  {79, 10003},  {80, 10008},
    {81, 10002},  {83, 10005},  {84, 10004},  {85, 10006},  {86, 10081},  {87, 10021},
    {88, 10029},  {89, 10007},  {128, 932},   {129, 949},   {130, 1361},  {134, 936},
    {136, 950},   {161, 1253},  {162, 1254},  {163, 1258},  {177, 1255},  {178, 1256},
    {186, 1257},  {204, 1251},  {222, 874},   {238, 1250},  {254, 437},   {255, 850},
};

// Bytes 0x80 to 0x9F; from 0xA0 on, Windows-1252 is Latin-1.
const char16_t windows1252High[32] = {
    0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x0000, 0x017D, 0x0000,
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x0000, 0x017E, 0x0178,
};

struct CodePageInfoCache
{
    int codePage = -1;
    QMKCodePageInfo info;
};

CodePageInfoCache &codePageInfoCache()
{
    static CodePageInfoCache cache;
    return cache;
}

} // namespace

int charsetToCodePage(int charset)
{
    for (const CharsetCodePage &entry : charsetCodePages) {
        if (entry.charset == charset)
            return entry.codePage;
    }
    return 1252;
}

QChar windows1252ToUnicode(uchar byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(windows1252High[byte - 0x80]);
    return QChar(ushort(byte));
}

void resetCodePageInfoCache()
{
    codePageInfoCache() = CodePageInfoCache();
}

QMKCodePageInfo codePageInfo(int codePage)
{
    CodePageInfoCache &cache = codePageInfoCache();
    if (codePage < 0 || codePage == cache.codePage)
        return cache.info;
    PlatformCodePageInfo platform;
    if (platformCodePageInfo(codePage, &platform)) {
        cache.codePage = codePage;
        cache.info.maxCharSize = platform.maxCharSize;
        cache.info.defaultChar = QChar(platform.defaultChar);
    }
    return cache.info;
}

QChar bytesToChar(const QByteArray &bytes, int codePage, int byteCount, QChar fallback)
{
    if (codePage == 1252)
        return windows1252ToUnicode(bytes.isEmpty() ? 0 : uchar(bytes.at(0)));

    const QMKCodePageInfo info = codePageInfo(codePage);
    if (byteCount <= 0)
        byteCount = info.maxCharSize;
    // Never read past the bytes given, whatever the count asks for.
    byteCount = qMin(byteCount, bytes.size());
    char16_t units[2];
    if (platformBytesToUnicode(codePage, bytes.constData(), byteCount, units, 2) > 0)
        return QChar(units[0]);
    return fallback.isNull() ? info.defaultChar : fallback;
}
