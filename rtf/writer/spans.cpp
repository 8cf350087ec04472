// Runs that belong together beyond one fragment: links, bookmarks and notes. A span's RTF
// groups open at its first run and close when the state of the runs changes, so a link over
// runs of several formats is one field. Internal mode writes linked notes as links to their
// content (the reader keeps the content on the anchor); export mode writes every note out.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "qmkformatcomparison.h"
#include "qmkformatproperties.h"
#include "qmktextrtfreader.h"
#include "qmktextutilities.h"

#include <QBuffer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QVariant>

#include <utility>

namespace {

bool linkedAnchor(const QTextCharFormat &format)
{
    return format.boolProperty(QMKFormatProperty::LinkedComment)
        || format.boolProperty(QMKFormatProperty::LinkedFootnote);
}

// Notes stand at the left margin of their own page area.
void clearNoteIndents(QTextDocument *note)
{
    QTextCursor cursor(note);
    for (QTextBlock block = note->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format;
        format.setTextIndent(0);
        format.setProperty(QMKFormatProperty::HeadIndent, 0.0);
        format.setProperty(QMKFormatProperty::TailIndent, 0.0);
        cursor.setPosition(block.position());
        cursor.mergeBlockFormat(format);
    }
}

QTextBlockFormat withoutIndents(QTextBlockFormat format)
{
    format.setTextIndent(0);
    format.setProperty(QMKFormatProperty::HeadIndent, 0.0);
    format.setProperty(QMKFormatProperty::TailIndent, 0.0);
    return format;
}

} // namespace

RtfSpanState QMKTextRtfWriterPrivate::spanState(const QTextCharFormat &format) const
{
    RtfSpanState state;
    if (format.boolProperty(QMKFormatProperty::InlineAnnotation))
        state.flags |= RtfSpanState::InlineAnnotation;
    if (format.boolProperty(QMKFormatProperty::InlineFootnote))
        state.flags |= RtfSpanState::InlineFootnote;
    if (format.boolProperty(QMKFormatProperty::LinkedComment))
        state.flags |= RtfSpanState::LinkedComment;
    if (format.boolProperty(QMKFormatProperty::LinkedFootnote))
        state.flags |= RtfSpanState::LinkedFootnote;
    // A footnote's flag marks it as an endnote.
    if ((state.flags & (RtfSpanState::InlineFootnote | RtfSpanState::LinkedFootnote))
        && format.boolProperty(QMKFormatProperty::NoteFlag))
        state.flags |= RtfSpanState::Endnote;
    // A link in an inline note's text is not written (the note comes first): it must not cut
    // the note in two either.
    if (format.isAnchor() && !format.anchorHref().isEmpty()
        && !(state.flags & RtfSpanState::InlineNote)) {
        state.flags |= RtfSpanState::Link;
        state.linkTarget = format.anchorHref();
    }
    state.bookmarkName = format.stringProperty(QMKFormatProperty::BookmarkName);
    if (!state.bookmarkName.isEmpty())
        state.flags |= RtfSpanState::Bookmark;
    if (state.flags & (RtfSpanState::LinkedComment | RtfSpanState::LinkedFootnote)) {
        state.noteData = format.property(QMKFormatProperty::NoteContent).toByteArray();
        state.noteIdentifier = format.stringProperty(QMKFormatProperty::NoteIdentifier);
    }
    return state;
}

int QMKTextRtfWriterPrivate::resolveSpanKind(const RtfSpanState &state) const
{
    const int f = state.flags;
    if (f & (RtfSpanState::InlineAnnotation | RtfSpanState::LinkedComment)) {
        if (!exportMode && (f & RtfSpanState::LinkedComment))
            return (f & ~RtfSpanState::LinkedComment) | RtfSpanState::Link;
        switch (annotationMode) {
        case 1: return RtfSpanState::InlineFootnote;
        case 2: return RtfSpanState::Endnote;
        default: return f;
        }
    }
    if (f & (RtfSpanState::InlineFootnote | RtfSpanState::LinkedFootnote)) {
        if (!exportMode && (f & RtfSpanState::LinkedFootnote))
            return (f & ~(RtfSpanState::LinkedFootnote | RtfSpanState::Endnote))
                | RtfSpanState::Link;
        const int mode = (f & RtfSpanState::InlineFootnote) ? inlineFootnoteMode
                                                            : linkedFootnoteMode;
        switch (mode) {
        case 0: return RtfSpanState::InlineAnnotation;
        case 2: return RtfSpanState::Endnote;
        default: return f;
        }
    }
    return f;
}

