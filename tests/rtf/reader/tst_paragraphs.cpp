#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "qmkunits.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <limits>

using Properties = QMap<int, QVariant>; // an invalid value: the property must be absent

class tst_Paragraphs : public QObject
{
    Q_OBJECT
private slots:
    void blockFormats_data();
    void blockFormats();
    void zeroRightIndentIgnoredByOption();
    void indentsOfRightToLeftText_data();
    void indentsOfRightToLeftText();
    void tabStops_data();
    void tabStops();
    void breakCharacters_data();
    void breakCharacters();
    void outlineLevelInStylesheet();
    void notesKeepTheSurroundingFormat_data();
    void notesKeepTheSurroundingFormat();
    void wordParagraphs();
};

namespace {

constexpr int Largest = std::numeric_limits<int>::max();
constexpr int KeepWithNext = 0x20;

double px(int twips)
{
    return twipsToPixels(twips);
}

QTextBlockFormat blockFormat(const ImportResult &result, int n)
{
    return block(*result.document, n).blockFormat();
}

// Runs handlers on a reader without input, in states an import cannot reach yet.
struct Handlers
{
    QMKTextRtfReaderPrivate reader{nullptr};

    void run(RtfKeyword keyword, int parameter = 0)
    {
        reader.handleKeyword(keyword, true, parameter);
    }
};

} // namespace

