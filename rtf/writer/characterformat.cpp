// Character formats: every run states its whole format after the paragraph's \plain, so a run
// never depends on the one before it.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "qmkformatproperties.h"
#include "qmkrevisionpalette.h"
#include "qmkunits.h"

#include <QPen>

#include <climits>

namespace {

RtfKeyword underlineKeyword(int style)
{
    switch (style) {
    case QTextCharFormat::SingleUnderline: return KwUl;
    case QTextCharFormat::DashUnderline: return KwUldash;
    case QTextCharFormat::DotLine: return KwUld;
    case QTextCharFormat::DashDotLine: return KwUldashd;
    case QTextCharFormat::DashDotDotLine: return KwUldashdd;
    case QTextCharFormat::WaveUnderline: return KwUlwave;
    default: return RtfKeywordCount;
    }
}

// Half-points. A size set in pixels has no point size: it is converted, not written as -1.
int halfPoints(const QFont &font)
{
    const double points = font.pointSizeF() > 0 ? font.pointSizeF()
                                                : pixelsToPoints(font.pixelSize());
    return qRound(2 * points);
}

bool hasVisibleOutline(const QTextCharFormat &format)
{
    return format.hasProperty(QTextFormat::TextOutline) && format.textOutline() != QPen(Qt::NoPen);
}

} // namespace

void QMKTextRtfWriterPrivate::writeCharFormat(const QTextCharFormat &format)
{
    // propertyCount(): properties() builds a map on every call, a third of writing text.
    if (format.propertyCount() == 0)
        return;
    writeStyleReference(format, false);
    writeKeyword(KwF, qMax(0, fontIndex(format)));
    writeKeyword(KwFs, halfPoints(format.font()));
    if (format.hasProperty(QTextFormat::FontWeight))
        writeKeyword(KwB, format.fontWeight() > 57 ? 1 : 0);
    if (format.hasProperty(QTextFormat::FontItalic))
        writeKeyword(KwI, format.fontItalic() ? 1 : 0);

    const RtfKeyword underline = underlineKeyword(format.underlineStyle());
    if (underline != RtfKeywordCount) {
        writeKeyword(underline);
        // The underline's own colour is collected with the run's colours: \ulc0 would lose it.
        const QColor colour = format.underlineColor();
        writeKeyword(KwUlc, format.hasProperty(QTextFormat::TextUnderlineColor) && colour.isValid()
                                ? colourIndex(colour) : 0);
    }

    // Raised and lowered text (\up, \dn) keeps its offset. Both words also centre the text
    // vertically, so what the run's own alignment is follows them.
    const int vertical = format.intProperty(QTextFormat::TextVerticalAlignment);
    const bool offset = format.hasProperty(QMKFormatProperty::VerticalOffset);
    if (offset)
        writeVerticalOffset(format.intProperty(QMKFormatProperty::VerticalOffset));
    if (vertical == QTextCharFormat::AlignSuperScript)
        writeKeyword(KwSuper);
    else if (vertical == QTextCharFormat::AlignSubScript)
        writeKeyword(KwSub);
    else if (offset && !format.hasProperty(QTextFormat::TextVerticalAlignment))
        writeKeyword(KwNosupersub);
    else if (offset && vertical == QTextCharFormat::AlignNormal)
        writeKeyword(KwSuper, 0);

    const int revisionLevel = format.intProperty(QMKFormatProperty::RevisionLevel);
    if (format.hasProperty(QTextFormat::FontStrikeOut) && format.fontStrikeOut()) {
        writeKeyword(KwStrike);
        writeKeyword(KwStrikec, revisionLevel >= 1 ? colourIndex(paletteColour(revisionLevel)) : 0);
    }
    // Capitals are a way of showing the text: the letters keep their case.
    const int capitalization = format.intProperty(QTextFormat::FontCapitalization);
    if (capitalization == QFont::SmallCaps)
        writeKeyword(KwScaps);
    else if (format.hasProperty(QTextFormat::FontCapitalization)
             && capitalization == QFont::AllUppercase)
        writeKeyword(KwCaps);

    int textColour = -1;
    if (revisionLevel >= 1) {
        if (!exportMode) {
            writeKeyword(KwIgnorable);
            writeKeyword(KwQmkrevlvl, revisionLevel);
        }
        const int i = colours.indexOf(paletteColour(revisionLevel));
        textColour = i < 0 ? 1 : i + 1;
    } else if (hasVisibleOutline(format)) {
        textColour = colourIndex(format.textOutline().color());
    } else if (format.hasProperty(QTextFormat::ForegroundBrush)) {
        textColour = colourIndex(format.foreground().color());
    }
    if (isWritableColourNumber(textColour))
        writeKeyword(KwCf, textColour);

    if (format.hasProperty(QTextFormat::BackgroundBrush)) {
        const int n = colourIndex(format.background().color());
        if (isWritableColourNumber(n)) {
            writeKeyword(KwCb, n);
            writeKeyword(KwHighlight, n);
        }
    }
    if (hasVisibleOutline(format)) {
        writeKeyword(KwOutl);
        writeKeyword(KwStrokewidth, 60);
        writeKeyword(KwStrokec, colourIndex(format.textOutline().color()));
    }
}

void QMKTextRtfWriterPrivate::writeVerticalOffset(int halfPoints)
{
    if (halfPoints >= 0)
        writeKeyword(KwUp, halfPoints);
    else
        writeKeyword(KwDn, -qMax(halfPoints, -INT_MAX));
}
