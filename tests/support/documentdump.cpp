#include "documentdump.h"

#include "rtf/common/qmkhighprecisioncolor.h"
#include "rtf/common/qmktextstyle.h"
#include "textutil/qmklistlevel.h"
#include "textutil/qmktextutilities.h"

#include <QBrush>
#include <QCryptographicHash>
#include <QDebug>
#include <QHash>
#include <QImage>
#include <QPen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextOption>
#include <QTextTable>
#include <QVector>

#include <algorithm>

namespace {

QString debugText(const QVariant &value)
{
    QString text;
    QDebug(&text).nospace() << value;
    return text;
}

QString valueText(const QVariant &value);
QString formatText(const QTextFormat &format);

// Every bit of a length: a change in the last place is a change of the document.
QString exact(double value)
{
    return QString::number(value, 'g', 17);
}

QString colourText(const QColor &colour)
{
    return QStringLiteral("%1/%2").arg(colour.spec()).arg(colour.rgba64(), 16, 16, QLatin1Char('0'));
}

QString listText(const QVariantList &values)
{
    QStringList parts;
    for (const QVariant &value : values)
        parts << valueText(value);
    return QLatin1Char('[') + parts.join(QLatin1String(", ")) + QLatin1Char(']');
}

QString styleText(const QMKTextStyle &style)
{
    // Identifiers are made afresh on every import: only what the style says is compared.
    return QStringLiteral("style(") + style.name() + QStringLiteral(" flags ")
        + QString::number(style.flags()) + QStringLiteral(" colour ") + colourText(style.colour())
        + QStringLiteral(" second ") + style.secondString() + QStringLiteral(" char ")
        + formatText(style.charFormat()) + QStringLiteral(" block ")
        + formatText(style.blockFormat()) + QLatin1Char(')');
}

// QVariant's own debug text names the types it cannot print: those are spelled out here.
QString valueText(const QVariant &value)
{
    const int type = value.userType();
    if (type == QMetaType::QVariantList)
        return listText(value.toList());
    if (type == qMetaTypeId<QVector<QTextLength>>()) {
        QStringList parts;
        for (const QTextLength &length : value.value<QVector<QTextLength>>())
            parts << QString::number(length.type()) + QLatin1Char(':') + exact(length.rawValue());
        return QLatin1Char('[') + parts.join(QLatin1String(", ")) + QLatin1Char(']');
    }
    if (type == qMetaTypeId<QTextOption::Tab>()) {
        const auto tab = value.value<QTextOption::Tab>();
        return QStringLiteral("tab(%1 %2 %3)").arg(exact(tab.position)).arg(tab.type)
            .arg(tab.delimiter.unicode());
    }
    if (type == qMetaTypeId<QMKListLevel>()) {
        const auto level = value.value<QMKListLevel>();
        return QStringLiteral("level(") + level.text + QLatin1Char(' ')
            + QString::number(level.style) + QLatin1Char(' ') + exact(level.indent)
            + QLatin1Char(' ') + exact(level.firstLinePosition)
            + (level.start == 1 ? QString() : QStringLiteral(" start %1").arg(level.start))
            + QLatin1Char(')');
    }
    if (type == qMetaTypeId<QMKTextStyle>())
        return styleText(value.value<QMKTextStyle>());
    if (type == qMetaTypeId<QList<QMKTextStyle>>()) {
        QStringList parts;
        for (const QMKTextStyle &style : value.value<QList<QMKTextStyle>>())
            parts << styleText(style);
        return QLatin1Char('[') + parts.join(QLatin1String(", ")) + QLatin1Char(']');
    }
    if (type == qMetaTypeId<QMKHighPrecisionColor>())
        return value.value<QMKHighPrecisionColor>().toString();
    if (type == qMetaTypeId<QMKHighPrecisionColorType>())
        return value.value<QMKHighPrecisionColorType>().toString();
    if (type == qMetaTypeId<QMKRgbToHighPrecisionMap>()) {
        const auto map = value.value<QMKRgbToHighPrecisionMap>();
        QList<QRgb> keys = map.keys();
        std::sort(keys.begin(), keys.end());
        QStringList parts;
        for (QRgb key : keys)
            parts << QStringLiteral("%1=").arg(key, 8, 16, QLatin1Char('0'))
                     + map.value(key).toString();
        return QLatin1Char('{') + parts.join(QLatin1String(", ")) + QLatin1Char('}');
    }
    if (type == QMetaType::Double || type == QMetaType::Float)
        return exact(value.toDouble());
    if (type == QMetaType::QTextLength) {
        const QTextLength length = value.value<QTextLength>();
        return QString::number(length.type()) + QLatin1Char(':') + exact(length.rawValue());
    }
    if (type == QMetaType::QColor)
        return colourText(value.value<QColor>());
    if (type == QMetaType::QBrush) {
        const QBrush brush = value.value<QBrush>();
        return QStringLiteral("brush(%1 %2)").arg(brush.style()).arg(colourText(brush.color()));
    }
    if (type == QMetaType::QPen) {
        const QPen pen = value.value<QPen>();
        return QStringLiteral("pen(%1 %2 %3)").arg(colourText(pen.color()))
            .arg(pen.style()).arg(exact(pen.widthF()));
    }
    return debugText(value);
}

QString formatText(const QTextFormat &format)
{
    // Properties in key order: QTextFormat keeps them as a map.
    QStringList parts;
    const QMap<int, QVariant> properties = format.properties();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        parts << QString::number(it.key(), 16) + QLatin1Char('=') + valueText(it.value());
    return parts.join(QLatin1Char(' '));
}

class Dumper
{
public:
    explicit Dumper(const QTextDocument &document) : m_document(document) {}

