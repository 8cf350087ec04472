#include "support/testsupport.h"

#include "rtf/common/codepages_p.h"

namespace {

// The text of the first paragraph, with no-break spaces and soft hyphens as they are.
QString firstBlockText(const ImportResult &result)
{
    return block(*result.document, 0).text();
}

QString fromUtf16(std::initializer_list<char16_t> units)
{
    QString text;
    for (char16_t unit : units)
        text.append(QChar(unit));
    return text;
}

} // namespace

class tst_TextDecoding : public QObject
{
    Q_OBJECT
private slots:
    void escapedBytes_data();
    void escapedBytes();
    void doubleByteEscapes_data();
    void doubleByteEscapes();
    void documentCodePage_data();
    void documentCodePage();
    void unknownDocumentCodePage();
    void unicodeCharacters_data();
    void unicodeCharacters();
    void unicodeReplacementSkip_data();
    void unicodeReplacementSkip();
    void symbols_data();
    void symbols();
    void malformedEscapes_data();
    void malformedEscapes();
    void pathologicalInputsFinish_data();
    void pathologicalInputsFinish();
};

void tst_TextDecoding::escapedBytes_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("e acute in the default page") << QByteArray("{\\rtf1 caf\\'e9}")
                                                 << QStringLiteral("caf\u00E9");
    QTest::newRow("upper-case digits") << QByteArray("{\\rtf1 caf\\'E9}")
                                       << QStringLiteral("caf\u00E9");
    QTest::newRow("1252 left double quote") << QByteArray("{\\rtf1 \\'93x\\'94}")
                                            << QStringLiteral("\u201Cx\u201D");
    QTest::newRow("1252 small tilde") << QByteArray("{\\rtf1 \\'98}") << QStringLiteral("\u02DC");
    QTest::newRow("1252 euro sign") << QByteArray("{\\rtf1 \\'80}") << QStringLiteral("\u20AC");
    QTest::newRow("escape next to plain text") << QByteArray("{\\rtf1 a\\'41b}")
                                               << QStringLiteral("aAb");
    QTest::newRow("digits after the escape are text") << QByteArray("{\\rtf1 \\'e9e9}")
                                                      << QStringLiteral("\u00E9e9");
}

void tst_TextDecoding::escapedBytes()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const ImportResult result = importRtf(rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(firstBlockText(result), text);
}

void tst_TextDecoding::doubleByteEscapes_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("932 hiragana a from two escapes")
        << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0}") << QStringLiteral("\u3042");
    QTest::newRow("932 Japanese word")
        << QByteArray("{\\rtf1\\ansicpg932 \\'93\\'fa\\'96\\'7b\\'8c\\'ea}")
        << QStringLiteral("\u65E5\u672C\u8A9E");
    // Regression: both escapes were decoded as one pair and the second katakana was lost
    // (expected "\uFF71\uFF72", was "\uFF71").
    QTest::newRow("932 two half-width katakana")
        << QByteArray("{\\rtf1\\ansicpg932 \\'b1\\'b2}") << QStringLiteral("\uFF71\uFF72");
    QTest::newRow("932 half-width katakana then a pair")
        << QByteArray("{\\rtf1\\ansicpg932 \\'b1\\'82\\'a0}") << QStringLiteral("\uFF71\u3042");
    QTest::newRow("932 escaped ASCII then a pair")
        << QByteArray("{\\rtf1\\ansicpg932 \\'41\\'82\\'a0}") << QStringLiteral("A\u3042");
    QTest::newRow("932 lone lead byte gives the default character")
        << QByteArray("{\\rtf1\\ansicpg932 \\'82 x}") << QStringLiteral("\u30FB x");
    QTest::newRow("932 invalid pair keeps its second byte")
        << QByteArray("{\\rtf1\\ansicpg932 \\'82\\'41}") << QStringLiteral("\u30FBA");
    QTest::newRow("936 Chinese") << QByteArray("{\\rtf1\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}")
                                 << QStringLiteral("\u4E2D\u6587");
    QTest::newRow("936 euro sign is one byte")
        << QByteArray("{\\rtf1\\ansicpg936 \\'80\\'d6\\'d0}") << QStringLiteral("\u20AC\u4E2D");
    QTest::newRow("949 Korean") << QByteArray("{\\rtf1\\ansicpg949 \\'c7\\'d1\\'b1\\'db}")
                                << QStringLiteral("\uD55C\uAE00");
    QTest::newRow("65001 sequences gathered from escapes")
        << QByteArray("{\\rtf1\\ansicpg65001 caf\\'c3\\'a9 \\'e2\\'82\\'ac\\'f0\\'9f\\'98\\'80\\'20x}")
        << QString::fromUtf8("caf\xc3\xa9 \xe2\x82\xac\xf0\x9f\x98\x80 x");
    QTest::newRow("65001 invalid sequences give the default character once each")
        << QByteArray("{\\rtf1\\ansicpg65001 \\'e2\\'82x\\'ff\\'c3\\'41}") << QStringLiteral("?x??A");
    QTest::newRow("950 Chinese") << QByteArray("{\\rtf1\\ansicpg950 \\'a4\\'a4\\'a4\\'e5}")
                                 << QStringLiteral("\u4E2D\u6587");
}

