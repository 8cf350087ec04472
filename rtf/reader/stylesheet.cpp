// The stylesheet: each entry's formatting keywords build a style, and \s in the body applies the
// paragraph style of that number. Styles live for the import only.

#include "rtf/reader/qmktextrtfreader_p.h"

#include <QUuid>

namespace {

// Word's own limit is a few thousand styles; an endless stylesheet keeps no more.
constexpr int MaxStyleEntries = 4096;
// Real chains are a few styles long; a longer one is followed no further.
constexpr int MaxBaseDepth = 64;

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
    if ((style.flags() & QMKTextStyle::HasBlockFormat) && !insideNote())
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
    // Bases may be defined after the styles based on them.
    resolveStyleBases();
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
    // Word gives its Normal style no number: an entry without one is style 0.
    StyleEntry entry;
    entry.key = currentStyleKey.isEmpty() ? QStringLiteral("s0") : currentStyleKey;
    if (currentStyleBase >= 0)
        entry.baseKey = (entry.key.startsWith(QLatin1String("cs")) ? QLatin1String("cs")
                                                                    : QLatin1String("s"))
            + QString::number(currentStyleBase);
    entry.charFormat = charFormat;
    entry.blockFormat = paragraphFormat;
    currentStyleBase = -1;
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
        entry.styleIndex = styles.size();
        styles.append(style);
    }
    if (!currentStyleName.isEmpty() && styleEntries.size() < MaxStyleEntries)
        styleEntries.append(entry);
    currentStyleName.clear();
    currentStyleKey.clear();
}

int QMKTextRtfReaderPrivate::setStyleBase(const RtfKeywordCall &call)
{
    if (state.destination == RtfDestination::Stylesheet)
        currentStyleBase = call.parameter;
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::resolveStyleBases()
{
    QHash<QString, int> entryByKey;
    for (int i = 0; i < styleEntries.size(); ++i) {
        if (!entryByKey.contains(styleEntries.at(i).key))
            entryByKey.insert(styleEntries.at(i).key, i);
    }
    for (const StyleEntry &entry : qAsConst(styleEntries)) {
        if (entry.styleIndex < 0 || entry.baseKey.isEmpty())
            continue;
        // The chain of bases, nearest first; a base met twice closes a cycle and ends it.
        QVector<int> chain;
        for (int at = entryByKey.value(entry.baseKey, -1);
             at >= 0 && chain.size() < MaxBaseDepth && !chain.contains(at)
             && styleEntries.at(at).key != entry.key;
             at = entryByKey.value(styleEntries.at(at).baseKey, -1))
            chain.append(at);
        QTextCharFormat charFormat;
        QTextBlockFormat blockFormat;
        for (int i = chain.size() - 1; i >= 0; --i) {
            charFormat.merge(styleEntries.at(chain.at(i)).charFormat);
            blockFormat.merge(styleEntries.at(chain.at(i)).blockFormat);
        }
        charFormat.merge(entry.charFormat);
        blockFormat.merge(entry.blockFormat);
        QMKTextStyle &style = styles[entry.styleIndex];
        int flags = style.flags();
        if (entry.key.startsWith(QLatin1Char('s')) && hasProperties(blockFormat)) {
            style.setBlockFormat(blockFormat);
            flags |= QMKTextStyle::HasBlockFormat;
        }
        if (hasProperties(charFormat)) {
            style.setCharFormat(charFormat);
            flags |= QMKTextStyle::HasCharFormat;
        }
        style.setFlags(flags);
    }
    styleEntries.clear();
}