void tst_Paragraphs::blockFormats_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("blockNumber");
    QTest::addColumn<Properties>("properties");

    const int align = QTextFormat::BlockAlignment;
    const int head = QMKFormatProperty::HeadIndent;
    const int firstLine = QTextFormat::TextIndent;
    const int tail = QMKFormatProperty::TailIndent;
    const int height = QTextFormat::LineHeight;
    const int heightType = QTextFormat::LineHeightType;
    const int spacing = QMKFormatProperty::LineSpacing;
    const int base = QMKFormatProperty::LineSpacingBase;
    const int breaks = QTextFormat::PageBreakPolicy;
    const int before = QTextFormat::PageBreak_AlwaysBefore;
    const int centred = Qt::AlignHCenter;
    const int fixed = QTextBlockFormat::FixedHeight;
    const int minimum = QTextBlockFormat::MinimumHeight;
    const int proportional = QTextBlockFormat::ProportionalHeight;
    const int single = QTextBlockFormat::SingleHeight;

    // The pending format reaches a block with its first content and holds until \pard.
    QTest::newRow("centred paragraph") << QByteArray("{\\rtf1\\pard\\qc one\\par two}") << 0
                                       << Properties{{align, centred}};
    QTest::newRow("alignment holds for the next paragraph")
        << QByteArray("{\\rtf1\\pard\\qc one\\par two}") << 1 << Properties{{align, centred}};
    QTest::newRow("alignment after text: not this paragraph")
        << QByteArray("{\\rtf1 one\\qc\\par two}") << 0 << Properties{{align, QVariant()}};
    QTest::newRow("alignment after text: the next one")
        << QByteArray("{\\rtf1 one\\qc\\par two}") << 1 << Properties{{align, centred}};
    QTest::newRow("\\pard resets") << QByteArray("{\\rtf1\\qc one\\par\\pard two}") << 1
                                   << Properties{{align, QVariant()}};
    QTest::newRow("a group's end does not reset") << QByteArray("{\\rtf1{\\qc one\\par}two}") << 1
                                                  << Properties{{align, centred}};
    QTest::newRow("empty paragraph takes the format at \\par")
        << QByteArray("{\\rtf1\\qj\\par x}") << 0 << Properties{{align, int(Qt::AlignJustify)}};
    // A paragraph separator in the text opens a block of its own, which takes the formats
    // the next delivery asks for like any empty block.
    QTest::newRow("block opened by a paragraph separator")
        << QByteArray("{\\rtf1 one\\u8233?\\qc two\\par}") << 1 << Properties{{align, centred}};
    QTest::newRow("block opened by a frame mark")
        << QByteArray("{\\rtf1 one\\u64976?\\qc two\\par}") << 1 << Properties{{align, centred}};
    QTest::newRow("block opened by a line feed")
        << QByteArray("{\\rtf1 one\\u10?\\qc two\\par}") << 1 << Properties{{align, centred}};

    QTest::newRow("hanging first line") << QByteArray("{\\rtf1\\li720\\fi-360 x}") << 0
                                        << Properties{{head, 48.0}, {firstLine, 24.0}};
    QTest::newRow("first-line indent before the left indent")
        << QByteArray("{\\rtf1\\fi-360\\li720 x}") << 0
        << Properties{{head, 48.0}, {firstLine, 24.0}};
    QTest::newRow("a later left indent keeps the first-line offset")
        << QByteArray("{\\rtf1\\li720\\fi-360\\li1440 x}") << 0
        << Properties{{head, 96.0}, {firstLine, 72.0}};
    QTest::newRow("no right indent: the text width")
        << QByteArray("{\\rtf1\\ri0 x}") << 0 << Properties{{tail, px(8640)}};
    QTest::newRow("right indent wider than the text: lines end at the left edge")
        << QByteArray("{\\rtf1\\ri20000 x}") << 0 << Properties{{tail, 0.0}};
    QTest::newRow("paper narrower than its margins")
        << QByteArray("{\\rtf1\\paperw1000\\ri0 x}") << 0 << Properties{{tail, px(1)}};
    QTest::newRow("smallest right indent") << QByteArray("{\\rtf1\\ri-2147483648 x}") << 0
                                           << Properties{{tail, px(Largest)}};

    QTest::newRow("space before and after") << QByteArray("{\\rtf1\\sb240\\sa120 x}") << 0
                                            << Properties{{QTextFormat::BlockTopMargin, 16.0},
                                                          {QTextFormat::BlockBottomMargin, 8.0}};
    QTest::newRow("right to left") << QByteArray("{\\rtf1\\rtlpar x}") << 0
                                   << Properties{{QTextFormat::LayoutDirection,
                                                  int(Qt::RightToLeft)}};
    QTest::newRow("outline level in the body")
        << QByteArray("{\\rtf1\\outlinelevel2 x}") << 0
        << Properties{{QMKFormatProperty::OutlineLevel, 2}, {QTextFormat::HeadingLevel, {}}};
    QTest::newRow("paragraph tab width") << QByteArray("{\\rtf1\\pardeftab360 x}") << 0
                                         << Properties{{QMKFormatProperty::DefaultTabWidth, 24.0}};

    QTest::newRow("single spacing") << QByteArray("{\\rtf1\\sl240\\slmult1 x}") << 0
                                    << Properties{{height, 0.0}, {heightType, single},
                                                  {spacing, 12.0}, {base, 12.0}};
    QTest::newRow("exactly 14 pt") << QByteArray("{\\rtf1\\sl-280\\slmult0 x}") << 0
                                   << Properties{{height, px(280)}, {heightType, fixed},
                                                 {spacing, -14.0}, {base, QVariant()}};
    QTest::newRow("at least 15 pt, without \\slmult") << QByteArray("{\\rtf1\\sl300 x}") << 0
                                                      << Properties{{height, px(300)},
                                                                    {heightType, minimum}};
    QTest::newRow("a multiple is never exact")
        << QByteArray("{\\rtf1\\sl-240\\slmult1 x}") << 0
        << Properties{{heightType, single}, {spacing, 12.0}, {base, 12.0}};
    QTest::newRow("\\slmult0 makes a multiple absolute")
        << QByteArray("{\\rtf1\\sl360\\slmult1\\slmult0 x}") << 0
        << Properties{{height, px(360)}, {heightType, minimum}, {base, QVariant()}};
    QTest::newRow("largest spacing as a multiple")
        << QByteArray("{\\rtf1\\sl2147483647\\slmult1 x}") << 0
        << Properties{{height, qRound64(100 * (Largest / 20.0)) / 1200.0 * 100},
                      {heightType, proportional}};

    QTest::newRow("page break: none before the break") << QByteArray("{\\rtf1 one\\page two}")
                                                       << 0 << Properties{{breaks, 0}};
    QTest::newRow("page break: before the next block") << QByteArray("{\\rtf1 one\\page two}")
                                                       << 1 << Properties{{breaks, before}};
    QTest::newRow("two page breaks: the empty page")
        << QByteArray("{\\rtf1 one\\page\\page three}") << 1 << Properties{{breaks, before}};
    QTest::newRow("two page breaks: the last page")
        << QByteArray("{\\rtf1 one\\page\\page three}") << 2 << Properties{{breaks, before}};
    QTest::newRow("break before") << QByteArray("{\\rtf1\\pagebb one}") << 0
                                  << Properties{{breaks, before}};
    QTest::newRow("keep with next, across a page break")
        << QByteArray("{\\rtf1\\keepn one\\page two}") << 1
        << Properties{{breaks, KeepWithNext | before}};
    QTest::newRow("\\keep has no effect") << QByteArray("{\\rtf1\\keep one}") << 0
                                          << Properties{{breaks, QVariant()}};
}