void tst_TextDecoding::doubleByteEscapes()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const ImportResult result = importRtf(rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(firstBlockText(result), text);
}

void tst_TextDecoding::documentCodePage_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("1251 short i") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'e9}")
                                  << QStringLiteral("\u0439");
    QTest::newRow("1253 Greek") << QByteArray("{\\rtf1\\ansicpg1253 \\'e1\\'e2\\'e3}")
                                << QStringLiteral("\u03B1\u03B2\u03B3");
    QTest::newRow("1250 s caron") << QByteArray("{\\rtf1\\ansicpg1250 \\'9a}")
                                  << QStringLiteral("\u0161");
    QTest::newRow("10000 Mac Roman") << QByteArray("{\\rtf1\\mac\\ansicpg10000 \\'8e}")
                                     << QStringLiteral("\u00E9");
    QTest::newRow("\\pc is code page 437") << QByteArray("{\\rtf1\\pc \\'82}")
                                       << QStringLiteral("\u00E9");
    QTest::newRow("\\pca is code page 850") << QByteArray("{\\rtf1\\pca \\'d0}")
                                        << QStringLiteral("\u00F0");
    QTest::newRow("\\mac is code page 10000") << QByteArray("{\\rtf1\\mac \\'8e}")
                                          << QStringLiteral("\u00E9");
    QTest::newRow("a font's \\cpg decodes its text")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\cpg1251 X;}}\\f1 \\'e9}") << QStringLiteral("\u0439");
    QTest::newRow("a font's \\cpg wins over its \\fcharset, in either order")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\cpg1251\\fcharset0 X;}}\\f1 \\'e9}")
        << QStringLiteral("\u0439");
    QTest::newRow("without parameter 1252") << QByteArray("{\\rtf1\\ansicpg \\'93}")
                                            << QStringLiteral("\u201C");
    QTest::newRow("zero is 1252") << QByteArray("{\\rtf1\\ansicpg0 \\'93}")
                                  << QStringLiteral("\u201C");
    QTest::newRow("negative is 1252") << QByteArray("{\\rtf1\\ansicpg-1251 \\'93}")
                                      << QStringLiteral("\u201C");
    QTest::newRow("plain bytes stay Latin-1") << QByteArray("{\\rtf1\\ansicpg1251 \xe9}")
                                              << QStringLiteral("\u00E9");
}

void tst_TextDecoding::documentCodePage()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const ImportResult result = importRtf(rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(firstBlockText(result), text);
}

void tst_TextDecoding::unknownDocumentCodePage()
{
    // Regression: with no page known yet, the escape's digits were left as text behind a
    // U+0000 (expected "a?b", was "a\0e9b").
    resetCodePageInfoCache();
    const ImportResult result = importRtf("{\\rtf1\\ansicpg99999 a\\'e9b}");
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(firstBlockText(result), QStringLiteral("a?b"));

    // Once a page was known, its default character stands in.
    importRtf("{\\rtf1\\ansicpg932 \\'82\\'a0}");
    QCOMPARE(firstBlockText(importRtf("{\\rtf1\\ansicpg99999 a\\'e9b}")),
             QStringLiteral("a\u30FBb"));
}

