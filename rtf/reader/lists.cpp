// Lists: the list table and the override table, the \ls and \ilvl of paragraphs, and the pass
// that makes one QTextList per \ls number once the whole input is read.

#include "rtf/reader/qmktextrtfreader_p.h"

#include "qmkformatproperties.h"
#include "qmklistlevel.h"
#include "qmkunits.h"
#include "textutil/listappend_p.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace {

// A level indent this wide (over ten inches) is no real layout: the paragraph keeps its own.
constexpr double MaxLevelIndentPixels = 1000.0;

// Word numbers its list overrides up to 2047. Qt hashes a list-valued format property by its
// length alone, so every further distinct list format is compared with all earlier ones of
// as many levels: beyond Word's own limit, lists keep their items but get no levels.
constexpr int MaxListDefinitionsInUse = 2047;

} // namespace

void QMKTextRtfReaderPrivate::takeLevelText(const QString &text)
{
    if (listTable.isEmpty() || listTable.last().levels.isEmpty())
        return;
    QString levelText = text;
    levelText.remove(QStringLiteral(" ;"));
    levelText.remove(QLatin1Char(';'));
    RtfListLevelRecord &level = listTable.last().levels.last();
    level.levelText += levelText;
    level.levelTextPending = true;
}

void QMKTextRtfReaderPrivate::takeLevelMarker(const QString &text)
{
    if (!text.isEmpty() && !listTable.isEmpty() && !listTable.last().levels.isEmpty())
        listTable.last().levels.last().levelMarker += text;
}

void QMKTextRtfReaderPrivate::endLevelText()
{
    // A group inside the level text ends with the same destination; the text is only complete
    // when the group that opened it ends, and reading it twice would garble it.
    if (!groupStack.isEmpty() && groupStack.last().destination == RtfDestination::LevelText)
        return;
    if (listTable.isEmpty() || listTable.last().levels.isEmpty())
        return;
    QVector<RtfListLevelRecord> &levels = listTable.last().levels;
    finishLevelText(levels.last(), levels.size() - 1);
}

