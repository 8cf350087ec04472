#include "support/testsupport.h"

#include "writerdocuments.h"

#include "qmkformatproperties.h"
#include "qmkhighprecisioncolor.h"
#include "qmkrevisionpalette.h"
#include "rtf/writer/qmktextrtfwriter_p.h"

#include <QPen>
#include <QRegularExpression>
#include <QTextFrame>
#include <QTextList>

namespace {

enum Option { Export = 1, InList = 2, NoColours = 4 };
using Block = QTextBlockFormat;

QTextCharFormat inFamily(const char *family, Properties more = {})
{
    QTextCharFormat format = with(more);
    format.setFontFamily(QString::fromUtf8(family));
    return format;
}

QByteArray between(const QByteArray &rtf, const char *from, const char *to)
{
    const int start = rtf.indexOf(from);
    return rtf.mid(start, rtf.indexOf(to, start) - start);
}

// Grey levels 1 to 4 in sRGB, gray, Display P3 and no colour space; components from 10 × level.
QVariant highPrecisionColours()
{
    using Space = QMKHighPrecisionColorType;
    const int spaces[] = {Space::Srgb, Space::Gray, Space::DisplayP3, Space::NoColorSpace};
    QMKRgbToHighPrecisionMap map;
    for (int level = 1; level <= 4; ++level) {
        QMKHighPrecisionColorType colour(spaces[level - 1]);
        for (int c = 1; c <= 3; ++c)
            colour.setComponent(c, 10 * level + c);
        map.insert(qRgb(level, level, level), colour);
    }
    return QVariant::fromValue(map);
}

RtfWriterFont font(const char *family, int weight, bool italic)
{
    RtfWriterFont record;
    record.family = QString::fromLatin1(family);
    record.weight = weight;
    record.italic = italic;
    return record;
}

const QByteArray blackAndWhite = "{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue255;";
const QByteArray red = "\\red255\\green0\\blue0;", blue = "\\red0\\green0\\blue255;";
const QByteArray page = "\\paperw12240\\paperh15840\\margl1800\\margr1800\\margt1440\\margb1440";
const QByteArray opening = "\\f0\\fs24\\cf0\n\\pard\\plain ";

} // namespace

class tst_WriterFormats : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useKnownApplicationFont(); }
    void fontTable_data();
    void fontTable();
    void colourTable_data();
    void colourTable();
    void characterFormat_data();
    void characterFormat();
    void paragraphFormat_data();
    void paragraphFormat();
    void pageSetup_data();
    void pageSetup();
    void sections();
    void information();
};

void tst_WriterFormats::fontTable_data()
{
    QTest::addColumn<QTextFormat>("run");
    QTest::addColumn<bool>("exportMode");
    QTest::addColumn<QByteArray>("expected"); // the entry after font 0, the application's
    auto row = [](const char *tag, const QTextFormat &run, bool exportMode, const char *expected) {
        QTest::newRow(tag) << run << exportMode << QByteArray(expected);
    };
    const QTextCharFormat bold = inFamily("Liberation Sans", {{QTextFormat::FontWeight, 75}});
    const char *const sans = "{\\f1\\fnil\\fcharset0\\fprq2 Liberation Sans;}";
    row("bold is a face of its own", bold, false, sans);
    row("export: a family once", bold, true, "");
    row("missing Helvetica is ArialMT", inFamily("Helvetica"), false,
        "{\\f1\\fnil\\fcharset0\\fprq2 ArialMT;}");
    row("export: missing Courier Prime", inFamily("courier prime"), true,
        "{\\f1\\fnil\\fcharset0\\fprq2 Courier New;}");
    row("symbol in any case", inFamily("My sYmBoL"), true,
        "{\\f1\\ftech\\fcharset0\\fprq2 My sYmBoL;}");
    row("dingbats", inFamily("Dingbats"), true, "{\\f1\\ftech\\fcharset0\\fprq2 Dingbats;}");
    row("script", inFamily("Segoe Script"), true,
        "{\\f1\\fscript\\fcharset0\\fprq2 Segoe Script;}");
    row("symbol before script", inFamily("Symbol Script"), true,
        "{\\f1\\ftech\\fcharset0\\fprq2 Symbol Script;}");
    const char *const hints[] = {"\\fswiss", "\\froman", "\\fmodern", "\\fdecor", "\\fnil"};
    for (int hint = QFont::SansSerif; hint <= QFont::System; ++hint)
        QTest::addRow("style hint %d", hint)
            << QTextFormat(inFamily("B", {{QTextFormat::FontStyleHint, hint}})) << true
            << "{\\f1" + QByteArray(hints[hint]) + "\\fcharset0\\fprq2 B;}";
    row("fixed pitch", inFamily("Mono", {{QTextFormat::FontFixedPitch, true}}), true,
        "{\\f1\\fnil\\fcharset0\\fprq1 Mono;}");
    // No installed family to ask: the name picks a character set whose page spells it.
    row("name in code-page bytes only", inFamily("\xc3\xa9{\xd0\x96}"), true,
        "{\\f1\\fnil\\fcharset134\\fprq2 \\'A8\\'A6\\{\\'A7\\'A8\\};}");
}

