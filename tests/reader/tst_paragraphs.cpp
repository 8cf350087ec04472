#include "common/testsupport.h"

#include "qmkformatproperties.h"
#include "qmktextrtfreader.h"
#include "qmkunits.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <QBuffer>
#include <QTextBlockFormat>

#include <limits>

class tst_Paragraphs : public QObject
{
    Q_OBJECT
private slots:
    void alignment_data();
    void alignment();
    void indents_data();
    void indents();
    void rightIndent_data();
    void rightIndent();
    void indentsOfRightToLeftText_data();
    void indentsOfRightToLeftText();
    void spaceBeforeAndAfter();
    void lineSpacing_data();
    void lineSpacing();
    void tabStops_data();
    void tabStops();
    void tabStopsPerParagraphAreBounded();
    void pageBreaks_data();
    void pageBreaks();
    void defaultTabWidths();
    void direction();
    void outlineLevel();
    void outlineLevelInStylesheet_data();
    void outlineLevelInStylesheet();
    void breakCharacters_data();
    void breakCharacters();
    void notesKeepTheSurroundingFormat_data();
    void notesKeepTheSurroundingFormat();
    void wordParagraphs();
};

namespace {

double px(int twips)
{
    return twipsToPixels(twips);
}

ImportResult importIgnoringZeroRightIndent(const QByteArray &rtf)
{
    ImportResult result;
    result.document = std::make_unique<QTextDocument>();
    QByteArray bytes = rtf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QMKTextRtfReader reader(&buffer);
    reader.setIgnoreZeroRightIndent(true);
    result.ok = reader.read(result.document.get(), false);
    result.error = reader.errorString();
    return result;
}

QTextBlockFormat blockFormat(const ImportResult &result, int n)
{
    return block(*result.document, n).blockFormat();
}

int pageBreakFlags(const QTextBlockFormat &format)
{
    return format.intProperty(QTextFormat::PageBreakPolicy);
}

// A reader without input, to run keyword handlers in states an import cannot reach yet.
struct Handlers
{
    QMKTextRtfReaderPrivate reader{nullptr};

    void run(RtfKeyword keyword, int parameter)
    {
        reader.handleKeyword(keyword, true, parameter);
    }
    void run(RtfKeyword keyword)
    {
        reader.handleKeyword(keyword, false, 0);
    }
};

constexpr int KeepWithNext = 0x20;

} // namespace

void tst_Paragraphs::alignment_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("blockNumber");
    QTest::addColumn<int>("alignment");

    const int left = Qt::AlignLeft;
    const int centre = Qt::AlignHCenter;
    QTest::newRow("centred: first paragraph") << QByteArray("{\\rtf1\\pard\\qc one\\par two}")
                                              << 0 << centre;
    QTest::newRow("centred: holds for the next paragraph")
        << QByteArray("{\\rtf1\\pard\\qc one\\par two}") << 1 << centre;
    QTest::newRow("set after text: not this paragraph")
        << QByteArray("{\\rtf1 one\\qc\\par two}") << 0 << left;
    QTest::newRow("set after text: the next paragraph")
        << QByteArray("{\\rtf1 one\\qc\\par two}") << 1 << centre;
    QTest::newRow("\\pard resets") << QByteArray("{\\rtf1\\qc one\\par\\pard two}") << 1 << left;
    QTest::newRow("a group's end does not reset")
        << QByteArray("{\\rtf1{\\qc one\\par}two}") << 1 << centre;
    QTest::newRow("right") << QByteArray("{\\rtf1\\qr x}") << 0 << int(Qt::AlignRight);
    QTest::newRow("justified") << QByteArray("{\\rtf1\\qj x}") << 0 << int(Qt::AlignJustify);
    QTest::newRow("left after centred") << QByteArray("{\\rtf1\\qc\\ql x}") << 0 << left;
    QTest::newRow("empty paragraph takes the format at \\par")
        << QByteArray("{\\rtf1\\qc\\par x}") << 0 << centre;
}

