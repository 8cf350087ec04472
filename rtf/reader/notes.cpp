// Footnotes and annotations: read as marked text in the flow, or into note documents whose
// RTF is stored on an anchor in the text.

#include "rtf/reader/qmktextrtfreader_p.h"

#include "qmkformatproperties.h"
#include "qmktextrtfwriter.h"
#include "qmktextutilities.h"

#include <QTextBlock>
#include <QUuid>

namespace {

// Comments stand out in this colour where their anchors are shown.
const QColor NoteColour(254, 246, 188);

QString newNoteIdentifier()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

// What a note's anchor characters carry.
QTextCharFormat noteAnchorFormat(bool isFootnote, QString identifier, const QByteArray &rtf,
                                 const QString &plain, const QColor &colour, bool flag, int count)
{
    if (identifier.isEmpty())
        identifier = newNoteIdentifier();
    QTextCharFormat format;
    format.setProperty(QMKFormatProperty::NoteIdentifier, identifier);
    format.setProperty(QMKFormatProperty::LinkedFootnote, isFootnote);
    format.setProperty(QMKFormatProperty::LinkedComment, !isFootnote);
    format.setProperty(QMKFormatProperty::InlineAnnotation, false);
    format.setProperty(QMKFormatProperty::InlineFootnote, false);
    format.setProperty(QMKFormatProperty::NoteAnchor, true);
    format.setProperty(QMKFormatProperty::NoteContent, rtf);
    format.setProperty(QMKFormatProperty::NotePlainText, plain);
    format.setProperty(QMKFormatProperty::NoteFlag, flag);
    if (count > 0)
        format.setProperty(QMKFormatProperty::NoteCount, count);
    format.setAnchor(true);
    format.setAnchorHref(QLatin1String("qmarkcmt://") + identifier);
    if (!isFootnote && colour.isValid())
        format.setProperty(QMKFormatProperty::NoteColour, colour);
    return format;
}

bool attachNote(QTextCursor &anchor, bool isFootnote, const QString &identifier,
                const QByteArray &rtf, const QString &plain, const QColor &colour, bool flag,
                int count)
{
    anchor.mergeCharFormat(noteAnchorFormat(isFootnote, identifier, rtf, plain, colour, flag,
                                            count));
    return true;
}

} // namespace

