#ifndef QMK_TABLEDESCRIPTION_H
#define QMK_TABLEDESCRIPTION_H

#include <QString>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

// Tables written as text, so that a test row states a whole table at a glance: rows are
// separated by " / ", cells by "|"; a cell spanning rows or columns is followed by its spans
// in braces, rows x columns ("A{2x1}"); paragraphs within a cell are separated by "+".

inline QString describeTable(const QTextTable *table);

// The table directly inside table that holds block, or null when block is table's own.
inline QTextTable *nestedTableOf(const QTextBlock &block, const QTextTable *table)
{
    QTextFrame *frame = QTextCursor(block).currentFrame();
    while (frame && frame->parentFrame() != table)
        frame = frame->parentFrame();
    return frame && frame != table ? qobject_cast<QTextTable *>(frame) : nullptr;
}

inline QString cellText(const QTextTableCell &cell, const QTextTable *table)
{
    QStringList parts;
    QTextTable *lastNested = nullptr;
    const int end = cell.lastCursorPosition().position();
    for (QTextBlock b = cell.firstCursorPosition().block(); b.isValid() && b.position() <= end;
         b = b.next()) {
        QTextTable *nested = nestedTableOf(b, table);
        if (!nested)
            parts.append(b.text());
        else if (nested != lastNested)
            parts.append(QLatin1Char('[') + describeTable(nested) + QLatin1Char(']'));
        lastNested = nested;
    }
    return parts.join(QLatin1Char('+'));
}

inline QString describeTable(const QTextTable *table)
{
    if (!table)
        return QStringLiteral("(no table)");
    QStringList rows;
    for (int r = 0; r < table->rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue;
            QString text = cellText(cell, table);
            if (cell.rowSpan() > 1 || cell.columnSpan() > 1)
                text += QStringLiteral("{%1x%2}").arg(cell.rowSpan()).arg(cell.columnSpan());
            cells.append(text);
        }
        rows.append(cells.join(QLatin1Char('|')));
    }
    return rows.join(QLatin1String(" / "));
}

// The tables directly in frame (not those nested in their cells), in document order.
inline QList<QTextTable *> tablesIn(const QTextFrame *frame)
{
    QList<QTextTable *> tables;
    for (QTextFrame *child : frame->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            tables.append(table);
    }
    return tables;
}

inline QTextTable *firstTable(const QTextDocument &document)
{
    const QList<QTextTable *> tables = tablesIn(document.rootFrame());
    return tables.isEmpty() ? nullptr : tables.first();
}

// The text of the document outside every table, blocks separated by "+".
inline QString textOutsideTables(const QTextDocument &document)
{
    QStringList blocks;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        if (!QTextCursor(b).currentTable())
            blocks.append(b.text());
    }
    return blocks.join(QLatin1Char('+'));
}

#endif // QMK_TABLEDESCRIPTION_H
