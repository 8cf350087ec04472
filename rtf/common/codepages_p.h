#ifndef QMK_CODEPAGES_P_H
#define QMK_CODEPAGES_P_H

#include <QChar>

/// Windows-1252 as published, except that its five undefined bytes (81, 8D, 8F, 90, 9D) give
/// U+0000. Bytes below 0x80 are themselves.
QChar windows1252ToUnicode(uchar byte);

/// Empties the code-page information cache, as at start-up (for tests).
void resetCodePageInfoCache();

#endif // QMK_CODEPAGES_P_H
