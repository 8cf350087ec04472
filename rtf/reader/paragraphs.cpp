// Paragraph formatting: control words build the pending block format, which a block takes when
// its first content arrives. The pending format is not scoped by groups: it holds for every
// following paragraph until \pard.

#include "rtf/reader/qmktextrtfreader_p.h"

#include "qmkformatproperties.h"
#include "qmklinespacing.h"
#include "qmkunits.h"

#include <QTextBlock>
#include <QTextDocument>

#include <limits>

namespace {

// Kept in PageBreakPolicy beside Qt's break-before and break-after flags.
constexpr int KeepWithNextFlag = 0x20;

// Word's own limit for one paragraph. Without one, every \tx copies a list that grows with
// each \tx, and a file of nothing but \tx takes quadratic time.
constexpr int MaxTabStops = 64;

constexpr double ProportionalBasePoints = 12;

double headIndent(const QTextBlockFormat &format)
{
    return format.doubleProperty(QMKFormatProperty::HeadIndent);
}

// The first line keeps its offset from the head indent when the head indent moves.
void setHeadIndent(QTextBlockFormat &format, double pixels)
{
    const double firstLine = format.textIndent() - headIndent(format) + pixels;
    format.setProperty(QMKFormatProperty::HeadIndent, pixels);
    format.setTextIndent(firstLine);
}

} // namespace

void QMKTextRtfReaderPrivate::beginParagraphText()
{
    // A note document's paragraphs are in no table.
    if (!paragraphApplied && !readingNoteDocument()) {
        paragraphApplied = true;
        if (tableNestingLevel == 0 && rowAwaitsCells()) {
            tableNestingLevel = 1;
            tableStack.front().cellsPresumed = true;
        }
        closeTableLevels(tableNestingLevel);
        openParagraphAfterTable();
    }
    applyFormatsToEmptyBlock();
}

