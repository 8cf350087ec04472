#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "qmkunits.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <QBuffer>

using Properties = QMap<int, QVariant>; // an invalid value: the property must be absent

class tst_Stylesheet : public QObject
{
    Q_OBJECT
private slots:
    void styleUse_data();
    void styleUse();
    void styleEntries_data();
    void styleEntries();
    void styleIdentifiers();
    void bodyKeepsItsStateAfterTheStylesheet_data();
    void bodyKeepsItsStateAfterTheStylesheet();
    void manyStyles();
    void wordDocument();
};

namespace {

// The styles an import read, by key, through the reader's own state.
struct ReadStyles
{
    QMap<QString, QMKTextStyle> byKey;
    int count = 0;
};

ReadStyles readStyles(const QByteArray &rtf)
{
    QByteArray bytes = rtf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QTextDocument document;
    QMKTextRtfReaderPrivate reader(&buffer);
    reader.read(&document, false);
    ReadStyles result;
    for (auto it = reader.styleKeys.cbegin(); it != reader.styleKeys.cend(); ++it)
        result.byKey.insert(it.key(), reader.styles.at(it.value()));
    result.count = reader.styles.size();
    return result;
}

QByteArray withStylesheet(const QByteArray &entries, const QByteArray &body)
{
    return "{\\rtf1{\\stylesheet" + entries + "}" + body + "}";
}

// Tab stops as a list; QVariant compares them byte for byte, padding included.
QList<QTextOption::Tab> tabsOf(const QVariant &value)
{
    QTextBlockFormat format;
    format.setProperty(QTextFormat::TabPositions, value);
    return format.tabPositions();
}

void compareProperties(const QTextFormat &format, const Properties &expected)
{
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (it.key() == QTextFormat::TabPositions)
            QCOMPARE(tabsOf(format.property(it.key())), tabsOf(it.value()));
        else
            QCOMPARE(format.property(it.key()), it.value());
    }
}

} // namespace

