#include "rtf/reader/celldocumentpool_p.h"

#include <QTextDocument>

#include <utility>

void RtfCellDocumentRelease::operator()(QTextDocument *document) const
{
    if (pool)
        pool->giveBack(document);
    else
        delete document;
}

RtfCellDocumentPool::RtfCellDocumentPool(ReferenceCheck referenced)
    : referenced(std::move(referenced))
{
}

RtfCellDocumentPool::~RtfCellDocumentPool() = default;

RtfCellDocumentPtr RtfCellDocumentPool::take()
{
    if (!spare.empty()) {
        QTextDocument *document = spare.back().release();
        spare.pop_back();
        return RtfCellDocumentPtr(document, RtfCellDocumentRelease{this});
    }
    // Cell documents are filled once and copied: an undo history would only cost memory.
    RtfCellDocumentPtr document(new QTextDocument, RtfCellDocumentRelease{this});
    document->setUndoRedoEnabled(false);
    return document;
}

void RtfCellDocumentPool::dropSpare()
{
    spare.clear();
}

void RtfCellDocumentPool::closeDown()
{
    referenced = nullptr;
    spare.clear();
    open = false;
}

void RtfCellDocumentPool::giveBack(QTextDocument *document)
{
    if (!open || spare.size() >= MaxSpare || (referenced && referenced(document))) {
        delete document;
        return;
    }
    // Text, formats, frames and resources go; the settings a fresh document has stay.
    document->clear();
    spare.emplace_back(document);
}
