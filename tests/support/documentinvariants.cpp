#include "support/documentinvariants.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace {

QString frameFault(QTextFrame *frame)
{
    if (auto *table = qobject_cast<QTextTable *>(frame)) {
        if (table->rows() < 1 || table->columns() < 1)
            return QStringLiteral("a table without cells");
    }
    for (QTextFrame *child : frame->childFrames()) {
        const QString fault = frameFault(child);
        if (!fault.isEmpty())
            return fault;
    }
    return QString();
}

} // namespace

QString documentInvariantFault(const QTextDocument &document)
{
    int expectedPosition = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.position() != expectedPosition)
            return QStringLiteral("blocks do not follow each other");
        expectedPosition += block.length();
        if (QTextList *list = block.textList()) {
            if (list->itemNumber(block) < 0)
                return QStringLiteral("a list block that its list does not hold");
        }
    }
    if (expectedPosition != document.characterCount())
        return QStringLiteral("block lengths do not add up to the document");

    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.movePosition(QTextCursor::End);
    if (cursor.position() != document.characterCount() - 1)
        return QStringLiteral("the end of the document is out of reach");
    return frameFault(document.rootFrame());
}
