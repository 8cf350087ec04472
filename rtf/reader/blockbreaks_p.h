#ifndef QMK_BLOCKBREAKS_P_H
#define QMK_BLOCKBREAKS_P_H

#include <QString>

/// Whether a cursor inserting this text would start new blocks: line feeds, carriage returns,
/// paragraph separators and the frame marks all do.
inline bool breaksBlock(const QString &text)
{
    for (const QChar c : text) {
        const ushort code = c.unicode();
        if (code == '\n' || code == '\r' || code == QChar::ParagraphSeparator || code == 0xFDD0
            || code == 0xFDD1)
            return true;
    }
    return false;
}

#endif // QMK_BLOCKBREAKS_P_H
