#ifndef QMK_KEYWORDREGISTRY_H
#define QMK_KEYWORDREGISTRY_H

// The position in the keyword list of the keyword spelled by the bytes text[0, length), as
// scanned (backslash included, parameter excluded); -1 for an unknown keyword. Case matters.
int findRtfKeyword(const char *text, int length);

#endif // QMK_KEYWORDREGISTRY_H
