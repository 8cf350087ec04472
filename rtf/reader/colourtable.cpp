// The colour table and the expanded colour table, and the colour map kept on the document.

#include "qmkformatproperties.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <QTextDocument>

QColor QMKTextRtfReaderPrivate::colourAt(int n) const
{
    return isColourNumber(n) ? colourTable.at(n) : QColor();
}

int QMKTextRtfReaderPrivate::startColourTable(const RtfKeywordCall &)
{
    colourTable.clear();
    // Colour numbers read from here on may name other colours.
    charFormatPool.forgetChanges();
    currentColour = QColor();
    state.destination = RtfDestination::ColourTable;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setColourChannel(const RtfKeywordCall &call)
{
    const int value = call.hasParameter ? call.parameter : 255;
    switch (call.keyword) {
    case KwRed: currentColour.setRed(qBound(0, value, 255)); break;
    case KwGreen: currentColour.setGreen(qBound(0, value, 255)); break;
    default: currentColour.setBlue(qBound(0, value, 255)); break;
    }
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::takeColourTableText(const QString &text)
{
    // Blanks and line breaks between the words of an entry are layout, not content: they must
    // not cost the entry the channels already given.
    if (text.trimmed().isEmpty())
        return;
    // The first entry is the automatic colour, whatever channels a writer put before it.
    if (text == QLatin1String(";") && colourTable.isEmpty())
        colourTable.append(QColor());
    else if (text.contains(QLatin1Char(';')))
        colourTable.append(currentColour);
    currentColour = QColor();
}

void QMKTextRtfReaderPrivate::endColourTable()
{
    if (!colourTable.isEmpty())
        plainCharFormat.clearProperty(QTextFormat::ForegroundBrush);
}

int QMKTextRtfReaderPrivate::startExpandedColourTable(const RtfKeywordCall &)
{
    expandedColourTable.clear();
    currentHighPrecisionColour = QMKHighPrecisionColorType();
    state.destination = RtfDestination::ExpandedColourTable;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setColourSpace(const RtfKeywordCall &call)
{
    int space = QMKHighPrecisionColorType::GenericRgb;
    switch (call.keyword) {
    case KwCssrgb: space = QMKHighPrecisionColorType::Srgb; break;
    case KwCspthree: space = QMKHighPrecisionColorType::DisplayP3; break;
    case KwCsgray: space = QMKHighPrecisionColorType::Gray; break;
    default: break;
    }
    currentHighPrecisionColour = QMKHighPrecisionColorType(space);
    componentIndex = 0;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setColourComponent(const RtfKeywordCall &call)
{
    QMKHighPrecisionColorType &colour = currentHighPrecisionColour;
    if (componentIndex == 0 && colour.colorSpace() == QMKHighPrecisionColorType::Gray) {
        for (int index = 1; index <= 3; ++index)
            colour.setComponent(index, call.parameter);
    } else if (componentIndex < 4) {
        colour.setComponent(componentIndex + 1, call.parameter);
    }
    if (componentIndex < 4)
        ++componentIndex;
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::takeExpandedColourTableText(const QString &text)
{
    if (!text.contains(QLatin1Char(';')))
        return;
    expandedColourTable.append(currentHighPrecisionColour);
    currentHighPrecisionColour = QMKHighPrecisionColorType();
}

void QMKTextRtfReaderPrivate::storeColourPalette()
{
    if (expandedColourTable.isEmpty() || expandedColourTable.size() != colourTable.size())
        return;
    static const int mapType = qRegisterMetaType<QMKRgbToHighPrecisionMap>("QMKRgbToHighPrecisionMap");
    QMKRgbToHighPrecisionMap map;
    for (int i = 0; i < colourTable.size(); ++i)
        map.insert(colourTable.at(i).rgb(), expandedColourTable.at(i));
    document->setProperty(QMKDocumentProperty::RgbToHighDefColorPalette,
                          QVariant(mapType, &map));
}
