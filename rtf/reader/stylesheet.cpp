// The stylesheet: each entry's formatting keywords build a style, and \s in the body applies the
// paragraph style of that number. Styles live for the import only.

#include "rtf/reader/qmktextrtfreader_p.h"

#include <QUuid>

namespace {

bool hasProperties(const QTextFormat &format)
{
    return !format.properties().isEmpty();
}

} // namespace

int QMKTextRtfReaderPrivate::enterStylesheet(const RtfKeywordCall &)
{
    if (state.destination == RtfDestination::Stylesheet)
        return RtfStatus::Ok;
    state.destination = RtfDestination::Stylesheet;
    stylesheetDepth = groupStack.size();
    paragraphBeforeStylesheet = {paragraphFormat, paragraphApplied, tableNestingLevel,
                                 pendingTabKind};
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::selectStyle(const RtfKeywordCall &call)
{
    const bool paragraphStyle = call.keyword == KwS;
    const QString key = (paragraphStyle ? QLatin1String("s") : QLatin1String("cs"))
        + QString::number(call.parameter);

    if (state.destination == RtfDestination::Stylesheet) {
        // Each entry starts from nothing, so that it captures only what it says itself.
        currentStyleKey = key;
        paragraphApplied = false;
        tableNestingLevel = 0;
        paragraphFormat = QTextBlockFormat();
        setCharFormat(QTextCharFormat());
        return RtfStatus::Ok;
    }

    // Character styles are not applied: Word repeats their formatting after \cs anyway.
    if (!paragraphStyle)
        return RtfStatus::Ok;
    const auto index = styleKeys.constFind(key);
    if (index == styleKeys.constEnd())
        return RtfStatus::Ok;
    const QMKTextStyle &style = styles.at(*index);
    if (style.flags() & QMKTextStyle::HasBlockFormat)
        paragraphFormat = style.blockFormat();
    if (style.flags() & QMKTextStyle::HasCharFormat)
        setCharFormat(style.charFormat());
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::appendStyleName(const QString &text)
{
    QString name = text;
    name.remove(QLatin1Char(';'));
    currentStyleName += name;
}

void QMKTextRtfReaderPrivate::endStylesheetGroup()
{
    const int depth = groupStack.size();
    // Groups inside an entry ({\*\keycode ...}, say) belong to the entry: only the entry's
    // own group ends it.
    if (depth > stylesheetDepth + 1)
        return;
    endStyleEntry();
    if (depth != stylesheetDepth)
        return;
    // Every entry reset the paragraph state; the body goes on with the state it had.
    paragraphFormat = paragraphBeforeStylesheet.format;
    paragraphApplied = paragraphBeforeStylesheet.applied;
    tableNestingLevel = paragraphBeforeStylesheet.tableNestingLevel;
    pendingTabKind = paragraphBeforeStylesheet.pendingTabKind;
    stylesheetDepth = -1;
}

void QMKTextRtfReaderPrivate::endStyleEntry()
{
    const QTextCharFormat &charFormat = state.charFormat.format();
    if (!currentStyleName.isEmpty() && !currentStyleKey.isEmpty()
        && (hasProperties(paragraphFormat) || hasProperties(charFormat))) {
        QMKTextStyle style;
        style.setIdentifier(QUuid::createUuid());
        style.setName(currentStyleName);
        int flags = 0;
        if (hasProperties(paragraphFormat) && currentStyleKey.startsWith(QLatin1Char('s'))) {
            style.setBlockFormat(paragraphFormat);
            flags |= QMKTextStyle::HasBlockFormat;
        }
        if (hasProperties(charFormat)) {
            style.setCharFormat(charFormat);
            flags |= QMKTextStyle::HasCharFormat;
        }
        style.setFlags(flags);
        styleKeys.insert(currentStyleKey, styles.size());
        styles.append(style);
    }
    currentStyleName.clear();
    currentStyleKey.clear();
}

int QMKTextRtfReaderPrivate::setStyleBase(const RtfKeywordCall &)
{
    return RtfStatus::Ok;
}