int QMKTextRtfReaderPrivate::enterNote(const RtfKeywordCall &call)
{
    const bool isFootnote = call.keyword == KwFootnote;
    state.destination = isFootnote ? RtfDestination::Footnote : RtfDestination::Annotation;
    NoteState &note = isFootnote ? footnote : annotation;
    // A note of the same kind inside a note goes on in the outer one: a fresh document would
    // throw away what the outer note holds so far.
    if (note.depth >= 0)
        return RtfStatus::Ok;
    note.depth = groupStack.size();
    note.endnote = false;
    if (isFootnote ? footnotesAsText : annotationsAsText)
        return RtfStatus::Ok;
    settleCursor();
    note.document.reset(new QTextDocument);
    note.returnCursor = cursor;
    cursor = QTextCursor(note.document.get());
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::markEndnote(const RtfKeywordCall &)
{
    if (footnote.depth >= 0)
        footnote.endnote = true;
    return RtfStatus::Ok;
}

const QTextBlockFormat &QMKTextRtfReaderPrivate::pendingBlockFormat() const
{
    static const QTextBlockFormat noteParagraph;
    return readingNoteDocument() ? noteParagraph : paragraphFormat;
}

void QMKTextRtfReaderPrivate::deliverNoteText(const QString &text)
{
    if (text.isEmpty())
        return;
    // The innermost note decides; text of a field inside a note belongs to the note too.
    const bool isFootnote = footnote.depth >= annotation.depth;
    const NoteState &note = isFootnote ? footnote : annotation;
    if (note.document) {
        deliverToDocument(text);
        return;
    }
    // The mark is added at delivery, not to the group's format: Word's notes begin with
    // \plain, which would drop it.
    const RtfCharFormatState groupFormat = state.charFormat;
    const bool endnote = isFootnote && note.endnote;
    changeCharFormat(state.charFormat, keywordChange(KwFootnote, isFootnote, endnote),
                     [isFootnote, endnote](QTextCharFormat &format) {
        format.setProperty(isFootnote ? QMKFormatProperty::InlineFootnote
                                      : QMKFormatProperty::InlineAnnotation, true);
        if (endnote)
            format.setProperty(QMKFormatProperty::NoteFlag, true);
    });
    deliverToDocument(text);
    state.charFormat = groupFormat;
}

void QMKTextRtfReaderPrivate::endNotesAt(int depth)
{
    // The inner note ends first when both end with the same group.
    const bool footnoteInside = footnote.depth >= annotation.depth;
    for (bool isFootnote : {footnoteInside, !footnoteInside}) {
        if ((isFootnote ? footnote : annotation).depth >= depth)
            endNote(isFootnote);
    }
}

void QMKTextRtfReaderPrivate::endNote(bool isFootnote)
{
    NoteState &note = isFootnote ? footnote : annotation;
    note.depth = -1;
    if (!note.document)
        return;
    settleCursor();
    cursor = note.returnCursor;
    note.returnCursor = QTextCursor();
    const std::unique_ptr<QTextDocument> document = std::move(note.document);
    forgetDocument(document.get());
    insertNote(isFootnote, document.get(), note.endnote);
}

void QMKTextRtfReaderPrivate::insertNote(bool isFootnote, QTextDocument *noteDocument,
                                         bool endnote)
{
    if (!noteDocument)
        return;
    const bool usePlaceholder = isFootnote && footnotePlaceholderAnchor
        && !noteAnchorPlaceholder.isEmpty();
    QTextCursor anchor = cursor;
    if (!anchor.atBlockStart() && !usePlaceholder) {
        const int end = anchor.position();
        const int separator = lastSeparatorPosition(cursor);
        const int start = separator < 0 ? anchor.block().position()
            : separator + 1 < end ? separator + 1 : separator;
        if (start < end)
            anchor.setPosition(start, QTextCursor::KeepAnchor);
    }
    if (!anchor.hasSelection()) {
        // The placeholder may be the paragraph's first content: the paragraph takes its
        // formats first, as it would for text.
        beginParagraphText();
        anchor = cursor;
        const QString placeholder = noteAnchorPlaceholder.isEmpty() ? QStringLiteral("*")
                                                                    : noteAnchorPlaceholder;
        const int start = anchor.position();
        // In the format of the text around the note, whose group is the note group's parent.
        const RtfCharFormatState &around = groupStack.isEmpty() ? state.charFormat
                                                                : groupStack.last().charFormat;
        anchor.insertText(placeholder, around.format());
        anchor.setPosition(start, QTextCursor::KeepAnchor);
    }
    const QByteArray rtf = toRtf(noteDocument, true, false, true, QString());
    attachNote(anchor, isFootnote, QString(), rtf, noteDocument->toPlainText(),
               isFootnote ? QColor() : NoteColour, endnote, -1);
}

int QMKTextRtfReaderPrivate::tableKeywordInNote(const RtfKeywordCall &call)
{
    if (call.keyword == KwCell || call.keyword == KwNestcell)
        return endParagraph(call);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterNoteData(const RtfKeywordCall &call)
{
    if (call.keyword == KwQmknotetext) {
        if (state.destination == RtfDestination::NoteData) {
            state.destination = RtfDestination::NoteText;
            state.inputMode = RtfInputMode::Text;
        }
        return RtfStatus::Ok;
    }
    state.destination = RtfDestination::NoteData;
    state.inputMode = RtfInputMode::Hexadecimal;
    noteAnchorData = NoteAnchorData();
    noteAnchorData.isFootnote = call.parameter == 1;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setNoteDetail(const RtfKeywordCall &call)
{
    if (state.destination != RtfDestination::NoteData)
        return RtfStatus::Ok;
    switch (call.keyword) {
    case KwQmknoteflag: noteAnchorData.flag = call.on; break;
    case KwQmknotecount: noteAnchorData.count = call.parameter; break;
    default: noteAnchorData.colour = QColor(QRgb(call.parameter & 0xffffff)); break;
    }
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::endNoteData()
{
    // The anchor's text follows the group in the link's result: its group takes the note.
    if (groupStack.isEmpty())
        return;
    const NoteAnchorData &data = noteAnchorData;
    const QString identifier = groupStack.last().charFormat.format()
                                   .stringProperty(QMKFormatProperty::NoteIdentifier);
    mergeCharFormat(groupStack.last().charFormat,
                    noteAnchorFormat(data.isFootnote, identifier, rawData, data.plainText,
                                     data.colour, data.flag, data.count));
}