int QMKTextRtfReaderPrivate::enterListTable(const RtfKeywordCall &)
{
    state.destination = RtfDestination::ListTable;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::addList(const RtfKeywordCall &call)
{
    // A list definition group outside the list table defines nothing; its \leveltext bytes
    // are no text either. A stray \list in the document's own group leaves the rest be.
    if (state.destination != RtfDestination::ListTable)
        return groupStack.size() > 1 ? skipGroup(call) : RtfStatus::Ok;
    listTable.append(RtfListRecord());
    listLookupsStale = true;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setListId(const RtfKeywordCall &call)
{
    if (state.destination == RtfDestination::ListTable && !listTable.isEmpty()) {
        listTable.last().listId = call.parameter;
        listLookupsStale = true;
    } else if (state.destination == RtfDestination::ListOverride && !overrideTable.isEmpty()) {
        overrideTable.last().listId = call.parameter;
        listLookupsStale = true;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::addListLevel(const RtfKeywordCall &)
{
    if (state.destination == RtfDestination::ListTable && !listTable.isEmpty())
        listTable.last().levels.append(RtfListLevelRecord());
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setLevelNumberFormat(const RtfKeywordCall &call)
{
    if (state.destination != RtfDestination::ListTable || listTable.isEmpty()
        || listTable.last().levels.isEmpty())
        return RtfStatus::Ok;
    const int numberFormat = numberFormatForLevelNfc(call.parameter);
    if (numberFormat >= 0)
        listTable.last().levels.last().numberFormat = numberFormat;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setLevelStart(const RtfKeywordCall &call)
{
    if (state.destination == RtfDestination::ListTable && !listTable.isEmpty()
        && !listTable.last().levels.isEmpty())
        listTable.last().levels.last().start = qBound(0, call.parameter, MaxLevelStart);
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterLevelText(const RtfKeywordCall &)
{
    state.destination = RtfDestination::LevelText;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterLevelMarker(const RtfKeywordCall &)
{
    state.destination = RtfDestination::LevelMarker;
    return RtfStatus::Ok;
}

// Inside the list table the indent words describe the level being defined, not a paragraph.
int QMKTextRtfReaderPrivate::setIndentOrLevelIndent(const RtfKeywordCall &call)
{
    if (state.destination != RtfDestination::ListTable) {
        const bool rightToLeft = state.charFormat.format().layoutDirection() == Qt::RightToLeft;
        const bool leadingSide = call.keyword == KwLi || call.keyword == KwFi
            || call.keyword == (rightToLeft ? KwRin : KwLin);
        if (leadingSide && !insideNote())
            paragraphIndentsExplicit = true;
        return setIndent(call);
    }
    if (listTable.isEmpty() || listTable.last().levels.isEmpty())
        return RtfStatus::Ok;
    RtfListLevelRecord &level = listTable.last().levels.last();
    const double pixels = twipsToPixels(call.parameter);
    if (call.keyword == KwLi || call.keyword == KwLin) {
        level.firstLinePosition += pixels - level.indent;
        level.indent = pixels;
    } else if (call.keyword == KwFi) {
        level.firstLinePosition = pixels + level.indent;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterListOverrideTable(const RtfKeywordCall &)
{
    state.destination = RtfDestination::ListOverrideTable;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::addListOverride(const RtfKeywordCall &)
{
    if (state.destination == RtfDestination::ListOverrideTable) {
        state.destination = RtfDestination::ListOverride;
        overrideTable.append(RtfListOverride());
        listLookupsStale = true;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setListNumber(const RtfKeywordCall &call)
{
    if (state.destination == RtfDestination::ParagraphNumbering) {
        numbering.listNumberGiven = true;
    } else if (state.destination == RtfDestination::Body && !insideNote()) {
        paragraphFormat.setProperty(QMKFormatProperty::ListNumber, call.parameter);
    } else if (state.destination == RtfDestination::ListOverride && !overrideTable.isEmpty()) {
        overrideTable.last().listNumber = call.parameter;
        listLookupsStale = true;
    }
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::setParagraphListLevel(const RtfKeywordCall &call)
{
    // Word repeats the paragraph's \ilvl in its \pn group, which is read for its numbering only.
    if (insideNote() || state.destination == RtfDestination::ParagraphNumbering)
        return RtfStatus::Ok;
    paragraphFormat.setProperty(QMKFormatProperty::ListLevel, call.parameter);
    applyLevelIndents(call.parameter);
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::applyLevelIndents(int level)
{
    if (paragraphIndentsExplicit)
        return;
    const int listIndex = listIndexForLevelIndents();
    if (listIndex < 0)
        return;
    const QVector<RtfListLevelRecord> &levels = listTable.at(listIndex).levels;
    if (level < 0 || level >= levels.size())
        return;
    const RtfListLevelRecord &definition = levels.at(level);
    if (definition.indent >= MaxLevelIndentPixels || insideNote())
        return;
    paragraphFormat.setProperty(QMKFormatProperty::HeadIndent, definition.indent);
    paragraphFormat.setTextIndent(definition.firstLinePosition);
}

int QMKTextRtfReaderPrivate::listIndexForNumber(int number)
{
    if (listLookupsStale) {
        listIndexById.clear();
        for (int i = 0; i < listTable.size(); ++i) {
            if (!listIndexById.contains(listTable.at(i).listId))
                listIndexById.insert(listTable.at(i).listId, i);
        }
        // The first override of a number that leads to a list decides.
        listIndexByNumber.clear();
        for (const RtfListOverride &entry : qAsConst(overrideTable)) {
            const int listIndex = listIndexById.value(entry.listId, -1);
            if (listIndex >= 0 && !listIndexByNumber.contains(entry.listNumber))
                listIndexByNumber.insert(entry.listNumber, listIndex);
        }
        listLookupsStale = false;
    }
    return listIndexByNumber.value(number, -1);
}

// Word's \ls numbers are override indices and its list ids large random numbers: the number
// goes through the override table first. A list id equal to the number, then the first list,
// serve for files without a matching override.
int QMKTextRtfReaderPrivate::listIndexForLevelIndents()
{
    if (listTable.isEmpty())
        return -1;
    if (!paragraphFormat.hasProperty(QMKFormatProperty::ListNumber))
        return 0;
    const int number = paragraphFormat.intProperty(QMKFormatProperty::ListNumber);
    const int viaOverride = listIndexForNumber(number);
    if (viaOverride >= 0)
        return viaOverride;
    return listIndexById.value(number, 0);
}

// Blocks inside tables are part of the document's block sequence, so their items join the
// same lists as the paragraphs around the table.
void QMKTextRtfReaderPrivate::buildLists()
{
    if (!document)
        return;
    // Formats are made once per list table entry: every list of that entry then shares one
    // level list, however many \ls numbers point at it.
    QHash<int, QTextListFormat> formats;
    // The empty block after the last \par is no paragraph of the input: it only carries the
    // last paragraph's format, and must not add an item Word never shows.
    const QTextBlock last = document->lastBlock();
    const QTextBlock end = last.length() == 1 ? last : QTextBlock();
    for (QTextBlock block = document->begin(); block.isValid() && block != end;
         block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        if (!format.hasProperty(QMKFormatProperty::ListNumber))
            continue;
        const int number = format.intProperty(QMKFormatProperty::ListNumber);
        const int level = format.intProperty(QMKFormatProperty::ListLevel);
        QTextList *list = listMap.value(number);
        if (list) {
            appendToList(list, block, level);
        } else {
            const int listIndex = listIndexForNumber(number);
            if (listIndex >= 0 && !formats.contains(listIndex)
                && formats.size() < MaxListDefinitionsInUse)
                formats.insert(listIndex, listFormatFor(listTable.at(listIndex)));
            QTextCursor at(block);
            list = at.createList(formats.value(listIndex, QTextListFormat()));
            listMap.insert(number, list);
            setListLevel(list, block, level);
        }
    }
}
