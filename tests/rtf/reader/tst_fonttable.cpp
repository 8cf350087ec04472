#include "support/testsupport.h"

#include "rtf/reader/qmktextrtfreader_p.h"

#include <QBuffer>

namespace {

// An import whose reader stays alive, so that its font table can be looked at.
struct FontTableImport
{
    explicit FontTableImport(const QByteArray &rtf)
        : bytes(rtf), buffer(&bytes), reader(&buffer)
    {
        buffer.open(QIODevice::ReadOnly);
        ok = reader.read(&document, false);
    }

    // Entries are resolved when text first selects them; here, when the test asks.
    QFont font(int fontNumber)
    {
        QFont resolved;
        reader.tableFont(fontNumber, &resolved);
        return resolved;
    }
    QString family(int fontNumber) { return font(fontNumber).family(); }
    QList<int> numbers() const { return reader.fontTable.keys(); }

    QByteArray bytes;
    QBuffer buffer;
    QMKTextRtfReaderPrivate reader;
    QTextDocument document;
    bool ok = false;
};

using FontFamilies = QMap<int, QString>;
using FontCodePages = QMap<int, int>;

QString fragmentFamily(const QTextDocument &document, int n)
{
    return fragment(block(document, 0), n).charFormat().fontFamily();
}

// A font table as Word writes it: \fbidi before the family kind, \panose groups, alternative
// names in \falt groups, escaped names in the font's own character set.
const QByteArray wordFontTable =
    "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0\\stshfdbch11\\stshfloch0"
    "\\deflang1033\\deflangfe1041{\\fonttbl"
    "{\\f0\\fbidi \\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}\r\n"
    "{\\f1\\fbidi \\fswiss\\fcharset0\\fprq2{\\*\\panose 020b0604020202020204}Liberation Sans;}\r\n"
    "{\\f2\\fbidi \\fmodern\\fcharset0\\fprq1{\\*\\panose 02070309020205020404}Liberation Mono;}\r\n"
    "{\\f11\\fbidi \\fmodern\\fcharset128\\fprq1{\\*\\panose 02020609040205080304}MS Mincho"
    "{\\*\\falt \\'82\\'6c\\'82\\'72 \\'96\\'be\\'92\\'a9};}\r\n"
    "{\\f13\\fbidi \\fnil\\fcharset134\\fprq2{\\*\\panose 02010600030101010101}SimSun"
    "{\\*\\falt \\'cb\\'ce\\'cc\\'e5};}\r\n"
    "{\\f40\\fbidi \\froman\\fcharset204\\fprq2 Times New Roman Cyr;}\r\n"
    "{\\f41\\fbidi \\froman\\fcharset161\\fprq2 Times New Roman Greek;}}\r\n"
    "\\pard\\plain \\ltrpar\\ql \\f40 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 \\f41 \\'e3\\'e5\\'e9\\'e1 "
    "\\loch\\af11\\hich\\af11\\dbch\\f11 \\'93\\'fa\\'96\\'7b \\f13 \\'d6\\'d0\\'ce\\'c4}";

} // namespace

class tst_FontTable : public QObject
{
    Q_OBJECT
private slots:
    void entries_data();
    void entries();
    void codePageMap_data();
    void codePageMap();
    void selection_data();
    void selection();
    void unknownFontNumberChangesNothing();
    void fixedPitch_data();
    void fixedPitch();
    void defaultFontOnPlainFormat();
    void endOfTableResetsFontNumber();
    void plainRestoresCodePage_data();
    void plainRestoresCodePage();
    void wordFontTableEntries();
    void wordFontTableText();
};

