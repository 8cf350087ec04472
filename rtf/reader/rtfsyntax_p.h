#ifndef QMK_RTFSYNTAX_P_H
#define QMK_RTFSYNTAX_P_H

// Character classes of RTF's syntax, in ASCII only: the C library's versions follow the locale.

inline bool isRtfLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool isRtfDigit(char c)
{
    return c >= '0' && c <= '9';
}

namespace rtfsyntax_detail {
struct HexDigitTable
{
    signed char values[256];
};
constexpr HexDigitTable makeHexDigitTable()
{
    HexDigitTable table{};
    for (int c = 0; c < 256; ++c)
        table.values[c] = -1;
    for (int i = 0; i < 10; ++i)
        table.values['0' + i] = char(i);
    for (int i = 0; i < 6; ++i) {
        table.values['a' + i] = char(10 + i);
        table.values['A' + i] = char(10 + i);
    }
    return table;
}
// Pictures are megabytes of digits: a look-up beats three range tests per digit.
inline constexpr HexDigitTable hexDigitTable = makeHexDigitTable();
} // namespace rtfsyntax_detail

/// The value of a hexadecimal digit, or -1.
inline int hexDigitValue(char c)
{
    return rtfsyntax_detail::hexDigitTable.values[static_cast<unsigned char>(c)];
}

#endif // QMK_RTFSYNTAX_P_H
