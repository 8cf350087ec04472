// Character formatting: every keyword here changes the current group's character format.

#include "qmkfontconstruction.h"
#include "qmkformatproperties.h"
#include "qmkrevisionpalette.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <QBrush>
#include <QPen>

namespace {

void setSolidForeground(QTextCharFormat &format, const QColor &colour)
{
    format.setForeground(QBrush(colour));
}

void setOutlinePen(QTextCharFormat &format, const QColor &colour)
{
    format.setTextOutline(QPen(colour));
    format.setForeground(QBrush(Qt::transparent));
}

} // namespace

int QMKTextRtfReaderPrivate::plain(const RtfKeywordCall &)
{
    state.hidden = false;
    // Word writes \plain in nearly every run: the format it resets to is made once for each
    // default format, and every run reset to it shares that one.
    if (plainReset.source != plainCharFormat) {
        QTextCharFormat format = plainCharFormat;
        for (int property : {QTextFormat::ForegroundBrush, QTextFormat::BackgroundBrush,
                             QTextFormat::FontWeight, QTextFormat::FontItalic,
                             QTextFormat::FontUnderline, QTextFormat::TextUnderlineStyle,
                             QTextFormat::FontOverline, QTextFormat::FontStrikeOut,
                             QTextFormat::TextOutline})
            format.clearProperty(property);
        // Writing the font back sets every font property explicitly (weight 50 included), so
        // that nothing of an enclosing style shows through.
        QFont font = format.font();
        font.setStrikeOut(false);
        font.setOverline(false);
        format.setFont(font);
        plainReset = {plainCharFormat, format, charFormatPool.intern(format)};
    }
    state.charFormat.assign(plainReset.format, plainReset.pooledId);
    selectDefaultFont();
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setBold(const RtfKeywordCall &call)
{
    // Only weights the family has: a bold request for a family whose heaviest face is
    // semibold gets semibold, as the text will really show.
    changeCharFormat(call, [&call](QTextCharFormat &format) {
        const int weight = call.on ? QFont::Bold : QFont::Normal;
        const QString family = format.fontFamily();
        format.setFontWeight(family.isEmpty() ? weight : closestWeight(family, weight));
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setItalic(const RtfKeywordCall &call)
{
    changeCharFormat(call, [&call](QTextCharFormat &format) { format.setFontItalic(call.on); });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setUnderline(const RtfKeywordCall &call)
{
    changeCharFormat(call, [&call](QTextCharFormat &format) {
        format.setUnderlineStyle(call.on ? QTextCharFormat::SingleUnderline
                                         : QTextCharFormat::NoUnderline);
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::clearUnderline(const RtfKeywordCall &call)
{
    changeCharFormat(call, [](QTextCharFormat &format) {
        // Qt keeps a single underline in two properties: the text stays underlined while
        // either is set.
        format.clearProperty(QTextFormat::TextUnderlineStyle);
        format.clearProperty(QTextFormat::FontUnderline);
        format.clearProperty(QTextFormat::TextUnderlineColor);
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setUnderlineKind(const RtfKeywordCall &call)
{
    // These kinds take no on/off parameter: Word writes \uld0 and still means dotted.
    QTextCharFormat::UnderlineStyle style = QTextCharFormat::DotLine;
    switch (call.keyword) {
    case KwUldash: style = QTextCharFormat::DashUnderline; break;
    case KwUldashd: style = QTextCharFormat::DashDotLine; break;
    case KwUldashdd: style = QTextCharFormat::DashDotDotLine; break;
    case KwUlwave: style = QTextCharFormat::WaveUnderline; break;
    default: break;
    }
    changeCharFormat(call, [style](QTextCharFormat &format) { format.setUnderlineStyle(style); });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setUnderlineColour(const RtfKeywordCall &call)
{
    if (!isColourNumber(call.parameter))
        return RtfStatus::Ok;
    // Colour 0 is the automatic colour, as for text: the underline takes the text's colour.
    const QColor colour = call.parameter == 0 ? QColor() : colourTable.at(call.parameter);
    changeCharFormat(call, [&colour](QTextCharFormat &format) {
        if (colour.isValid())
            format.setUnderlineColor(colour);
        else
            format.clearProperty(QTextFormat::TextUnderlineColor);
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setStrikeOut(const RtfKeywordCall &call)
{
    changeCharFormat(call, [&call](QTextCharFormat &format) {
        format.setFontStrikeOut(call.on);
        if (!call.on)
            format.clearProperty(QMKFormatProperty::RevisionLevel);
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setCapitals(const RtfKeywordCall &call)
{
    const QFont::Capitalization on = call.keyword == KwScaps ? QFont::SmallCaps
                                                             : QFont::AllUppercase;
    changeCharFormat(call, [&call, on](QTextCharFormat &format) {
        format.setFontCapitalization(call.on ? on : QFont::MixedCase);
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setVerticalAlignment(const RtfKeywordCall &call)
{
    QTextCharFormat::VerticalAlignment on = QTextCharFormat::AlignNormal;
    switch (call.keyword) {
    case KwNosupersub:
        changeCharFormat(call, [](QTextCharFormat &format) {
            format.clearProperty(QTextFormat::TextVerticalAlignment);
        });
        return RtfStatus::Ok;
    case KwSuper: on = QTextCharFormat::AlignSuperScript; break;
    case KwSub: on = QTextCharFormat::AlignSubScript; break;
    case KwVertalt: on = QTextCharFormat::AlignTop; break;
    case KwVertalc: on = QTextCharFormat::AlignMiddle; break;
    case KwVertal:
    case KwVertalb: on = QTextCharFormat::AlignBottom; break;
    case KwVertalj: on = QTextCharFormat::AlignBaseline; break;
    default: break;
    }
    changeCharFormat(call, [&call, on](QTextCharFormat &format) {
        format.setVerticalAlignment(call.on ? on : QTextCharFormat::AlignNormal);
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setVerticalOffset(const RtfKeywordCall &call)
{
    // Negating the most negative int is undefined; it has no sensible offset anyway.
    const int offset = call.keyword == KwDn ? -qMax(call.parameter, -INT_MAX) : call.parameter;
    changeCharFormat(call, [offset](QTextCharFormat &format) {
        format.setVerticalAlignment(QTextCharFormat::AlignMiddle);
        format.setProperty(QMKFormatProperty::VerticalOffset, offset);
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setOutline(const RtfKeywordCall &call)
{
    changeCharFormat(call, [&call](QTextCharFormat &format) {
        if (call.on) {
            const QColor colour = format.hasProperty(QTextFormat::ForegroundBrush)
                ? format.foreground().color() : QColor(Qt::black);
            setOutlinePen(format, colour);
        } else if (format.hasProperty(QTextFormat::TextOutline)) {
            // TextEdit writes \outl0 before every run; without an outline there is nothing
            // to turn off, and the text colour must stay.
            setSolidForeground(format, format.textOutline().color());
            format.clearProperty(QTextFormat::TextOutline);
        }
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setOutlineColour(const RtfKeywordCall &call)
{
    // TextEdit writes \strokec with every run, outlined or not: only an outline takes it.
    if (!isColourNumber(call.parameter))
        return RtfStatus::Ok;
    const QColor colour = colourTable.at(call.parameter);
    changeCharFormat(call, [&colour](QTextCharFormat &format) {
        if (format.hasProperty(QTextFormat::TextOutline))
            setOutlinePen(format, colour);
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setTextColour(const RtfKeywordCall &call)
{
    const int n = call.parameter;
    if (!isColourNumber(n))
        return RtfStatus::Ok;
    const QColor colour = colourTable.at(n);
    const int level = n != 0 && paletteColours ? paletteIndexOf(colour) : -1;
    changeCharFormat(call, [n, &colour, level](QTextCharFormat &format) {
        if (format.hasProperty(QTextFormat::TextOutline)) {
            setOutlinePen(format, colour);
            return;
        }
        if (n == 0) {
            format.clearForeground();
        } else if (level >= 1) {
            format.setProperty(QMKFormatProperty::RevisionLevel, level);
            return;
        } else {
            setSolidForeground(format, colour);
        }
        format.clearProperty(QMKFormatProperty::RevisionLevel);
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setBackgroundColour(const RtfKeywordCall &call)
{
    const int n = call.parameter;
    if (!isColourNumber(n))
        return RtfStatus::Ok;
    const QColor colour = colourTable.at(n);
    // Colours 0 and 1 are what writers put for "no background" (auto, or white).
    const bool none = (n == 1 && colour == QColor(Qt::white))
        || (n == 0 && (!colour.isValid() || colour == QColor(Qt::black)));
    changeCharFormat(call, [none, &colour](QTextCharFormat &format) {
        if (none)
            format.clearBackground();
        else
            format.setBackground(QBrush(colour));
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setFontSize(const RtfKeywordCall &call)
{
    changeCharFormat(call, [&call](QTextCharFormat &format) {
        format.setFontPointSize(call.parameter <= 2 ? 10.0 : call.parameter / 2.0);
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setRevisionLevel(const RtfKeywordCall &call)
{
    changeCharFormat(call, [&call](QTextCharFormat &format) {
        format.setProperty(QMKFormatProperty::RevisionLevel, call.parameter);
    });
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::setCharFormat(const QTextCharFormat &format)
{
    state.charFormat.assign(format, charFormatPool.intern(format));
}

int QMKTextRtfReaderPrivate::setHidden(const RtfKeywordCall &call)
{
    // Hidden text is not shown: read into the document it splits the words around it.
    state.hidden = call.on;
    return RtfStatus::Ok;
}