void tst_Paragraphs::alignment()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, blockNumber);
    QFETCH(int, alignment);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    QCOMPARE(int(blockFormat(result, blockNumber).alignment()), alignment);
}

void tst_Paragraphs::indents_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<double>("headIndent");
    QTest::addColumn<double>("firstLine");

    QTest::newRow("left indent") << QByteArray("{\\rtf1\\li720 x}") << 48.0 << 48.0;
    QTest::newRow("hanging first line") << QByteArray("{\\rtf1\\li720\\fi-360 x}") << 48.0
                                        << 24.0;
    QTest::newRow("first line before the left indent")
        << QByteArray("{\\rtf1\\fi-360\\li720 x}") << 48.0 << 24.0;
    QTest::newRow("a later left indent keeps the first-line offset")
        << QByteArray("{\\rtf1\\li720\\fi-360\\li1440 x}") << 96.0 << 72.0;
    QTest::newRow("first-line indent alone") << QByteArray("{\\rtf1\\fi720 x}") << 0.0 << 48.0;
    QTest::newRow("leading indent of left-to-right text")
        << QByteArray("{\\rtf1\\lin720 x}") << 48.0 << 48.0;
    QTest::newRow("negative left indent") << QByteArray("{\\rtf1\\li-720 x}") << -48.0 << -48.0;
    QTest::newRow("\\pard clears indents") << QByteArray("{\\rtf1\\li720\\fi360\\pard x}") << 0.0
                                           << 0.0;
}

void tst_Paragraphs::indents()
{
    QFETCH(QByteArray, rtf);
    QFETCH(double, headIndent);
    QFETCH(double, firstLine);

    const ImportResult result = importRtf(rtf);
    const QTextBlockFormat format = blockFormat(result, 0);
    QCOMPARE(format.doubleProperty(QMKFormatProperty::HeadIndent), headIndent);
    QCOMPARE(format.textIndent(), firstLine);
}

void tst_Paragraphs::rightIndent_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<bool>("ignoreZero");
    QTest::addColumn<QVariant>("tailIndent");

    const QByteArray zero("{\\rtf1\\ri0 x}");
    QTest::newRow("no right indent on the default page") << zero << false << QVariant(px(8640));
    QTest::newRow("no right indent, ignored by option") << zero << true << QVariant();
    QTest::newRow("right indent, option set") << QByteArray("{\\rtf1\\ri720 x}") << true
                                              << QVariant(px(7920));
    QTest::newRow("trailing indent of left-to-right text")
        << QByteArray("{\\rtf1\\rin720 x}") << false << QVariant(px(7920));
    QTest::newRow("A4 with 2 cm margins")
        << QByteArray("{\\rtf1\\paperw11906\\margl1134\\margr1134\\ri0 x}") << false
        << QVariant(px(9638));
    QTest::newRow("negative right indent reaches into the margin")
        << QByteArray("{\\rtf1\\ri-720 x}") << false << QVariant(px(9360));
    QTest::newRow("right indent wider than the text: lines end at the left edge")
        << QByteArray("{\\rtf1\\ri20000 x}") << false << QVariant(0.0);
    QTest::newRow("paper narrower than its margins")
        << QByteArray("{\\rtf1\\paperw1000\\ri0 x}") << false << QVariant(px(1));
    QTest::newRow("smallest right indent")
        << QByteArray("{\\rtf1\\ri-2147483648 x}") << false
        << QVariant(px(std::numeric_limits<int>::max()));
    QTest::newRow("margins at the integer limits")
        << QByteArray("{\\rtf1\\paperw2147483647\\margl-2147483648\\margr-2147483648\\ri0 x}")
        << false << QVariant(px(std::numeric_limits<int>::max()));
}

