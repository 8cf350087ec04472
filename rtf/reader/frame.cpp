// The reader's spine: the input window, the tokeniser, groups and the delivery of text.

#include "rtf/reader/blockbreaks_p.h"
#include "rtf/reader/keywordregistry.h"
#include "rtf/reader/qmktextrtfreader_p.h"
#include "rtf/reader/rtfsyntax_p.h"
#include "textutil/storedformatinsertion_p.h"

#include <QIODevice>
#include <QTextBlock>
#include <QTextDocument>

namespace {

constexpr int TrimStep = 1024;          // consumed bytes are dropped in steps of this size
constexpr int MaxDeviceRead = 1024;     // longest read from the device at once
constexpr int ReadSlack = 256;          // a read reaches this far past what was asked for
constexpr int ControlWordLookahead = 64;
constexpr int MaxSkipRead = 1 << 16;    // read at once when skipping past the window

bool isColourTable(RtfDestination destination)
{
    return destination == RtfDestination::ColourTable
        || destination == RtfDestination::ExpandedColourTable;
}

} // namespace

void QMKTextRtfReaderPrivate::fillWindow(int maxLength)
{
    // A plain read straight into the window: line reads cost a seek of the file each.
    const int size = window.size();
    window.resize(size + maxLength);
    const qint64 read = device->read(window.data() + size, maxLength);
    window.resize(size + int(qMax<qint64>(read, 0)));
}

char QMKTextRtfReaderPrivate::peek(int offset, bool *exists)
{
    const int at = windowPosition + offset;
    if (at >= window.size() && !device->atEnd())
        fillWindow(qMin(offset + ReadSlack + windowPosition - window.size(), MaxDeviceRead));
    const bool found = at < window.size();
    if (exists)
        *exists = found;
    return found ? window.at(at) : '?';
}

void QMKTextRtfReaderPrivate::advance(int count)
{
    const qint64 target = qint64(windowPosition) + qMax(count, 0);
    if (target > window.size()) {
        // Skipping past what was read (a \u replacement count, say): the skipped bytes still
        // come from the device, so that reading resumes right after them, and are read rather
        // than skipped, so that their line breaks count.
        qint64 beyond = target - window.size();
        dropWindowBytes(window.size());
        windowPosition = 0;
        while (beyond > 0 && !device->atEnd()) {
            fillWindow(int(qMin<qint64>(beyond, MaxSkipRead)));
            if (window.isEmpty())
                break;
            beyond -= window.size();
            dropWindowBytes(window.size());
        }
        return;
    }
    windowPosition = int(target);
    // A token's first byte stays in the window until the token is done, so that a fault can
    // be placed at it: only bytes a step behind the position are dropped.
    if (windowPosition > 2 * TrimStep) {
        dropWindowBytes(TrimStep);
        windowPosition -= TrimStep;
    }
}

void QMKTextRtfReaderPrivate::dropWindowBytes(int count)
{
    const qint64 counted = lineCounter.offset() - windowStart;
    if (counted < count)
        lineCounter.consume(window.constData() + counted, count - counted);
    window.remove(0, count);
    windowStart += count;
}

void QMKTextRtfReaderPrivate::recordFault(int faultStatus, qint64 offset)
{
    if (status != RtfStatus::Ok && !faultObserver)
        return;
    // Faults come in input order; the counter goes on from the last one (or dropped bytes).
    const qint64 counted = lineCounter.offset();
    if (offset > counted) {
        const qint64 from = counted - windowStart;
        lineCounter.consume(window.constData() + from,
                            qMin<qint64>(offset - counted, window.size() - from));
    }
    QMKTextRtfFault fault;
    fault.status = faultStatus;
    fault.message = rtfStatusMessage(faultStatus);
    fault.offset = int(qMin<qint64>(inputStart + lineCounter.offset(), INT_MAX));
    fault.line = int(qMin<qint64>(lineCounter.line(), INT_MAX));
    fault.column = int(qMin<qint64>(lineCounter.column(), INT_MAX));
    if (status == RtfStatus::Ok) {
        status = faultStatus;
        firstFault = fault;
    }
    if (faultObserver)
        faultObserver(fault);
}

