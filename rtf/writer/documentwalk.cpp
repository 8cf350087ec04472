// The walk over the document: frames, tables and paragraphs in document order. Each paragraph
// opens with \pard and its whole format when the format changes, and each run stands in its own
// group with its whole character format.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "qmkformatproperties.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace {

bool hasFragments(const QTextBlock &block)
{
    return block.begin() != block.end();
}

QTextCharFormat firstFormat(const QTextBlock &block)
{
    if (!block.isValid())
        return QTextCharFormat();
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().isValid())
            return it.fragment().charFormat();
    }
    return block.charFormat();
}

// Outside any table counts as one cell.
bool sameCell(const QTextBlock &a, const QTextBlock &b)
{
    QTextTable *table = qobject_cast<QTextTable *>(QTextCursor(a).currentFrame());
    if (table != qobject_cast<QTextTable *>(QTextCursor(b).currentFrame()))
        return false;
    return !table || table->cellAt(a.position()) == table->cellAt(b.position());
}

} // namespace

void QMKTextRtfWriterPrivate::writeFrame(QTextFrame *frame)
{
    afterTable = false;
    firstParagraph = true;
    writeFrameElements(frame);
    afterTable = false;
}

void QMKTextRtfWriterPrivate::writeFrameElements(QTextFrame *frame)
{
    writeElements(frame->begin(), false);
}

// The paragraphs of a frame inside a table are the table writer's; those of a cell are not.
void QMKTextRtfWriterPrivate::writeElements(QTextFrame::iterator it, bool cellContent)
{
    for (; !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            if (QTextTable *table = qobject_cast<QTextTable *>(child)) {
                endParagraphBeforeTable();
                writeTable(table);
                afterTable = true;
            } else {
                // This system makes no other frames; one of another program's making keeps its
                // text, written in the flow.
                writeFrameElements(child);
            }
        } else if (it.currentBlock().isValid() && (cellContent || tableDepth == 0)) {
            writeBlock(it.currentBlock());
        }
    }
}

// This system's reader starts a table in a paragraph of its own; other readers put the text
// of a paragraph that no \par ended into the table's first cell.
void QMKTextRtfWriterPrivate::endParagraphBeforeTable()
{
    if (exportMode && !firstParagraph && paragraphHasText)
        writeKeyword(KwPar);
}

// This system's reader ignores paragraph formatting inside a note: the paragraphs a note's \par
// makes take the format of the paragraph the note stands in. A note running on into a paragraph
// of another format or list is therefore closed and opened again after that paragraph's format.
bool QMKTextRtfWriterPrivate::noteHidesNextParagraphFormat(const QTextBlock &block,
                                                           const QTextBlock &next) const
{
    if (exportMode || !next.isValid() || !(resolveSpanKind(span) & RtfSpanState::InlineNote))
        return false;
    return next.blockFormat() != block.blockFormat() || next.textList() != block.textList();
}

void QMKTextRtfWriterPrivate::writeBlock(const QTextBlock &block)
{
    if (afterTable) {
        afterTable = false;
        // The empty paragraph Qt keeps after a table is the reader's own to make, but for the
        // last of a cell: that one ends the cell, with its format, as in Word's files.
        const QTextBlock next = block.next();
        const bool endsCell = tableDepth > 0 && (!next.isValid() || !sameCell(block, next));
        if (!hasFragments(block) && !endsCell)
            return;
    }
    const QTextBlockFormat blockFormat = block.blockFormat();
    QTextBlockFormat statedFormat = blockFormat;
    if (exportMode && !insideNoteDocument)
        writeSectionStart(block, statedFormat);

    writeNewline();
    bool changed = false;
    if (firstParagraph) {
        firstParagraph = false;
        writeKeyword(KwPard);
        changed = true;
    } else {
        writeKeyword(KwPar);
        if (blockFormat != previousBlockFormat) {
            writeKeyword(KwPard);
            changed = true;
        }
    }
    writeKeyword(KwPlain);
    writeSpaceIfPending();
    if (tableDepth > 0) {
        writeKeyword(KwIntbl);
        writeKeyword(KwItap, tableDepth);
    }
    if (changed) {
        writeBlockFormat(statedFormat, block.textList(), true);
        if (tableDepth == 0)
            writeKeyword(blockFormat.layoutDirection() == Qt::RightToLeft ? KwRtlch : KwLtrch);
        writeKeyword(KwLoch);
        writeSpaceIfPending();
    }
    if (QTextList *list = block.textList())
        writeListPrefix(block, list, changed);

    paragraphHasText = hasFragments(block);
    if (!paragraphHasText) {
        writeCharFormat(block.charFormat());
        previousCharFormat = block.charFormat();
    } else {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            writeFragment(fragment.text(), format, previousCharFormat, block);
            previousCharFormat = format;
        }
    }

    const QTextBlock next = block.next();
    const QTextCharFormat nextFormat = firstFormat(next);
    const RtfSpanState nextSpan = next.isValid() ? spanState(nextFormat) : RtfSpanState();
    const bool bothLinks = (span.flags & RtfSpanState::Link) && (nextSpan.flags & RtfSpanState::Link);
    if (!next.isValid() || nextSpan != span || bothLinks
        || (span.flags != 0 && !sameCell(block, next))
        || noteHidesNextParagraphFormat(block, next)) {
        closeSpans(previousCharFormat, nextFormat);
        span = RtfSpanState();
    }
    previousBlockFormat = blockFormat;
    flush();
}
