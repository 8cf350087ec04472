// The colour table, and the pass over the document's formats that fills it and the font table
// before the body is written.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "qmkformatproperties.h"
#include "qmkhighprecisioncolor.h"
#include "qmkrevisionpalette.h"

#include <QBrush>
#include <QPen>
#include <QTextDocument>
#include <QTextFormat>
#include <QVariant>

namespace {

QColor brushColour(const QTextFormat &format, int property)
{
    return format.hasProperty(property) ? format.brushProperty(property).color() : QColor();
}

QByteArray colourSpaceWord(int colorSpace)
{
    switch (colorSpace) {
    case QMKHighPrecisionColorType::GenericRgb: return rtfKeywordText(KwCsgenericrgb);
    case QMKHighPrecisionColorType::Srgb: return rtfKeywordText(KwCssrgb);
    case QMKHighPrecisionColorType::DisplayP3: return rtfKeywordText(KwCspthree);
    case QMKHighPrecisionColorType::Gray: return rtfKeywordText(KwCsgray);
    default: return QByteArray();
    }
}

QByteArray expandedEntry(const QMKRgbToHighPrecisionMap &map, const QColor &colour)
{
    const auto it = map.constFind(colour.rgb());
    if (it == map.constEnd() || !it->isValid())
        return QByteArrayLiteral(";");
    const QByteArray word = colourSpaceWord(it->colorSpace());
    if (word.isEmpty())
        return QByteArrayLiteral(";");
    const QByteArray c = rtfKeywordText(KwC);
    QByteArray entry = word + c + QByteArray::number(it->component(1));
    if (it->colorSpace() != QMKHighPrecisionColorType::Gray)
        entry += c + QByteArray::number(it->component(2)) + c + QByteArray::number(it->component(3));
    return entry + ';';
}

} // namespace

void QMKTextRtfWriterPrivate::addColour(const QColor &colour)
{
    if (!colour.isValid())
        return;
    if (colours.isEmpty())
        colours << QColor(Qt::black) << QColor(Qt::white);
    if (!colours.contains(colour))
        colours.append(colour);
}

int QMKTextRtfWriterPrivate::colourIndex(const QColor &colour) const
{
    const int i = colours.indexOf(colour);
    return i < 0 ? 1 : i + 1;
}

bool QMKTextRtfWriterPrivate::isWritableColourNumber(int n) const
{
    return n >= 0 && n <= colours.size();
}

void QMKTextRtfWriterPrivate::collectFormat(const QTextFormat &format)
{
    if (format.isCharFormat()) {
        const QTextCharFormat charFormat = format.toCharFormat();
        addColour(brushColour(format, QTextFormat::ForegroundBrush));
        const int level = format.intProperty(QMKFormatProperty::RevisionLevel);
        if (level >= 1 && level <= 5)
            addColour(paletteColour(level));
        addColour(brushColour(format, QTextFormat::BackgroundBrush));
        if (format.hasProperty(QTextFormat::TextOutline))
            addColour(charFormat.textOutline().color());
        if (format.hasProperty(QTextFormat::TextUnderlineColor))
            addColour(charFormat.underlineColor());
        addFont(charFormat.font());
    } else if (format.isBlockFormat() || format.isListFormat()) {
        addColour(brushColour(format, QTextFormat::BackgroundBrush));
        addColour(brushColour(format, QTextFormat::ForegroundBrush));
    } else if (format.isFrameFormat()) {
        // Qt gives every frame a dark grey border brush; only a border that is drawn has a
        // colour anybody sees.
        const QTextFrameFormat frame = format.toFrameFormat();
        if (frame.borderStyle() != QTextFrameFormat::BorderStyle_None && frame.border() > 0)
            addColour(brushColour(format, QTextFormat::FrameBorderBrush));
    }
    if (format.boolProperty(QMKFormatProperty::NoteAnchor))
        prepareNoteDocument(format);
}

void QMKTextRtfWriterPrivate::collectDocumentFormats(QTextDocument *target)
{
    const QVector<QTextFormat> formats = target->allFormats();
    for (const QTextFormat &format : formats)
        collectFormat(format);
}

void QMKTextRtfWriterPrivate::writeColourTable()
{
    writeChar('{');
    writeKeyword(KwColortbl);
    writeChar(';');
    for (const QColor &colour : qAsConst(colours)) {
        writeKeyword(KwRed, colour.red());
        writeKeyword(KwGreen, colour.green());
        writeKeyword(KwBlue, colour.blue());
        writeChar(';');
    }
    writeChar('}');
    writeNewline();

    const QVariant palette = document->property(QMKDocumentProperty::RgbToHighDefColorPalette);
    if (!palette.canConvert<QMKRgbToHighPrecisionMap>())
        return;
    const QMKRgbToHighPrecisionMap map = palette.value<QMKRgbToHighPrecisionMap>();
    if (map.isEmpty())
        return;
    QByteArray entries;
    for (const QColor &colour : qAsConst(colours))
        entries += expandedEntry(map, colour);
    if (entries.count(';') == entries.size())
        return;
    writeChar('{');
    writeKeyword(KwIgnorable);
    writeKeyword(KwExpandedcolortbl);
    writeChar(';');
    out.append(entries);
    writeChar('}');
    writeNewline();
}
