// The font table: every font the document's formats use, told apart by family and pitch (and,
// in internal mode, by weight and slant, each face named by its face name), with the code page
// in which each font's non-ASCII characters are escaped.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "textutil/fontcharsetprobe_p.h"
#include "textutil/platformcodepages_p.h"
#include "qmkcodepageinfo.h"
#include "qmkfontfamilymap.h"

#include <QTextCharFormat>

namespace {

RtfKeyword familyKeyword(const RtfWriterFont &font)
{
    const QString family = font.family.toLower();
    if (family.contains(QLatin1String("symbol")) || family.contains(QLatin1String("dingbat")))
        return KwFtech;
    if (family.contains(QLatin1String("script")))
        return KwFscript;
    switch (font.styleHint) {
    case QFont::SansSerif: return KwFswiss;
    case QFont::Serif: return KwFroman;
    case QFont::TypeWriter: return KwFmodern;
    case QFont::Decorative: return KwFdecor;
    default: return KwFnil;
    }
}

bool encodes(int codePage, const QString &text)
{
    for (const QChar c : text) {
        bool usedDefault = false;
        char bytes[8];
        if (c.unicode() >= 0x80
            && (platformUnicodeToBytes(codePage, c.unicode(), bytes, int(sizeof bytes),
                                       &usedDefault) <= 0 || usedDefault))
            return false;
    }
    return true;
}

// A family this machine lacks has no character set of its own; its name, written in code-page
// bytes, would come back as question marks. The set whose page can spell the name stands in.
int characterSetForName(const QString &family, int characterSet)
{
    static const int candidates[] = {128, 129, 134, 136, 204, 161, 162, 177, 178, 186, 163,
                                     222, 238};
    if (encodes(charsetToCodePage(characterSet), family))
        return characterSet;
    for (int candidate : candidates) {
        if (encodes(charsetToCodePage(candidate), family))
            return candidate;
    }
    return characterSet;
}

} // namespace

QString QMKTextRtfWriterPrivate::substitutedFamily(const QString &family) const
{
    if (substituteCourierPrime && family.compare(QLatin1String("Courier Prime"),
                                                 Qt::CaseInsensitive) == 0)
        return QMKFontFamilyMap::instance()->defaultCourierFamily();
    return family;
}

RtfWriterFont QMKTextRtfWriterPrivate::makeFont(const QFont &font) const
{
    RtfWriterFont record;
    record.family = substitutedFamily(font.family());
    record.fixedPitch = font.fixedPitch();
    record.weight = font.weight();
    record.italic = font.style() != QFont::StyleNormal;
    record.styleHint = font.styleHint();
    record.characterSet = characterSetForName(record.family, fontCharacterSet(font));
    if (!fontIdentityByWeight)
        return record;

    QMKFontFamilyMap *map = QMKFontFamilyMap::instance();
    record.faceName = map->postScriptName(record.family, record.weight, record.italic, 100, true);
    if (record.faceName.isEmpty())
        record.faceName = record.family;
    if (record.faceName == QLatin1String("Courier")) {
        if (map->courierFamily() != QLatin1String("Courier"))
            record.faceName = QStringLiteral("CourierNewPSMT");
    } else if (record.faceName == QLatin1String("Helvetica") && !map->isHelveticaInstalled()) {
        record.faceName = QStringLiteral("ArialMT");
    }
    return record;
}

int QMKTextRtfWriterPrivate::fontIndexOf(const QString &family, bool fixedPitch, int weight,
                                         bool italic) const
{
    const QString wanted = substitutedFamily(family);
    if (!fontIdentityByWeight) {
        weight = -1;
        italic = false;
    }
    for (int i = 0; i < fonts.size(); ++i) {
        const RtfWriterFont &font = fonts.at(i);
        const int fontWeight = fontIdentityByWeight ? font.weight : -1;
        const bool fontItalic = fontIdentityByWeight && font.italic;
        if (font.fixedPitch == fixedPitch && fontWeight == weight && fontItalic == italic
            && font.family == wanted)
            return i;
    }
    return -1;
}

int QMKTextRtfWriterPrivate::fontIndex(const QFont &font) const
{
    return fontIndexOf(font.family(), font.fixedPitch(), font.weight(),
                       font.style() != QFont::StyleNormal);
}

int QMKTextRtfWriterPrivate::fontIndex(const QTextCharFormat &format) const
{
    const int weight = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight()
                                                                   : int(QFont::Normal);
    // A run that names no family is in the default font, which collection entered by name.
    const QString family = format.fontFamily();
    return fontIndexOf(family.isEmpty() ? format.font().family() : family,
                       format.fontFixedPitch(), weight, format.fontItalic());
}

void QMKTextRtfWriterPrivate::addFont(const QFont &font)
{
    if (font.family().isEmpty() || fontIndex(font) >= 0)
        return;
    fonts.append(makeFont(font));
}

RtfWriterCodePage QMKTextRtfWriterPrivate::codePageOfFont(int fontIndex) const
{
    if (fontIndex >= 0 && fontIndex < codePages.size())
        return codePages.at(fontIndex);
    // Text in no font of the table (a font table not yet written, or an empty one) is escaped
    // in the document's own page.
    RtfWriterCodePage page;
    const QMKCodePageInfo info = codePageInfo(page.codePage);
    page.defaultChar = info.defaultChar;
    return page;
}

void QMKTextRtfWriterPrivate::writeFontTable()
{
    writeChar('{');
    writeKeyword(KwFonttbl);
    codePages.clear();
    for (int i = 0; i < fonts.size(); ++i) {
        const RtfWriterFont &font = fonts.at(i);
        writeChar('{');
        writeKeyword(KwF, i);
        writeKeyword(familyKeyword(font));

        RtfWriterCodePage page;
        page.codePage = charsetToCodePage(font.characterSet);
        const QMKCodePageInfo info = codePageInfo(page.codePage);
        page.maxCharSize = qMax(1, info.maxCharSize);
        page.defaultChar = info.defaultChar;
        codePages.append(page);

        writeKeyword(KwFcharset, font.characterSet);
        writeKeyword(KwFprq, font.fixedPitch ? 1 : 2);
        writeText(fontIdentityByWeight ? font.faceName : font.family, i, true, true, false,
                  QString());
        writeChar(';');
        writeChar('}');
    }
    writeChar('}');
    writeNewline();
}
