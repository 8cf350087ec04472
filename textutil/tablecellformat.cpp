#include "textutil/tablecellformat_p.h"

#include <QTextDocument>
#include <QTextTable>

#ifdef QMKRTF_HAVE_QT_GUI_PRIVATE
#include <private/qtextdocument_p.h>

void setTableCellFormat(QTextTable *table, QTextTableCell cell,
                        const QTextCharFormat &format)
{
    QTextDocumentPrivate *document = table->document()->docHandle();
    if (document->isUndoRedoEnabled()) {
        cell.setFormat(format);
        return;
    }
    // As setFormat: the cell keeps its spans and its table's object index, set in this order
    // so that the stored format is the very one setFormat stores.
    const QTextCharFormat old =
        document->formatCollection()->charFormat(cell.tableCellFormatIndex());
    QTextCharFormat cellFormat = format;
    cellFormat.clearProperty(QTextFormat::ObjectIndex);
    cellFormat.setObjectType(QTextFormat::TableCellObject);
    cellFormat.setTableCellRowSpan(old.tableCellRowSpan());
    cellFormat.setTableCellColumnSpan(old.tableCellColumnSpan());
    cellFormat.setObjectIndex(old.objectIndex());
    // The cell's format is that of the frame mark just before its first position.
    document->setCharFormat(cell.firstPosition() - 1, 1, cellFormat,
                            QTextDocumentPrivate::SetFormat);
}

#else

void setTableCellFormat(QTextTable *, QTextTableCell cell, const QTextCharFormat &format)
{
    cell.setFormat(format);
}

#endif
