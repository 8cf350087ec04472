#include "roundtripcompare.h"

#include "qmkformatcomparison.h"
#include "qmkformatproperties.h"
#include "qmklistlevel.h"
#include "qmktextutilities.h"
#include "qmkunits.h"

#include <QBrush>
#include <QDebug>
#include <QImage>
#include <QRegularExpression>
#include <QUrl>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QHash>
#include <QTextTable>
#include <QVector>

#include <algorithm>

namespace {

// Not meant to survive: object links (lists and tables are compared through their blocks) and
// picture names (made from the picture's bytes, which PNG data written anew need not repeat).
const int IgnoredProperties[] = {
    QTextFormat::ObjectIndex,
    QTextFormat::ObjectType,
    QTextFormat::ImageName,
    QMKFormatProperty::PictureName,
    QTextFormat::AnchorName,
    QTextFormat::FontFamilies,      // FontFamily says it; Qt fills this list or not as it goes
    QMKFormatProperty::ListNumber,
    QMKFormatProperty::ListLevel,
};

template <typename Format>
Format comparable(Format format)
{
    for (int property : IgnoredProperties)
        format.clearProperty(property);
    return format;
}

// Line spacing is compared as Qt's line height, which the stored RTF view only records; a
// paragraph default tab of 720 twips is RTF's default and is not written.
QTextBlockFormat comparableBlock(const QTextBlockFormat &format)
{
    QTextBlockFormat block = comparable(format);
    block.clearProperty(QMKFormatProperty::LineSpacing);
    block.clearProperty(QMKFormatProperty::LineSpacingBase);
    // QVariant cannot compare tab stops: they are compared as text.
    if (block.hasProperty(QTextFormat::TabPositions)) {
        QStringList tabs;
        for (const QTextOption::Tab &t : block.tabPositions())
            tabs << QStringLiteral("%1 %2 %3").arg(t.position).arg(t.type).arg(t.delimiter);
        block.setProperty(QTextFormat::TabPositions, tabs.join(QLatin1Char(';')));
    }
    // Headings come from stylesheet entries, and no stylesheet is written without style
    // definitions to state.
    block.clearProperty(QTextFormat::HeadingLevel);
    const int tab = qRound(pixelsToTwips(block.doubleProperty(QMKFormatProperty::DefaultTabWidth)));
    if (tab == 0 || tab == 720)
        block.clearProperty(QMKFormatProperty::DefaultTabWidth);
    return block;
}

// A font property that is not stored shows the default font's: every run is compared with
// its font spelled out, as a run that RTF states in full after \plain is read.
bool isInlineNote(const QTextCharFormat &format)
{
    return format.boolProperty(QMKFormatProperty::InlineFootnote)
        || format.boolProperty(QMKFormatProperty::InlineAnnotation);
}

QTextCharFormat comparableRun(const QTextCharFormat &format)
{
    QTextCharFormat run = format;
    run.setFont(format.font());
    // A run in an inline note is written as the note's text: its link is not written (the
    // note's kind comes before the link's when the writer picks what to write).
    if (isInlineNote(format)) {
        for (int property : {int(QTextFormat::IsAnchor), int(QTextFormat::AnchorHref),
                             int(QMKFormatProperty::InternalLinkTarget)})
            run.clearProperty(property);
    }
    return comparable(run);
}

// A picture is written as the picture alone: its size, position, link and what it was made
// from, but not a run format of its own. A picture that is neither JPEG nor PDF comes back as
// PNG data.
QTextCharFormat comparablePicture(const QTextCharFormat &format)
{
    QTextImageFormat picture;
    for (int property : {int(QTextFormat::ImageWidth), int(QTextFormat::ImageHeight),
                         int(QTextFormat::IsAnchor), int(QTextFormat::AnchorHref),
                         int(QMKFormatProperty::MathMLText), int(QMKFormatProperty::PdfData),
                         int(QMKFormatProperty::PdfFileName),
                         int(QMKFormatProperty::InternalLinkTarget)}) {
        if (format.hasProperty(property))
            picture.setProperty(property, format.property(property));
    }
    const QString source = format.stringProperty(QMKFormatProperty::PictureSourceFormat);
    if (source == QLatin1String("jpeg")) {
        picture.setProperty(QMKFormatProperty::PictureSourceFormat, source);
        picture.setProperty(QMKFormatProperty::PictureSourceBytes,
                            format.property(QMKFormatProperty::PictureSourceBytes));
    }
    return picture;
}

struct Run
{
    QString text;
    QTextCharFormat format;
};

QVector<Run> runsOf(const QTextBlock &block)
{
    QVector<Run> runs;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        if (fragment.charFormat().isImageFormat()) {
            const QTextCharFormat format = comparablePicture(fragment.charFormat());
            const QImage image = block.document()->resource(QTextDocument::ImageResource,
                                     QUrl(fragment.charFormat().toImageFormat().name())).value<QImage>();
            runs.append({QStringLiteral("[picture %1x%2]").arg(image.width()).arg(image.height()),
                         format});
            continue;
        }
        const QTextCharFormat format = comparableRun(fragment.charFormat());
        if (!runs.isEmpty() && !runs.last().format.isImageFormat()
            && formatsEquivalent(runs.last().format, format))
            runs.last().text += fragment.text();
        else
            runs.append({fragment.text(), format});
    }
    return runs;
}

