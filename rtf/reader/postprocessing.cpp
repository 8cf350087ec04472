// Normalising a document after the import: the reader records \page as a break after the
// block it ends, while the document keeps page breaks as breaks before a block.

#include "rtf/reader/postprocessing.h"

#include "rtf/reader/qmktextrtfreader_p.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

void clearDefaultTextOptionFlags(QTextDocument *document)
{
    if (!document)
        return;
    QTextOption option = document->defaultTextOption();
    // Setting the option lays the document out anew, and Qt lays out nested tables in time
    // exponential in their depth: only a change is made.
    if (option.flags() == QTextOption::Flags())
        return;
    option.setFlags(QTextOption::Flags());
    document->setDefaultTextOption(option);
}

void movePageBreaksToFollowingBlock(QTextDocument *document)
{
    if (!document)
        return;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    bool carry = false;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        int flags = format.intProperty(QTextFormat::PageBreakPolicy);
        bool changed = false;
        if (carry) {
            flags |= QTextFormat::PageBreak_AlwaysBefore;
            changed = true;
        }
        carry = flags & QTextFormat::PageBreak_AlwaysAfter;
        if (carry) {
            flags &= ~QTextFormat::PageBreak_AlwaysAfter;
            changed = true;
        }
        if (changed) {
            format.setProperty(QTextFormat::PageBreakPolicy, flags);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
    }
    cursor.endEditBlock();
}

void QMKTextRtfReaderPrivate::postProcess()
{
    clearDefaultTextOptionFlags(document);
    movePageBreaksToFollowingBlock(document);
}
