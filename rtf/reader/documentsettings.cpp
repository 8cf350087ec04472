// Page size and margins: the reader keeps them only to know the text width, which right
// indents and table columns are measured against. Nothing of the page reaches the document.

#include "rtf/reader/qmktextrtfreader_p.h"

#include <limits>

int QMKTextRtfReaderPrivate::setPageGeometry(const RtfKeywordCall &call)
{
    switch (call.keyword) {
    case KwPaperw: paperWidth = call.parameter; break;
    case KwPaperh: paperHeight = call.parameter; break;
    case KwMargl: leftMargin = call.parameter; break;
    case KwMargr: rightMargin = call.parameter; break;
    case KwMargt: topMargin = call.parameter; break;
    case KwMargb: bottomMargin = call.parameter; break;
    default: break;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::textWidth() const
{
    // Margins wider than the paper (or huge values either way) must not give a line negative
    // or zero room: widths are divided by this one.
    const qint64 width = qint64(paperWidth) - leftMargin - rightMargin;
    return int(qBound<qint64>(1, width, std::numeric_limits<int>::max()));
}
