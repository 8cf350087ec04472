#include "support/testsupport.h"

#include "textutil/platformcodepages_p.h"

// Expected values are those of the Windows code pages (MultiByteToWideChar with
// MB_ERR_INVALID_CHARS, WideCharToMultiByte with WC_NO_BEST_FIT_CHARS).
class tst_PlatformCodePages : public QObject
{
    Q_OBJECT
private slots:
    void information_data();
    void information();
    void unknownPages_data();
    void unknownPages();
    void decoding_data();
    void decoding();
    void invalidSequences_data();
    void invalidSequences();
    void leadBytes_data();
    void leadBytes();
    void encoding_data();
    void encoding();
    void unrepresentable_data();
    void unrepresentable();
    void decodingNeverOverflows();
};

void tst_PlatformCodePages::information_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("maxCharSize");
    QTest::addColumn<int>("defaultChar");

    const int question = 0x3F;
    const int middleDot = 0x30FB;
    for (int page : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 437, 850, 10000,
                     10006, 10007, 10029, 10081})
        QTest::addRow("single-byte %d", page) << page << 1 << question;
    for (int page : {932, 936, 949, 950})
        QTest::addRow("CJK ANSI %d", page) << page << 2 << middleDot;
    QTest::newRow("Johab 1361") << 1361 << 2 << question;
    for (int page : {10001, 10002, 10003, 10008})
        QTest::addRow("Mac CJK %d", page) << page << 2 << question;
    QTest::newRow("system default 0 is 1252") << 0 << 1 << question;
    QTest::newRow("symbol 42") << 42 << 1 << question;
}

void tst_PlatformCodePages::information()
{
    QFETCH(int, codePage);
    QFETCH(int, maxCharSize);
    QFETCH(int, defaultChar);

    PlatformCodePageInfo info;
    QVERIFY(platformCodePageInfo(codePage, &info));
    QCOMPARE(info.maxCharSize, maxCharSize);
    QCOMPARE(int(info.defaultChar), defaultChar);
}

void tst_PlatformCodePages::unknownPages_data()
{
    QTest::addColumn<int>("codePage");
    QTest::newRow("negative") << -1;
    QTest::newRow("never assigned") << 12345;
    QTest::newRow("UTF-8 is not an RTF code page") << 65001;
    QTest::newRow("huge") << 2147483647;
}

void tst_PlatformCodePages::unknownPages()
{
    QFETCH(int, codePage);
    PlatformCodePageInfo info;
    QVERIFY(!platformCodePageInfo(codePage, &info));
    char16_t unit = 0;
    QCOMPARE(platformBytesToUnicode(codePage, "A", 1, &unit, 1), 0);
    char byte = 0;
    QCOMPARE(platformUnicodeToBytes(codePage, u'A', &byte, 1), 0);
    QVERIFY(!platformIsLeadByte(codePage, 0x82));
}