void tst_FontTable::entries_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<FontFamilies>("families");

    QTest::newRow("one group per entry")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\froman DejaVu Serif;}{\\f1\\fswiss DejaVu Sans;}}}")
        << FontFamilies{{0, QStringLiteral("DejaVu Serif")}, {1, QStringLiteral("DejaVu Sans")}};
    QTest::newRow("no group per entry")
        << QByteArray("{\\rtf1{\\fonttbl\\f0\\fswiss DejaVu Sans;\\f1\\froman Liberation Serif;}}")
        << FontFamilies{{0, QStringLiteral("DejaVu Sans")},
                        {1, QStringLiteral("Liberation Serif")}};
    QTest::newRow("blanks between entries")
        << QByteArray("{\\rtf1{\\fonttbl {\\f0 DejaVu Sans;} {\\f1 DejaVu Serif;} }}")
        << FontFamilies{{0, QStringLiteral("DejaVu Sans")}, {1, QStringLiteral("DejaVu Serif")}};
    QTest::newRow("installed name replaces its alternative")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Liberation Serif{\\*\\falt Times New Roman};}}}")
        << FontFamilies{{0, QStringLiteral("Liberation Serif")}};
    QTest::newRow("alternative kept when the name is not installed")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Nowhere Sans{\\*\\falt DejaVu Sans};}}}")
        << FontFamilies{{0, QStringLiteral("DejaVu Sans")}};
    QTest::newRow("name trimmed before the semicolon goes")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 DejaVu Sans;  }}}")
        << FontFamilies{{0, QStringLiteral("DejaVu Sans")}};
    QTest::newRow("panose group is skipped")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset0\\fprq2"
                      "{\\*\\panose 020b0604020202020204}DejaVu Sans;}}}")
        << FontFamilies{{0, QStringLiteral("DejaVu Sans")}};
    QTest::newRow("name not installed is kept for the number")
        << QByteArray("{\\rtf1{\\fonttbl{\\f3 Nowhere Sans;}}}")
        << FontFamilies{{3, QStringLiteral("Nowhere Sans")}};
    QTest::newRow("uninstalled duplicate keeps the first")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 DejaVu Sans;}{\\f0 Nowhere Sans;}}}")
        << FontFamilies{{0, QStringLiteral("DejaVu Sans")}};
    QTest::newRow("installed duplicate replaces")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Nowhere Sans;}{\\f0 DejaVu Serif;}}}")
        << FontFamilies{{0, QStringLiteral("DejaVu Serif")}};
    QTest::newRow("a second table adds to the first")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 DejaVu Sans;}}{\\fonttbl{\\f1 DejaVu Serif;}}}")
        << FontFamilies{{0, QStringLiteral("DejaVu Sans")}, {1, QStringLiteral("DejaVu Serif")}};
    QTest::newRow("escaped name decodes in its character set")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}}")
        << FontFamilies{{1, QStringLiteral("\u5B8B\u4F53")}};
    QTest::newRow("negative font number")
        << QByteArray("{\\rtf1{\\fonttbl{\\f-2 DejaVu Sans;}}}")
        << FontFamilies{{-2, QStringLiteral("DejaVu Sans")}};
}

void tst_FontTable::entries()
{
    QFETCH(QByteArray, rtf);
    QFETCH(FontFamilies, families);

    FontTableImport import(rtf);
    QVERIFY(import.ok);
    QCOMPARE(import.numbers(), families.keys());
    for (auto it = families.cbegin(); it != families.cend(); ++it)
        QCOMPARE(import.family(it.key()), it.value());
}

void tst_FontTable::codePageMap_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<FontCodePages>("codePages");

    QTest::newRow("character sets")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset0 A;}{\\f1\\fcharset204 B;}"
                      "{\\f2\\fcharset128 C;}{\\f3 D;}}}")
        << FontCodePages{{0, 1252}, {1, 1251}, {2, 932}};
    QTest::newRow("cpg names the page itself")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\cpg1253 A;}}}") << FontCodePages{{0, 1253}};
    QTest::newRow("cpg after fcharset wins")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fcharset204\\cpg1250 A;}}}")
        << FontCodePages{{0, 1250}};
    QTest::newRow("outside the font table nothing changes")
        << QByteArray("{\\rtf1\\fcharset204\\cpg1253 x}") << FontCodePages{};
}

void tst_FontTable::codePageMap()
{
    QFETCH(QByteArray, rtf);
    QFETCH(FontCodePages, codePages);

    FontTableImport import(rtf);
    QVERIFY(import.ok);
    QCOMPARE(import.reader.fontCodePages, codePages);
}