void tst_TextDecoding::unicodeCharacters_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("em dash with an escaped replacement")
        << QByteArray("{\\rtf1 a\\u8212\\'97b}") << QStringLiteral("a\u2014b");
    QTest::newRow("em dash with a question mark")
        << QByteArray("{\\rtf1 a\\u8212?b}") << QStringLiteral("a\u2014b");
    QTest::newRow("skip count 0 keeps the question mark")
        << QByteArray("{\\rtf1\\uc0 a\\u8212?b}") << QStringLiteral("a\u2014?b");
    QTest::newRow("negative parameter is the unit mod 65536")
        << QByteArray("{\\rtf1 \\u-4064?}") << QStringLiteral("\uF020");
    QTest::newRow("surrogate pair")
        << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << fromUtf16({0xD83D, 0xDE00});
    QTest::newRow("without parameter a question mark")
        << QByteArray("{\\rtf1 a\\u\\'41b}") << QStringLiteral("a?b");
    QTest::newRow("skip count 2 with two escapes")
        << QByteArray("{\\rtf1\\uc2\\u26085\\'93\\'fa b}") << QStringLiteral("\u65E5 b");
    QTest::newRow("skip count is scoped by the group")
        << QByteArray("{\\rtf1 {\\uc0 x}\\u8212?}") << QStringLiteral("x\u2014");
    QTest::newRow("negative skip count skips nothing")
        << QByteArray("{\\rtf1\\uc-5 \\u8212?}") << QStringLiteral("\u2014?");
    QTest::newRow("C1 code becomes the replacement character")
        << QByteArray("{\\rtf1 \\u150?}") << QStringLiteral("\uFFFD");
}

void tst_TextDecoding::unicodeCharacters()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const ImportResult result = importRtf(rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(firstBlockText(result), text);
}

void tst_TextDecoding::unicodeReplacementSkip_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    // Regressions: the skip took raw bytes, so a closing brace or the backslash of the next
    // control word was swallowed (expected "a\u2014b" with the group closed, was status 2;
    // expected "a\u2014b", was "a\u2014par b").
    QTest::newRow("closing brace ends the skip")
        << QByteArray("{\\rtf1 {a\\u8212}b}") << QStringLiteral("a\u2014b");
    QTest::newRow("control word counts as one character")
        << QByteArray("{\\rtf1 a\\u8212\\par b}") << QStringLiteral("a\u2014b");
    QTest::newRow("control word with parameter counts as one")
        << QByteArray("{\\rtf1 a\\u8212\\unknownword-12 b}") << QStringLiteral("a\u2014b");
    QTest::newRow("control symbol counts as one")
        << QByteArray("{\\rtf1 a\\u8212\\~b}") << QStringLiteral("a\u2014b");
    QTest::newRow("escaped backslash counts as one")
        << QByteArray("{\\rtf1 a\\u8212\\\\b}") << QStringLiteral("a\u2014b");
    QTest::newRow("opening brace ends the skip")
        << QByteArray("{\\rtf1 a\\u8212{b}}") << QStringLiteral("a\u2014b");
    QTest::newRow("brace ends a skip of 2 after one escape")
        << QByteArray("{\\rtf1 {\\uc2 a\\u26085\\'93}b}") << QStringLiteral("a\u65E5b");
    QTest::newRow("line break before the escape is not a character")
        << QByteArray("{\\rtf1 a\\u8212\r\n\\'97b}") << QStringLiteral("a\u2014b");
    QTest::newRow("line feed before the escape")
        << QByteArray("{\\rtf1 a\\u8212\n\\'97b}") << QStringLiteral("a\u2014b");
    QTest::newRow("line feed before a plain character")
        << QByteArray("{\\rtf1 a\\u8212\n?b}") << QStringLiteral("a\u2014b");
    QTest::newRow("escape with one digit counts as one")
        << QByteArray("{\\rtf1 a\\u8212\\'9 b}") << QStringLiteral("a\u2014 b");
    QTest::newRow("huge skip count stops at the group's end")
        << QByteArray("{\\rtf1 {\\uc2147483647 a\\u8212 lost\\par lost}b}")
        << QStringLiteral("a\u2014b");
}

void tst_TextDecoding::unicodeReplacementSkip()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const ImportResult result = importRtf(rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(firstBlockText(result), text);
}