int QMKTextRtfReaderPrivate::resetParagraph(const RtfKeywordCall &)
{
    if (insideNote())
        return RtfStatus::Ok;
    paragraphApplied = false;
    tableNestingLevel = 0;
    paragraphFormat = QTextBlockFormat();
    paragraphIndentsExplicit = false;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::endParagraph(const RtfKeywordCall &)
{
    beginParagraphText();
    commitTextRun();
    cursor.insertBlock();
    return RtfStatus::Ok;
}

// The break is kept after the block for now; post-processing turns it into a break before
// the following block, the form the document keeps.
int QMKTextRtfReaderPrivate::insertPageBreak(const RtfKeywordCall &)
{
    beginParagraphText();
    commitTextRun();
    QTextBlockFormat format = cursor.blockFormat();
    const int flags = format.intProperty(QTextFormat::PageBreakPolicy);
    format.setProperty(QTextFormat::PageBreakPolicy, flags | QTextFormat::PageBreak_AlwaysAfter);
    cursor.setBlockFormat(format);
    cursor.insertBlock();
    format.setProperty(QTextFormat::PageBreakPolicy, flags & ~QTextFormat::PageBreak_AlwaysAfter);
    cursor.setBlockFormat(format);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::appendTabOrLineBreak(const RtfKeywordCall &call)
{
    state.pendingText.append(call.keyword == KwLine ? QChar(QChar::LineSeparator)
                                                    : QChar(QLatin1Char('\t')));
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::addPageBreakFlag(const RtfKeywordCall &call)
{
    if (insideNote())
        return RtfStatus::Ok;
    const int flag = call.keyword == KwKeepn ? KeepWithNextFlag
                                             : int(QTextFormat::PageBreak_AlwaysBefore);
    paragraphFormat.setProperty(QTextFormat::PageBreakPolicy,
                                paragraphFormat.intProperty(QTextFormat::PageBreakPolicy) | flag);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setDocumentTabWidth(const RtfKeywordCall &call)
{
    if (!document)
        return RtfStatus::Ok;
    QTextOption option = document->defaultTextOption();
    option.setTabStopDistance(twipsToPixels(call.parameter));
    document->setDefaultTextOption(option);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setParagraphTabWidth(const RtfKeywordCall &call)
{
    if (!insideNote())
        paragraphFormat.setProperty(QMKFormatProperty::DefaultTabWidth,
                                    twipsToPixels(call.parameter));
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setTabKind(const RtfKeywordCall &call)
{
    switch (call.keyword) {
    case KwTqr: pendingTabKind = QTextOption::RightTab; break;
    case KwTqc: pendingTabKind = QTextOption::CenterTab; break;
    case KwTqdec: pendingTabKind = QTextOption::DelimiterTab; break;
    default: break;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::addTabStop(const RtfKeywordCall &call)
{
    if (insideNote())
        return RtfStatus::Ok;
    QList<QTextOption::Tab> tabs = paragraphFormat.tabPositions();
    if (tabs.size() < MaxTabStops) {
        const QChar delimiter =
            pendingTabKind == QTextOption::DelimiterTab ? QLatin1Char('.') : QChar();
        tabs.append(QTextOption::Tab(twipsToPixels(call.parameter), pendingTabKind, delimiter));
        paragraphFormat.setTabPositions(tabs);
    }
    pendingTabKind = QTextOption::LeftTab;
    return RtfStatus::Ok;
}

// Qt measures indents from the left text edge: the right indent becomes the tail indent, the
// distance from the left edge to where the lines end.
int QMKTextRtfReaderPrivate::setIndent(const RtfKeywordCall &call)
{
    if (insideNote())
        return RtfStatus::Ok;
    const double pixels = twipsToPixels(call.parameter);
    // The leading side of right-to-left text is the right one.
    const bool rightToLeft = state.charFormat.format().layoutDirection() == Qt::RightToLeft;
    switch (call.keyword) {
    case KwLi:
        setHeadIndent(paragraphFormat, pixels);
        break;
    case KwFi:
        paragraphFormat.setTextIndent(headIndent(paragraphFormat) + pixels);
        break;
    case KwRi:
        setRightIndent(call.parameter);
        break;
    case KwLin:
        if (rightToLeft)
            setTailIndent(call.parameter);
        else
            setHeadIndent(paragraphFormat, pixels);
        break;
    case KwRin:
        if (rightToLeft)
            setHeadIndent(paragraphFormat, pixels);
        else
            setRightIndent(call.parameter);
        break;
    default:
        break;
    }
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::setRightIndent(int twips)
{
    // With the option, a paragraph without a right indent keeps no tail indent at all, and so
    // follows whatever page width the document is later given.
    if (ignoreZeroRightIndent && twips == 0)
        return;
    setTailIndent(twips);
}

void QMKTextRtfReaderPrivate::setTailIndent(int rightIndentTwips)
{
    // A right indent wider than the text ends the lines at the left edge, not before it.
    const qint64 tail = qint64(textWidth()) - rightIndentTwips;
    const int twips = int(qBound<qint64>(0, tail, std::numeric_limits<int>::max()));
    paragraphFormat.setProperty(QMKFormatProperty::TailIndent, twipsToPixels(twips));
}

int QMKTextRtfReaderPrivate::setParagraphSpacing(const RtfKeywordCall &call)
{
    if (insideNote())
        return RtfStatus::Ok;
    const double pixels = twipsToPixels(call.parameter);
    if (call.keyword == KwSb)
        paragraphFormat.setTopMargin(pixels);
    else
        paragraphFormat.setBottomMargin(pixels);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setParagraphLineSpacing(const RtfKeywordCall &call)
{
    if (!insideNote()) {
        if (call.keyword == KwSl) {
            setLineSpacing(paragraphFormat, call.parameter / 20.0);
        } else if (call.parameter == 1) {
            // A multiple of single lines is always "at least": \slmult1 after \sl-360 is 1.5.
            setLineSpacingBase(paragraphFormat, ProportionalBasePoints);
            const double spacing = paragraphFormat.doubleProperty(QMKFormatProperty::LineSpacing);
            if (spacing < 0)
                setLineSpacing(paragraphFormat, -spacing);
        } else {
            paragraphFormat.clearProperty(QMKFormatProperty::LineSpacingBase);
        }
    }
    const QMKLineHeight height = lineHeightFor(normalizeLineSpacing(paragraphFormat), true);
    paragraphFormat.setLineHeight(height.height, height.type);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setAlignment(const RtfKeywordCall &call)
{
    if (insideNote())
        return RtfStatus::Ok;
    switch (call.keyword) {
    case KwQl: paragraphFormat.setAlignment(Qt::AlignLeft); break;
    case KwQr: paragraphFormat.setAlignment(Qt::AlignRight); break;
    case KwQc: paragraphFormat.setAlignment(Qt::AlignHCenter); break;
    case KwQj: paragraphFormat.setAlignment(Qt::AlignJustify); break;
    default: break;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setParagraphDirection(const RtfKeywordCall &call)
{
    if (!insideNote())
        paragraphFormat.setLayoutDirection(call.keyword == KwRtlpar ? Qt::RightToLeft
                                                                    : Qt::LeftToRight);
    return RtfStatus::Ok;
}

// In a stylesheet entry the level makes the style a heading; in the body it is only kept.
int QMKTextRtfReaderPrivate::setOutlineLevel(const RtfKeywordCall &call)
{
    if (insideNote())
        return RtfStatus::Ok;
    if (state.destination != RtfDestination::Stylesheet)
        paragraphFormat.setProperty(QMKFormatProperty::OutlineLevel, call.parameter);
    else if (call.parameter > 0)
        paragraphFormat.setHeadingLevel(call.parameter);
    return RtfStatus::Ok;
}
