#include "support/testsupport.h"

#include "qmkcodepageinfo.h"
#include "rtf/common/codepages_p.h"

class tst_CodePages : public QObject
{
    Q_OBJECT
private slots:
    void charsetToCodePage_data();
    void charsetToCodePage();
    void windows1252_data();
    void windows1252();
    void infoCache();
    void bytesToChar_data();
    void bytesToChar();
};

void tst_CodePages::charsetToCodePage_data()
{
    QTest::addColumn<int>("charset");
    QTest::addColumn<int>("codePage");

    QTest::newRow("ANSI 0") << 0 << 1252;
    QTest::newRow("default 1 is the system page") << 1 << 0;
    QTest::newRow("symbol") << 2 << 42;
    QTest::newRow("Mac Roman") << 77 << 10000;
    QTest::newRow("Mac Japanese") << 78 << 10001;
    QTest::newRow("Mac Korean") << 79 << 10003;
    QTest::newRow("Mac Simplified Chinese") << 80 << 10008;
    QTest::newRow("Mac Traditional Chinese") << 81 << 10002;
    QTest::newRow("Mac Hebrew") << 83 << 10005;
    QTest::newRow("Mac Arabic") << 84 << 10004;
    QTest::newRow("Mac Greek") << 85 << 10006;
    QTest::newRow("Mac Turkish") << 86 << 10081;
    QTest::newRow("Mac Thai") << 87 << 10021;
    QTest::newRow("Mac Central European") << 88 << 10029;
    QTest::newRow("Mac Cyrillic") << 89 << 10007;
    QTest::newRow("Shift-JIS") << 128 << 932;
    QTest::newRow("Hangul") << 129 << 949;
    QTest::newRow("Johab") << 130 << 1361;
    QTest::newRow("GB2312") << 134 << 936;
    QTest::newRow("Big5") << 136 << 950;
    QTest::newRow("Greek") << 161 << 1253;
    QTest::newRow("Turkish") << 162 << 1254;
    QTest::newRow("Vietnamese") << 163 << 1258;
    QTest::newRow("Hebrew") << 177 << 1255;
    QTest::newRow("Arabic") << 178 << 1256;
    QTest::newRow("Baltic") << 186 << 1257;
    QTest::newRow("Cyrillic") << 204 << 1251;
    QTest::newRow("Thai") << 222 << 874;
    QTest::newRow("Eastern European") << 238 << 1250;
    QTest::newRow("PC 437") << 254 << 437;
    QTest::newRow("OEM") << 255 << 850;
    QTest::newRow("unlisted") << 3 << 1252;
    QTest::newRow("negative") << -204 << 1252;
}

void tst_CodePages::charsetToCodePage()
{
    QFETCH(int, charset);
    QFETCH(int, codePage);
    QCOMPARE(::charsetToCodePage(charset), codePage);
}

void tst_CodePages::windows1252_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unicode");

    QTest::newRow("ASCII is itself") << 0x41 << 0x41;
    QTest::newRow("euro sign") << 0x80 << 0x20AC;
    QTest::newRow("left double quote") << 0x93 << 0x201C;
    QTest::newRow("small tilde") << 0x98 << 0x02DC;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("undefined 81") << 0x81 << 0;
    QTest::newRow("undefined 8D") << 0x8D << 0;
    QTest::newRow("undefined 8F") << 0x8F << 0;
    QTest::newRow("undefined 90") << 0x90 << 0;
    QTest::newRow("undefined 9D") << 0x9D << 0;
    QTest::newRow("no-break space") << 0xA0 << 0xA0;
    QTest::newRow("e acute") << 0xE9 << 0xE9;
    QTest::newRow("y diaeresis") << 0xFF << 0xFF;
}

void tst_CodePages::windows1252()
{
    QFETCH(int, byte);
    QFETCH(int, unicode);
    QCOMPARE(int(windows1252ToUnicode(uchar(byte)).unicode()), unicode);
    QCOMPARE(int(::bytesToChar(QByteArray(1, char(byte)), 1252, 0, QChar()).unicode()), unicode);
}

void tst_CodePages::infoCache()
{
    resetCodePageInfoCache();
    QCOMPARE(codePageInfo(12345).maxCharSize, 0);
    QVERIFY(codePageInfo(12345).defaultChar.isNull());

    QCOMPARE(codePageInfo(936).maxCharSize, 2);
    QCOMPARE(codePageInfo(936).defaultChar, QChar(0x30FB));
    // A failed lookup keeps the last page that was known.
    QCOMPARE(codePageInfo(12345).maxCharSize, 2);
    QCOMPARE(codePageInfo(-1).defaultChar, QChar(0x30FB));

    QCOMPARE(codePageInfo(1250).maxCharSize, 1);
    QCOMPARE(codePageInfo(1250).defaultChar, QChar(u'?'));
    QCOMPARE(codePageInfo(0).maxCharSize, 1);
    QCOMPARE(codePageInfo(932).maxCharSize, 2);
}

void tst_CodePages::bytesToChar_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("byteCount");
    QTest::addColumn<int>("fallback");
    QTest::addColumn<int>("expected");

    QTest::newRow("932 pair at the maximum size") << QByteArray("\x82\xA0") << 932 << 0 << 0
                                                  << 0x3042;
    QTest::newRow("932 only the first of a pair") << QByteArray("\x82\xA0") << 932 << 1 << 0
                                                  << 0x30FB;
    QTest::newRow("932 single byte at the maximum size") << QByteArray("\xB1") << 932 << 0 << 0
                                                         << 0xFF71;
    QTest::newRow("932 lone lead byte gives the default") << QByteArray("\x82") << 932 << 0 << 0
                                                          << 0x30FB;
    QTest::newRow("932 fallback wins over the default") << QByteArray("\x82") << 932 << 0
                                                        << 0xFFFD << 0xFFFD;
    QTest::newRow("1251 short i") << QByteArray("\xE9") << 1251 << 0 << 0 << 0x0439;
    QTest::newRow("1251 count beyond the bytes") << QByteArray("\xE9") << 1251 << 5 << 0
                                                 << 0x0439;
    QTest::newRow("1252 from the table") << QByteArray("\x93") << 1252 << 0 << 0 << 0x201C;
    QTest::newRow("1252 empty bytes") << QByteArray() << 1252 << 0 << 0 << 0;
    QTest::newRow("950 empty bytes give the default") << QByteArray() << 950 << 0 << 0
                                                      << 0x30FB;
    QTest::newRow("unknown page gives the fallback") << QByteArray("A") << 12345 << 1 << 0x2A
                                                     << 0x2A;
}

void tst_CodePages::bytesToChar()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, codePage);
    QFETCH(int, byteCount);
    QFETCH(int, fallback);
    QFETCH(int, expected);

    const QChar result = ::bytesToChar(bytes, codePage, byteCount, QChar(ushort(fallback)));
    QCOMPARE(int(result.unicode()), expected);
}

QMK_TEST_MAIN(tst_CodePages)
#include "tst_codepages.moc"
