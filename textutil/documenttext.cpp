#include "textutil/documenttext_p.h"

#include "textutil/qmklistlevel.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace {

const QChar LineSeparator(0x2028);
const QChar ObjectReplacement(QChar::ObjectReplacementCharacter);

class TextWalk
{
public:
    QString run(const QTextDocument &document)
    {
        QStringList lines;
        frameLines(document.rootFrame(), &lines, false);
        QString text;
        for (const QString &line : lines)
            text += line + QLatin1Char('\n');
        return text;
    }

private:
    // One entry per paragraph or table row; inCell flattens line breaks, which would
    // otherwise split a table row over lines.
    void frameLines(QTextFrame *frame, QStringList *lines, bool inCell)
    {
        QTextFrame *previousTable = nullptr;
        for (auto it = frame->begin(); !it.atEnd(); ++it) {
            QTextFrame *child = it.currentFrame();
            if (auto *table = qobject_cast<QTextTable *>(child))
                tableLines(table, lines);
            else if (child)
                frameLines(child, lines, inCell);
            else if (!isFrameFiller(it, previousTable))
                *lines << blockLine(it.currentBlock(), inCell);
            previousTable = qobject_cast<QTextTable *>(child);
        }
    }

    // A table always has a block before it and one after it, even where the text has no
    // paragraph, and the reader goes on with the text after a table in a block of its own: an
    // empty block just before or just after a table is the document's structure, not text.
    static bool isFrameFiller(QTextFrame::iterator it, QTextFrame *previousTable)
    {
        const QTextBlock block = it.currentBlock();
        if (!block.text().isEmpty() || block.textList())
            return false;
        if (previousTable)
            return true;
        ++it;
        return !it.atEnd() && qobject_cast<QTextTable *>(it.currentFrame());
    }

    void tableLines(QTextTable *table, QStringList *lines)
    {
        for (int row = 0; row < table->rows(); ++row) {
            QStringList fields;
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                fields << (cell.row() == row && cell.column() == column ? cellText(cell)
                                                                        : QString());
            }
            *lines << fields.join(QLatin1Char('\t'));
        }
    }

    QString cellText(const QTextTableCell &cell)
    {
        QStringList parts;
        for (auto it = cell.begin(); !it.atEnd(); ++it) {
            if (auto *table = qobject_cast<QTextTable *>(it.currentFrame())) {
                QStringList rows;
                tableLines(table, &rows);
                parts << rows;
            } else if (QTextFrame *child = it.currentFrame()) {
                frameLines(child, &parts, true);
            } else {
                parts << blockLine(it.currentBlock(), true);
            }
        }
        // Tabs of a nested table's row would read as cells of this one.
        return parts.join(QLatin1Char(' ')).replace(QLatin1Char('\t'), QLatin1Char(' '));
    }

    QString blockLine(const QTextBlock &block, bool inCell)
    {
        QString text = block.text();
        text.remove(ObjectReplacement);
        text.replace(LineSeparator, inCell ? QLatin1Char(' ') : QLatin1Char('\n'));
        const QString label = this->label(block);
        return label.isEmpty() ? text : label + QLatin1Char(' ') + text;
    }

    // Labels of a list are rendered once for the whole list, and found again by the item's
    // position: rendering one label, or QTextList::itemNumber, walks the list up to the item,
    // which would make long lists quadratic.
    QString label(const QTextBlock &block)
    {
        QTextList *list = block.textList();
        if (!list)
            return QString();
        if (!m_listsDone.contains(list)) {
            m_listsDone.insert(list);
            const QStringList labels = listItemTexts(list);
            for (int item = 0; item < labels.size() && item < list->count(); ++item)
                m_labels.insert(list->item(item).position(), labels.at(item));
        }
        return m_labels.value(block.position());
    }

    QSet<const QTextList *> m_listsDone;
    QHash<int, QString> m_labels;
};

} // namespace

QString documentText(const QTextDocument &document)
{
    return TextWalk().run(document);
}