void tst_Paragraphs::rightIndent()
{
    QFETCH(QByteArray, rtf);
    QFETCH(bool, ignoreZero);
    QFETCH(QVariant, tailIndent);

    const ImportResult result = ignoreZero ? importIgnoringZeroRightIndent(rtf) : importRtf(rtf);
    QVERIFY(result.ok);
    const QTextBlockFormat format = blockFormat(result, 0);
    QCOMPARE(format.hasProperty(QMKFormatProperty::TailIndent), tailIndent.isValid());
    if (tailIndent.isValid())
        QCOMPARE(format.doubleProperty(QMKFormatProperty::TailIndent), tailIndent.toDouble());
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
    if (rightToLeft)
        handlers.reader.state.charFormat.setLayoutDirection(Qt::RightToLeft);
    handlers.run(RtfKeyword(keyword), 720);
    const QTextBlockFormat &format = handlers.reader.paragraphFormat;
    QCOMPARE(format.property(QMKFormatProperty::HeadIndent), headIndent);
    QCOMPARE(format.property(QMKFormatProperty::TailIndent), tailIndent);
}

void tst_Paragraphs::spaceBeforeAndAfter()
{
    const ImportResult result = importRtf("{\\rtf1\\sb240\\sa120 x}");
    QCOMPARE(blockFormat(result, 0).topMargin(), 16.0);
    QCOMPARE(blockFormat(result, 0).bottomMargin(), 8.0);
}

void tst_Paragraphs::lineSpacing_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("type");
    QTest::addColumn<QVariant>("storedSpacing");
    QTest::addColumn<QVariant>("storedBase");

    const int proportional = QTextBlockFormat::ProportionalHeight;
    const int single = QTextBlockFormat::SingleHeight;
    QTest::newRow("single") << QByteArray("{\\rtf1\\sl240\\slmult1 x}") << 0.0 << single
                            << QVariant(12.0) << QVariant(12.0);
    QTest::newRow("one and a half lines") << QByteArray("{\\rtf1\\sl360\\slmult1 x}") << 150.0
                                          << proportional << QVariant(18.0) << QVariant(12.0);
    QTest::newRow("double") << QByteArray("{\\rtf1\\sl480\\slmult1 x}") << 200.0 << proportional
                            << QVariant(24.0) << QVariant(12.0);
    QTest::newRow("exactly 14 pt") << QByteArray("{\\rtf1\\sl-280\\slmult0 x}") << px(280)
                                   << int(QTextBlockFormat::FixedHeight) << QVariant(-14.0)
                                   << QVariant();
    QTest::newRow("at least 14 pt") << QByteArray("{\\rtf1\\sl280\\slmult0 x}") << px(280)
                                    << int(QTextBlockFormat::MinimumHeight) << QVariant(14.0)
                                    << QVariant();
    QTest::newRow("at least, without \\slmult") << QByteArray("{\\rtf1\\sl300 x}") << px(300)
                                                << int(QTextBlockFormat::MinimumHeight)
                                                << QVariant(15.0) << QVariant();
    QTest::newRow("a multiple is never exact") << QByteArray("{\\rtf1\\sl-240\\slmult1 x}") << 0.0
                                               << single << QVariant(12.0) << QVariant(12.0);
    QTest::newRow("\\slmult0 makes a multiple absolute")
        << QByteArray("{\\rtf1\\sl360\\slmult1\\slmult0 x}") << px(360)
        << int(QTextBlockFormat::MinimumHeight) << QVariant(18.0) << QVariant();
    QTest::newRow("auto spacing") << QByteArray("{\\rtf1\\sl0\\slmult0 x}") << 0.0 << single
                                  << QVariant(0.0) << QVariant();
    QTest::newRow("largest multiple stays positive")
        << QByteArray("{\\rtf1\\sl2147483647\\slmult1 x}")
        << qRound64(100 * (std::numeric_limits<int>::max() / 20.0)) / 1200.0 * 100 << proportional
        << QVariant(std::numeric_limits<int>::max() / 20.0) << QVariant(12.0);
}

void tst_Paragraphs::lineSpacing()
{
    QFETCH(QByteArray, rtf);
    QFETCH(double, height);
    QFETCH(int, type);
    QFETCH(QVariant, storedSpacing);
    QFETCH(QVariant, storedBase);

    const ImportResult result = importRtf(rtf);
    const QTextBlockFormat format = blockFormat(result, 0);
    QCOMPARE(format.lineHeightType(), type);
    QCOMPARE(format.lineHeight(), height);
    QCOMPARE(format.property(QMKFormatProperty::LineSpacing), storedSpacing);
    QCOMPARE(format.property(QMKFormatProperty::LineSpacingBase), storedBase);
}