void QMKTextRtfWriterPrivate::writeFragment(const QString &text, const QTextCharFormat &format,
                                            const QTextCharFormat &previousFormat,
                                            const QTextBlock &block)
{
    if (format.propertyCount() == 0 && text.isEmpty())
        return;
    if (format.isImageFormat()) {
        writePicture(format.toImageFormat());
        return;
    }
    const RtfSpanState state = spanState(format);
    const bool opening = state != span;
    if (opening) {
        closeSpans(previousFormat, format);
        span = state;
    }
    const int kind = resolveSpanKind(span);
    const bool linked = linkedAnchor(format);

    if (kind & RtfSpanState::InlineAnnotation) {
        if (opening) {
            if (linked)
                writeRun(text, format, false);
            writeRaw("{\\chatn{\\*\\annotation");
            if (linked) {
                writeLinkedNote(format, false);
                return;
            }
        }
        writeInlineNoteText(text, format, block.blockFormat(), block, opening, false);
    } else if (kind & RtfSpanState::LinkedComment) {
        if (opening) {
            ++noteCounter;
            writeRaw("{{\\*\\atrfstart");
            writeText(QString::number(noteCounter), qMax(0, fontIndex(format)), false, true, false,
                      QString());
            writeChar('}');
        }
        writeRun(text, format, false);
    } else if (kind & RtfSpanState::LinkedFootnote) {
        if (exportMode && !footnoteMarkerText.isEmpty() && text == footnoteMarkerText)
            return;
        writeChar('{');
        writeTextRun(text, format, true, false);
        writeChar('}');
    } else if (kind & (RtfSpanState::InlineFootnote | RtfSpanState::Endnote)) {
        if (opening) {
            if (linked) {
                writeChar('{');
                writeTextRun(text, format, true, false);
                writeChar('}');
            }
            const QTextCharFormat reference = previousFormat.properties().isEmpty()
                ? format : previousFormat;
            writeChar('{');
            writeCharFormat(reference);
            writeRaw("\\super\\chftn{\\footnote");
            if (kind & RtfSpanState::Endnote)
                writeKeyword(KwFtnalt);
            writeKeyword(KwPard);
            writeKeyword(KwPlain);
            writeSpaceIfPending();
            writeChar('{');
            writeCharFormat(reference);
            writeRaw("\\super\\chftn");
            writeChar('}');
            if (linked) {
                writeLinkedNote(format, true);
                return;
            }
        }
        writeInlineNoteText(text, format, withoutIndents(block.blockFormat()), block, opening,
                            true);
    } else if (kind & RtfSpanState::Link) {
        if (opening) {
            openLink(format);
            if (linked)
                writeNoteAnchorData(format);
        }
        writeRun(text, format, false);
    } else {
        writeChar('{');
        writeTextRun(text, format, true, false);
        writeChar('}');
    }
}

// A run inside a span has a group of its own all the same: the format words of one run must
// not carry over to the next, and \plain would drop the link or note the span's group holds.
void QMKTextRtfWriterPrivate::writeRun(const QString &text, const QTextCharFormat &format,
                                       bool spaceAfterFormat)
{
    writeChar('{');
    writeTextRun(text, format, true, spaceAfterFormat);
    writeChar('}');
}

// Text of a note kept in the flow: the first run of the note states the paragraph's format.
void QMKTextRtfWriterPrivate::writeInlineNoteText(const QString &text,
                                                  const QTextCharFormat &format,
                                                  const QTextBlockFormat &blockFormat,
                                                  const QTextBlock &block, bool opening,
                                                  bool spaceAfterFormat)
{
    const bool first = opening && noteSpacing;
    if (first)
        writeText(QStringLiteral(" "), 0, false, false, false, QString());
    if (opening)
        writeBlockFormat(blockFormat, block.textList(), true);
    writeRun(first ? leftTrimmed(text) : text, format, spaceAfterFormat);
}

// The content of a linked note, from the note document prepared during collection.
void QMKTextRtfWriterPrivate::writeLinkedNote(const QTextCharFormat &format, bool footnote)
{
    QTextDocument *note = noteDocuments.value(format.anchorHref());
    if (!note || format.anchorHref().isEmpty())
        return;
    if (noteSpacing) {
        writeText(QStringLiteral(" "), 0, false, false, false, QString());
        trimSelectionWhitespace(QTextCursor(note));
    }
    if (footnote)
        clearNoteIndents(note);
    writeSubDocument(note);
}

// A note anchor written as a link to its note keeps the note in a private group at the start
// of the link's result, from which the system's own reader restores the anchor.
void QMKTextRtfWriterPrivate::writeNoteAnchorData(const QTextCharFormat &format)
{
    const bool footnote = format.boolProperty(QMKFormatProperty::LinkedFootnote);
    writeChar('{');
    writeKeyword(KwIgnorable);
    writeKeyword(KwQmknote, footnote ? 1 : 0);
    if (format.boolProperty(QMKFormatProperty::NoteFlag))
        writeKeyword(KwQmknoteflag);
    const int count = format.intProperty(QMKFormatProperty::NoteCount);
    if (count > 0)
        writeKeyword(KwQmknotecount, count);
    const QColor colour = format.colorProperty(QMKFormatProperty::NoteColour);
    if (!footnote && colour.isValid())
        writeKeyword(KwQmknotecolour, int(colour.rgb() & 0xffffff));
    writeRaw("{\\*");
    writeKeyword(KwQmknotetext);
    writeText(format.stringProperty(QMKFormatProperty::NotePlainText), 0, false, true, false,
              QString());
    writeChar('}');
    out.append(format.property(QMKFormatProperty::NoteContent).toByteArray().toHex());
    writeChar('}');
}

