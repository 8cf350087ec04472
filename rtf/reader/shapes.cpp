// Shapes and drawing objects: a text box's text is read as paragraphs where the shape is
// anchored, a picture shape's picture as an inline picture; the other shape properties are
// settings, never text.

#include "rtf/reader/qmktextrtfreader_p.h"

int QMKTextRtfReaderPrivate::enterShape(const RtfKeywordCall &)
{
    shapeHasContent = false;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterShapeProperty(const RtfKeywordCall &)
{
    state.destination = RtfDestination::ShapeProperty;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterShapePropertyName(const RtfKeywordCall &)
{
    if (state.destination == RtfDestination::ShapeProperty) {
        shapePropertyName.clear();
        state.destination = RtfDestination::ShapePropertyName;
    }
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::takeShapePropertyName(const QString &text)
{
    // Property names are short words; anything longer names no property read here.
    if (shapePropertyName.size() + text.size() <= 32)
        shapePropertyName += text;
}

int QMKTextRtfReaderPrivate::enterShapePropertyValue(const RtfKeywordCall &call)
{
    // Of all the properties only the picture of a picture shape is content.
    if (state.destination != RtfDestination::ShapeProperty
        || shapePropertyName.trimmed() != QLatin1String("pib"))
        return skipGroup(call);
    state.destination = RtfDestination::Body;
    shapeHasContent = true;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterShapeText(const RtfKeywordCall &)
{
    // The box's paragraphs stand apart from the text the shape is anchored in.
    endParagraphWithContent();
    state.endsParagraph = true;
    shapeHasContent = true;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterShapeResult(const RtfKeywordCall &call)
{
    // The result is the copy for readers without shapes: read only when it is the only one.
    if (shapeHasContent)
        return skipGroup(call);
    return RtfStatus::Ok;
}