void tst_Paragraphs::blockFormats()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, blockNumber);
    QFETCH(Properties, properties);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    const QTextBlockFormat format = blockFormat(result, blockNumber);
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        QCOMPARE(format.property(it.key()), it.value());
}

void tst_Paragraphs::zeroRightIndentIgnoredByOption()
{
    ImportOptions options;
    options.ignoreZeroRightIndent = true;
    const ImportResult result = importRtf("{\\rtf1\\ri0 one\\par\\ri720 two}", options);
    QVERIFY(!blockFormat(result, 0).hasProperty(QMKFormatProperty::TailIndent));
    QCOMPARE(blockFormat(result, 1).doubleProperty(QMKFormatProperty::TailIndent), px(7920));
}

void tst_Paragraphs::indentsOfRightToLeftText_data()
{
    QTest::addColumn<int>("keyword");
    QTest::addColumn<bool>("rightToLeft");
    QTest::addColumn<QVariant>("headIndent");
    QTest::addColumn<QVariant>("tailIndent");

    QTest::newRow("leading indent, right to left: from the right")
        << int(KwLin) << true << QVariant() << QVariant(px(7920));
    QTest::newRow("leading indent, left to right: from the left")
        << int(KwLin) << false << QVariant(px(720)) << QVariant();
    QTest::newRow("trailing indent, right to left: from the left")
        << int(KwRin) << true << QVariant(px(720)) << QVariant();
    QTest::newRow("trailing indent, left to right: from the right")
        << int(KwRin) << false << QVariant() << QVariant(px(7920));
    QTest::newRow("right indent ignores the direction")
        << int(KwRi) << true << QVariant() << QVariant(px(7920));
}

void tst_Paragraphs::indentsOfRightToLeftText()
{
    QFETCH(int, keyword);
    QFETCH(bool, rightToLeft);
    QFETCH(QVariant, headIndent);
    QFETCH(QVariant, tailIndent);

    Handlers handlers;
    if (rightToLeft) {
        QTextCharFormat format;
        format.setLayoutDirection(Qt::RightToLeft);
        handlers.reader.setCharFormat(format);
    }
    handlers.run(RtfKeyword(keyword), 720);
    QCOMPARE(handlers.reader.paragraphFormat.property(QMKFormatProperty::HeadIndent), headIndent);
    QCOMPARE(handlers.reader.paragraphFormat.property(QMKFormatProperty::TailIndent), tailIndent);
}

