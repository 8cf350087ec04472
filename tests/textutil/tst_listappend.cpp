#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "qmklistlevel.h"
#include "textutil/listappend_p.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <memory>

// appendToList must leave exactly the document that QTextList::add and setListLevel leave.
class tst_ListAppend : public QObject
{
    Q_OBJECT
private slots:
    void sameDocumentAsQt_data();
    void sameDocumentAsQt();
};

namespace {

enum class AddWith { Qt, AppendToList };

// Items: "a0" is list a at level 0, "." a block in no list, "[" and "]" wrap blocks in the
// cells of a one-row table, one block per cell.
struct Item
{
    QChar list;
    int level = 0;
};

QVector<QTextBlock> buildBlocks(QTextDocument &document, const QStringList &items)
{
    QTextCursor cursor(&document);
    QTextTable *table = nullptr;
    int cell = 0;
    QVector<QTextBlock> blocks;
    for (const QString &item : items) {
        if (item == QLatin1String("[")) {
            const int cells = int(std::find(items.begin(), items.end(), QStringLiteral("]"))
                                  - std::find(items.begin(), items.end(), QStringLiteral("[")))
                - 1;
            table = cursor.insertTable(1, qMax(1, cells));
            cell = 0;
            continue;
        }
        if (item == QLatin1String("]")) {
            cursor = table->lastCursorPosition();
            cursor.movePosition(QTextCursor::NextBlock);
            table = nullptr;
            continue;
        }
        if (table)
            cursor = table->cellAt(0, cell++).firstCursorPosition();
        else if (!blocks.isEmpty())
            cursor.insertBlock();
        cursor.insertText(item);
        blocks.append(cursor.block());
    }
    return blocks;
}

std::unique_ptr<QTextDocument> build(const QStringList &items, const QVector<int> &order,
                                     bool undo, AddWith how)
{
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(undo);
    // Built inside one edit, as the reader builds: outside one, the cursor lays out each
    // block it writes.
    QTextCursor edit(document.get());
    edit.beginEditBlock();
    const QVector<QTextBlock> blocks = buildBlocks(*document, items);
    QHash<QChar, QTextList *> lists;
    for (int index : order) {
        const QTextBlock block = blocks.at(index);
        const QString item = block.text();
        if (item == QLatin1String("."))
            continue;
        const int level = item.midRef(1).toInt();
        QTextList *list = lists.value(item.at(0));
        if (!list) {
            QTextListFormat format;
            format.setStyle(QTextListFormat::ListDecimal);
            list = QTextCursor(block).createList(format);
            lists.insert(item.at(0), list);
            setListLevel(list, block, level);
        } else if (how == AddWith::Qt) {
            list->add(block);
            setListLevel(list, block, level);
        } else {
            appendToList(list, block, level);
        }
    }
    edit.endEditBlock();
    return document;
}

// Each block: its text, its format's properties, its list (by first item) and item number.
QStringList describe(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line = block.text();
        const QMap<int, QVariant> properties = block.blockFormat().properties();
        for (auto it = properties.begin(); it != properties.end(); ++it) {
            if (it.key() != QTextFormat::ObjectIndex)
                line += QStringLiteral(" %1=%2").arg(it.key()).arg(it.value().toString());
        }
        if (QTextList *list = block.textList()) {
            line += QStringLiteral(" list of %1: item %2 of %3")
                        .arg(list->item(0).text())
                        .arg(list->itemNumber(block))
                        .arg(list->count());
        }
        lines.append(line);
    }
    return lines;
}

} // namespace

void tst_ListAppend::sameDocumentAsQt_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<bool>("undo");

    QTest::newRow("one list") << "a0 a1 a2 a1 a0" << false << false;
    QTest::newRow("interleaved lists") << "a0 b0 a1 . b1 a0 b2" << false << false;
    QTest::newRow("negative level") << "a0 a-3 a1" << false << false;
    QTest::newRow("items in table cells") << "a0 [ a1 b0 a1 ] a0 b1" << false << false;
    QTest::newRow("added from the end") << "a0 a1 a2 b0 a3" << true << false;
    QTest::newRow("undo recorded") << "a0 a1 b0 a2" << false << true;
    QTest::newRow("table and undo") << "a0 [ a1 a2 ] a3" << false << true;
}

void tst_ListAppend::sameDocumentAsQt()
{
    QFETCH(QString, items);
    QFETCH(bool, reversed);
    QFETCH(bool, undo);

    const QStringList itemList = items.split(QLatin1Char(' '));
    QVector<int> order;
    int blockCount = 0;
    for (const QString &item : itemList)
        blockCount += item != QLatin1String("[") && item != QLatin1String("]");
    for (int i = 0; i < blockCount; ++i)
        order.append(i);
    if (reversed)
        std::reverse(order.begin(), order.end());

    const auto viaQt = build(itemList, order, undo, AddWith::Qt);
    const auto viaAppend = build(itemList, order, undo, AddWith::AppendToList);
    QCOMPARE(describe(*viaAppend), describe(*viaQt));
}

QMK_TEST_MAIN(tst_ListAppend)
#include "tst_listappend.moc"