int QMKTextRtfReaderPrivate::parse()
{
    if (!device || (!device->isOpen() && !device->open(QIODevice::ReadOnly)))
        return RtfStatus::DeviceNotOpen;

    paperWidth = 12240;
    paperHeight = 15840;
    leftMargin = 1800;
    topMargin = 1440;
    rightMargin = 1800;
    bottomMargin = 1440;

    // Input that is not RTF stands in the document as its first line: the first read is a
    // line read, the later ones plain reads.
    if (window.isEmpty())
        window = device->readLine(ReadSlack);
    bool more = false;
    peek(0, &more);
    if (!window.startsWith("{\\rtf")) {
        insertNonRtfInput();
        return RtfStatus::Ok;
    }

    inputStart = device->isSequential() ? 0 : device->pos() - window.size();
    while (more) {
        const qint64 tokenOffset = windowStart + windowPosition;
        int result = RtfStatus::Ok;
        switch (window.at(windowPosition)) {
        case '\n':
        case '\r':
            trailingGarbage = false;
            advance(1);
            break;
        case '\\':
            flushPendingText();
            result = readControlWord();
            break;
        case '{':
            flushPendingText();
            openGroup();
            advance(1);
            break;
        case '}':
            flushPendingText();
            result = closeGroup();
            advance(1);
            break;
        default:
            if (state.inputMode == RtfInputMode::Text)
                readPlainText();
            else
                readHexadecimalRun();
            break;
        }
        if (Q_UNLIKELY(result != RtfStatus::Ok))
            recordFault(result, tokenOffset);
        peek(0, &more);
    }

    // Text of groups the input never closed was read all the same: keep it.
    flushPendingText();
    endNotesAt(0);
    closeOpenTables();
    settleCursor();
    buildLists();
    // An unclosed group is a fault of the input's end.
    if (!groupStack.isEmpty())
        recordFault(RtfStatus::UnclosedGroup, windowStart + window.size());
    return status;
}

bool QMKTextRtfReaderPrivate::insertNonRtfInput()
{
    // Not RTF: the first line read stands in the document as text.
    if (window.isEmpty())
        return false;
    QString text = QString::fromLocal8Bit(window);
    removeControlCharacters(text, true);
    QTextCursor start(document);
    start.movePosition(QTextCursor::Start);
    start.insertText(text);
    return true;
}

void QMKTextRtfReaderPrivate::removeControlCharacters(QString &text, bool documentText) const
{
    // C1 control codes and DEL are never text; plain Windows-1252 bytes land here too. In the
    // document's text other control bytes (a NUL after the last brace, binary garbage) are no
    // text either, but a tab and the line breaks keep their meaning.
    for (int i = 0; i < text.size();) {
        const ushort code = text.at(i).unicode();
        if (code >= 32 ? code < 127 || code > 159
                       : !documentText || code == '\t' || code == '\n' || code == '\r') {
            ++i;
        } else if (code < 32 || removeInvalid) {
            text.remove(i, 1);
        } else {
            text[i] = QChar::ReplacementCharacter;
            ++i;
        }
    }
}

void QMKTextRtfReaderPrivate::readPlainText()
{
    // Bytes up to the next character the tokeniser acts on are text, read as Latin-1.
    const char *data = window.constData();
    const int size = window.size();
    const bool colourTable = isColourTable(state.destination);
    int end = windowPosition;
    bool entryEnds = false;
    while (end < size) {
        const char c = data[end];
        if (c == '\\' || c == '{' || c == '}' || c == '\n' || c == '\r')
            break;
        ++end;
        if (c == ';' && colourTable) {
            entryEnds = true;
            break;
        }
    }
    // Binary garbage after the document's last brace is recognised by its control bytes; from
    // there to the end of its line nothing is text. Words there without any are the author's.
    if (groupStack.isEmpty() || trailingGarbage) {
        for (int at = windowPosition; at < end && !trailingGarbage; ++at)
            trailingGarbage = uchar(data[at]) < 32 && data[at] != '\t';
        if (trailingGarbage) {
            advance(end - windowPosition);
            return;
        }
    }
    state.pendingText.append(QLatin1String(data + windowPosition, end - windowPosition));
    advance(end - windowPosition);
    if (entryEnds)
        flushPendingText();
}