void tst_WriterFormats::fontTable()
{
    QFETCH(QTextFormat, run);
    QFETCH(bool, exportMode);
    QFETCH(QByteArray, expected);

    QTextDocument document;
    paragraph(document, "x", {}, run.toCharFormat());
    const QByteArray rtf = toRtf(&document, false, exportMode, true, QString());
    QCOMPARE(between(rtf, "{\\fonttbl", "\n"),
             "{\\fonttbl{\\f0\\fnil\\fcharset0\\fprq2 Liberation Sans;}" + expected + "}");
}

void tst_WriterFormats::colourTable_data()
{
    QTest::addColumn<QTextFormat>("format"); // of the run, the paragraph or the root frame
    QTest::addColumn<QByteArray>("expected");
    const int foreground = QTextFormat::ForegroundBrush;
    const int background = QTextFormat::BackgroundBrush;
    const int underline = QTextFormat::TextUnderlineColor;

    QTest::newRow("plain text: none") << QTextFormat(QTextCharFormat())
                                      << QByteArray("{\\colortbl;}\n");
    QTest::newRow("black is colour 1, once")
        << QTextFormat(with({{foreground, QBrush(Qt::black)}})) << blackAndWhite + "}\n";
    QTest::newRow("order in a run") << QTextFormat(with({{underline, QColor(Qt::yellow)},
        {QTextFormat::TextOutline, QPen(Qt::blue)}, {background, QBrush(Qt::green)},
        {QMKFormatProperty::RevisionLevel, 2}, {foreground, QBrush(Qt::red)}}))
        << blackAndWhite + red + "\\red16\\green128\\blue214;\\red0\\green255\\blue0;" + blue
               + "\\red255\\green255\\blue0;}\n";
    QTest::newRow("paragraph background, then foreground") << QTextFormat(with<Block>(
        {{foreground, QBrush(Qt::red)}, {background, QBrush(Qt::blue)}}))
        << blackAndWhite + blue + red + "}\n";
    QTest::newRow("drawn frame border") << QTextFormat(with<QTextFrameFormat>(
        {{QTextFormat::FrameBorder, 1.0}, {QTextFormat::FrameBorderStyle, 3},
         {QTextFormat::FrameBorderBrush, QBrush(Qt::blue)}})) << blackAndWhite + blue + "}\n";
    QTest::newRow("expanded colours line up") << QTextFormat(with({{underline, QColor(3, 3, 3)},
        {foreground, QBrush(QColor(1, 1, 1))}, {background, QBrush(QColor(2, 2, 2))}}))
        << blackAndWhite + "\\red1\\green1\\blue1;\\red2\\green2\\blue2;\\red3\\green3\\blue3;}\n"
               "{\\*\\expandedcolortbl;;;\\cssrgb\\c11\\c12\\c13;\\csgray\\c21;"
               "\\cspthree\\c31\\c32\\c33;}\n";
    QTest::newRow("no valid expanded colour, no table")
        << QTextFormat(with({{foreground, QBrush(QColor(4, 4, 4))}}))
        << blackAndWhite + "\\red4\\green4\\blue4;}\n";
}

void tst_WriterFormats::colourTable()
{
    QFETCH(QTextFormat, format);
    QFETCH(QByteArray, expected);

    QTextDocument document;
    document.setProperty(QMKDocumentProperty::RgbToHighDefColorPalette, highPrecisionColours());
    if (format.isFrameFormat())
        document.rootFrame()->setFrameFormat(format.toFrameFormat());
    paragraph(document, "a", format.isBlockFormat() ? format.toBlockFormat() : Block(),
              format.isCharFormat() ? format.toCharFormat() : QTextCharFormat());
    const QByteArray rtf = toRtf(&document, false, false, true, QString());
    QCOMPARE(between(rtf, "{\\colortbl", "\\paperw"), expected);
}

