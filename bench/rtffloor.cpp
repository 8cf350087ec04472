// rtffloor FILE: the least time Qt needs to build the document that importing FILE builds.
//
// The file is imported first (not timed); then the same document is built again directly:
// the same blocks with their formats, the same runs with their character formats, tables
// with their spans, lists and images, through one QTextCursor in one edit block, without
// any RTF; pictures are decoded from their bytes, as any program that builds a document
// must. Prints the seconds that second build took. The import bench adds the start-up time
// of a Qt process to it and compares rtfcheck with the sum.

#include "qmkformatproperties.h"
#include "qmktextrtfreader.h"
#include "textutil/headless_p.h"
#include "textutil/listappend_p.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <cstdio>

namespace {

class Replay
{
public:
    Replay(const QTextDocument &source, QTextDocument &target)
        : m_source(source), m_target(target), m_cursor(&target)
    {
    }

    // Untimed: the picture bytes the timed build starts from.
    void prepare() { encodeImages(m_source.rootFrame()->begin()); }

    void run()
    {
        // As the reader builds: no undo history.
        m_target.setUndoRedoEnabled(false);
        m_cursor.beginEditBlock();
        content(m_source.rootFrame()->begin());
        m_cursor.endEditBlock();
    }

private:
    void content(QTextFrame::iterator it)
    {
        for (; !it.atEnd(); ++it) {
            if (auto *table = qobject_cast<QTextTable *>(it.currentFrame()))
                this->table(table);
            else if (it.currentFrame())
                content(it.currentFrame()->begin());
            else
                block(it.currentBlock());
        }
    }

    void block(const QTextBlock &block)
    {
        // A document, a cell and the place after a table begin with an empty block of their own.
        // The source's list object means nothing here: the copy joins the copied list below.
        QTextBlockFormat blockFormat = block.blockFormat();
        blockFormat.setObjectIndex(-1);
        if (m_atEmptyBlock) {
            m_cursor.setBlockFormat(blockFormat);
            m_cursor.setBlockCharFormat(block.charFormat());
            m_atEmptyBlock = false;
        } else {
            m_cursor.insertBlock(blockFormat, block.charFormat());
        }
        if (QTextList *list = block.textList()) {
            QTextList *&copy = m_lists[list];
            if (copy)
                appendToList(copy, m_cursor.block(),
                             blockFormat.intProperty(QMKFormatProperty::ListLevel));
            else
                copy = m_cursor.createList(list->format());
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat())
                addImage(format);
            m_cursor.insertText(fragment.text(), format);
        }
    }

    // A picture reaches a document as the bytes of its file: decoding them is part of the
    // least work. The bytes (the JPEG as read, other pictures as PNG) are made before the
    // clock starts.
    void addImage(const QTextCharFormat &format)
    {
        const QUrl name(format.toImageFormat().name());
        const QByteArray &bytes = encodedImage(format, name);
        m_target.addResource(QTextDocument::ImageResource, name, QImage::fromData(bytes));
    }

    void encodeImages(QTextFrame::iterator it)
    {
        for (; !it.atEnd(); ++it) {
            if (QTextFrame *frame = it.currentFrame()) {
                if (auto *table = qobject_cast<QTextTable *>(frame)) {
                    for (int row = 0; row < table->rows(); ++row) {
                        for (int column = 0; column < table->columns(); ++column)
                            encodeImages(table->cellAt(row, column).begin());
                    }
                } else {
                    encodeImages(frame->begin());
                }
                continue;
            }
            for (auto fragment = it.currentBlock().begin(); !fragment.atEnd(); ++fragment) {
                const QTextCharFormat format = fragment.fragment().charFormat();
                if (format.isImageFormat())
                    encodedImage(format, QUrl(format.toImageFormat().name()));
            }
        }
    }

    const QByteArray &encodedImage(const QTextCharFormat &format, const QUrl &name)
    {
        auto found = m_encoded.find(name);
        if (found != m_encoded.end())
            return *found;
        QByteArray bytes = format.property(QMKFormatProperty::PictureSourceBytes).toByteArray();
        if (bytes.isEmpty()) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            m_source.resource(QTextDocument::ImageResource, name).value<QImage>().save(&buffer,
                                                                                      "PNG");
        }
        return *m_encoded.insert(name, bytes);
    }

    void table(QTextTable *source)
    {
        QTextTable *table = m_cursor.insertTable(source->rows(), source->columns(), source->format());
        for (int row = 0; row < source->rows(); ++row) {
            for (int column = 0; column < source->columns(); ++column) {
                const QTextTableCell cell = source->cellAt(row, column);
                if (cell.row() != row || cell.column() != column)
                    continue;
                if (cell.rowSpan() > 1 || cell.columnSpan() > 1)
                    table->mergeCells(row, column, cell.rowSpan(), cell.columnSpan());
                QTextTableCell copy = table->cellAt(row, column);
                copy.setFormat(cell.format());
                m_cursor = copy.firstCursorPosition();
                m_atEmptyBlock = true;
                content(cell.begin());
            }
        }
        m_cursor = table->lastCursorPosition();
        m_cursor.movePosition(QTextCursor::NextBlock);
        m_atEmptyBlock = true;
    }

    const QTextDocument &m_source;
    QTextDocument &m_target;
    QTextCursor m_cursor;
    bool m_atEmptyBlock = true;
    QHash<QTextList *, QTextList *> m_lists;
    QHash<QUrl, QByteArray> m_encoded;
};

} // namespace

int main(int argc, char *argv[])
{
    prepareHeadlessGui();
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: rtffloor FILE\n", stderr);
        return 1;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    QTextDocument source;
    QMKTextRtfReader(&file).read(&source, false);

    QTextDocument target;
    Replay replay(source, target);
    replay.prepare();
    QElapsedTimer timer;
    timer.start();
    replay.run();
    std::printf("%.6f\n", timer.nsecsElapsed() / 1e9);
    return 0;
}