void tst_Paragraphs::tabStops_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QList<QTextOption::Tab>>("tabs");

    using Tab = QTextOption::Tab;
    QTest::newRow("left") << QByteArray("{\\rtf1\\tx720 x}")
                          << QList<Tab>{Tab(px(720), QTextOption::LeftTab)};
    QTest::newRow("decimal, then left again")
        << QByteArray("{\\rtf1\\tqdec\\tx2880\\tx4320 x}")
        << QList<Tab>{Tab(px(2880), QTextOption::DelimiterTab, QLatin1Char('.')),
                      Tab(px(4320), QTextOption::LeftTab)};
    QTest::newRow("right and centred")
        << QByteArray("{\\rtf1\\tqr\\tx1440\\tqc\\tx2880 x}")
        << QList<Tab>{Tab(px(1440), QTextOption::RightTab), Tab(px(2880), QTextOption::CenterTab)};
    QTest::newRow("\\pard clears tab stops") << QByteArray("{\\rtf1\\tx720\\pard x}")
                                             << QList<Tab>{};
    QTest::newRow("tab stops survive a group's end") << QByteArray("{\\rtf1{\\tx720}x}")
                                                     << QList<Tab>{Tab(px(720),
                                                                       QTextOption::LeftTab)};
}

void tst_Paragraphs::tabStops()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QList<QTextOption::Tab>, tabs);

    const ImportResult result = importRtf(rtf);
    QCOMPARE(blockFormat(result, 0).tabPositions(), tabs);
}

// Was quadratic: each \tx copied a list that every \tx made longer.
void tst_Paragraphs::tabStopsPerParagraphAreBounded()
{
    QByteArray rtf("{\\rtf1");
    for (int i = 1; i <= 100; ++i)
        rtf += "\\tx" + QByteArray::number(i * 10);
    rtf += " x}";

    const QList<QTextOption::Tab> tabs = blockFormat(importRtf(rtf), 0).tabPositions();
    QCOMPARE(tabs.size(), 64);
    QCOMPARE(tabs.first().position, px(10));
    QCOMPARE(tabs.last().position, px(640));
}

void tst_Paragraphs::pageBreaks_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QList<int>>("flags");

    const int before = QTextFormat::PageBreak_AlwaysBefore;
    QTest::newRow("page break between paragraphs")
        << QByteArray("{\\rtf1 one\\page two\\par three}") << QList<int>{0, before, 0};
    QTest::newRow("two page breaks in a row")
        << QByteArray("{\\rtf1 one\\page\\page three}") << QList<int>{0, before, before};
    QTest::newRow("page break at the end: an empty last page")
        << QByteArray("{\\rtf1 one\\page}") << QList<int>{0, before};
    QTest::newRow("break before") << QByteArray("{\\rtf1\\pagebb one}") << QList<int>{before};
    QTest::newRow("keep with next") << QByteArray("{\\rtf1\\keepn one\\par\\pard two}")
                                    << QList<int>{KeepWithNext, 0};
    QTest::newRow("keep with next across a page break")
        << QByteArray("{\\rtf1\\keepn one\\page two}")
        << QList<int>{KeepWithNext, KeepWithNext | before};
    QTest::newRow("\\keep has no effect") << QByteArray("{\\rtf1\\keep one}") << QList<int>{0};
}

void tst_Paragraphs::pageBreaks()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QList<int>, flags);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    QCOMPARE(result.blockCount(), flags.size());
    for (int i = 0; i < flags.size(); ++i)
        QCOMPARE(pageBreakFlags(blockFormat(result, i)), flags.at(i));
}

void tst_Paragraphs::defaultTabWidths()
{
    const ImportResult result = importRtf("{\\rtf1\\deftab720\\pardeftab360 x}");
    QCOMPARE(result.document->defaultTextOption().tabStopDistance(), 48.0);
    QCOMPARE(blockFormat(result, 0).doubleProperty(QMKFormatProperty::DefaultTabWidth), 24.0);
}