void tst_WriterFormats::characterFormat_data()
{
    QTest::addColumn<QTextFormat>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("options");
    QTest::addColumn<QByteArray>("expected");
    auto row = [](const char *tag, const QTextFormat &format, const QByteArray &expected,
                  int options = 0, const QString &text = QString()) {
        QTest::newRow(tag) << format << text << options << "\\f0\\fs24" + expected;
    };
    // Colours 3 red, 4 blue, 5 that of revision level 2; font 2 is bold italic Liberation Serif.
    const int weight = QTextFormat::FontWeight, italic = QTextFormat::FontItalic;
    const int underline = QTextFormat::TextUnderlineStyle, strike = QTextFormat::FontStrikeOut;
    const int caps = QTextFormat::FontCapitalization, revision = QMKFormatProperty::RevisionLevel;
    const int foreground = QTextFormat::ForegroundBrush, outline = QTextFormat::TextOutline;
    const QBrush redBrush(Qt::red), blueBrush(Qt::blue);
    QTest::newRow("nothing set, nothing written") << QTextFormat(QTextCharFormat()) << QString()
                                                  << 0 << QByteArray();
    QTest::newRow("bold italic red in font 2") << QTextFormat(inFamily("Liberation Serif",
        {{weight, 75}, {italic, true}, {foreground, redBrush}})) << QString() << 0
        << QByteArray("\\f2\\fs24\\b1\\i1\\cf3");
    row("stored normal weight", with({{weight, 50}}), "\\b0");
    row("no weight, no \\b", with({{italic, false}}), "\\i0");
    row("medium is not bold", with({{weight, 57}}), "\\b0");
    row("demibold is bold", with({{weight, 63}}), "\\b1");
    QTest::newRow("10.5 points") << QTextFormat(with({{QTextFormat::FontPointSize, 10.5}}))
                                 << QString() << 0 << QByteArray("\\f0\\fs21");
    row("16 pixels are 12 points", with({{QTextFormat::FontPixelSize, 16}}), "");
    const char *const lines[] = {"\\ul", "\\uldash", "\\uld", "\\uldashd", "\\uldashdd", "\\ulwave",
                                 ""};
    for (int style = 1; style <= 7; ++style)
        row(qPrintable(QStringLiteral("underline %1").arg(style)), with({{underline, style}}),
            lines[style - 1] + QByteArray(style < 7 ? "\\ulc0" : ""));
    row("underline in its colour",
        with({{underline, 1}, {QTextFormat::TextUnderlineColor, QColor(Qt::blue)}}), "\\ul\\ulc4");
    row("super", with({{QTextFormat::TextVerticalAlignment, 1}}), "\\super");
    row("sub", with({{QTextFormat::TextVerticalAlignment, 2}}), "\\sub");
    row("strike off", with({{strike, false}}), "");
    row("struck, small caps", with({{strike, true}, {caps, int(QFont::SmallCaps)}}),
        "\\strike\\strikec0\\scaps");
    row("all caps after strike keep the letters",
        with({{caps, int(QFont::AllUppercase)}, {strike, true}, {foreground, redBrush}}),
        "\\strike\\strikec0\\caps\\cf3 Ab", 0, QStringLiteral("Ab"));
    row("all lower case lowers them", with({{caps, int(QFont::AllLowercase)}}), " ab", 0,
        QStringLiteral("Ab"));
    row("struck revision", with({{revision, 2}, {strike, true}, {foreground, redBrush}}),
        "\\strike\\strikec5\\*\\qmkrevlvl2\\cf5");
    row("export: revision colour only", with({{revision, 2}}), "\\cf5", Export);
    row("revision colour not listed", with({{revision, 3}}), "\\*\\qmkrevlvl3\\cf1");
    row("outline colour before foreground",
        with({{foreground, redBrush}, {outline, QPen(Qt::blue)}}),
        "\\cf4\\outl\\strokewidth60\\strokec4");
    row("no-pen outline", with({{foreground, redBrush}, {outline, QPen(Qt::NoPen)}}), "\\cf3");
    row("background", with({{QTextFormat::BackgroundBrush, blueBrush}}), "\\cb4\\highlight4");
    row("colour not listed is black", with({{foreground, QBrush(Qt::cyan)}}), "\\cf1");
    row("no colour table, no colour numbers",
        with({{foreground, redBrush}, {QTextFormat::BackgroundBrush, blueBrush}}), "", NoColours);
}