void tst_Stylesheet::styleUse_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<Properties>("blockProperties");
    QTest::addColumn<Properties>("charProperties");

    const int align = QTextFormat::BlockAlignment;
    const int weight = QTextFormat::FontWeight;
    const int italic = QTextFormat::FontItalic;
    const int heading = QTextFormat::HeadingLevel;
    const QVariant centred = int(Qt::AlignHCenter);
    const QVariant bold = int(QFont::Bold);
    const QVariant none;

    QTest::newRow("both formats of the style")
        << withStylesheet("{\\s1\\qc\\b Title;}", "\\pard\\s1 Body")
        << Properties{{align, centred}} << Properties{{weight, bold}};
    QTest::newRow("keywords after \\s change the style's formats")
        << withStylesheet("{\\s1\\qc\\b Title;}", "\\pard\\s1\\qr\\i Body")
        << Properties{{align, int(Qt::AlignRight)}} << Properties{{weight, bold}, {italic, true}};
    QTest::newRow("the style replaces what came before it")
        << withStylesheet("{\\s1\\qc\\b Title;}", "\\pard\\sb240\\i\\s1 Body")
        << Properties{{align, centred}, {QTextFormat::BlockTopMargin, none}}
        << Properties{{weight, bold}, {italic, none}};
    QTest::newRow("a paragraph style without character properties keeps the character format")
        << withStylesheet("{\\s1\\qc Title;}", "\\pard\\i\\s1 Body")
        << Properties{{align, centred}} << Properties{{italic, true}};
    QTest::newRow("a name without formatting makes no style")
        << withStylesheet("{\\s1 Plain;}", "\\pard\\qr\\b\\s1 Body")
        << Properties{{align, int(Qt::AlignRight)}} << Properties{{weight, bold}};
    QTest::newRow("an entry without \\s makes no style")
        << withStylesheet("{\\qc\\b Normal;}", "\\pard\\s0 Body")
        << Properties{{align, none}} << Properties{{weight, none}};
    QTest::newRow("an entry without a name makes no style")
        << withStylesheet("{\\s1\\qc;}", "\\pard\\s1 Body") << Properties{{align, none}}
        << Properties{};
    QTest::newRow("an unknown style number changes nothing")
        << withStylesheet("{\\s1\\qc Title;}", "\\pard\\s2 Body") << Properties{{align, none}}
        << Properties{};
    QTest::newRow("\\cs in the body leaves the character format")
        << withStylesheet("{\\*\\cs10\\b Strong;}", "\\pard\\cs10 Body") << Properties{}
        << Properties{{weight, none}};
    QTest::newRow("\\cs numbers are not \\s numbers")
        << withStylesheet("{\\*\\cs1\\b\\qc Strong;}", "\\pard\\s1 Body")
        << Properties{{align, none}} << Properties{{weight, none}};
    QTest::newRow("\\outlinelevel makes a heading style")
        << withStylesheet("{\\s2\\outlinelevel2 heading 2;}", "\\pard\\s2 Body")
        << Properties{{heading, 2}, {QMKFormatProperty::OutlineLevel, none}} << Properties{};
    QTest::newRow("\\outlinelevel0 in an entry sets no level")
        << withStylesheet("{\\s1\\outlinelevel0\\qc heading 1;}", "\\pard\\s1 Body")
        << Properties{{heading, none}, {align, centred}} << Properties{};
    QTest::newRow("a later entry with the same number wins")
        << withStylesheet("{\\s1\\qc First;}{\\s1\\qr Second;}", "\\pard\\s1 Body")
        << Properties{{align, int(Qt::AlignRight)}} << Properties{};
    QTest::newRow("largest style number")
        << withStylesheet("{\\s2147483647\\qc Last;}", "\\pard\\s2147483647 Body")
        << Properties{{align, centred}} << Properties{};
    QTest::newRow("negative style number")
        << withStylesheet("{\\s-3\\qc Odd;}", "\\pard\\s-3 Body") << Properties{{align, centred}}
        << Properties{};
    // Was: the keycode group ended the entry before its name, and the style was lost.
    QTest::newRow("a group inside an entry does not end it")
        << withStylesheet("{\\s1\\qc{\\*\\keycode \\shift\\ctrl n}\\b Title;}", "\\pard\\s1 Body")
        << Properties{{align, centred}} << Properties{{weight, bold}};
    QTest::newRow("an entry after a skipped table style")
        << withStylesheet("{\\*\\ts11\\tsrowd\\qj Normal Table;}{\\s1\\qc Title;}",
                          "\\pard\\s1 Body")
        << Properties{{align, centred}} << Properties{};
    const int size = QTextFormat::FontPointSize;
    QTest::newRow("a style takes the formats of the unnumbered Normal style it is based on")
        << withStylesheet("{\\fs20 Normal;}{\\s1\\qc\\sbasedon0 Title;}", "\\pard\\s1 Body")
        << Properties{{align, centred}} << Properties{{size, 10.0}};
    QTest::newRow("a style's own formats win over its base's")
        << withStylesheet("{\\s1\\b\\fs20 A;}{\\s2\\fs28\\sbasedon1 B;}", "\\pard\\s2 Body")
        << Properties{} << Properties{{weight, bold}, {size, 14.0}};
    QTest::newRow("a base defined after the style, through two steps")
        << withStylesheet("{\\s3\\qc\\sbasedon2 C;}{\\s2\\i\\sbasedon1 B;}{\\s1\\b A;}",
                          "\\pard\\s3 Body")
        << Properties{{align, centred}} << Properties{{weight, bold}, {italic, true}};
    QTest::newRow("a cycle of bases is broken")
        << withStylesheet("{\\s1\\qc\\sbasedon2 A;}{\\s2\\b\\sbasedon1 B;}", "\\pard\\s1 Body")
        << Properties{{align, centred}} << Properties{{weight, bold}};
    QByteArray chain;
    for (int i = 1; i <= 5000; ++i)
        chain += "{\\s" + QByteArray::number(i) + "\\qc\\sbasedon" + QByteArray::number(i + 1) + " S;}";
    QTest::newRow("5,000 styles in one chain of bases")
        << withStylesheet(chain.constData(), "\\pard\\s1 Body") << Properties{{align, centred}}
        << Properties{};
    QTest::newRow("entries without groups: the stylesheet's end ends the last")
        << withStylesheet("\\s1\\qc Title;", "\\pard\\s1 Body") << Properties{{align, centred}}
        << Properties{};
}

