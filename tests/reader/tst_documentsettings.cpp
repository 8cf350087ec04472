#include "common/testsupport.h"

#include "rtf/reader/qmktextrtfreader_p.h"

#include <limits>

class tst_DocumentSettings : public QObject
{
    Q_OBJECT
private slots:
    void textWidth_data();
    void textWidth();
    void pageValuesAsWritten();
    void documentGroups_data();
    void documentGroups();
};

namespace {

struct PageKeyword
{
    RtfKeyword keyword;
    int parameter;
};

} // namespace

Q_DECLARE_METATYPE(QVector<PageKeyword>)

void tst_DocumentSettings::textWidth_data()
{
    QTest::addColumn<QVector<PageKeyword>>("keywords");
    QTest::addColumn<int>("width");

    const int largest = std::numeric_limits<int>::max();
    const int smallest = std::numeric_limits<int>::min();
    QTest::newRow("default page") << QVector<PageKeyword>{} << 8640;
    QTest::newRow("A4 with 2 cm margins")
        << QVector<PageKeyword>{{KwPaperw, 11906}, {KwMargl, 1134}, {KwMargr, 1134}} << 9638;
    QTest::newRow("height and vertical margins do not count")
        << QVector<PageKeyword>{{KwPaperh, 100}, {KwMargt, 5000}, {KwMargb, 5000}} << 8640;
    QTest::newRow("the last value read counts")
        << QVector<PageKeyword>{{KwPaperw, 11906}, {KwPaperw, 12240}} << 8640;
    QTest::newRow("margins filling the paper") << QVector<PageKeyword>{{KwPaperw, 3600}} << 1;
    QTest::newRow("paper narrower than its margins") << QVector<PageKeyword>{{KwPaperw, 1000}}
                                                     << 1;
    QTest::newRow("negative paper width") << QVector<PageKeyword>{{KwPaperw, -12240}} << 1;
    QTest::newRow("margins below the integer range")
        << QVector<PageKeyword>{{KwPaperw, largest}, {KwMargl, smallest}, {KwMargr, smallest}}
        << largest;
    QTest::newRow("margins above the integer range")
        << QVector<PageKeyword>{{KwPaperw, smallest}, {KwMargl, largest}, {KwMargr, largest}}
        << 1;
}

void tst_DocumentSettings::textWidth()
{
    QFETCH(QVector<PageKeyword>, keywords);
    QFETCH(int, width);

    QMKTextRtfReaderPrivate reader(nullptr);
    for (const PageKeyword &page : keywords)
        reader.handleKeyword(page.keyword, true, page.parameter);
    QCOMPARE(reader.textWidth(), width);
}

void tst_DocumentSettings::pageValuesAsWritten()
{
    QMKTextRtfReaderPrivate reader(nullptr);
    reader.handleKeyword(KwPaperh, true, -5);
    reader.handleKeyword(KwMargt, true, 720);
    reader.handleKeyword(KwMargb, false, 0);
    QCOMPARE(reader.paperHeight, -5);
    QCOMPARE(reader.topMargin, 720);
    QCOMPARE(reader.bottomMargin, 0);
}

void tst_DocumentSettings::documentGroups_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("header text is body text")
        << QByteArray("{\\rtf1{\\header Page header\\par}Body}")
        << QStringLiteral("Page header\nBody");
    QTest::newRow("footer text is body text") << QByteArray("{\\rtf1 Body{\\footerr Footer}}")
                                              << QStringLiteral("BodyFooter");
    QTest::newRow("information group skipped")
        << QByteArray("{\\rtf1{\\info{\\title Secret}{\\author Someone}}Body}")
        << QStringLiteral("Body");
    QTest::newRow("section and numbering words ignored")
        << QByteArray("{\\rtf1\\sectd\\titlepg\\facingp\\margmirror\\pgnrestart\\pgnstarts3"
                      "\\pgndec\\pgnucrm\\pgnlcltr Body\\chpgn}")
        << QStringLiteral("Body");
    QTest::newRow("frame and note numbering words ignored")
        << QByteArray("{\\rtf1\\absw2000\\absh-300\\nowrap\\posxc\\ftnbj\\aenddoc\\ftnrstcont"
                      "\\ftnnar\\aftnnrlc\\sftnnchi\\fet2 Body}")
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

QMK_TEST_MAIN(tst_DocumentSettings)
#include "tst_documentsettings.moc"
