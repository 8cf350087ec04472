#include "textutil/storedformatinsertion_p.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#ifdef QMKRTF_HAVE_QT_GUI_PRIVATE
#include <private/qtextdocument_p.h>

bool canInsertByFormatIndex()
{
    return true;
}

int storedCharFormatIndex(QTextDocument *document, const QTextCharFormat &format)
{
    QTextCharFormat stored = format;
    stored.clearProperty(QTextFormat::ObjectIndex);
    return document->docHandle()->formatCollection()->indexForFormat(stored);
}

void insertByFormatIndex(QTextCursor &cursor, const QString &text, int formatIndex)
{
    if (text.isEmpty())
        return;
    // The cursor moves past the text, as with insertText: cursors at the insertion point
    // move with the insertion.
    cursor.document()->docHandle()->insert(cursor.position(), text, formatIndex);
}

#else

bool canInsertByFormatIndex()
{
    return false;
}

int storedCharFormatIndex(QTextDocument *, const QTextCharFormat &)
{
    return -1;
}

void insertByFormatIndex(QTextCursor &, const QString &, int)
{
}

#endif
