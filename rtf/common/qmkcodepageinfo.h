#ifndef QMKCODEPAGEINFO_H
#define QMKCODEPAGEINFO_H

#include <QByteArray>
#include <QChar>

// Windows code pages as RTF uses them: \fcharset values name them, \'hh escapes are bytes in
// them, and the writer escapes text into them.

/// The code page of an RTF character set (\fcharset); 1252 for any set not listed.
int charsetToCodePage(int charset);

struct QMKCodePageInfo
{
    int maxCharSize = 0;        ///< bytes per character at most; 0 before any page was known
    QChar defaultChar;          ///< stands in for bytes the page cannot decode
};

/// The information of a code page, through a one-entry cache shared by the process. A page
/// that is not known yields the information of the last page that was.
QMKCodePageInfo codePageInfo(int codePage);

/// Decodes the first byteCount bytes (0 or less: the page's maximum character size) as one
/// character of codePage. When they are not a valid character, returns fallback, or the page's
/// default character when fallback is null. Code page 1252 is decoded from its own table.
QChar bytesToChar(const QByteArray &bytes, int codePage, int byteCount, QChar fallback);

#endif // QMKCODEPAGEINFO_H