void tst_Paragraphs::tabStops_data()
{
    using Tab = QTextOption::Tab;
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QList<Tab>>("tabs");

    QTest::newRow("decimal, then left again")
        << QByteArray("{\\rtf1\\tqdec\\tx2880\\tx4320 x}")
        << QList<Tab>{Tab(px(2880), QTextOption::DelimiterTab, QLatin1Char('.')),
                      Tab(px(4320), QTextOption::LeftTab)};
    QTest::newRow("right and centred")
        << QByteArray("{\\rtf1\\tqr\\tx1440\\tqc\\tx2880 x}")
        << QList<Tab>{Tab(px(1440), QTextOption::RightTab), Tab(px(2880), QTextOption::CenterTab)};
    QTest::newRow("\\pard clears tab stops") << QByteArray("{\\rtf1\\tx720\\pard x}")
                                             << QList<Tab>{};

    // Was quadratic: every \tx copied a list that every \tx made longer.
    QByteArray many("{\\rtf1");
    QList<Tab> first64;
    for (int i = 1; i <= 100; ++i) {
        many += "\\tx" + QByteArray::number(i * 10);
        if (i <= 64)
            first64.append(Tab(px(i * 10), QTextOption::LeftTab));
    }
    QTest::newRow("at most 64 per paragraph") << many + " x}" << first64;
}

void tst_Paragraphs::tabStops()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QList<QTextOption::Tab>, tabs);

    QCOMPARE(blockFormat(importRtf(rtf), 0).tabPositions(), tabs);
}

void tst_Paragraphs::breakCharacters_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("line break") << QByteArray("{\\rtf1 one\\line two}")
                                << QStringLiteral("one\u2028two");
    QTest::newRow("tab") << QByteArray("{\\rtf1 one\\tab two}") << QStringLiteral("one\ttwo");
    QTest::newRow("escaped line feed ends a paragraph") << QByteArray("{\\rtf1 one\\\ntwo}")
                                                        << QStringLiteral("one\u2029two");
    QTest::newRow("empty paragraphs") << QByteArray("{\\rtf1\\par\\par}")
                                      << QStringLiteral("\u2029\u2029");
    QTest::newRow("escaped carriage return and line feed end a paragraph")
        << QByteArray("{\\rtf1 one\\\r\ntwo}") << QStringLiteral("one\u2029two");
    QTest::newRow("\\sect ends a paragraph") << QByteArray("{\\rtf1 a\\sect b\\sect c}")
                                          << QStringLiteral("a\u2029b\u2029c");
    QTest::newRow("\\sect after \\par ends nothing more")
        << QByteArray("{\\rtf1 a\\par\\sect\\sectd b}") << QStringLiteral("a\u2029b");
    QTest::newRow("the end of a header ends its paragraph")
        << QByteArray("{\\rtf1{\\header\\pard Header}Text}") << QStringLiteral("Header\u2029Text");
    QTest::newRow("a header ended by \\par")
        << QByteArray("{\\rtf1{\\footer\\pard Foot\\par}Text}") << QStringLiteral("Foot\u2029Text");
}

void tst_Paragraphs::breakCharacters()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);

    QCOMPARE(importRtf(rtf).document->toRawText(), text);
}

void tst_Paragraphs::outlineLevelInStylesheet()
{
    Handlers handlers;
    handlers.reader.state.destination = RtfDestination::Stylesheet;
    handlers.run(KwOutlinelevel, 0);
    QVERIFY(!handlers.reader.paragraphFormat.hasProperty(QTextFormat::HeadingLevel));
    handlers.run(KwOutlinelevel, 2);
    QCOMPARE(handlers.reader.paragraphFormat.headingLevel(), 2);
    QVERIFY(!handlers.reader.paragraphFormat.hasProperty(QMKFormatProperty::OutlineLevel));
}