void QMKTextRtfReaderPrivate::readHexadecimalRun()
{
    const char *data = window.constData();
    const int size = window.size();
    int at = windowPosition;
    // The digits of a skipped group ({\*\blipuid ...} inside a picture) are not data.
    if (skipDepth > 0) {
        while (at < size && hexDigitValue(data[at]) >= 0)
            ++at;
        advance(at > windowPosition ? at - windowPosition : 1);
        return;
    }
    // Pictures are megabytes of digits: they decode two at a time through a buffer, and the
    // line breaks a writer wraps them with are passed over here. Digits pair up across line
    // breaks and blanks: a writer may wrap its data at any width, odd ones included, and the
    // bytes must not shift.
    char buffer[4096];
    constexpr int BufferSize = int(sizeof buffer);
    int filled = 0;
    int nibble = pendingNibble;
    while (at < size) {
        if (filled == BufferSize) {
            rawData.append(buffer, filled);
            filled = 0;
        }
        if (nibble < 0) {
            while (at + 1 < size && filled < BufferSize) {
                const int high = hexDigitValue(data[at]);
                const int low = hexDigitValue(data[at + 1]);
                if ((high | low) < 0)
                    break;
                buffer[filled++] = char(high << 4 | low);
                at += 2;
            }
            if (filled == BufferSize || at == size)
                continue;
        }
        const char c = data[at];
        const int value = hexDigitValue(c);
        if (value < 0) {
            if (c != '\n' && c != '\r')
                break;
        } else if (nibble < 0) {
            nibble = value;
        } else {
            buffer[filled++] = char(nibble << 4 | value);
            nibble = -1;
        }
        ++at;
    }
    pendingNibble = nibble;
    rawData.append(buffer, filled);
    advance(at > windowPosition ? at - windowPosition : 1);
}

int QMKTextRtfReaderPrivate::readControlWord()
{
    peek(ControlWordLookahead);
    const int available = qMin(window.size() - windowPosition, ControlWordLookahead);
    if (available < 2) {
        advance(available);
        return RtfStatus::UnexpectedEnd;
    }

    const char *word = window.constData() + windowPosition;
    int length = 2;     // a control symbol: the backslash and one character
    int end = length;
    bool hasParameter = false;
    quint32 magnitude = 0;
    bool negative = false;
    if (isRtfLetter(word[1])) {
        length = 1;
        while (length < available && isRtfLetter(word[length]))
            ++length;
        if (length >= available) {
            advance(length);
            return RtfStatus::InvalidControlWord;
        }
        end = length;
        if (word[end] == '-') {
            negative = true;
            ++end;
        }
        // Wraps modulo 2^32 like the 32-bit accumulator it stands for.
        for (; end < available && isRtfDigit(word[end]); ++end) {
            magnitude = magnitude * 10 + quint32(word[end] - '0');
            hasParameter = true;
        }
        if (end < window.size() - windowPosition && word[end] == ' ')
            ++end;
    }
    const int parameter = int(negative ? 0u - magnitude : magnitude);
    const int keyword = findRtfKeyword(word, length);
    advance(end);
    return dispatchKeyword(keyword, hasParameter, parameter);
}

void QMKTextRtfReaderPrivate::openGroup()
{
    if (skipDepth > 0) {
        ++skipDepth;
        return;
    }
    groupStack.append(state);
    state.pendingText.clear();
}