void tst_PlatformCodePages::decoding_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expected");

    QTest::newRow("932 hiragana a") << 932 << QByteArray("\x82\xA0") << 0x3042;
    QTest::newRow("932 half-width katakana alone") << 932 << QByteArray("\xB1") << 0xFF71;
    QTest::newRow("932 NEC row 13 circled one") << 932 << QByteArray("\x87\x40") << 0x2460;
    QTest::newRow("932 backslash stays a backslash") << 932 << QByteArray("\x5C") << 0x5C;
    QTest::newRow("932 byte 80 as Windows has it") << 932 << QByteArray("\x80") << 0x0080;
    QTest::newRow("932 byte A0 as Windows has it") << 932 << QByteArray("\xA0") << 0xF8F0;
    QTest::newRow("932 byte FF as Windows has it") << 932 << QByteArray("\xFF") << 0xF8F3;
    QTest::newRow("936 euro sign") << 936 << QByteArray("\x80") << 0x20AC;
    QTest::newRow("936 zhong") << 936 << QByteArray("\xD6\xD0") << 0x4E2D;
    QTest::newRow("949 ga") << 949 << QByteArray("\xB0\xA1") << 0xAC00;
    QTest::newRow("949 unified hangul extension") << 949 << QByteArray("\x81\x41") << 0xAC02;
    QTest::newRow("950 zhong") << 950 << QByteArray("\xA4\xA4") << 0x4E2D;
    QTest::newRow("1361 Johab ga") << 1361 << QByteArray("\x88\x61") << 0xAC00;
    QTest::newRow("1251 short i") << 1251 << QByteArray("\xE9") << 0x0439;
    QTest::newRow("1250 s caron") << 1250 << QByteArray("\x9A") << 0x0161;
    QTest::newRow("1253 alpha") << 1253 << QByteArray("\xE1") << 0x03B1;
    QTest::newRow("1254 g breve") << 1254 << QByteArray("\xF0") << 0x011F;
    QTest::newRow("1255 alef") << 1255 << QByteArray("\xE0") << 0x05D0;
    QTest::newRow("1256 alef") << 1256 << QByteArray("\xC7") << 0x0627;
    QTest::newRow("1257 a ogonek") << 1257 << QByteArray("\xE0") << 0x0105;
    QTest::newRow("1258 dong sign") << 1258 << QByteArray("\xFE") << 0x20AB;
    QTest::newRow("874 ko kai") << 874 << QByteArray("\xA1") << 0x0E01;
    QTest::newRow("874 euro sign") << 874 << QByteArray("\x80") << 0x20AC;
    QTest::newRow("437 c cedilla") << 437 << QByteArray("\x80") << 0x00C7;
    QTest::newRow("437 box drawing") << 437 << QByteArray("\xC9") << 0x2554;
    QTest::newRow("850 o slash") << 850 << QByteArray("\x9B") << 0x00F8;
    QTest::newRow("10000 Mac Roman A diaeresis") << 10000 << QByteArray("\x80") << 0x00C4;
    QTest::newRow("10007 Mac Cyrillic A") << 10007 << QByteArray("\x80") << 0x0410;
    QTest::newRow("10006 Mac Greek alpha") << 10006 << QByteArray("\xE1") << 0x03B1;
    QTest::newRow("10029 Mac Central European A macron") << 10029 << QByteArray("\x81")
                                                         << 0x0100;
    QTest::newRow("10081 Mac Turkish G breve") << 10081 << QByteArray("\xDA") << 0x011E;
    QTest::newRow("0 decodes as 1252") << 0 << QByteArray("\x93") << 0x201C;
    QTest::newRow("42 symbol font byte") << 42 << QByteArray("\xB7") << 0xF0B7;
}

void tst_PlatformCodePages::decoding()
{
    QFETCH(int, codePage);
    QFETCH(QByteArray, bytes);
    QFETCH(int, expected);

    char16_t units[2] = {};
    QCOMPARE(platformBytesToUnicode(codePage, bytes.constData(), bytes.size(), units, 2), 1);
    QCOMPARE(int(units[0]), expected);
}

void tst_PlatformCodePages::invalidSequences_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("932 lone lead byte") << 932 << QByteArray("\x82");
    QTest::newRow("932 lead byte with invalid trail") << 932 << QByteArray("\x82\x20");
    QTest::newRow("932 Windows' extra byte is no lead byte") << 932 << QByteArray("\xA0\xA0");
    QTest::newRow("936 lone lead byte") << 936 << QByteArray("\xD6");
    QTest::newRow("950 lone lead byte") << 950 << QByteArray("\xA4");
    QTest::newRow("1361 lone lead byte") << 1361 << QByteArray("\x88");
    QTest::newRow("936 lead byte with a line feed") << 936 << QByteArray("\xD6\x0A");
    QTest::newRow("949 lead byte with invalid trail") << 949 << QByteArray("\xB0\x20");
}

void tst_PlatformCodePages::invalidSequences()
{
    QFETCH(int, codePage);
    QFETCH(QByteArray, bytes);

    char16_t units[2] = {};
    QCOMPARE(platformBytesToUnicode(codePage, bytes.constData(), bytes.size(), units, 2), 0);
}