void tst_FontTable::selection_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fragmentFamilies");

    const QByteArray table = "{\\rtf1{\\fonttbl{\\f0 DejaVu Sans;}{\\f1\\fcharset204 DejaVu Serif;}}";
    QTest::newRow("font's code page decodes its escapes")
        << table + "\\f1 \\'e9\\f0 \\'e9}" << QStringLiteral("\u0439\u00E9")
        << QStringList{QStringLiteral("DejaVu Serif"), QStringLiteral("DejaVu Sans")};
    QTest::newRow("code page ends with the group")
        << table + "{\\f1 \\'e9}\\'e9}" << QStringLiteral("\u0439\u00E9")
        << QStringList{QStringLiteral("DejaVu Serif"), QString()};
    QTest::newRow("symbol font bytes sit in the private use area")
        << QByteArray("{\\rtf1{\\fonttbl{\\f2\\ftech\\fcharset2 Symbol;}}\\f2 \\'b7}")
        << QStringLiteral("\uF0B7") << QStringList{QStringLiteral("Symbol")};
    QTest::newRow("Mac Roman font")
        << QByteArray("{\\rtf1{\\fonttbl{\\f3\\fcharset77 DejaVu Sans;}}\\f3 \\'8e}")
        << QStringLiteral("\u00E9") << QStringList{QStringLiteral("DejaVu Sans")};
    QTest::newRow("OEM font")
        << QByteArray("{\\rtf1{\\fonttbl{\\f4\\fcharset255 DejaVu Sans;}}\\f4 \\'9b}")
        << QStringLiteral("\u00F8") << QStringList{QStringLiteral("DejaVu Sans")};
    QTest::newRow("font without a page uses the document's")
        << QByteArray("{\\rtf1\\ansicpg1253{\\fonttbl{\\f0 DejaVu Sans;}}\\f0 \\'e1}")
        << QStringLiteral("\u03B1") << QStringList{QStringLiteral("DejaVu Sans")};
    // Entries are resolved when first selected: a later table's entry must still count.
    QTest::newRow("later table replaces a font already used")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 DejaVu Sans;}}\\f0 a{\\fonttbl{\\f0 DejaVu Serif;}}"
                      "\\f0 b}")
        << QStringLiteral("ab")
        << QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif")};
    QTest::newRow("later table replaces a font selected from the same format")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 DejaVu Sans;}}{\\f0 a}{\\fonttbl{\\f0 DejaVu Serif;}}"
                      "\\f0 b}")
        << QStringLiteral("ab")
        << QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif")};
    QTest::newRow("font selected before its table")
        << QByteArray("{\\rtf1\\f5 a{\\fonttbl{\\f5 DejaVu Serif;}}\\f5 b}") << QStringLiteral("ab")
        << QStringList{QString(), QStringLiteral("DejaVu Serif")};
}

void tst_FontTable::selection()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QStringList, fragmentFamilies);

    const ImportResult result = importRtf(rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(block(*result.document, 0).text(), text);
    for (int i = 0; i < fragmentFamilies.size(); ++i)
        QCOMPARE(fragmentFamily(*result.document, i), fragmentFamilies.at(i));
}

void tst_FontTable::unknownFontNumberChangesNothing()
{
    const ImportResult result = importRtf(
        "{\\rtf1{\\fonttbl{\\f1\\fcharset204 DejaVu Serif;}}\\f1 a\\f7 \\'e9}");
    QVERIFY(result.ok);
    QCOMPARE(block(*result.document, 0).text(), QStringLiteral("a\u0439"));
    const QTextBlock first = block(*result.document, 0);
    QCOMPARE(first.begin().fragment().charFormat().fontFamily(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(fragment(first, 1).isValid(), false);
}

void tst_FontTable::fixedPitch_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QVariant>("fixedPitch");

    QTest::newRow("fprq1 is fixed") << QByteArray("{\\rtf1\\fprq1 x}") << QVariant(true);
    QTest::newRow("fprq2 is variable") << QByteArray("{\\rtf1\\fprq2 x}") << QVariant(false);
    QTest::newRow("fprq0 clears") << QByteArray("{\\rtf1\\fprq1\\fprq0 x}") << QVariant();
    QTest::newRow("font table entry with fprq1")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fmodern\\fprq1 Liberation Mono;}}\\f0 x}")
        << QVariant(true);
    QTest::newRow("font table entry with fprq2")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss\\fprq2 Liberation Sans;}}\\f0 x}")
        << QVariant(false);
}

void tst_FontTable::fixedPitch()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QVariant, fixedPitch);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    const QTextCharFormat format = fragment(block(*result.document, 0), 0).charFormat();
    QCOMPARE(format.property(QTextFormat::FontFixedPitch), fixedPitch);
}