void tst_TextDecoding::symbols_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("no-break space") << QByteArray("{\\rtf1 a\\~b}") << QStringLiteral("a\u00A0b");
    // Regression: the optional hyphen was a visible '-' (expected U+00AD, was U+002D).
    QTest::newRow("optional hyphen is a soft hyphen")
        << QByteArray("{\\rtf1 hy\\-phen}") << QStringLiteral("hy\u00ADphen");
    QTest::newRow("non-breaking hyphen") << QByteArray("{\\rtf1 a\\_b}")
                                         << QStringLiteral("a\u2011b");
    QTest::newRow("backslash") << QByteArray("{\\rtf1 a\\\\b}") << QStringLiteral("a\\b");
    QTest::newRow("braces") << QByteArray("{\\rtf1 \\{a\\}}") << QStringLiteral("{a}");
    QTest::newRow("single quotes") << QByteArray("{\\rtf1 \\lquote a\\rquote }")
                                   << QStringLiteral("\u2018a\u2019");
    QTest::newRow("double quotes") << QByteArray("{\\rtf1 \\ldblquote a\\rdblquote }")
                                   << QStringLiteral("\u201Ca\u201D");
    QTest::newRow("dashes") << QByteArray("{\\rtf1 \\endash\\emdash}")
                            << QStringLiteral("\u2013\u2014");
    QTest::newRow("bullet") << QByteArray("{\\rtf1 \\bullet  x}") << QStringLiteral("\u2022 x");
}

void tst_TextDecoding::symbols()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const ImportResult result = importRtf(rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(firstBlockText(result), text);
}

void tst_TextDecoding::malformedEscapes_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("letters that are not digits") << QByteArray("{\\rtf1 a\\'zzb}")
                                                 << QStringLiteral("ab");
    QTest::newRow("one digit then text") << QByteArray("{\\rtf1 a\\'eg b}")
                                         << QStringLiteral("a b");
    // strtol would read these as numbers; they are not two hexadecimal digits.
    QTest::newRow("sign") << QByteArray("{\\rtf1 a\\'-1b}") << QStringLiteral("ab");
    QTest::newRow("leading blank") << QByteArray("{\\rtf1 a\\' fb}") << QStringLiteral("ab");
    QTest::newRow("second escape of a pair")
        << QByteArray("{\\rtf1\\ansicpg932 a\\'82\\'zzb}") << QStringLiteral("ab");
    QTest::newRow("input ends after the apostrophe") << QByteArray("{\\rtf1 a}\\'")
                                                     << QStringLiteral("a");
    QTest::newRow("input ends after one digit") << QByteArray("{\\rtf1 a}\\'e")
                                                << QStringLiteral("a");
    // The brace still closes its group: \uc0 does not outlive it.
    QTest::newRow("closing brace is not a digit")
        << QByteArray("{\\rtf1 {\\uc0 a\\'}\\u8212?}") << QStringLiteral("a\u2014");
}

void tst_TextDecoding::malformedEscapes()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    const ImportResult result = importRtf(rtf);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.startsWith(
                 QLatin1String("Invalid control word parameter encountered. RTF file position: ")),
             qPrintable(result.error));
    QCOMPARE(firstBlockText(result), text);
}

void tst_TextDecoding::pathologicalInputsFinish_data()
{
    QTest::addColumn<QByteArray>("rtf");

    QTest::newRow("largest skip count at the end") << QByteArray("{\\rtf1\\uc2147483647\\u1");
    QTest::newRow("smallest skip count") << QByteArray("{\\rtf1\\uc-2147483648\\u-2147483648}");
    QTest::newRow("parameter past 32 bits") << QByteArray("{\\rtf1\\u99999999999999999999 x}");
    QTest::newRow("lone backslash while skipping") << QByteArray("{\\rtf1\\uc5\\u1 ab\\");
    QTest::newRow("apostrophe at the end") << QByteArray("{\\rtf1\\'");
    QTest::newRow("lead byte at the end") << QByteArray("{\\rtf1\\ansicpg932\\'82\\'");
    QTest::newRow("control word at the end while skipping") << QByteArray("{\\rtf1\\u1\\par");
    QTest::newRow("escape at the end while skipping") << QByteArray("{\\rtf1\\uc3\\u1\\'");
    QTest::newRow("many Unicode characters")
        << QByteArray("{\\rtf1 ") + QByteArray("\\u8212\\'97").repeated(20000) + "}";
    QTest::newRow("long skip over a large group")
        << QByteArray("{\\rtf1\\uc2147483647\\u1 ") + QByteArray("x\\'41\\b ").repeated(50000)
               + "}";
}

void tst_TextDecoding::pathologicalInputsFinish()
{
    QFETCH(QByteArray, rtf);
    const ImportResult result = importRtf(rtf);
    QVERIFY(result.document);
}

QMK_TEST_MAIN(tst_TextDecoding)
#include "tst_textdecoding.moc"