void tst_Stylesheet::styleUse()
{
    QFETCH(QByteArray, rtf);
    QFETCH(Properties, blockProperties);
    QFETCH(Properties, charProperties);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    QCOMPARE(result.text(), QStringLiteral("Body"));
    compareProperties(block(*result.document, 0).blockFormat(), blockProperties);
    compareProperties(formatOf(*result.document, QStringLiteral("Body")), charProperties);
}

void tst_Stylesheet::styleEntries_data()
{
    QTest::addColumn<QByteArray>("entries");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");  // empty: no style under the key
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("hasBlockFormat");

    QTest::newRow("paragraph style") << QByteArray("{\\s1\\qc\\b Title;}") << "s1" << "Title"
                                     << 3 << true;
    QTest::newRow("paragraph style without character properties")
        << QByteArray("{\\s1\\qc Title;}") << "s1" << "Title" << 2 << true;
    QTest::newRow("character style keeps no paragraph properties")
        << QByteArray("{\\*\\cs10\\qc\\b Strong;}") << "cs10" << "Strong" << 1 << false;
    QTest::newRow("unknown words are ignored")
        << QByteArray("{\\s1\\qc\\sbasedon0\\snext1\\sqformat Title;}") << "s1" << "Title" << 2
        << true;
    QTest::newRow("name split by groups") << QByteArray("{\\s1\\qc Ti{tle};}") << "s1"
                                          << "Title" << 2 << true;
    QTest::newRow("text of a skipped group is not the name")
        << QByteArray("{\\s1\\qc{\\*\\keycode \\shift x}Title;}") << "s1" << "Title" << 2 << true;
    QTest::newRow("semicolons are not the name") << QByteArray("{\\s1\\qc A;B;}") << "s1"
                                                 << "AB" << 2 << true;
    QTest::newRow("no name: no style") << QByteArray("{\\s1\\qc;}") << "s1" << "" << 0 << false;
    QTest::newRow("no formatting: no style") << QByteArray("{\\s1 Plain;}") << "s1" << "" << 0
                                             << false;
}

void tst_Stylesheet::styleEntries()
{
    QFETCH(QByteArray, entries);
    QFETCH(QString, key);
    QFETCH(QString, name);
    QFETCH(int, flags);
    QFETCH(bool, hasBlockFormat);

    const ReadStyles styles = readStyles(withStylesheet(entries, "x"));
    if (name.isEmpty()) {
        QCOMPARE(styles.count, 0);
        return;
    }
    QCOMPARE(styles.count, 1);
    const QMKTextStyle style = styles.byKey.value(key);
    QCOMPARE(style.name(), name);
    QCOMPARE(style.flags(), flags);
    QCOMPARE(!style.blockFormat().properties().isEmpty(), hasBlockFormat);
    QVERIFY(style.isValid());
}

void tst_Stylesheet::styleIdentifiers()
{
    const ReadStyles styles =
        readStyles(withStylesheet("{\\s1\\qc A;}{\\s2\\qr B;}{\\s1\\qj C;}", "x"));
    QCOMPARE(styles.count, 3);
    QCOMPARE(styles.byKey.size(), 2);
    const QUuid first = styles.byKey.value(QStringLiteral("s1")).identifier();
    const QUuid second = styles.byKey.value(QStringLiteral("s2")).identifier();
    QVERIFY(!first.isNull());
    QVERIFY(!second.isNull());
    QVERIFY(first != second);
    QCOMPARE(styles.byKey.value(QStringLiteral("s1")).name(), QStringLiteral("C"));
}

