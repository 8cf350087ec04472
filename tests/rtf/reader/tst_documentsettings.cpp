#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "qmktextrtfreader.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <QBuffer>
#include <QTextDocument>

#include <limits>

class tst_DocumentSettings : public QObject
{
    Q_OBJECT
private slots:
    void textWidth_data();
    void textWidth();
    void documentGroups_data();
    void documentGroups();
    void declaredPage_data();
    void declaredPage();
};

using PageKeywords = QVector<QPair<int, int>>; // keyword, parameter

void tst_DocumentSettings::textWidth_data()
{
    QTest::addColumn<PageKeywords>("keywords");
    QTest::addColumn<int>("width");

    const int largest = std::numeric_limits<int>::max();
    const int smallest = std::numeric_limits<int>::min();
    QTest::newRow("default page") << PageKeywords{} << 8640;
    QTest::newRow("A4 with 2 cm margins")
        << PageKeywords{{KwPaperw, 11906}, {KwMargl, 1134}, {KwMargr, 1134}} << 9638;
    QTest::newRow("height and vertical margins do not count")
        << PageKeywords{{KwPaperh, 100}, {KwMargt, 5000}, {KwMargb, 5000}} << 8640;
    QTest::newRow("the last value read counts")
        << PageKeywords{{KwPaperw, 11906}, {KwPaperw, 12240}} << 8640;
    QTest::newRow("margins filling the paper") << PageKeywords{{KwPaperw, 3600}} << 1;
    QTest::newRow("negative paper width") << PageKeywords{{KwPaperw, -12240}} << 1;
    QTest::newRow("margins below the integer range")
        << PageKeywords{{KwPaperw, largest}, {KwMargl, smallest}, {KwMargr, smallest}} << largest;
    QTest::newRow("margins above the integer range")
        << PageKeywords{{KwPaperw, smallest}, {KwMargl, largest}, {KwMargr, largest}} << 1;
}

void tst_DocumentSettings::textWidth()
{
    QFETCH(PageKeywords, keywords);
    QFETCH(int, width);

    QMKTextRtfReaderPrivate reader(nullptr);
    for (const auto &page : keywords)
        reader.handleKeyword(RtfKeyword(page.first), true, page.second);
    QCOMPARE(reader.textWidth(), width);
}

void tst_DocumentSettings::documentGroups_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("header text is body text")
        << QByteArray("{\\rtf1{\\header Page header\\par}Body}")
        << QStringLiteral("Page header\nBody");
    // Was "BodyFooter": the footer's words glued to the body's.
    QTest::newRow("footer text is body text, in paragraphs of its own")
        << QByteArray("{\\rtf1 Body{\\footerr Footer}}") << QStringLiteral("Body\nFooter\n");
    QTest::newRow("information group skipped")
        << QByteArray("{\\rtf1{\\info{\\title Secret}{\\author Someone}}Body}")
        << QStringLiteral("Body");
    QTest::newRow("section, numbering, frame and note words ignored")
        << QByteArray("{\\rtf1\\sectd\\titlepg\\margmirror\\pgnrestart\\pgnstarts3\\pgnucrm"
                      "\\absw2000\\nowrap\\posxc\\ftnbj\\aenddoc\\ftnnar\\sftnnchi\\fet2 Body}")
        << QStringLiteral("Body");
}

void tst_DocumentSettings::documentGroups()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    QCOMPARE(result.text(), text);
}

// The page is not in the document: programs that lay the document out ask the reader.
void tst_DocumentSettings::declaredPage_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QSize>("paper");
    QTest::addColumn<QList<int>>("margins"); // left, top, right, bottom

    QTest::newRow("defaults") << QByteArray("{\\rtf1 x}") << QSize(12240, 15840)
                              << QList<int>{1800, 1440, 1800, 1440};
    QTest::newRow("A4, the last value read")
        << QByteArray("{\\rtf1\\paperw1\\paperw11906\\paperh16838\\margl1134\\margt567"
                      "\\margr1701\\margb850 x}")
        << QSize(11906, 16838) << QList<int>{1134, 567, 1701, 850};
}

void tst_DocumentSettings::declaredPage()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QSize, paper);
    QFETCH(QList<int>, margins);

    QBuffer buffer(&rtf);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QMKTextRtfReader reader(&buffer);
    QTextDocument document;
    QVERIFY(reader.read(&document, false));
    QCOMPARE(reader.paperSize(), paper);
    const QMargins declared = reader.pageMargins();
    QCOMPARE((QList<int>{declared.left(), declared.top(), declared.right(), declared.bottom()}),
             margins);
    QVERIFY(!document.property(QMKDocumentProperty::PaperSize).isValid());
}

QMK_TEST_MAIN(tst_DocumentSettings)
#include "tst_documentsettings.moc"
