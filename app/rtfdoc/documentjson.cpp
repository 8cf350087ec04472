#include "app/rtfdoc/documentjson.h"

#include "app/rtfdoc/valuejson.h"
#include "qmklistlevel.h"
#include "qmktextutilities.h"

#include <QHash>
#include <QImage>
#include <QJsonArray>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>


namespace {

class DocumentWalk
{
public:
    explicit DocumentWalk(const QTextDocument &document) : m_document(document) {}

    QJsonObject run()
    {
        collectTables(m_document.rootFrame());
        QJsonArray blocks;
        for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next())
            blocks.append(blockJson(block));
        return QJsonObject{
            {QStringLiteral("properties"), dynamicProperties()},
            {QStringLiteral("defaultTextOption"), textOptionJson(m_document.defaultTextOption())},
            {QStringLiteral("blocks"), blocks},
            {QStringLiteral("tables"), m_tablesJson},
            {QStringLiteral("lists"), m_listsJson},
            {QStringLiteral("images"), m_imagesJson}};
    }

private:
    QJsonObject dynamicProperties() const
    {
        QJsonObject object;
        for (const QByteArray &name : m_document.dynamicPropertyNames())
            object.insert(QString::fromLatin1(name), jsonValue(m_document.property(name)));
        return object;
    }

    // Tables are numbered in document order, nested ones after the table holding them.
    void collectTables(QTextFrame *frame)
    {
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            const int id = m_tables.size();
            m_tables.insert(table, id);
            m_tablesJson.append(tableJson(table, id));
        }
        for (QTextFrame *child : frame->childFrames())
            collectTables(child);
    }

    static QJsonObject tableJson(QTextTable *table, int id)
    {
        QJsonArray cells;
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(row, column);
                if (cell.row() != row || cell.column() != column)
                    continue;
                cells.append(QJsonObject{{QStringLiteral("row"), row},
                                         {QStringLiteral("column"), column},
                                         {QStringLiteral("rowSpan"), cell.rowSpan()},
                                         {QStringLiteral("columnSpan"), cell.columnSpan()},
                                         {QStringLiteral("format"), formatJson(cell.format())}});
            }
        }
        return QJsonObject{
            {QStringLiteral("id"), id},
            {QStringLiteral("rows"), table->rows()},
            {QStringLiteral("columns"), table->columns()},
            {QStringLiteral("columnWidthConstraints"),
             jsonValue(table->format().property(QTextFormat::TableColumnWidthConstraints))},
            {QStringLiteral("format"), formatJson(table->format())},
            {QStringLiteral("cells"), cells}};
    }

    QJsonObject blockJson(const QTextBlock &block)
    {
        QJsonObject object{{QStringLiteral("text"), block.text()},
                           {QStringLiteral("format"), formatJson(block.blockFormat())},
                           {QStringLiteral("charFormat"), formatJson(block.charFormat())},
                           {QStringLiteral("fragments"), fragmentsJson(block)}};
        QTextCursor cursor(block);
        if (QTextTable *table = cursor.currentTable()) {
            const QTextTableCell cell = table->cellAt(cursor);
            object.insert(QStringLiteral("table"), m_tables.value(table, -1));
            object.insert(QStringLiteral("row"), cell.row());
            object.insert(QStringLiteral("column"), cell.column());
        }
        if (QTextList *list = block.textList())
            object.insert(QStringLiteral("list"), membershipJson(list, block));
        return object;
    }

    QJsonArray fragmentsJson(const QTextBlock &block)
    {
        QJsonArray fragments;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            fragments.append(QJsonObject{{QStringLiteral("text"), fragment.text()},
                                         {QStringLiteral("format"), formatJson(format)}});
            if (format.isImageFormat())
                noteImage(format.toImageFormat().name());
        }
        return fragments;
    }

    QJsonObject membershipJson(QTextList *list, const QTextBlock &block)
    {
        auto it = m_lists.constFind(list);
        if (it == m_lists.constEnd()) {
            it = m_lists.insert(list, m_lists.size());
            m_listsJson.append(listJson(list, *it));
            // Labels are rendered for the whole list at once: one label alone walks the list
            // up to its item, which would make long lists quadratic.
            const QStringList labels = listItemTexts(list);
            for (int item = 0; item < labels.size() && item < list->count(); ++item)
                m_labels.insert(list->item(item).position(), labels.at(item));
        }
        return QJsonObject{{QStringLiteral("id"), *it},
                           {QStringLiteral("level"), listLevel(block)},
                           {QStringLiteral("label"), m_labels.value(block.position())}};
    }

    static QJsonObject listJson(QTextList *list, int id)
    {
        QJsonArray levels;
        for (const QMKListLevel &level : listLevels(list->format()))
            levels.append(listLevelJson(level));
        return QJsonObject{{QStringLiteral("id"), id},
                           {QStringLiteral("items"), list->count()},
                           {QStringLiteral("format"), formatJson(list->format())},
                           {QStringLiteral("levels"), levels}};
    }

    void noteImage(const QString &name)
    {
        if (m_images.contains(name))
            return;
        m_images.insert(name);
        const QImage image = documentImage(m_document, name);
        QJsonObject object{{QStringLiteral("name"), name},
                           {QStringLiteral("found"), !image.isNull()}};
        if (!image.isNull()) {
            object.insert(QStringLiteral("width"), image.width());
            object.insert(QStringLiteral("height"), image.height());
        }
        m_imagesJson.append(object);
    }

    const QTextDocument &m_document;
    QHash<QTextTable *, int> m_tables;
    QHash<QTextList *, int> m_lists;
    QHash<int, QString> m_labels;
    QSet<QString> m_images;
    QJsonArray m_tablesJson;
    QJsonArray m_listsJson;
    QJsonArray m_imagesJson;
};

} // namespace

QJsonObject documentJson(const QTextDocument &document)
{
    return DocumentWalk(document).run();
}