void tst_WriterFormats::characterFormat()
{
    QFETCH(QTextFormat, format);
    QFETCH(QString, text);
    QFETCH(int, options);
    QFETCH(QByteArray, expected);

    QMKTextRtfWriterPrivate writer(nullptr);
    writer.exportMode = options & Export;
    if (!(options & NoColours))
        writer.colours = {Qt::black, Qt::white, Qt::red, Qt::blue, paletteColour(2)};
    writer.fonts = {font("Liberation Sans", 50, false), font("Liberation Sans", 75, false),
                    font("Liberation Serif", 75, true)};
    writer.writeTextRun(text, format.toCharFormat(), true, false);
    QCOMPARE(writer.out, expected);
}

void tst_WriterFormats::paragraphFormat_data()
{
    QTest::addColumn<QTextFormat>("format");
    QTest::addColumn<int>("options");
    QTest::addColumn<QByteArray>("expected");
    auto row = [](const char *tag, Properties properties, const char *expected, int options = 0) {
        QTest::newRow(tag) << QTextFormat(with<Block>(properties)) << options
                           << QByteArray(expected);
    };
    const int policy = QTextFormat::PageBreakPolicy, tab = QMKFormatProperty::DefaultTabWidth;
    const int head = QMKFormatProperty::HeadIndent, tail = QMKFormatProperty::TailIndent;
    const int first = QTextFormat::TextIndent, align = QTextFormat::BlockAlignment;
    const int height = QTextFormat::LineHeight, type = QTextFormat::LineHeightType;
    row("nothing set, nothing written", {}, "");
    row("page break already stated", {{policy, 1}, {QMKFormatProperty::NoPageBreakBefore, true}},
        "");
    row("keep with next only in export", {{policy, 0x20}}, "");
    row("export: keep with next", {{policy, 0x21}}, "\\pagebb\\keepn", Export);
    row("export: keep-with-next property", {{QMKFormatProperty::KeepWithNext, true}}, "\\keepn",
        Export);
    row("default tab of 720 twips", {{tab, 48.0}}, "");
    row("default tab of 0", {{tab, 0.0}}, "");
    QTextBlockFormat tabs;
    tabs.setTabPositions({{96, QTextOption::RightTab}, {48, QTextOption::CenterTab},
                          {24, QTextOption::DelimiterTab}, {24, QTextOption::LeftTab},
                          {24, QTextOption::LeftTab}});
    QTest::newRow("tab stops in order, repeats kept") << QTextFormat(tabs) << 0
        << QByteArray("\\tqr\\tx1440\\tqc\\tx720\\tqdec\\tx360\\tx360\\tx360");
    row("list paragraph without a first line of its own", {{head, 48.0}, {first, 48.0}},
        "\\li720\\fi-270", InList);
    row("the same outside a list", {{head, 48.0}, {first, 48.0}}, "\\li720");
    row("tail indent of zero", {{tail, 0.0}}, "");
    row("tail indent of the text width", {{tail, 576.0}}, "\\ri0");
    row("double spacing", {{height, 200.0}, {type, 1}}, "\\sl480\\slmult1");
    row("one and a half, no stored base", {{height, 150.0}, {type, 1}}, "\\sl360\\slmult1");
    row("single spacing", {{height, 100.0}, {type, 1}}, "");
    row("exactly 14 points", {{height, 56.0 / 3}, {type, 2}}, "\\sl-280\\slmult0");
    row("left before justify", {{align, int(Qt::AlignLeft | Qt::AlignJustify)}}, "\\ql");
    row("everything in order", {{QTextFormat::LayoutDirection, int(Qt::RightToLeft)},
        {align, int(Qt::AlignHCenter)}, {height, 16.0}, {type, 3}, {tail, 96.0}, {first, 24.0},
        {QTextFormat::BlockTopMargin, 6.0}, {QTextFormat::BlockBottomMargin, 12.0}, {head, 48.0},
        {tab, 60.0}, {policy, 1}},
        "\\pagebb\\pardeftab900\\li720\\fi-360\\ri7200\\sa180\\sb90\\sl240\\slmult0\\qc\\rtlpar");
}

void tst_WriterFormats::paragraphFormat()
{
    QFETCH(QTextFormat, format);
    QFETCH(int, options);
    QFETCH(QByteArray, expected);

    QTextDocument document;
    QTextList *list = QTextCursor(&document).createList(QTextListFormat::ListDisc);
    QMKTextRtfWriterPrivate writer(nullptr);
    writer.exportMode = options & Export;
    writer.writeBlockFormat(format.toBlockFormat(), options & InList ? list : nullptr, true);
    QCOMPARE(writer.out, expected);
}

