#include "textutil/listappend_p.h"

#include "qmkformatproperties.h"
#include "qmklistlevel.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#ifdef QMKRTF_HAVE_QT_GUI_PRIVATE
#include <private/qtextdocument_p.h>
#include <private/qtextobject_p.h>

#include <algorithm>

void appendToList(QTextList *list, const QTextBlock &block, int level)
{
    if (!list || !block.isValid() || block.document() != list->document())
        return;
    QTextDocumentPrivate *document = list->document()->docHandle();
    QTextBlockFormat format = block.blockFormat();
    QTextBlockData *data = document->blockMap().fragment(block.fragmentIndex());
    if (format.objectIndex() != -1 || document->isUndoRedoEnabled() || data->layout) {
        // Leaving another group, an undo step to record or a layout to invalidate: Qt's own
        // path does them.
        list->add(block);
        setListLevel(list, block, level);
        return;
    }
    format.setObjectIndex(list->objectIndex());
    format.setProperty(QMKFormatProperty::ListLevel, qMax(0, level));
    const int formatIndex = document->formatCollection()->indexForFormat(format);
    data->format = formatIndex;
    // The changed range reaches the document's change signal when the edit ends, as Qt's.
    document->documentChange(block.position(), block.length());

    auto *group = static_cast<QTextBlockGroupPrivate *>(QObjectPrivate::get(list));
    QTextBlockGroupPrivate::BlockList &blocks = group->blocks;
    blocks.insert(std::lower_bound(blocks.begin(), blocks.end(), block), block);
}

#else

void appendToList(QTextList *list, const QTextBlock &block, int level)
{
    if (!list)
        return;
    list->add(block);
    setListLevel(list, block, level);
}

#endif
