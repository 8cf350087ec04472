#ifndef QMK_PLATFORMCODEPAGES_H
#define QMK_PLATFORMCODEPAGES_H

#include <QtGlobal>

// The Windows code-page services the reader and the writer rely on (what GetCPInfoExW,
// MultiByteToWideChar, WideCharToMultiByte and IsDBCSLeadByteEx give on Windows), answered
// from ICU's converters, and from glibc's iconv for the one page ICU does not carry.
// Conversions are strict: an invalid byte sequence fails, and a character the page cannot
// represent is never replaced by a look-alike.

struct PlatformCodePageInfo
{
    int maxCharSize = 0;        ///< bytes per character at most: 1 or 2
    char16_t defaultChar = 0;   ///< what Windows reports as the page's Unicode default character
};

/// False for a page this system does not know. Code page 0 (the system default) is 1252.
bool platformCodePageInfo(int codePage, PlatformCodePageInfo *info);

/// Decodes byteCount bytes as one sequence; returns the number of UTF-16 units written to out,
/// or 0 when the bytes are not a valid sequence of the page or do not fit in room units.
int platformBytesToUnicode(int codePage, const char *bytes, int byteCount, char16_t *out,
                           int room);

/// Whether byte starts a two-byte character of the page.
bool platformIsLeadByte(int codePage, uchar byte);

/// Encodes one UTF-16 unit; returns the number of bytes written to out (0 for an unknown page).
/// A unit the page cannot represent in room bytes gives the page's default byte '?' and sets
/// usedDefault.
int platformUnicodeToBytes(int codePage, char16_t unit, char *out, int room,
                           bool *usedDefault = nullptr);

#endif // QMK_PLATFORMCODEPAGES_H
