#include "app/rtfdoc/propertynames.h"

#include "qmkformatproperties.h"

#include <QHash>
#include <QMetaEnum>
#include <QTextFormat>

namespace {

using P = QMKFormatProperty;

// The register's names. 0x3002 is Qt's ListNumberPrefix, which lists use for their level
// definitions instead, so the register's name is the truthful one there too.
const QHash<int, QString> &registerNames()
{
    static const QHash<int, QString> names{
        {P::HeadIndent, QStringLiteral("head indent")},
        {P::TailIndent, QStringLiteral("tail indent")},
        {P::LineSpacing, QStringLiteral("line spacing")},
        {P::LineSpacingBase, QStringLiteral("line spacing base")},
        {P::ListLevels, QStringLiteral("list levels")},
        {P::ListNumber, QStringLiteral("list number")},
        {P::ListLevel, QStringLiteral("list level")},
        {P::MathMLText, QStringLiteral("MathML text")},
        {P::PdfData, QStringLiteral("PDF data")},
        {P::PdfFileName, QStringLiteral("PDF file name")},
        {P::VerticalOffset, QStringLiteral("vertical offset")},
        {P::RevisionLevel, QStringLiteral("revision level")},
        {P::StyleIdentifier, QStringLiteral("style identifier")},
        {P::PictureSourceBytes, QStringLiteral("picture source bytes")},
        {P::PictureSourceFormat, QStringLiteral("picture source format")},
        {P::PictureName, QStringLiteral("picture name")},
        {P::InlineAnnotation, QStringLiteral("inline annotation")},
        {P::InlineFootnote, QStringLiteral("inline footnote")},
        {P::LinkedComment, QStringLiteral("linked comment")},
        {P::LinkedFootnote, QStringLiteral("linked footnote")},
        {P::NoteAnchor, QStringLiteral("note anchor")},
        {P::NoteIdentifier, QStringLiteral("note identifier")},
        {P::NoteContent, QStringLiteral("note content")},
        {P::NoteColour, QStringLiteral("note colour")},
        {P::NoteFlag, QStringLiteral("note flag")},
        {P::NoteCount, QStringLiteral("note count")},
        {P::NotePlainText, QStringLiteral("note plain text")},
        {P::KeepWithNext, QStringLiteral("keep with next")},
        {P::DefaultTabWidth, QStringLiteral("default tab width")},
        {P::OutlineLevel, QStringLiteral("outline level")},
        {P::NoPageBreakBefore, QStringLiteral("no page break before")},
        {P::BookmarkName, QStringLiteral("bookmark name")},
        {P::InternalLinkTarget, QStringLiteral("internal link target")},
        {P::SectionBreakBefore, QStringLiteral("section break before")},
        {P::SectionKind, QStringLiteral("section kind")},
    };
    return names;
}

// Qt's enum has aliases (FirstFontProperty is FontCapitalization); the property's own name is
// the one to show.
const QHash<int, QString> &qtNames()
{
    static const QHash<int, QString> names = [] {
        QHash<int, QString> result;
        const QMetaEnum properties = QMetaEnum::fromType<QTextFormat::Property>();
        for (int i = 0; i < properties.keyCount(); ++i) {
            const QString key = QString::fromLatin1(properties.key(i));
            if (key.startsWith(QLatin1String("First")) || key.startsWith(QLatin1String("Last"))
                || key == QLatin1String("UserProperty"))
                continue;
            result.insert(properties.value(i), key);
        }
        return result;
    }();
    return names;
}

QString hexId(int id)
{
    return QStringLiteral("0x") + QString::number(id, 16).toUpper();
}

} // namespace

QString formatPropertyName(int id)
{
    const auto own = registerNames().constFind(id);
    if (own != registerNames().constEnd())
        return *own + QStringLiteral(" (") + hexId(id) + QLatin1Char(')');
    return qtNames().value(id, hexId(id));
}
