#ifndef QMK_CELLDOCUMENTPOOL_P_H
#define QMK_CELLDOCUMENTPOOL_P_H

#include <functional>
#include <memory>
#include <vector>

class QTextDocument;
class RtfCellDocumentPool;

// Hands a cell document back to the pool it came from.
struct RtfCellDocumentRelease
{
    RtfCellDocumentPool *pool = nullptr;
    void operator()(QTextDocument *document) const;
};

using RtfCellDocumentPtr = std::unique_ptr<QTextDocument, RtfCellDocumentRelease>;

// The documents table cells are read into, cleared and used again: making and destroying a
// document for every cell of every row cost about 4 % of a table's import.
//
// A document the pool hands out again is a new document at an old address: whoever keeps
// something about a document by its address forgets it when the document is taken. A
// document some cursor still points into is destroyed rather than kept, as it always was, so
// that the cursor becomes null instead of writing into another cell later.
class RtfCellDocumentPool
{
public:
    /// Whether something other than the document's owner still points into it.
    using ReferenceCheck = std::function<bool(const QTextDocument *)>;

    explicit RtfCellDocumentPool(ReferenceCheck referenced);
    ~RtfCellDocumentPool();
    RtfCellDocumentPool(const RtfCellDocumentPool &) = delete;
    RtfCellDocumentPool &operator=(const RtfCellDocumentPool &) = delete;

    /// An empty document without undo history, owned by the caller until released.
    RtfCellDocumentPtr take();

    /// Destroys the documents kept for later.
    void dropSpare();

    /// Documents given back from now on are destroyed, without asking whether they are
    /// referenced: for the owner's destructor, whose members may be gone when they come back.
    void closeDown();

private:
    friend struct RtfCellDocumentRelease;
    void giveBack(QTextDocument *document);

    // More than a row of a few dozen cells and the tables nested in it needs at once.
    static constexpr std::size_t MaxSpare = 64;

    ReferenceCheck referenced;
    bool open = true;
    std::vector<std::unique_ptr<QTextDocument>> spare;
};

#endif // QMK_CELLDOCUMENTPOOL_P_H