void tst_WriterFormats::pageSetup_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QByteArray>("expected"); // up to the first paragraph's \ltrch

    QTest::newRow("letter by default") << Build([](QTextDocument &) {})
                                       << page + "\\deftab1200" + opening;
    QTest::newRow("A4, four margins and an indent on them") << Build([](QTextDocument &d) {
        d.setProperty(QMKDocumentProperty::PaperSize, QSizeF(595.3, 841.9));
        for (const char *margin : {"leftMargin", "topMargin", "rightMargin", "bottomMargin"})
            d.setProperty(margin, 72);
        d.setProperty(QMKDocumentProperty::RightMargin, 54.5);
        paragraph(d, "a", with<Block>({{QMKFormatProperty::TailIndent, 96.0}}));
    }) << "\\paperw11906\\paperh16838\\margl1440\\margr1090\\margt1440\\margb1440\\deftab1200"
              + opening + "\\ri7936";
    QTest::newRow("three margins are not enough") << Build([](QTextDocument &d) {
        for (const char *margin : {"leftMargin", "topMargin", "rightMargin"})
            d.setProperty(margin, 72);
    }) << page + "\\deftab1200" + opening;
    QTest::newRow("default tab of 720 twips") << Build([](QTextDocument &d) {
        QTextOption option = d.defaultTextOption();
        option.setTabStopDistance(48);
        d.setDefaultTextOption(option);
    }) << page + opening;
}

void tst_WriterFormats::pageSetup()
{
    QFETCH(Build, build);
    QFETCH(QByteArray, expected);

    QCOMPARE(between(written(build, false), "\\paperw", "\\ltrch"), expected);
}

void tst_WriterFormats::sections()
{
    const QByteArray rtf = written([](QTextDocument &d) {
        const int policy = QTextFormat::PageBreakPolicy;
        paragraph(d, "a", with<Block>({{policy, 1}}));
        paragraph(d, "b", with<Block>({{QMKFormatProperty::SectionBreakBefore, true},
                                       {policy, 1}}));
        paragraph(d, "c", with<Block>({{policy, 1}}));
    }, true);
    // A paragraph that opens a section does not state its page break again.
    QCOMPARE(rtf.mid(rtf.indexOf("\\deftab")),
             "\\deftab1200\\fet2\\ftnbj\\aenddoc\n\\f0\\fs24\\cf0\\ftnbj\\ftnnar\\aftnnar\n"
             "\\sectd\\sftnnar\\saftnnar\\sftnnar\\saftnnar\\pgndec\\pgnrestart\\pgnstarts1"
             "{\\header{}}{\\footer{}}\n\\pard\\plain \\ltrch\\loch {a}\n\\sect\\sectd\n"
             "\\sftnnar\\saftnnar\\pgndec\\pgncont\n\\par\\pard\\plain \\ltrch\\loch {b}\n"
             "\\par\\pard\\plain \\pagebb\\ltrch\\loch {c}}");
}

void tst_WriterFormats::information()
{
    QMKTextRtfWriterPrivate writer(nullptr);
    writer.author = writer.subject = writer.comment = writer.company = writer.keywords =
        QStringLiteral("x");
    writer.exportMode = true;
    writer.writeInformation();
    QVERIFY(writer.out.isEmpty());
    writer.title = QStringLiteral("{T}");
    writer.exportMode = false;
    writer.writeInformation();
    QVERIFY(writer.out.isEmpty());
    writer.exportMode = true;
    writer.writeInformation();
    // Only the form of the clock's times is checked.
    const QRegularExpression time(
        QStringLiteral("\\\\yr\\d+\\\\mo\\d+\\\\dy\\d+\\\\hr\\d+\\\\min\\d+\\\\sec\\d+"));
    QCOMPARE(QString::fromLatin1(writer.out).replace(time, QStringLiteral("#")),
             QStringLiteral("{\\info\n{\\title \\{T\\}}\n{\\subject x}\n{\\doccomm x}\n"
                            "{\\author x}\n{\\*\\company x}\n{\\creatim#}\n{\\revtim#}\n"
                            "{\\keywords x}}"));
}

QMK_TEST_MAIN(tst_WriterFormats)
#include "tst_writerformats.moc"