void tst_FontTable::defaultFontOnPlainFormat()
{
    FontTableImport import(
        "{\\rtf1\\deff1{\\fonttbl{\\f0 DejaVu Sans;}{\\f1\\fmodern\\fprq1 Liberation Mono-Bold;}}}");
    QVERIFY(import.ok);
    const QTextCharFormat &plain = import.reader.plainCharFormat;
    QCOMPARE(plain.fontFamily(), QStringLiteral("Liberation Mono"));
    QCOMPARE(plain.fontWeight(), int(QFont::Bold));
    QCOMPARE(plain.fontFixedPitch(), true);
}

void tst_FontTable::endOfTableResetsFontNumber()
{
    const FontTableImport withGroups("{\\rtf1{\\fonttbl{\\f3 DejaVu Sans;}{\\f4 DejaVu Serif;}}}");
    QCOMPARE(withGroups.reader.currentFontNumber, 0);
    FontTableImport flat("{\\rtf1{\\fonttbl\\f3 DejaVu Sans;\\f4 DejaVu Serif;}}");
    QCOMPARE(flat.reader.currentFontNumber, 0);
    QCOMPARE(flat.family(4), QStringLiteral("DejaVu Serif"));
}

void tst_FontTable::plainRestoresCodePage_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("default font without a page: the document's")
        << QByteArray("{\\rtf1\\ansicpg1251{\\fonttbl{\\f0 DejaVu Sans;}"
                      "{\\f1\\fcharset238 DejaVu Serif;}}\\f1 \\'9a\\plain \\'e9}")
        << QStringLiteral("\u0161\u0439");
    // Regression: \plain went back to the document's page although the default font has its
    // own (expected U+0439, was U+00E9).
    QTest::newRow("default font with a page: the font's")
        << QByteArray("{\\rtf1\\ansicpg1252\\deff1{\\fonttbl{\\f0 DejaVu Sans;}"
                      "{\\f1\\fcharset204 DejaVu Serif;}}\\f0 \\'e9\\plain \\'e9}")
        << QStringLiteral("\u00E9\u0439");
}

void tst_FontTable::plainRestoresCodePage()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);

    const ImportResult result = importRtf(rtf);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(block(*result.document, 0).text(), text);
}

void tst_FontTable::wordFontTableEntries()
{
    FontTableImport import(wordFontTable);
    QVERIFY(import.ok);
    QCOMPARE(import.numbers(), (QList<int>{0, 1, 2, 11, 13, 40, 41}));
    QCOMPARE(import.family(0), QStringLiteral("Times New Roman"));
    QCOMPARE(import.family(1), QStringLiteral("Liberation Sans"));
    QCOMPARE(import.family(2), QStringLiteral("Liberation Mono"));
    QVERIFY(import.font(2).fixedPitch());
    QVERIFY(!import.font(1).fixedPitch());
    // Neither name is installed: the alternative, read first, stays.
    QCOMPARE(import.family(11), QStringLiteral("\uFF2D\uFF33 \u660E\u671D"));
    QCOMPARE(import.family(13), QStringLiteral("\u5B8B\u4F53"));
    QCOMPARE(import.family(40), QStringLiteral("Times New Roman Cyr"));
    QCOMPARE(import.reader.fontCodePages,
             (QMap<int, int>{{0, 1252}, {1, 1252}, {2, 1252}, {11, 932}, {13, 936},
                             {40, 1251}, {41, 1253}}));
    QCOMPARE(import.reader.plainCharFormat.fontFamily(), QStringLiteral("Times New Roman"));
}

void tst_FontTable::wordFontTableText()
{
    const ImportResult result = importRtf(wordFontTable);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(block(*result.document, 0).text(),
             QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442 \u03B3\u03B5\u03B9\u03B1 "
                            "\u65E5\u672C \u4E2D\u6587"));
    QCOMPARE(fragmentFamily(*result.document, 0), QStringLiteral("Times New Roman Cyr"));
    QCOMPARE(fragmentFamily(*result.document, 1), QStringLiteral("Times New Roman Greek"));
    QCOMPARE(fragmentFamily(*result.document, 2), QStringLiteral("\uFF2D\uFF33 \u660E\u671D"));
    QCOMPARE(fragmentFamily(*result.document, 3), QStringLiteral("\u5B8B\u4F53"));
}

QMK_TEST_MAIN(tst_FontTable)
#include "tst_fonttable.moc"