void tst_PlatformCodePages::leadBytes_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("lead");

    QTest::newRow("932 hiragana lead") << 932 << 0x82 << true;
    QTest::newRow("932 kanji lead in the upper range") << 932 << 0xE0 << true;
    QTest::newRow("932 half-width katakana") << 932 << 0xB1 << false;
    QTest::newRow("932 ASCII") << 932 << 0x41 << false;
    QTest::newRow("936 lead") << 936 << 0xD6 << true;
    QTest::newRow("936 euro is single") << 936 << 0x80 << false;
    QTest::newRow("949 lead") << 949 << 0xB0 << true;
    QTest::newRow("950 lead") << 950 << 0xA4 << true;
    QTest::newRow("1361 lead") << 1361 << 0x88 << true;
    QTest::newRow("1251 has no lead bytes") << 1251 << 0xE9 << false;
    QTest::newRow("1252 has no lead bytes") << 1252 << 0x82 << false;
}

void tst_PlatformCodePages::leadBytes()
{
    QFETCH(int, codePage);
    QFETCH(int, byte);
    QFETCH(bool, lead);
    QCOMPARE(platformIsLeadByte(codePage, uchar(byte)), lead);
}

void tst_PlatformCodePages::encoding_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("932 hiragana a") << 932 << 0x3042 << QByteArray("\x82\xA0");
    QTest::newRow("936 zhong") << 936 << 0x4E2D << QByteArray("\xD6\xD0");
    QTest::newRow("932 private use back to FD") << 932 << 0xF8F1 << QByteArray("\xFD");
    QTest::newRow("1361 Johab ga") << 1361 << 0xAC00 << QByteArray("\x88\x61");
    QTest::newRow("1251 short i") << 1251 << 0x0439 << QByteArray("\xE9");
    QTest::newRow("1252 left double quote") << 1252 << 0x201C << QByteArray("\x93");
    QTest::newRow("10000 Mac Roman e acute") << 10000 << 0x00E9 << QByteArray("\x8E");
    QTest::newRow("42 symbol private use") << 42 << 0xF0B7 << QByteArray("\xB7");
}

void tst_PlatformCodePages::encoding()
{
    QFETCH(int, codePage);
    QFETCH(int, unit);
    QFETCH(QByteArray, bytes);

    char out[8] = {};
    bool usedDefault = true;
    const int written = platformUnicodeToBytes(codePage, char16_t(unit), out, 8, &usedDefault);
    QCOMPARE(QByteArray(out, written), bytes);
    QVERIFY(!usedDefault);
}

void tst_PlatformCodePages::unrepresentable_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<int>("unit");

    // Windows' best-fit tables would write 'A', 'a' or '-' for these; strict output may not.
    QTest::newRow("1252 A macron is not A") << 1252 << 0x0100;
    QTest::newRow("1251 a acute is not a") << 1251 << 0x00E1;
    QTest::newRow("437 full-width A") << 437 << 0xFF21;
    QTest::newRow("932 Cyrillic ghe with upturn") << 932 << 0x0490;
    QTest::newRow("1250 lone surrogate") << 1250 << 0xD800;
    QTest::newRow("1361 Ukrainian ghe") << 1361 << 0x0490;
    QTest::newRow("42 plain letter") << 42 << 0x0041;
}

void tst_PlatformCodePages::unrepresentable()
{
    QFETCH(int, codePage);
    QFETCH(int, unit);

    char out[8] = {};
    bool usedDefault = false;
    QCOMPARE(platformUnicodeToBytes(codePage, char16_t(unit), out, 8, &usedDefault), 1);
    QCOMPARE(out[0], '?');
    QVERIFY(usedDefault);
}

void tst_PlatformCodePages::decodingNeverOverflows()
{
    // Two characters do not fit in one unit of room: the conversion fails, nothing is written
    // past the room given.
    char16_t units[2] = {0, 0xABCD};
    QCOMPARE(platformBytesToUnicode(1251, "\xE9\xE9", 2, units, 1), 0);
    QCOMPARE(int(units[1]), 0xABCD);
    QCOMPARE(platformBytesToUnicode(1361, "\x88\x61\x88\x61", 4, units, 1), 0);
    QCOMPARE(int(units[1]), 0xABCD);
    QCOMPARE(platformBytesToUnicode(42, "\xB7\xB7", 2, units, 1), 0);
    QCOMPARE(int(units[1]), 0xABCD);
    QCOMPARE(platformBytesToUnicode(1251, nullptr, 1, units, 1), 0);
    QCOMPARE(platformBytesToUnicode(1251, "\xE9", 0, units, 1), 0);
}

QMK_TEST_MAIN(tst_PlatformCodePages)
#include "tst_platformcodepages.moc"