void tst_Stylesheet::bodyKeepsItsStateAfterTheStylesheet_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<Properties>("blockProperties");
    QTest::addColumn<Properties>("charProperties");

    const QVariant none;
    // Was: the last entry's paragraph format held for the body until its first \pard.
    QTest::newRow("paragraph format")
        << QByteArray("{\\rtf1\\qj{\\stylesheet{\\s1\\qc\\b Title;}}Body}")
        << Properties{{QTextFormat::BlockAlignment, int(Qt::AlignJustify)}}
        << Properties{{QTextFormat::FontWeight, none}};
    QTest::newRow("no paragraph format")
        << QByteArray("{\\rtf1{\\stylesheet{\\s1\\li720\\sb240 Title;}}Body}")
        << Properties{{QMKFormatProperty::HeadIndent, none}, {QTextFormat::BlockTopMargin, none}}
        << Properties{};
    QTest::newRow("entries without groups")
        << QByteArray("{\\rtf1\\i{\\stylesheet\\s1\\qc\\b Title;}Body}")
        << Properties{{QTextFormat::BlockAlignment, none}}
        << Properties{{QTextFormat::FontWeight, none}, {QTextFormat::FontItalic, true}};
    QTest::newRow("a tab kind without its tab stop")
        << QByteArray("{\\rtf1{\\stylesheet{\\s1\\tqr\\qc Title;}}\\tx720 Body}")
        << Properties{{QTextFormat::TabPositions,
                       QVariant::fromValue(QList<QVariant>{QVariant::fromValue(
                           QTextOption::Tab(twipsToPixels(720), QTextOption::LeftTab))})}}
        << Properties{};
}

void tst_Stylesheet::bodyKeepsItsStateAfterTheStylesheet()
{
    QFETCH(QByteArray, rtf);
    QFETCH(Properties, blockProperties);
    QFETCH(Properties, charProperties);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    compareProperties(block(*result.document, 0).blockFormat(), blockProperties);
    compareProperties(formatOf(*result.document, QStringLiteral("Body")), charProperties);
}