void tst_Paragraphs::notesKeepTheSurroundingFormat_data()
{
    QTest::addColumn<int>("keyword");
    QTest::addColumn<bool>("acts");

    for (const RtfKeyword keyword : {KwPard, KwQc, KwLi, KwFi, KwRi, KwSb, KwSl, KwSlmult,
                                     KwRtlpar, KwPardeftab, KwTx, KwKeepn, KwOutlinelevel})
        QTest::newRow(rtfKeywordText(keyword).constData()) << int(keyword) << false;
    QTest::newRow("\\b acts inside notes") << int(KwB) << true;
}

void tst_Paragraphs::notesKeepTheSurroundingFormat()
{
    QFETCH(int, keyword);
    QFETCH(bool, acts);

    for (const RtfKeyword note : {KwFootnote, KwAnnotation}) {
        Handlers handlers;
        handlers.run(KwQj);
        handlers.run(KwSl, 360);
        const QTextBlockFormat surrounding = handlers.reader.paragraphFormat;
        const RtfCharFormatState characters = handlers.reader.state.charFormat;
        handlers.run(note);
        handlers.run(RtfKeyword(keyword), 720);
        QCOMPARE(handlers.reader.paragraphFormat != surrounding
                     || !handlers.reader.state.charFormat.sameAs(characters), acts);
    }
}

// Paragraphs as Word writes them: \pard\plain before each, formatting words in one run.
void tst_Paragraphs::wordParagraphs()
{
    const ImportResult result = importRtf(
        "{\\rtf1\\ansi\\deff0\\paperw11906\\paperh16838\\margl1417\\margr1417\\deftab708\n"
        "\\pard\\plain \\ltrpar\\qj \\fi-360\\li720\\ri0\\sb120\\sa240\\sl360\\slmult1\\widctlpar"
        "\\tx720\\tqr\\tx9072\\wrapdefault\\rin0\\lin720\\itap0 {\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 "
        "\\insrsid1 Hanging\\tab indent}{\\par }\\pard\\plain \\ltrpar\\qc \\li0\\ri1134\\sl-240"
        "\\slmult0\\rin1134\\lin0\\itap0 {\\insrsid1 Centred}{\\page }\\pard\\plain \\ltrpar\\ql "
        "\\li0\\ri0\\sl480\\slmult1\\rin0\\lin0\\itap0 {\\insrsid1 Double}{\\par }}");
    QVERIFY(result.ok);
    QCOMPARE(result.blockCount(), 4);
    QCOMPARE(block(*result.document, 0).text(), QStringLiteral("Hanging\tindent"));
    QCOMPARE(result.document->defaultTextOption().tabStopDistance(), px(708));

    const QTextBlockFormat hanging = blockFormat(result, 0);
    QCOMPARE(hanging.alignment(), Qt::AlignJustify);
    QCOMPARE(hanging.doubleProperty(QMKFormatProperty::HeadIndent), 48.0);
    QCOMPARE(hanging.textIndent(), 24.0);
    QCOMPARE(hanging.doubleProperty(QMKFormatProperty::TailIndent), px(11906 - 2 * 1417));
    QCOMPARE(hanging.topMargin(), 8.0);
    QCOMPARE(hanging.bottomMargin(), 16.0);
    QCOMPARE(hanging.lineHeight(), 150.0);
    QCOMPARE(hanging.tabPositions().size(), 2);

    const QTextBlockFormat centred = blockFormat(result, 1);
    QCOMPARE(centred.alignment(), Qt::AlignHCenter);
    QCOMPARE(centred.textIndent(), 0.0);
    QCOMPARE(centred.doubleProperty(QMKFormatProperty::TailIndent), px(11906 - 2 * 1417 - 1134));
    QCOMPARE(centred.lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QVERIFY(centred.tabPositions().isEmpty());

    const QTextBlockFormat doubled = blockFormat(result, 2);
    QCOMPARE(doubled.pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    QCOMPARE(doubled.lineHeight(), 200.0);
}

QMK_TEST_MAIN(tst_Paragraphs)
#include "tst_paragraphs.moc"