void tst_Paragraphs::direction()
{
    const ImportResult result = importRtf("{\\rtf1\\rtlpar one\\par\\ltrpar two}");
    QCOMPARE(blockFormat(result, 0).layoutDirection(), Qt::RightToLeft);
    QCOMPARE(blockFormat(result, 1).layoutDirection(), Qt::LeftToRight);
}

void tst_Paragraphs::outlineLevel()
{
    const QTextBlockFormat format = blockFormat(importRtf("{\\rtf1\\outlinelevel2 x}"), 0);
    QCOMPARE(format.property(QMKFormatProperty::OutlineLevel), QVariant(2));
    QVERIFY(!format.hasProperty(QTextFormat::HeadingLevel));
}

void tst_Paragraphs::outlineLevelInStylesheet_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QVariant>("headingLevel");

    QTest::newRow("level 2: a heading") << 2 << QVariant(2);
    QTest::newRow("level 0: not a heading") << 0 << QVariant();
}

void tst_Paragraphs::outlineLevelInStylesheet()
{
    QFETCH(int, level);
    QFETCH(QVariant, headingLevel);

    Handlers handlers;
    handlers.reader.state.destination = RtfDestination::Stylesheet;
    handlers.run(KwOutlinelevel, level);
    const QTextBlockFormat &format = handlers.reader.paragraphFormat;
    QCOMPARE(format.property(QTextFormat::HeadingLevel), headingLevel);
    QVERIFY(!format.hasProperty(QMKFormatProperty::OutlineLevel));
}

void tst_Paragraphs::breakCharacters_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("blocks");

    QTest::newRow("line break") << QByteArray("{\\rtf1 one\\line two}")
                                << QStringLiteral("one\u2028two") << 1;
    QTest::newRow("tab") << QByteArray("{\\rtf1 one\\tab two}") << QStringLiteral("one\ttwo")
                         << 1;
    QTest::newRow("paragraph") << QByteArray("{\\rtf1 one\\par two}")
                               << QStringLiteral("one\u2029two") << 2;
    QTest::newRow("escaped line feed ends a paragraph") << QByteArray("{\\rtf1 one\\\ntwo}")
                                                        << QStringLiteral("one\u2029two") << 2;
    QTest::newRow("empty paragraphs") << QByteArray("{\\rtf1\\par\\par}") << QStringLiteral("\u2029\u2029")
                                      << 3;
}

void tst_Paragraphs::breakCharacters()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(int, blocks);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    QCOMPARE(result.document->toRawText(), text);
    QCOMPARE(result.blockCount(), blocks);
}

void tst_Paragraphs::notesKeepTheSurroundingFormat_data()
{
    QTest::addColumn<int>("keyword");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<bool>("acts");

    QTest::newRow("\\pard") << int(KwPard) << 0 << false;
    QTest::newRow("\\qc") << int(KwQc) << 0 << false;
    QTest::newRow("\\li") << int(KwLi) << 720 << false;
    QTest::newRow("\\fi") << int(KwFi) << 720 << false;
    QTest::newRow("\\ri") << int(KwRi) << 720 << false;
    QTest::newRow("\\sb") << int(KwSb) << 240 << false;
    QTest::newRow("\\sa") << int(KwSa) << 240 << false;
    QTest::newRow("\\sl") << int(KwSl) << 480 << false;
    QTest::newRow("\\slmult") << int(KwSlmult) << 0 << false;
    QTest::newRow("\\rtlpar") << int(KwRtlpar) << 0 << false;
    QTest::newRow("\\pardeftab") << int(KwPardeftab) << 360 << false;
    QTest::newRow("\\tx acts inside notes") << int(KwTx) << 720 << true;
    QTest::newRow("\\keepn acts inside notes") << int(KwKeepn) << 0 << true;
}