    QString run()
    {
        line(0, QStringLiteral("document blocks %1 characters %2")
                    .arg(m_document.blockCount()).arg(m_document.characterCount()));
        QList<QByteArray> names = m_document.dynamicPropertyNames();
        std::sort(names.begin(), names.end());
        for (const QByteArray &name : names)
            line(1, QStringLiteral("property %1 %2").arg(QString::fromLatin1(name),
                                                          valueText(m_document.property(name))));
        frame(m_document.rootFrame(), 0);
        return m_out;
    }

private:
    void line(int depth, const QString &text)
    {
        m_out += QString(depth * 2, QLatin1Char(' ')) + text + QLatin1Char('\n');
    }

    void frame(QTextFrame *frame, int depth)
    {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            this->table(table, depth);
            return;
        }
        line(depth, QStringLiteral("frame ") + formatText(frame->frameFormat()));
        content(frame->begin(), depth + 1);
    }

    void table(QTextTable *table, int depth)
    {
        line(depth, QStringLiteral("table %1x%2 %3").arg(table->rows()).arg(table->columns())
                        .arg(formatText(table->format())));
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                if (cell.row() != row || cell.column() != column)
                    continue;
                line(depth + 1, QStringLiteral("cell %1,%2 span %3x%4 %5")
                                    .arg(row).arg(column).arg(cell.rowSpan())
                                    .arg(cell.columnSpan()).arg(formatText(cell.format())));
                content(cell.begin(), depth + 2);
            }
        }
    }

    void content(QTextFrame::iterator it, int depth)
    {
        for (; !it.atEnd(); ++it) {
            if (QTextFrame *child = it.currentFrame())
                frame(child, depth);
            else
                block(it.currentBlock(), depth);
        }
    }

    void block(const QTextBlock &block, int depth)
    {
        line(depth, QStringLiteral("block ") + formatText(block.blockFormat()));
        line(depth + 1, QStringLiteral("blockchar ") + formatText(block.charFormat()));
        if (QTextList *list = block.textList()) {
            line(depth + 1, QStringLiteral("list %1 item %2 of %3 %4")
                                .arg(listNumber(list)).arg(list->itemNumber(block))
                                .arg(list->count()).arg(formatText(list->format())));
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QString quoted;
            QDebug(&quoted) << fragment.text();
            line(depth + 1, QStringLiteral("run ") + quoted.trimmed() + QLatin1Char(' ')
                                + formatText(fragment.charFormat()));
            if (fragment.charFormat().isImageFormat())
                image(fragment.charFormat().toImageFormat().name(), depth + 2);
        }
    }

    void image(const QString &name, int depth)
    {
        QImage image = documentImage(m_document, name);
        if (image.isNull()) {
            line(depth, QStringLiteral("image none"));
            return;
        }
        image = image.convertToFormat(QImage::Format_ARGB32);
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (int y = 0; y < image.height(); ++y)
            hash.addData(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4);
        line(depth, QStringLiteral("image %1x%2 %3").arg(image.width()).arg(image.height())
                        .arg(QString::fromLatin1(hash.result().toHex())));
    }

    int listNumber(QTextList *list)
    {
        // Lists are numbered in the order they are first met, which is document order.
        auto it = m_lists.constFind(list);
        if (it != m_lists.constEnd())
            return *it;
        const int number = m_lists.size();
        m_lists.insert(list, number);
        return number;
    }

    const QTextDocument &m_document;
    QHash<QTextList *, int> m_lists;
    QString m_out;
};

} // namespace

QString dumpDocument(const QTextDocument &document)
{
    return Dumper(document).run();
}
