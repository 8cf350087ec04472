#include "qmktextutilities.h"

#include "qmkformatproperties.h"

#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QUrl>

namespace {

int leadingSpaceCount(const QString &text)
{
    int count = 0;
    while (count < text.size() && text.at(count).isSpace())
        ++count;
    return count;
}

int trailingSpaceCount(const QString &text)
{
    int count = 0;
    while (count < text.size() && text.at(text.size() - 1 - count).isSpace())
        ++count;
    return count;
}

// Removed as a range, not character by character: Qt's cursor deletes whole grapheme
// clusters, and would take a combining accent away with the blank it sits on. White space
// never holds a frame or cell boundary, so the range stays inside one cell.
void removeRange(QTextDocument *document, int from, int to)
{
    if (from >= to)
        return;
    QTextCursor cursor(document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

QString cleanedPart(QString part)
{
    // A tab inside a part would push the rest of it to the next part's tab stop.
    return part.replace(QLatin1Char('\t'), QLatin1Char(' ')).trimmed();
}

bool appendId(const QTextFormat &format, QList<QUuid> *ids)
{
    if (!format.hasProperty(QMKFormatProperty::StyleIdentifier))
        return false;
    const QUuid id = format.property(QMKFormatProperty::StyleIdentifier).value<QUuid>();
    if (!ids->contains(id))
        ids->append(id);
    return true;
}

void collectIdsInRange(const QTextDocument *document, int start, int end,
                       QList<QUuid> *blockIds, QList<QUuid> *charIds, bool stopAtFirst)
{
    for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
        if (blockIds && appendId(block.blockFormat(), blockIds) && stopAtFirst)
            return;
        if (!charIds)
            continue;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int fragmentEnd = fragment.position() + fragment.length();
            // A fragment that ends where the selection starts has no selected character;
            // without a selection, the one the cursor follows gives its format.
            if (fragmentEnd < start || (fragmentEnd == start && start < end))
                continue;
            if (fragment.position() >= end)
                break;
            if (appendId(fragment.charFormat(), charIds) && stopAtFirst)
                return;
        }
    }
}

} // namespace

bool isWordSeparator(QChar c)
{
    const ushort u = c.unicode();
    if (u < 0x80)
        return (u >= 0x20 && u <= 0x2F) || (u >= 0x3A && u <= 0x40) || (u >= 0x5B && u <= 0x5E)
            || u == 0x60 || (u >= 0x7B && u <= 0x7E);
    switch (u) {
    case 0x2013: // en dash
    case 0x2014: // em dash
    case 0x2026: // ellipsis
    case 0x2018:
    case 0x2019:
    case 0x201C:
    case 0x201D:
        return true;
    default:
        return false;
    }
}

int lastSeparatorPosition(const QTextCursor &cursor)
{
    const QTextBlock block = cursor.block();
    const QString text = block.text();
    if (text.isEmpty())
        return -1;
    int i = text.size() - 1;
    while (i >= 0 && text.at(i).isSpace())
        --i;
    if (i < 0)
        i = text.size() - 1;
    for (; i >= 0; --i) {
        if (isWordSeparator(text.at(i)))
            return block.position() + i;
    }
    return -1;
}

void trimSelectionWhitespace(QTextCursor cursor)
{
    if (cursor.isNull() || cursor.document()->isEmpty())
        return;
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::Document);
    // A selection of table cells has no one start and end: its selected text joins the cells'
    // texts, which then no longer line up with document positions.
    if (cursor.hasComplexSelection())
        return;
    const QString text = cursor.selectedText();
    if (text.isEmpty())
        return;
    const int leading = leadingSpaceCount(text);
    if (leading == text.size()) {
        cursor.removeSelectedText();
        return;
    }
    const int trailing = trailingSpaceCount(text);
    QTextDocument *document = cursor.document();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();

    cursor.beginEditBlock();
    removeRange(document, end - trailing, end);
    // Qt gives a paragraph that loses the paragraphs before it their block format but the
    // first one's paragraph mark; the mark belongs with the text that stays.
    QTextCursor kept(document);
    kept.setPosition(start + leading);
    const QTextCharFormat markFormat = kept.blockCharFormat();
    const bool dropsParagraphs = kept.block().position() > start
        && document->findBlock(start).position() == start;
    removeRange(document, start, start + leading);
    if (dropsParagraphs)
        kept.setBlockCharFormat(markFormat);
    cursor.endEditBlock();
}

QString leftTrimmed(const QString &text)
{
    return text.mid(leadingSpaceCount(text));
}

QString imageName(const QTextImageFormat &format)
{
    if (format.hasProperty(QMKFormatProperty::PictureName))
        return format.stringProperty(QMKFormatProperty::PictureName);
    return format.name();
}

QImage documentImage(const QTextDocument &document, const QString &name)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(name));
    if (resource.userType() == QMetaType::QImage)
        return resource.value<QImage>();
    if (resource.userType() == QMetaType::QPixmap)
        return resource.value<QPixmap>().toImage();
    return QImage();
}

int partCount(const QMKThreePartText &text)
{
    return int(!text.left.trimmed().isEmpty()) + int(!text.centre.trimmed().isEmpty())
        + int(!text.right.trimmed().isEmpty());
}

Qt::Alignment singlePartAlignment(const QMKThreePartText &text)
{
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    if (!text.left.trimmed().isEmpty())
        return Qt::AlignLeft;
    if (!text.centre.trimmed().isEmpty())
        return centred;
    if (!text.right.trimmed().isEmpty())
        return Qt::AlignRight;
    return centred;
}

QString firstPartText(const QMKThreePartText &text)
{
    for (const QString &part : {text.left, text.centre, text.right}) {
        const QString cleaned = cleanedPart(part);
        if (!cleaned.isEmpty())
            return cleaned;
    }
    return QString();
}

QString joinedPartsText(const QMKThreePartText &text)
{
    QString joined = cleanedPart(text.left);
    for (const QString &part : {text.centre, text.right}) {
        const QString cleaned = cleanedPart(part);
        if (!cleaned.isEmpty())
            joined += QLatin1Char('\t') + cleaned;
    }
    return joined;
}

QString combinedPartsText(const QMKThreePartText &text)
{
    return (text.left + QLatin1Char('\t') + text.centre + QLatin1Char('\t') + text.right)
        .trimmed();
}

void collectIds(const QTextCursor &cursor, QList<QUuid> *blockIds, QList<QUuid> *charIds,
                bool stopAtFirst)
{
    if (cursor.isNull() || (!blockIds && !charIds))
        return;
    collectIdsInRange(cursor.document(), cursor.selectionStart(), cursor.selectionEnd(),
                      blockIds, charIds, stopAtFirst);
}

void collectIdsInDocument(const QTextDocument *document, QList<QUuid> *blockIds,
                          QList<QUuid> *charIds, bool stopAtFirst)
{
    if (!document || (!blockIds && !charIds))
        return;
    // The range a cursor selecting the whole document has.
    collectIdsInRange(document, 0, document->characterCount() - 1, blockIds, charIds,
                      stopAtFirst);
}
