// The font table: entries become fonts of installed families, \f selects them for text, and
// each font's character set decides the code page of the escaped bytes written in it.

#include "qmkcodepageinfo.h"
#include "qmkfontconstruction.h"
#include "rtf/reader/qmktextrtfreader_p.h"

int QMKTextRtfReaderPrivate::enterFontTable(const RtfKeywordCall &)
{
    state.destination = RtfDestination::FontTable;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::selectFont(const RtfKeywordCall &call)
{
    if (state.destination == RtfDestination::FontTable) {
        // A table without a group per entry ("\f0 A;\f1 B;"): the next \f ends the entry.
        if (!fontTable.contains(currentFontNumber) && !state.pendingText.isEmpty()) {
            registerFontEntry(state.pendingText);
            state.pendingText.clear();
        }
        currentFontNumber = call.parameter;
        return RtfStatus::Ok;
    }

    currentFontNumber = call.parameter;
    if (!fontTable.contains(call.parameter))
        return RtfStatus::Ok;
    changeCharFormat(call, [this, &call](QTextCharFormat &format) {
        QFont font;
        tableFont(call.parameter, &font);
        format.setProperty(QTextFormat::FontFamily, font.family());
        format.setProperty(QTextFormat::FontFixedPitch, font.fixedPitch());
    });
    state.codePage = fontCodePages.value(call.parameter, -1);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setFontStyleHint(const RtfKeywordCall &call)
{
    switch (call.keyword) {
    case KwFroman: fontStyleHint = QFont::Serif; break;
    case KwFswiss: fontStyleHint = QFont::SansSerif; break;
    case KwFmodern:
    case KwFtech: fontStyleHint = QFont::TypeWriter; break;
    case KwFscript:
    case KwFdecor: fontStyleHint = QFont::Decorative; break;
    default: fontStyleHint = QFont::AnyStyle; break;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setFontCharset(const RtfKeywordCall &call)
{
    if (state.destination != RtfDestination::FontTable)
        return RtfStatus::Ok;
    // A \cpg names the page itself: the character set only stands for one.
    if (fontsWithCodePage.contains(currentFontNumber))
        return RtfStatus::Ok;
    // Word writes \fcharset before the name, so the name's own escapes decode in that page.
    state.codePage = charsetToCodePage(call.parameter);
    fontCodePages.insert(currentFontNumber, state.codePage);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setFontCodePage(const RtfKeywordCall &call)
{
    if (state.destination == RtfDestination::FontTable) {
        fontCodePages.insert(currentFontNumber, call.parameter);
        fontsWithCodePage.insert(currentFontNumber);
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setFontPitch(const RtfKeywordCall &call)
{
    changeCharFormat(call, [&call](QTextCharFormat &format) {
        switch (call.parameter) {
        case 1: format.setProperty(QTextFormat::FontFixedPitch, true); break;
        case 2: format.setProperty(QTextFormat::FontFixedPitch, false); break;
        default: format.clearProperty(QTextFormat::FontFixedPitch); break;
        }
    });
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setDefaultFont(const RtfKeywordCall &call)
{
    defaultFontNumber = call.parameter;
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::selectDefaultFont()
{
    // The default font's bytes are in its own code page, like those of any font \f selects.
    currentFontNumber = defaultFontNumber;
    state.codePage = fontCodePages.value(defaultFontNumber, -1);
}

void QMKTextRtfReaderPrivate::registerFontEntry(const QString &text)
{
    QString name = text.trimmed();
    if (name.endsWith(QLatin1Char(';')))
        name.chop(1);

    QFont base = state.charFormat.format().font();
    base.setStyleHint(fontStyleHint, QFont::PreferDefault);
    fontTable[currentFontNumber].unresolved.append({name, fontStyleHint, base});
    // The number may now select another font.
    charFormatPool.forgetChanges();
    fontStyleHint = QFont::AnyStyle;
}

bool QMKTextRtfReaderPrivate::tableFont(int number, QFont *font)
{
    const auto slot = fontTable.find(number);
    if (slot == fontTable.end())
        return false;
    for (const RtfFontEntry &entry : qAsConst(slot->unresolved)) {
        bool found = false;
        const QFont candidate = fontFromDescription(entry.name, entry.styleHint, &entry.base,
                                                    &found);
        // An alternative name (\falt) comes first; the entry's own name wins only when
        // installed.
        if (found || !slot->resolved) {
            slot->font = candidate;
            slot->resolved = true;
        }
    }
    slot->unresolved.clear();
    *font = slot->font;
    return true;
}

void QMKTextRtfReaderPrivate::endFontTable()
{
    if (!state.pendingText.isEmpty()) {
        registerFontEntry(state.pendingText);
        state.pendingText.clear();
    }
    QFont defaultFont;
    if (tableFont(defaultFontNumber, &defaultFont)) {
        plainCharFormat.setProperty(QTextFormat::FontFamily, defaultFont.family());
        plainCharFormat.setProperty(QTextFormat::FontWeight, defaultFont.weight());
        plainCharFormat.setProperty(QTextFormat::FontFixedPitch, defaultFont.fixedPitch());
    }
    // Each entry's group ends here too; only the end of the whole table resets the selection.
    if (groupStack.isEmpty() || groupStack.last().destination != RtfDestination::FontTable)
        currentFontNumber = 0;
}
