#include "qmkformatcomparison.h"

#include "qmkformatproperties.h"

#include <QBrush>
#include <QPen>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>

namespace {

// Custom properties that nothing here names or sets; documents made elsewhere may carry them,
// and they still compare by their defaults.
enum : int {
    UnnamedFlag36 = 0x100036,
    UnnamedString37 = 0x100037,
    UnnamedInteger38 = 0x100038,
    UnnamedFlagD9 = 0x1000D9,
    UnnamedFlagDA = 0x1000DA,
    UnnamedIndexDC = 0x1000DC,
};

bool absentIsZero(int id)
{
    switch (id) {
    case QTextFormat::CssFloat:
    case QTextFormat::LayoutDirection:
    case QTextFormat::LineHeightType:
    case QTextFormat::BlockTrailingHorizontalRulerWidth:
    case QTextFormat::FontCapitalization:
    case QTextFormat::FontStyleHint:
    case QTextFormat::FontStyleStrategy:
    case QTextFormat::FontPixelSize:
    case QTextFormat::TextVerticalAlignment:
    case QTextFormat::PageBreakPolicy:
    case UnnamedInteger38:
        return true;
    default:
        return false;
    }
}

bool absentIsZeroLength(int id)
{
    switch (id) {
    case QTextFormat::BlockTopMargin:
    case QTextFormat::BlockBottomMargin:
    case QTextFormat::BlockLeftMargin:
    case QTextFormat::BlockRightMargin:
    case QTextFormat::TextIndent:
    case QMKFormatProperty::HeadIndent:
    case QMKFormatProperty::TailIndent:
    case QTextFormat::BlockIndent:
    case QTextFormat::LineHeight:
    case QMKFormatProperty::LineSpacing:
    case QMKFormatProperty::LineSpacingBase:
    case QTextFormat::FontLetterSpacing:
    case QTextFormat::FontWordSpacing:
    case QTextFormat::FontPointSize:
        return true;
    default:
        return false;
    }
}

bool absentIsFalse(int id)
{
    switch (id) {
    case QTextFormat::FontKerning:
    case QTextFormat::FontItalic:
    case QTextFormat::FontUnderline:
    case QTextFormat::FontOverline:
    case QTextFormat::FontStrikeOut:
    case QTextFormat::FontFixedPitch:
    case QTextFormat::TextUnderlineStyle:
    case QTextFormat::IsAnchor:
    case UnnamedFlag36:
    case QMKFormatProperty::InlineAnnotation:
    case QMKFormatProperty::InlineFootnote:
    case QMKFormatProperty::LinkedComment:
    case QMKFormatProperty::LinkedFootnote:
    case UnnamedFlagD9:
    case UnnamedFlagDA:
    case QMKFormatProperty::KeepWithNext:
        return true;
    default:
        return false;
    }
}

bool absentIsEmptyString(int id)
{
    switch (id) {
    case QTextFormat::BackgroundImageUrl:
    case QTextFormat::FontFamily:
    case QTextFormat::TextToolTip:
    case QTextFormat::AnchorHref:
    case QTextFormat::AnchorName:
    case QMKFormatProperty::PictureName:
    case UnnamedString37:
        return true;
    default:
        return false;
    }
}

// Every property of format equals other's, or its absent value where other lacks it.
bool coveredBy(const QTextFormat &format, const QTextFormat &other)
{
    const QMap<int, QVariant> properties = format.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        const QVariant expected =
            other.hasProperty(it.key()) ? other.property(it.key()) : absentPropertyValue(it.key());
        if (it.value() != expected)
            return false;
    }
    return true;
}

} // namespace

QVariant absentPropertyValue(int id)
{
    if (absentIsZero(id))
        return 0;
    if (absentIsZeroLength(id))
        return 0.0;
    if (absentIsFalse(id))
        return false;
    if (absentIsEmptyString(id))
        return QString();
    switch (id) {
    case QTextFormat::BlockAlignment:
        return 1; // Qt::AlignLeft
    case QTextFormat::FontWeight:
        return 50; // QFont::Normal
    case UnnamedIndexDC:
        return -1;
    case QTextFormat::TabPositions:
        return QVariantList();
    case QTextFormat::OutlinePen:
    case QTextFormat::TextOutline:
        return QVariant::fromValue(QPen(Qt::NoPen));
    case QTextFormat::BackgroundBrush:
    case QTextFormat::ForegroundBrush:
        return QVariant::fromValue(QBrush(Qt::NoBrush));
    default:
        return QVariant();
    }
}

bool formatsEquivalent(const QTextFormat &a, const QTextFormat &b)
{
    if (&a == &b)
        return true;
    QTextFormat left = a;
    QTextFormat right = b;
    left.clearProperty(QTextFormat::PageBreakPolicy);
    right.clearProperty(QTextFormat::PageBreakPolicy);
    return coveredBy(left, right) && coveredBy(right, left);
}

void setDefaultCharFormatIfDifferent(QTextDocument *document, const QTextCharFormat &format)
{
    if (!document)
        return;
    QTextCursor start(document);
    if (formatsEquivalent(start.blockCharFormat(), format))
        return;
    start.setBlockCharFormat(format);
}
