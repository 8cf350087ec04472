#include "support/testsupport.h"
#include "textutil/documenttext_p.h"

#include <QTextDocument>

class tst_DocumentText : public QObject
{
    Q_OBJECT
private slots:
    void text_data();
    void text();
};

void tst_DocumentText::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    const QByteArray list = "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'02\\'00.;}}"
                            "{\\listlevel{\\leveltext\\'04\\'00.\\'01.;}}\\listid5}}"
                            "{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}";
    const QByteArray row = "\\trowd\\cellx2000\\cellx4000\\cellx6000";

    QTest::newRow("a paragraph a line") << QByteArray("a\\par b") << "a\nb\n";
    QTest::newRow("line break within a paragraph") << QByteArray("a\\line b") << "a\nb\n";
    QTest::newRow("empty paragraph before a table kept")
        << "a\\par\\par" + row + "\\pard\\intbl A\\cell B\\cell C\\cell\\row" << "a\n\nA\tB\tC\n";
    QTest::newRow("cells separated by tabs")
        << row + "\\pard\\intbl A\\cell B\\cell C\\cell\\row\\pard after" << "A\tB\tC\nafter\n";
    QTest::newRow("paragraphs of a cell joined, line break flattened")
        << row + "\\pard\\intbl A\\par A2\\line A3\\cell B\\cell\\cell\\row" << "A A2 A3\tB\t\n";
    QTest::newRow("merged cell leaves its covered column empty")
        << QByteArray("\\trowd\\clmgf\\cellx2000\\clmrg\\cellx4000\\cellx6000\\pard\\intbl A\\cell"
                      "\\cell C\\cell\\row") << "A\t\tC\n";
    QTest::newRow("labels before items")
        << list + "\\pard\\ls1 one\\par\\pard\\ls1\\ilvl1 sub\\par\\pard\\ls1 two\\par\\pard end"
        << "1. one\n1.1. sub\n2. two\nend\n";
    QTest::newRow("picture left out")
        << "{\\pict\\pngblip " + encodedImage(QImage(2, 2, QImage::Format_RGB32), "PNG").toHex()
               + "}x" << "x\n";
}

void tst_DocumentText::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const ImportResult result = importRtf("{\\rtf1 " + rtf + "}");
    QCOMPARE(documentText(*result.document), text);
}

QMK_TEST_MAIN(tst_DocumentText)
#include "tst_documenttext.moc"