void tst_Paragraphs::notesKeepTheSurroundingFormat()
{
    QFETCH(int, keyword);
    QFETCH(int, parameter);
    QFETCH(bool, acts);

    for (const RtfDestination note : {RtfDestination::Footnote, RtfDestination::Annotation}) {
        Handlers handlers;
        handlers.run(KwQj);
        handlers.run(KwLi, 360);
        handlers.run(KwSl, 360);
        handlers.run(KwSlmult, 1);
        const QTextBlockFormat surrounding = handlers.reader.paragraphFormat;
        handlers.reader.state.destination = note;
        handlers.run(RtfKeyword(keyword), parameter);
        QCOMPARE(handlers.reader.paragraphFormat != surrounding, acts);
    }
}

// The paragraph formatting Word writes, as Word writes it: \pard and \plain before every
// paragraph, formatting words in one run, text in groups of its own.
void tst_Paragraphs::wordParagraphs()
{
    const ImportResult result = importRtf(
        "{\\rtf1\\ansi\\deff0\\paperw11906\\paperh16838"
        "\\margl1417\\margr1417\\margt1417\\margb1134\\deftab708\n"
        "\\pard\\plain \\ltrpar\\qj \\fi-360\\li720\\ri0\\sb120\\sa240\\sl360\\slmult1"
        "\\widctlpar\\tx720\\tqr\\tx9072\\wrapdefault\\aspalpha\\rin0\\lin720\\itap0 "
        "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\insrsid1 Hanging\\tab indent}{\\par }"
        "\\pard\\plain \\ltrpar\\qc \\li0\\ri1134\\sl-240\\slmult0\\rin1134\\lin0\\itap0 "
        "{\\insrsid1 Centred, exactly 12 pt}{\\page }"
        "\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\sl480\\slmult1\\rin0\\lin0\\itap0 "
        "{\\insrsid1 Double, on a new page}{\\par }}");
    QVERIFY(result.ok);
    QCOMPARE(result.blockCount(), 4);

    const QTextBlockFormat hanging = blockFormat(result, 0);
    QCOMPARE(hanging.alignment(), Qt::AlignJustify);
    QCOMPARE(hanging.doubleProperty(QMKFormatProperty::HeadIndent), 48.0);
    QCOMPARE(hanging.textIndent(), 24.0);
    QCOMPARE(hanging.doubleProperty(QMKFormatProperty::TailIndent), px(11906 - 2 * 1417));
    QCOMPARE(hanging.topMargin(), 8.0);
    QCOMPARE(hanging.bottomMargin(), 16.0);
    QCOMPARE(hanging.lineHeight(), 150.0);
    QCOMPARE(hanging.lineHeightType(), int(QTextBlockFormat::ProportionalHeight));
    QCOMPARE(hanging.tabPositions().size(), 2);
    QCOMPARE(hanging.tabPositions().at(1).type, QTextOption::RightTab);
    QCOMPARE(result.document->defaultTextOption().tabStopDistance(), px(708));

    const QTextBlockFormat centred = blockFormat(result, 1);
    QCOMPARE(centred.alignment(), Qt::AlignHCenter);
    QCOMPARE(centred.doubleProperty(QMKFormatProperty::HeadIndent), 0.0);
    QCOMPARE(centred.textIndent(), 0.0);
    QCOMPARE(centred.doubleProperty(QMKFormatProperty::TailIndent),
             px(11906 - 2 * 1417 - 1134));
    QCOMPARE(centred.lineHeight(), 16.0);
    QCOMPARE(centred.lineHeightType(), int(QTextBlockFormat::FixedHeight));
    QVERIFY(centred.tabPositions().isEmpty());

    const QTextBlockFormat doubled = blockFormat(result, 2);
    QCOMPARE(pageBreakFlags(doubled), int(QTextFormat::PageBreak_AlwaysBefore));
    QCOMPARE(doubled.alignment(), Qt::AlignLeft);
    QCOMPARE(doubled.lineHeight(), 200.0);
    QCOMPARE(block(*result.document, 0).text(), QStringLiteral("Hanging\tindent"));
}

QMK_TEST_MAIN(tst_Paragraphs)
#include "tst_paragraphs.moc"