void QMKTextRtfWriterPrivate::openLink(const QTextCharFormat &format)
{
    const QString internal = format.stringProperty(QMKFormatProperty::InternalLinkTarget);
    const QString instruction = internal.isEmpty()
        ? QStringLiteral("HYPERLINK \"%1\"").arg(format.anchorHref())
        : QStringLiteral("HYPERLINK \\l %1").arg(internal);
    writeRaw("{\\field{\\*\\fldinst");
    writeText(instruction, 0, false, true, false, QString());
    writeRaw("}{\\fldrslt");
}

void QMKTextRtfWriterPrivate::closeSpans(const QTextCharFormat &previousFormat,
                                         const QTextCharFormat &nextFormat)
{
    const int kind = resolveSpanKind(span);
    const bool linkedNote = kind & (RtfSpanState::LinkedComment | RtfSpanState::LinkedFootnote);
    if (kind & RtfSpanState::LinkedComment) {
        writeRaw("{\\*\\atrfend");
        writeText(QString::number(noteCounter), 0, false, true, false, QString());
        writeRaw("}}{\\chatn{\\*\\annotation{\\*\\atnref");
        writeText(QString::number(noteCounter), 0, false, true, false, QString());
        writeChar('}');
        writeLinkedNote(previousFormat, false);
        writeRaw("}}");
        delimiterPending = false;
    }
    if ((kind & RtfSpanState::LinkedFootnote) && !(kind & RtfSpanState::LinkedComment)) {
        const QTextCharFormat reference = previousFormat.properties().isEmpty()
            ? nextFormat : previousFormat;
        writeRaw("{\\super\\chftn{\\*\\footnote");
        if (kind & RtfSpanState::Endnote)
            writeKeyword(KwFtnalt);
        writeKeyword(KwPard);
        writeKeyword(KwPlain);
        writeSpaceIfPending();
        writeChar('{');
        writeCharFormat(reference);
        writeRaw("\\up0\\super\\chftn");
        writeChar('}');
        writeSpaceIfPending();
        writeLinkedNote(previousFormat, true);
        writeRaw("}}");
        delimiterPending = false;
    }
    const RtfSpanState next = spanState(nextFormat);
    if (span.bookmarkName != next.bookmarkName) {
        if (!span.bookmarkName.isEmpty()) {
            writeRaw("{\\*\\bkmkend");
            writeText(span.bookmarkName, 0, false, true, false, QString());
            writeChar('}');
        }
        if (!next.bookmarkName.isEmpty()) {
            writeRaw("{\\*\\bkmkstart");
            writeText(next.bookmarkName, 0, false, true, false, QString());
            writeChar('}');
        }
    }
    // A linked note closed its own groups above.
    if (!linkedNote && span.flags != 0 && span.flags != RtfSpanState::Bookmark) {
        writeChar('}');
        writeChar('}');
    }
}

void QMKTextRtfWriterPrivate::writeSubDocument(QTextDocument *note)
{
    const bool first = firstParagraph;
    const bool table = afterTable;
    const RtfSpanState outerSpan = std::exchange(span, RtfSpanState());
    const int depth = std::exchange(tableDepth, 0);
    const QTextBlockFormat block = std::exchange(previousBlockFormat, QTextBlockFormat());
    const QVector<RtfWriterList> outerLists = std::exchange(lists, {});
    const QHash<QTextList *, int> outerNumbers = std::exchange(listNumbers, {});
    const QHash<QTextList *, RtfListLabels> outerLabels = std::exchange(listItems, {});
    const bool inside = std::exchange(insideNoteDocument, true);
    QTextDocument *outer = std::exchange(document, note);

    writeFrame(note->rootFrame());

    document = outer;
    insideNoteDocument = inside;
    listNumbers = outerNumbers;
    listItems = outerLabels;
    lists = outerLists;
    previousBlockFormat = block;
    tableDepth = depth;
    span = outerSpan;
    afterTable = table;
    firstParagraph = first;
}

void QMKTextRtfWriterPrivate::prepareNoteDocument(const QTextFormat &format)
{
    const QString key = format.stringProperty(QTextFormat::AnchorHref);
    if (noteDocuments.contains(key))
        return;
    QByteArray bytes = format.property(QMKFormatProperty::NoteContent).toByteArray();
    if (bytes.isEmpty())
        return;
    // Without a layout, which would be made anew at every edit of the import.
    auto note = std::make_unique<QTextDocument>();
    setDefaultCharFormatIfDifferent(note.get(), QTextCursor(document).blockCharFormat());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QMKTextRtfReader reader(&buffer);
    reader.setFootnotesAsText(true);
    reader.setAnnotationsAsText(true);
    reader.setFootnotePlaceholderAnchor(true);
    reader.setNoteAnchorPlaceholder(QStringLiteral("*"));
    reader.setIgnoreZeroRightIndent(false);
    reader.setPaletteColours(true);
    if (!reader.read(note.get(), false))
        return;
    QTextDocument *prepared = note.release();
    noteDocuments.insert(key, prepared);
    collectDocumentFormats(prepared);
}
