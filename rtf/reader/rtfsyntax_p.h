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

/// The value of a hexadecimal digit, or -1.
inline int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

#endif // QMK_RTFSYNTAX_P_H
