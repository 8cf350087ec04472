#include "support/testsupport.h"

#include "rtf/reader/celldocumentpool_p.h"

#include <QImage>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>

class tst_CellDocumentPool : public QObject
{
    Q_OBJECT
private slots:
    void documentComesBackAsNew();
    void documentACursorPointsIntoIsDestroyed();
    void closedPoolDestroysWhatComesBack();
};

void tst_CellDocumentPool::documentComesBackAsNew()
{
    RtfCellDocumentPool pool(nullptr);
    const QUrl picture(QStringLiteral("picture"));
    QTextDocument *used = nullptr;
    {
        RtfCellDocumentPtr document = pool.take();
        used = document.get();
        QVERIFY(!document->isUndoRedoEnabled());
        QTextCursor cursor(document.get());
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("text"), bold);
        cursor.insertTable(2, 2);
        document->addResource(QTextDocument::ImageResource, picture,
                              QImage(2, 2, QImage::Format_RGB32));
    }
    const RtfCellDocumentPtr again = pool.take();
    QCOMPARE(again.get(), used);
    const QTextDocument fresh;
    QCOMPARE(again->allFormats(), fresh.allFormats());
    QVERIFY(again->isEmpty());
    QVERIFY(!again->isUndoRedoEnabled());
    QVERIFY(again->rootFrame()->childFrames().isEmpty());
    QVERIFY(again->resource(QTextDocument::ImageResource, picture).isNull());
}

// Such a cursor must become null, as with a document that is not kept, and not write into the
// cell that gets the document next.
void tst_CellDocumentPool::documentACursorPointsIntoIsDestroyed()
{
    QTextCursor cursor;
    RtfCellDocumentPool pool(
        [&cursor](const QTextDocument *document) { return cursor.document() == document; });
    QPointer<QTextDocument> watched;
    {
        RtfCellDocumentPtr document = pool.take();
        watched = document.get();
        cursor = QTextCursor(document.get());
        cursor.insertText(QStringLiteral("text"));
    }
    QVERIFY(watched.isNull());
    QVERIFY(cursor.isNull());
}

void tst_CellDocumentPool::closedPoolDestroysWhatComesBack()
{
    RtfCellDocumentPool pool(nullptr);
    RtfCellDocumentPtr document = pool.take();
    const QPointer<QTextDocument> watched = document.get();
    pool.closeDown();
    document.reset();
    QVERIFY(watched.isNull());
}

QMK_TEST_MAIN(tst_CellDocumentPool)
#include "tst_celldocumentpool.moc"