int QMKTextRtfReaderPrivate::closeGroup()
{
    if (groupStack.isEmpty() && skipDepth == 0)
        return RtfStatus::UnmatchedClosingBrace;
    if (skipDepth > 0 && --skipDepth > 0)
        return RtfStatus::Ok;
    // A skipping keyword outside every group: nothing was pushed, so nothing ends.
    if (groupStack.isEmpty())
        return RtfStatus::Ok;

    endDestination(state.destination);
    if (Q_UNLIKELY(insideNote()))
        endNotesAt(groupStack.size());
    const bool endsParagraph = state.endsParagraph;
    state = groupStack.takeLast();
    if (endsParagraph && !state.endsParagraph)
        endParagraphWithContent();
    if (numberingGroupDepth > groupStack.size())
        endNumberingGroup();
    rawData.clear();
    pendingNibble = -1;
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::flushPendingText()
{
    QString &text = state.pendingText;
    if (skipDepth > 0) {
        text.clear();
        return;
    }

    // Tables such as \leveltext want their bytes.
    const bool documentText = state.destination == RtfDestination::Body
        || state.destination == RtfDestination::FieldResult
        || state.destination == RtfDestination::Footnote
        || state.destination == RtfDestination::Annotation;
    removeControlCharacters(text, documentText);

    switch (state.destination) {
    case RtfDestination::Body:
    case RtfDestination::FieldResult:
    case RtfDestination::Footnote:
    case RtfDestination::Annotation:
        if (state.hidden)
            break;
        if (Q_UNLIKELY(insideNote()))
            deliverNoteText(text);
        else
            deliverToDocument(text);
        break;
    case RtfDestination::FontTable:
        return; // a font entry's name builds up until the entry ends
    case RtfDestination::ColourTable:
        if (!text.isEmpty())
            takeColourTableText(text);
        break;
    case RtfDestination::ExpandedColourTable:
        if (!text.isEmpty())
            takeExpandedColourTableText(text);
        break;
    case RtfDestination::FieldInstruction:
        appendFieldInstruction(text);
        break;
    case RtfDestination::Stylesheet:
        if (!text.isEmpty())
            appendStyleName(text);
        break;
    case RtfDestination::LevelText:
        takeLevelText(text);
        break;
    case RtfDestination::LevelMarker:
        takeLevelMarker(text);
        break;
    case RtfDestination::NumberingTextBefore:
    case RtfDestination::NumberingTextAfter:
        takeNumberingText(text);
        break;
    case RtfDestination::ShapePropertyName:
        takeShapePropertyName(text);
        break;
    case RtfDestination::NoteText:
        noteAnchorData.plainText += text;
        break;
    case RtfDestination::PictureFileName:
    case RtfDestination::PdfFileName:
    case RtfDestination::MathMLEquation:
        takePictureText(text);
        break;
    default:
        break;
    }
    text.clear();
}

void QMKTextRtfReaderPrivate::applyFormatsToEmptyBlock()
{
    deferredBlockFormats.pending = false;
    applyFormatsToEmptyBlock(state.charFormat, pendingBlockFormat());
}

void QMKTextRtfReaderPrivate::settleCursor()
{
    commitTextRun();
    applyDeferredBlockFormats();
}

void QMKTextRtfReaderPrivate::applyDeferredBlockFormats()
{
    if (!deferredBlockFormats.pending)
        return;
    deferredBlockFormats.pending = false;
    applyFormatsToEmptyBlock(deferredBlockFormats.charFormat, deferredBlockFormats.blockFormat);
}

void QMKTextRtfReaderPrivate::applyFormatsToEmptyBlock(const RtfCharFormatState &charState,
                                                       const QTextBlockFormat &blockFormat)
{
    const QTextCharFormat &charFormat = charState.format();
    // Text waiting in the run is the block's: it is not empty. The paragraph Qt keeps after a
    // nested table takes no format from a paragraph that will open after it.
    if (!textRun.text.isEmpty() || paragraphAfterTablePending)
        return;
    const QTextBlock block = cursor.block();
    if (block.length() != 1)
        return;
    // While the block keeps the stored formats (same indexes in the same collection) it was
    // last given, each wanted format is compared with the remembered one alone: once, and
    // at once when a handler left it alone, since it then still shares its data.
    RtfAppliedBlockFormats &applied = appliedBlockFormats;
    if (applied.document == cursor.document()
        && applied.charFormatIndex == block.charFormatIndex()
        && applied.blockFormatIndex == block.blockFormatIndex()) {
        if (!applied.charFormat.sameAs(charState))
            cursor.setBlockCharFormat(charFormat);
        if (applied.blockFormat != blockFormat)
            cursor.setBlockFormat(blockFormat);
    } else {
        // A format change is a document edit; most calls find the formats already in place.
        if (cursor.blockCharFormat() != charFormat)
            cursor.setBlockCharFormat(charFormat);
        if (cursor.blockFormat() != blockFormat)
            cursor.setBlockFormat(blockFormat);
    }
    if (applied.document != cursor.document())
        applied.document = cursor.document();
    const QTextBlock updated = cursor.block();
    applied.charFormatIndex = updated.charFormatIndex();
    applied.blockFormatIndex = updated.blockFormatIndex();
    applied.charFormat = charState;
    applied.blockFormat = blockFormat;
}

void QMKTextRtfReaderPrivate::deliverToDocument(const QString &text)
{
    if (text.isEmpty()) {
        // Each keyword at the head of a paragraph delivers nothing, often forty in a row: the
        // empty block takes the formats of the last delivery once, when the cursor next writes
        // or moves, instead of after every keyword. Assigning a format that shares its data
        // with the one held costs nothing, and most keywords leave the formats alone.
        deferredBlockFormats.pending = true;
        if (!deferredBlockFormats.charFormat.isPooledAs(state.charFormat))
            deferredBlockFormats.charFormat = state.charFormat;
        deferredBlockFormats.blockFormat = pendingBlockFormat();
        return;
    }
    applyFormatsToEmptyBlock();
    beginParagraphText();
    appendToTextRun(text);
}

void QMKTextRtfReaderPrivate::appendToTextRun(const QString &text)
{
    if (!textRun.text.isEmpty() && !textRun.format.sameAs(state.charFormat))
        commitTextRun();
    if (textRun.text.isEmpty())
        textRun.format = state.charFormat;
    textRun.text += text;
    // The blocks the cursor opens for these must take the reader's formats like any other.
    if (breaksBlock(text))
        commitTextRun();
}

void QMKTextRtfReaderPrivate::commitTextRun()
{
    if (textRun.text.isEmpty())
        return;
    insertTextRun(textRun.text, textRun.format);
    textRun.text.clear();
}

void QMKTextRtfReaderPrivate::insertTextRun(const QString &text, const RtfCharFormatState &format)
{
    const int id = format.pooledId();
    if (id == RtfCharFormatPool::NotPooled || !canInsertByFormatIndex() || cursor.hasSelection()
        || breaksBlock(text)) {
        cursor.insertText(text, format.format());
        return;
    }
    RtfStoredCharFormats &stored = storedCharFormats;
    if (stored.document != cursor.document()) {
        stored.document = cursor.document();
        stored.indexes.clear();
    }
    auto index = stored.indexes.find(id);
    if (index == stored.indexes.end())
        index = stored.indexes.insert(id, storedCharFormatIndex(cursor.document(), format.format()));
    insertByFormatIndex(cursor, text, *index);
}

void QMKTextRtfReaderPrivate::endDestination(RtfDestination destination)
{
    switch (destination) {
    case RtfDestination::ColourTable:
        endColourTable();
        break;
    case RtfDestination::FontTable:
        endFontTable();
        break;
    case RtfDestination::Field:
        fieldInstruction.clear();
        break;
    case RtfDestination::FieldInstruction:
        endFieldInstruction();
        break;
    case RtfDestination::Stylesheet:
        endStylesheetGroup();
        break;
    case RtfDestination::LevelText:
        endLevelText();
        break;
    case RtfDestination::ParagraphNumbering:
        endParagraphNumbering();
        break;
    case RtfDestination::Picture:
        endPicture();
        break;
    case RtfDestination::EmbeddedPdf:
        endEmbeddedPdf();
        break;
    case RtfDestination::NoteData:
        endNoteData();
        break;
    default:
        break;
    }
}