// The properties whose values differ, as "id: original / read back".
QString differences(const QTextFormat &a, const QTextFormat &b)
{
    QList<int> ids = a.properties().keys() + b.properties().keys();
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    QString text;
    QDebug debug(&text);
    debug.nospace();
    for (int id : qAsConst(ids)) {
        const QVariant x = a.hasProperty(id) ? a.property(id) : absentPropertyValue(id);
        const QVariant y = b.hasProperty(id) ? b.property(id) : absentPropertyValue(id);
        QTextFormat one, other;
        one.setProperty(id, x);
        other.setProperty(id, y);
        if (!formatsEquivalent(one, other))
            debug << "\n  0x" << QString::number(id, 16) << ": " << x << " / " << y;
    }
    return text;
}

// A list paragraph whose first line starts at its head indent is written with the hanging
// indent Word gives list labels (-18 pixels), so that the label does not sit in the text.
QTextBlockFormat withListIndent(const QTextBlock &block)
{
    QTextBlockFormat format = block.blockFormat();
    const double head = format.doubleProperty(QMKFormatProperty::HeadIndent);
    if (block.textList() && qFuzzyCompare(1 + format.textIndent() - head, 1))
        format.setTextIndent(head - 18);
    return format;
}

// What the list says of a block: its level, its label and the definition of its level.
QString listOf(const QTextBlock &block)
{
    QTextList *list = block.textList();
    if (!list)
        return QString();
    const int level = qMax(0, listLevel(block));
    const QVector<QMKListLevel> levels = listLevels(list->format());
    // A list without level definitions is written with one empty level, which says the same.
    const QMKListLevel definition = level < levels.size() ? levels.at(level) : QMKListLevel();
    // The reader drops every " ;" and ";" of a \leveltext, as its group ends with one (so a
    // space that ends the text goes too), and the writer leaves out characters 0 to 9 (a tab),
    // which a \leveltext would give as level numbers: such characters a level got from
    // \pntxtb or \levelmarker are not read back, in the label either.
    const auto writable = [](QString text) {
        static const QRegularExpression unwritable(QStringLiteral(" ?;|[\\x{0}-\\x{9}]"));
        text += QLatin1Char(';');
        return text.remove(unwritable);
    };
    const QString text = writable(definition.text);
    const QString label = writable(listItemText(block));
    // One arg() call: a level text holds placeholders of its own ("%0.").
    const QString levelText =
        QStringLiteral("\"%1\" style %2 indent %3 first line %4 start %5")
            .arg(text, QString::number(definition.style),
                 QString::number(definition.indent),
                 QString::number(definition.firstLinePosition), QString::number(definition.start));
    return QStringLiteral("level %1 label \"%2\" %3")
        .arg(QString::number(level), label, levelText);
}

// Row, column and spans of the cell a block is in; empty outside tables.
QString cellOf(const QTextBlock &block)
{
    QTextTable *table = qobject_cast<QTextTable *>(QTextCursor(block).currentFrame());
    if (!table)
        return QString();
    const QTextTableCell cell = table->cellAt(block.position());
    const QTextTableFormat format = table->format();
    // Borders are written in whole twips, at most 255 (RTF's widest border): a thinner one is
    // written as none, a wider one as the widest.
    const int borderTwips = qBound(0, qRound(format.border() * 20), 255);
    const bool bordered = format.borderStyle() != QTextFrameFormat::BorderStyle_None
        && borderTwips > 0;
    const QBrush shading = cell.format().background();
    return QStringLiteral("cell %1,%2 span %3x%4 of %5x%6 border %7 %8 shading %9")
        .arg(cell.row()).arg(cell.column()).arg(cell.rowSpan()).arg(cell.columnSpan())
        .arg(table->rows()).arg(table->columns())
        .arg(bordered ? borderTwips : 0)
        .arg(bordered ? format.borderBrush().color().name() : QString())
        .arg(shading.style() == Qt::NoBrush ? QString() : shading.color().name());
}

