// Old-style paragraph numbering: WordPad and Word before 97 number and bullet paragraphs with
// {\*\pn ...} groups instead of list table entries. Each distinct numbering becomes a list
// table entry of its own, so that these paragraphs become list items like \ls ones.

#include "rtf/reader/qmktextrtfreader_p.h"

#include "qmkformatproperties.h"
#include "qmkunits.h"

namespace {

// Synthesised lists count down from here: \ls numbers in files are not negative.
constexpr int FirstNumberingListNumber = -2;
constexpr int MaxNumberingLevel = 8;
// Each distinct numbering is a list table entry: a file of endless distinct ones gets no more.
constexpr int MaxNumberingLists = 1024;

QString numberingKey(const RtfParagraphNumbering &numbering)
{
    return QStringLiteral("%1 %2 %3 %4\x1F%5\x1F%6")
        .arg(numbering.level).arg(numbering.numberFormat).arg(numbering.indent)
        .arg(numbering.start).arg(numbering.textBefore, numbering.textAfter);
}

RtfListLevelRecord levelRecordFor(const RtfParagraphNumbering &numbering)
{
    RtfListLevelRecord level;
    level.numberFormat = numbering.numberFormat;
    level.levelText = numbering.numberFormat == 0
        ? (numbering.textBefore.isEmpty() ? QString(QChar(0x2022)) : numbering.textBefore)
        : numbering.textBefore + QStringLiteral("%0") + numbering.textAfter;
    level.indent = twipsToPixels(numbering.indent);
    level.start = qBound(0, numbering.start, MaxLevelStart);
    return level;
}

} // namespace

int QMKTextRtfReaderPrivate::enterParagraphNumbering(const RtfKeywordCall &)
{
    numbering = RtfParagraphNumbering();
    state.destination = RtfDestination::ParagraphNumbering;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setNumberingLevel(const RtfKeywordCall &call)
{
    if (state.destination != RtfDestination::ParagraphNumbering)
        return RtfStatus::Ok;
    switch (call.keyword) {
    case KwPnlvlblt:
        numbering.level = 0;
        numbering.numberFormat = 0;
        break;
    case KwPnlvlbody:
        numbering.level = 0;
        break;
    case KwPnlvlcont:
        numbering.continuation = true;
        break;
    default:
        numbering.level = qBound(0, call.parameter - 1, MaxNumberingLevel);
        break;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setNumberingStyle(const RtfKeywordCall &call)
{
    if (state.destination != RtfDestination::ParagraphNumbering || numbering.numberFormat == 0)
        return RtfStatus::Ok;
    switch (call.keyword) {
    case KwPnlcltr: numbering.numberFormat = 2; break;
    case KwPnucltr: numbering.numberFormat = 3; break;
    case KwPnlcrm: numbering.numberFormat = 4; break;
    case KwPnucrm: numbering.numberFormat = 5; break;
    default: numbering.numberFormat = 1; break;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterNumberingText(const RtfKeywordCall &call)
{
    if (state.destination == RtfDestination::ParagraphNumbering)
        state.destination = call.keyword == KwPntxtb ? RtfDestination::NumberingTextBefore
                                                     : RtfDestination::NumberingTextAfter;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setNumberingStart(const RtfKeywordCall &call)
{
    if (state.destination == RtfDestination::ParagraphNumbering)
        numbering.start = call.parameter;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setNumberingIndent(const RtfKeywordCall &call)
{
    if (state.destination == RtfDestination::ParagraphNumbering)
        numbering.indent = call.parameter;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setNumberingFont(const RtfKeywordCall &call)
{
    // The bullet character is a character of this font (Symbol's 0xB7, say).
    if (state.destination == RtfDestination::ParagraphNumbering)
        return selectFont(call);
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::takeNumberingText(const QString &text)
{
    QString &target = state.destination == RtfDestination::NumberingTextBefore
        ? numbering.textBefore : numbering.textAfter;
    // A label of a few characters; a longer one is no label.
    if (target.size() + text.size() <= 32)
        target += text;
}

void QMKTextRtfReaderPrivate::endParagraphNumbering()
{
    // Word 97 and later write a \pn group beside \ls for older readers: the \ls list wins.
    if (numbering.listNumberGiven || numbering.continuation
        || paragraphFormat.hasProperty(QMKFormatProperty::ListNumber) || insideNote())
        return;
    const QString key = numberingKey(numbering);
    int number = numberingLists.value(key, 0);
    if (number == 0) {
        if (numberingLists.size() >= MaxNumberingLists)
            return;
        number = FirstNumberingListNumber - numberingLists.size();
        RtfListRecord list;
        list.listId = number;
        list.levels.fill(levelRecordFor(numbering), numbering.level + 1);
        listTable.append(list);
        overrideTable.append({number, number});
        listLookupsStale = true;
        numberingLists.insert(key, number);
    }
    paragraphFormat.setProperty(QMKFormatProperty::ListNumber, number);
    paragraphFormat.setProperty(QMKFormatProperty::ListLevel, numbering.level);
    // The group the \pn group stands in, still on the stack while the \pn group ends.
    numberingGroupDepth = groupStack.size() - 1;
    numberingListNumber = number;
}

void QMKTextRtfReaderPrivate::endNumberingGroup()
{
    // Writers that wrap each paragraph in a group, without \pard, mean the numbering for that
    // paragraph only, as Word and LibreOffice read it.
    numberingGroupDepth = -1;
    // An \ls given since is the paragraph's own.
    if (!paragraphFormat.hasProperty(QMKFormatProperty::ListNumber)
        || paragraphFormat.intProperty(QMKFormatProperty::ListNumber) != numberingListNumber)
        return;
    paragraphFormat.clearProperty(QMKFormatProperty::ListNumber);
    paragraphFormat.clearProperty(QMKFormatProperty::ListLevel);
}
