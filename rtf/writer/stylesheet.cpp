// The stylesheet, written only when style definitions were supplied to the writer, and the
// \s and \cs references of paragraphs and runs to its entries.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "qmkformatproperties.h"


namespace {

constexpr int FirstCharacterStyle = 24;

bool isCharacterStyle(const QMKTextStyle &style)
{
    return (style.flags() & QMKTextStyle::HasCharFormat)
        && !(style.flags() & QMKTextStyle::HasBlockFormat);
}

// Word makes "Heading 1" to "Heading 9" headings by their outline level.
int headingNumber(const QString &name)
{
    static const QLatin1String prefix("heading ");
    if (!name.startsWith(prefix, Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int n = name.mid(prefix.size()).trimmed().toInt(&ok);
    return ok && n >= 1 && n <= 12 ? n : 0;
}

} // namespace

void QMKTextRtfWriterPrivate::writeStylesheet()
{
    styleMap.clear();
    if (styles.isEmpty())
        return;
    writeChar('{');
    writeKeyword(KwStylesheet);
    writeSpaceIfPending();
    writeChar('{');
    writeKeyword(KwS, 0);
    writeText(QStringLiteral("Normal;"), 0, false, true, false, QString());
    writeChar('}');
    int paragraphStyles = 0;
    int characterStyles = FirstCharacterStyle;
    for (const QMKTextStyle &style : qAsConst(styles)) {
        if (!style.isValid())
            continue;
        writeChar('{');
        if (isCharacterStyle(style)) {
            const int n = ++characterStyles;
            writeKeyword(KwIgnorable);
            writeKeyword(KwCs, n);
            styleMap.insert(style.identifier(), "cs" + QByteArray::number(n));
        } else {
            const int n = ++paragraphStyles;
            writeKeyword(KwS, n);
            styleMap.insert(style.identifier(), "s" + QByteArray::number(n));
        }
        writeSpaceIfPending();
        // The entries state their own formats, not references to themselves.
        const QHash<QUuid, QByteArray> references = std::exchange(styleMap, {});
        if (style.flags() & QMKTextStyle::HasBlockFormat)
            writeBlockFormat(style.blockFormat(), nullptr, false);
        if (style.flags() & QMKTextStyle::HasCharFormat)
            writeCharFormat(style.charFormat());
        styleMap = references;
        if (const int level = headingNumber(style.name()))
            writeKeyword(KwOutlinelevel, level);
        writeText(style.name(), 0, false, true, false, QString());
        writeChar(';');
        writeChar('}');
    }
    writeChar('}');
    writeNewline();
}

void QMKTextRtfWriterPrivate::writeStyleReference(const QTextFormat &format, bool styleFallback)
{
    if (styleMap.isEmpty())
        return;
    const QUuid identifier = format.property(QMKFormatProperty::StyleIdentifier).toUuid();
    if (!identifier.isNull()) {
        const auto reference = styleMap.constFind(identifier);
        if (reference != styleMap.constEnd()) {
            out.append('\\');
            writeRaw(*reference);
        }
    } else if (styleFallback) {
        writeKeyword(KwS, 0);
    }
}
