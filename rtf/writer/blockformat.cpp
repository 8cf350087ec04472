// Paragraph formats: stated in full after every \pard. Lengths are pixels in the document and
// twips in RTF; right indents are measured back from the page's text width.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "qmkformatproperties.h"
#include "qmklinespacing.h"
#include "qmkunits.h"

#include <QTextList>

namespace {

constexpr int KeepWithNextFlag = 0x20;     // beside Qt's page-break flags
constexpr int DefaultTabTwips = 720;
constexpr double ListFirstLineIndent = -18;

bool isZero(double value)
{
    return lineSpacingFuzzyEqual(value, 0);
}

int twips(double pixels)
{
    return qRound(pixelsToTwips(pixels));
}

} // namespace

void QMKTextRtfWriterPrivate::writeBlockFormat(const QTextBlockFormat &format, QTextList *list,
                                               bool styleFallback)
{
    writeStyleReference(format, styleFallback);

    const bool keepWithNextProperty = format.boolProperty(QMKFormatProperty::KeepWithNext);
    if (format.hasProperty(QTextFormat::PageBreakPolicy) || keepWithNextProperty) {
        const int policy = format.intProperty(QTextFormat::PageBreakPolicy);
        if ((policy & QTextFormat::PageBreak_AlwaysBefore)
            && !format.boolProperty(QMKFormatProperty::NoPageBreakBefore))
            writeKeyword(KwPagebb);
        if (exportMode && ((policy & KeepWithNextFlag) || keepWithNextProperty))
            writeKeyword(KwKeepn);
    }

    if (format.hasProperty(QMKFormatProperty::DefaultTabWidth)) {
        const int tab = twips(format.doubleProperty(QMKFormatProperty::DefaultTabWidth));
        if (tab != 0 && tab != DefaultTabTwips)
            writeKeyword(KwPardeftab, tab);
    }

    if (format.hasProperty(QTextFormat::TabPositions)) {
        const QList<QTextOption::Tab> tabs = format.tabPositions();
        for (const QTextOption::Tab &tab : tabs) {
            switch (tab.type) {
            case QTextOption::LeftTab: break;
            case QTextOption::RightTab: writeKeyword(KwTqr); break;
            case QTextOption::CenterTab: writeKeyword(KwTqc); break;
            case QTextOption::DelimiterTab: writeKeyword(KwTqdec); break;
            default: continue;
            }
            writeKeyword(KwTx, twips(tab.position));
        }
    }

    const double head = format.doubleProperty(QMKFormatProperty::HeadIndent);
    if (!isZero(head))
        writeKeyword(KwLi, twips(head));
    double firstLine = format.textIndent() - head;
    if (list && isZero(firstLine))
        firstLine = ListFirstLineIndent;
    if (!isZero(firstLine))
        writeKeyword(KwFi, twips(firstLine));
    const double tail = format.doubleProperty(QMKFormatProperty::TailIndent);
    if (!isZero(tail))
        writeKeyword(KwRi, page.textWidth() - twips(tail));

    if (!isZero(format.bottomMargin()))
        writeKeyword(KwSa, twips(format.bottomMargin()));
    if (!isZero(format.topMargin()))
        writeKeyword(KwSb, twips(format.topMargin()));

    // Proportional or not is decided by the line height itself: a block made in Qt has no
    // stored base and is proportional all the same.
    QMKLineSpacing spacing;
    if (format.hasProperty(QTextFormat::LineHeight)
        || format.hasProperty(QTextFormat::LineHeightType))
        spacing = spacingFromLineHeight(lineHeightOf(format), true);
    if (!isZero(spacing.spacing) && !lineSpacingFuzzyEqual(spacing.spacing, spacing.base)) {
        if (isZero(spacing.base)) {
            writeKeyword(KwSl, qRound(spacing.spacing * 20));
            writeKeyword(KwSlmult, 0);
        } else {
            writeKeyword(KwSl, qRound(spacing.spacing * 12 / spacing.base * 20));
            writeKeyword(KwSlmult, 1);
        }
    }

    if (format.hasProperty(QTextFormat::BlockAlignment)) {
        const int alignment = format.intProperty(QTextFormat::BlockAlignment);
        if (alignment > 0) {
            if (alignment & Qt::AlignLeft)
                writeKeyword(KwQl);
            else if (alignment & Qt::AlignRight)
                writeKeyword(KwQr);
            else if (alignment & Qt::AlignHCenter)
                writeKeyword(KwQc);
            else if (alignment & Qt::AlignJustify)
                writeKeyword(KwQj);
        }
    }
    if (format.layoutDirection() == Qt::RightToLeft)
        writeKeyword(KwRtlpar);
    if (format.hasProperty(QMKFormatProperty::OutlineLevel))
        writeKeyword(KwOutlinelevel, format.intProperty(QMKFormatProperty::OutlineLevel));
}