// Style numbers are keys, not indexes: many entries and many uses stay cheap.
void tst_Stylesheet::manyStyles()
{
    QByteArray entries;
    QByteArray body;
    const int count = 20000;
    for (int i = 0; i < count; ++i) {
        const QByteArray number = QByteArray::number(i * 100000);
        entries += "{\\s" + number + (i % 2 ? "\\qc" : "\\qr") + " S" + number + ";}";
        body += "\\pard\\s" + number + " p\\par";
    }
    const ImportResult result = importRtf(withStylesheet(entries, body));
    QVERIFY(result.ok);
    QCOMPARE(block(*result.document, count - 1).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(block(*result.document, count - 2).blockFormat().alignment(), Qt::AlignRight);
}

// Word's stylesheet: a default entry without \s, skipped table styles, character styles and
// keycodes; the body repeats each paragraph's formatting after \s.
void tst_Stylesheet::wordDocument()
{
    const ImportResult result = importRtf(
        "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0\\stshfdbch0\\deflang1033"
        "{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}"
        "Times New Roman;}{\\f1\\fswiss\\fcharset0\\fprq2 Arial;}}\n"
        "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\n"
        "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto"
        "\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af0\\afs24\\alang1025 \\ltrch\\fcs0 "
        "\\fs24\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033 \\snext0 \\qformat "
        "Normal;}\n"
        "{\\s1\\qc \\li0\\ri0\\sb240\\sa60\\keepn\\widctlpar\\wrapdefault\\aspalpha\\aspnum"
        "\\faauto\\outlinelevel1\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\ab\\af1\\afs32"
        "\\alang1025 \\ltrch\\fcs0 \\b\\f1\\fs32\\lang1033\\langfe1033\\kerning32\\cgrid"
        "\\langnp1033\\langfenp1033 \\sbasedon0 \\snext0 \\slink15 \\qformat "
        "{\\*\\keycode \\shift\\ctrl 1}heading 1;}\n"
        "{\\*\\cs10 \\additive \\ssemihidden Default Paragraph Font;}\n"
        "{\\*\\ts11\\tsrowd\\trftsWidthB3\\trpaddl108\\trpaddr108\\trpaddfl3\\trpaddft3"
        "\\trpaddfb3\\trpaddfr3\\tblind0\\tblindtype3\\tscellwidthfts0\\tsvertalt\\tsbrdrt"
        "\\tsbrdrl\\tsbrdrb\\tsbrdrr\\tsbrdrdgl\\tsbrdrdgr\\tsbrdrh\\tsbrdrv \\ql \\li0\\ri0"
        "\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 "
        "\\rtlch\\fcs1 \\af0\\afs20 \\ltrch\\fcs0 \\fs20\\lang1024\\langfe1024\\cgrid\\langnp1024"
        "\\langfenp1024 \\snext11 \\ssemihidden \\sunhideused Normal Table;}\n"
        "{\\*\\cs15 \\additive \\rtlch\\fcs1 \\ul\\af0 \\ltrch\\fcs0 \\ul\\cf2 \\sbasedon10 "
        "\\styrsid2101 Hyperlink;}}\n"
        "{\\*\\rsidtbl \\rsid2101}\\paperw12240\\paperh15840\\margl1800\\margr1800\\margt1440"
        "\\margb1440 \\widowctrl\\ftnbj\\aenddoc\\formshade\\sectd \\linex0\\endnhere"
        "\\sectdefaultcl\\sftnbj\n"
        "\\pard\\plain \\ltrpar\\s1\\qc \\li0\\ri0\\sb240\\sa60\\keepn\\widctlpar\\wrapdefault"
        "\\aspalpha\\aspnum\\faauto\\outlinelevel1\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 "
        "\\ab\\af1\\afs32\\alang1025 \\ltrch\\fcs0 \\b\\f1\\fs32\\lang1033\\langfe1033\\kerning32"
        "\\cgrid\\langnp1033\\langfenp1033 {\\rtlch\\fcs1 \\af1 \\ltrch\\fcs0 \\insrsid2101 "
        "Introduction}{\\rtlch\\fcs1 \\af1 \\ltrch\\fcs0 \\insrsid2101 \\par }\n"
        "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto"
        "\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af0\\afs24\\alang1025 \\ltrch\\fcs0 "
        "\\fs24\\lang1033\\langfe1033\\cgrid\\langnp1033\\langfenp1033 {\\rtlch\\fcs1 \\af0 "
        "\\ltrch\\fcs0 \\insrsid2101 See }{\\field{\\*\\fldinst {\\rtlch\\fcs1 \\af0 "
        "\\ltrch\\fcs0 \\insrsid2101  HYPERLINK \"http://www.example.com/\" }{\\rtlch\\fcs1 \\af0 "
        "\\ltrch\\fcs0 \\insrsid2101 {\\*\\datafield 00d0c9ea79f9bace118c8200aa004ba90b0200000003"
        "000000e0c9ea79f9bace118c8200aa004ba90b}}}{\\fldrslt {\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 "
        "\\cs15\\ul\\cf2\\insrsid2101 the example}}}\\sectd \\ltrsect\\linex0\\endnhere"
        "\\sectdefaultcl\\sftnbj {\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\insrsid2101  for details."
        "\\par }}");
    QVERIFY(result.ok);
    QCOMPARE(result.text(), QStringLiteral("Introduction\nSee the example for details.\n"));

    // \outlinelevel in the body is only kept; the heading level comes from the style.
    const QTextBlockFormat heading = block(*result.document, 0).blockFormat();
    QCOMPARE(heading.headingLevel(), 1);
    QCOMPARE(heading.alignment(), Qt::AlignHCenter);
    const QTextCharFormat title = formatOf(*result.document, QStringLiteral("Introduction"));
    QCOMPARE(title.fontWeight(), int(QFont::Bold));
    QCOMPARE(title.fontPointSize(), 16.0);
    QVERIFY(!title.isAnchor());

    const QTextBlockFormat body = block(*result.document, 1).blockFormat();
    QCOMPARE(body.alignment(), Qt::AlignLeft);
    QVERIFY(!body.hasProperty(QTextFormat::HeadingLevel));
    const QTextCharFormat link = formatOf(*result.document, QStringLiteral("the example"));
    QVERIFY(link.isAnchor());
    QCOMPARE(link.anchorHref(), QStringLiteral("http://www.example.com/"));
    QCOMPARE(link.fontUnderline(), true);
    QCOMPARE(fragment(block(*result.document, 1), 1).text(), QStringLiteral("the example"));
    for (const char *plain : {"See ", " for details."}) {
        const QTextCharFormat format = formatOf(*result.document, QLatin1String(plain));
        QVERIFY2(!format.isAnchor(), plain);
        QVERIFY2(!format.hasProperty(QTextFormat::AnchorHref), plain);
    }
}

QMK_TEST_MAIN(tst_Stylesheet)
#include "tst_stylesheet.moc"