// The text as the reader can give it back: control characters are not text to it (C0 ones
// but the tab are dropped, C1 ones and DEL come back as U+FFFD), and the page-number
// placeholders are written as fields whose results it keeps: none for the page number
// (\chpgn), "1" for the page count and "?" for a page reference.
QString asReadBack(QString text)
{
    for (int i = 0; i < text.size();) {
        const ushort c = text.at(i).unicode();
        if (c < 0x20 && c != '\t') {
            text.remove(i, 1);
            continue;
        }
        if (c >= 0x7F && c <= 0x9F)
            text[i] = QChar::ReplacementCharacter;
        ++i;
    }
    return text.remove(QChar(0xE000)).replace(QChar(0xE001), QLatin1Char('1'))
        .replace(QChar(0xE002), QLatin1Char('?'));
}

QString blockText(const QTextBlock &block)
{
    QString text = block.text();
    text.remove(QChar::ObjectReplacementCharacter);
    return text;
}

// The groups a run in a note shares with the runs around it when written: its note and
// bookmark. No note: the run's opening does not matter here.
struct NoteSpan
{
    QString note;
    QString bookmark;

    bool operator==(const NoteSpan &other) const
    {
        return note == other.note && bookmark == other.bookmark;
    }
    bool operator!=(const NoteSpan &other) const { return !(*this == other); }
};

NoteSpan noteSpan(const QTextCharFormat &format)
{
    if (!isInlineNote(format))
        return NoteSpan();
    const bool footnote = format.boolProperty(QMKFormatProperty::InlineFootnote);
    const bool flagged = format.boolProperty(QMKFormatProperty::NoteFlag);
    return {footnote ? (flagged ? QStringLiteral("endnote") : QStringLiteral("footnote"))
                     : QStringLiteral("annotation"),
            format.stringProperty(QMKFormatProperty::BookmarkName)};
}

// The table and cell a block stands in, as a key.
QPair<const QTextTable *, int> cellKey(const QTextBlock &block)
{
    const QTextTable *table = QTextCursor(block).currentTable();
    if (!table)
        return {nullptr, -1};
    const QTextTableCell cell = table->cellAt(block.position());
    return {table, cell.row() * table->columns() + cell.column()};
}

} // namespace

// Empty paragraphs at the very end show nothing: a document that ends with a table is read
// back with one more of them (\lastrow opens the paragraph after the table itself).
QTextBlock contentEnd(const QTextDocument &document)
{
    QTextBlock end = document.lastBlock();
    while (end.isValid() && blockText(end).isEmpty() && !QTextCursor(end).currentTable()
           && end.previous().isValid())
        end = end.previous();
    return end.next();
}

// The empty paragraph Qt keeps after every table is not written; the reader makes its own.
bool followsTable(const QTextBlock &block)
{
    const QTextBlock previous = block.previous();
    if (!previous.isValid() || !blockText(block).isEmpty())
        return false;
    QTextTable *before = QTextCursor(previous).currentTable();
    return before && before != QTextCursor(block).currentTable();
}

// The empty paragraph a table starts in takes the format of the table's first paragraph when
// read; nothing of it shows.
bool precedesTable(const QTextBlock &block)
{
    const QTextBlock next = block.next();
    if (!next.isValid() || !blockText(block).isEmpty())
        return false;
    QTextTable *after = QTextCursor(next).currentTable();
    return after && after != QTextCursor(block).currentTable();
}

// A cell that ends right after a nested table has, to the reader, Qt's paragraph after that
// table as its last one (as in Word's files): a second empty paragraph there is not read back.
bool endsCellAfterNestedTable(const QTextBlock &block)
{
    QTextTable *table = QTextCursor(block).currentTable();
    return table && blockText(block).isEmpty() && followsTable(block.previous())
        && table->cellAt(block.position()).lastCursorPosition().block() == block;
}

