#include "support/testsupport.h"

#include "qmkpdfrenderer.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

class tst_PdfRenderer : public QObject
{
    Q_OBJECT
private slots:
    void pageSizeAtResolution_data();
    void pageSizeAtResolution();
    void paperIsWhite();
    void drawingIsRendered();
    void unusableInput_data();
    void unusableInput();
};

namespace {

// A one-page PDF of the given page size in points, written by hand with a correct xref table.
QByteArray handWrittenPdf(const QByteArray &mediaBox)
{
    const QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [" + mediaBox + "] >>",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<int> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const int xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const int offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1)
        + " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

// A Letter page (612 x 792 points) with a black square in its top left quarter.
QByteArray letterPageWithSquare()
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(72);
    QPainter painter(&writer);
    painter.fillRect(QRect(0, 0, 306, 396), Qt::black);
    painter.end();
    return pdf;
}

} // namespace

void tst_PdfRenderer::pageSizeAtResolution_data()
{
    QTest::addColumn<QByteArray>("pdf");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QSize>("size");

    QTest::newRow("Letter at 144 dpi") << letterPageWithSquare() << 144 << QSize(1224, 1584);
    QTest::newRow("Letter at 72 dpi") << letterPageWithSquare() << 72 << QSize(612, 792);
    QTest::newRow("hand-written A4 at 72 dpi")
        << handWrittenPdf("0 0 595 842") << 72 << QSize(595, 842);
    QTest::newRow("landscape page at 144 dpi")
        << handWrittenPdf("0 0 792 612") << 144 << QSize(1584, 1224);
}

void tst_PdfRenderer::pageSizeAtResolution()
{
    QFETCH(QByteArray, pdf);
    QFETCH(int, dpi);
    QFETCH(QSize, size);

    QCOMPARE(renderPdf(pdf, dpi).size(), size);
}

void tst_PdfRenderer::paperIsWhite()
{
    const QImage image = renderPdf(handWrittenPdf("0 0 100 100"), 72);
    QVERIFY(!image.isNull());
    QCOMPARE(QColor(image.pixel(50, 50)), QColor(Qt::white));
}

void tst_PdfRenderer::drawingIsRendered()
{
    const QImage image = renderPdf(letterPageWithSquare(), 72);
    QCOMPARE(QColor(image.pixel(100, 100)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(500, 700)), QColor(Qt::white));
}

void tst_PdfRenderer::unusableInput_data()
{
    QTest::addColumn<QByteArray>("pdf");
    QTest::addColumn<int>("dpi");

    QTest::newRow("no bytes") << QByteArray() << 144;
    QTest::newRow("not a PDF") << QByteArray("hello, this is no PDF") << 144;
    QTest::newRow("PDF header alone") << QByteArray("%PDF-1.4\n") << 144;
    QTest::newRow("first half of a PDF") << letterPageWithSquare().left(200) << 144;
    QTest::newRow("page a kilometre wide")
        << handWrittenPdf("0 0 2834645 2834645") << 144;
    QTest::newRow("page over 100 megapixels at 144 dpi")
        << handWrittenPdf("0 0 14000 14000") << 144;
    QTest::newRow("zero resolution") << letterPageWithSquare() << 0;
}

void tst_PdfRenderer::unusableInput()
{
    QFETCH(QByteArray, pdf);
    QFETCH(int, dpi);

    QVERIFY(renderPdf(pdf, dpi).isNull());
}

QMK_TEST_MAIN(tst_PdfRenderer)
#include "tst_pdfrenderer.moc"