QTextBlock nextCompared(QTextBlock block, const QTextBlock &end)
{
    while (block != end && (followsTable(block) || endsCellAfterNestedTable(block)))
        block = block.next();
    return block;
}

QString roundTripDifference(const QTextDocument &original, const QTextDocument &readBack,
                            RoundTripScope scope)
{
    QTextBlock a = original.begin();
    QTextBlock b = readBack.begin();
    const QTextBlock endA = contentEnd(original);
    const QTextBlock endB = contentEnd(readBack);
    QHash<QTextList *, QTextList *> lists;   // each list of the original and the one read back
    for (int n = 0;; ++n, a = a.next(), b = b.next()) {
        a = nextCompared(a, endA);
        b = nextCompared(b, endB);
        if (a == endA && b == endB)
            break;
        const QString where = QStringLiteral("block %1: ").arg(n);
        if (a == endA || b == endB)
            return where + QStringLiteral("block count %1 read back as %2")
                               .arg(original.blockCount()).arg(readBack.blockCount());
        if (asReadBack(blockText(a)) != blockText(b))
            return where + QStringLiteral("text \"%1\" read back as \"%2\"")
                               .arg(blockText(a), blockText(b));
        if (cellOf(a) != cellOf(b))
            return where + QStringLiteral("\"%1\" in \"%2\" read back in \"%3\"")
                               .arg(blockText(a), cellOf(a), cellOf(b));
        if (listOf(a) != listOf(b))
            return where + QStringLiteral("list item %1 read back as %2").arg(listOf(a), listOf(b));
        QTextList *listA = a.textList();
        if (listA && lists.value(listA, b.textList()) != b.textList())
            return where + QStringLiteral("\"%1\" read back in another list").arg(blockText(a));
        if (listA)
            lists.insert(listA, b.textList());
        if (scope == RoundTripScope::Structure)
            continue;
        const QTextBlockFormat formatA = comparableBlock(withListIndent(a));
        const QTextBlockFormat formatB = comparableBlock(b.blockFormat());
        if (!precedesTable(a) && !formatsEquivalent(formatA, formatB))
            return where + QStringLiteral("block format") + differences(formatA, formatB);
        QVector<Run> runsA = runsOf(a);
        for (Run &run : runsA)
            run.text = asReadBack(run.text);
        const QVector<Run> runsB = runsOf(b);
        for (int i = 0; i < qMax(runsA.size(), runsB.size()); ++i) {
            if (i >= runsA.size() || i >= runsB.size() || runsA.at(i).text != runsB.at(i).text)
                return where + QStringLiteral("run %1 \"%2\" read back as \"%3\"")
                                   .arg(i)
                                   .arg(i < runsA.size() ? runsA.at(i).text : QString(),
                                        i < runsB.size() ? runsB.at(i).text : QString());
            if (!formatsEquivalent(runsA.at(i).format, runsB.at(i).format))
                return where + QStringLiteral("run %1 \"%2\" format").arg(i).arg(runsA.at(i).text)
                    + differences(runsA.at(i).format, runsB.at(i).format);
        }
    }
    return QString();
}

QString exportedText(const QTextDocument &document)
{
    // Export mode sets a note's text off from its mark by one space and drops the whitespace
    // the text opened with: blanks do not count, nor does whitespace that opens a note.
    QStringList texts;
    NoteSpan span;
    bool noteOpening = false;
    QPair<const QTextTable *, int> previousCell{nullptr, -1};
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // The writer closes a note where a cell begins or ends, and at a paragraph whose first
        // run (its own format when it has none) is not in it.
        const auto cell = cellKey(block);
        const bool emptyOutsideNotes =
            block.begin() == block.end() && noteSpan(block.charFormat()).note.isEmpty();
        if (cell != previousCell || emptyOutsideNotes) {
            span = NoteSpan();
            noteOpening = false;
        }
        previousCell = cell;
        QString text;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const NoteSpan runSpan = noteSpan(it.fragment().charFormat());
            noteOpening = !runSpan.note.isEmpty() && (noteOpening || runSpan != span);
            span = runSpan;
            QString piece = it.fragment().text();
            if (noteOpening) {
                piece = leftTrimmed(piece);
                noteOpening = piece.isEmpty();
            }
            text += piece;
        }
        text.remove(QLatin1Char(' '));
        text.remove(QChar::ObjectReplacementCharacter);
        if (!text.isEmpty())
            texts << text;
    }
    return texts.join(QLatin1Char('\n'));
}
