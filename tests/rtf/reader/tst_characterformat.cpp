#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "qmkrevisionpalette.h"

#include <QPen>

namespace {

const QByteArray colours = "{\\colortbl;\\red255\\green0\\blue0;\\red255\\green255\\blue255;"
                           "\\red16\\green128\\blue214;\\red0\\green0\\blue0;}";

// The format of the text "X" in body, imported after a table of red, white, palette blue, black.
QTextCharFormat importedFormat(const QByteArray &body)
{
    const ImportResult result = importRtf("{\\rtf1" + colours + body + "}");
    return formatOf(*result.document, QStringLiteral("X"));
}

} // namespace

class tst_CharacterFormat : public QObject
{
    Q_OBJECT
private slots:
    void properties_data();
    void properties();
    void textColour_data();
    void textColour();
    void outline();
    void moreFormatsThanThePoolHolds();
    void plainResetsFormat();
    void groupScopesFormat();
    void plainSelectsDefaultFont_data();
    void plainSelectsDefaultFont();
    void revisionPalette_data();
    void revisionPalette();
};

void tst_CharacterFormat::properties_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("value"); // invalid: the property is absent

    const int weight = QTextFormat::FontWeight;
    QTest::newRow("bold") << QByteArray("\\b X") << weight << QVariant(75);
    QTest::newRow("bold then off") << QByteArray("\\b\\b0 X") << weight << QVariant(50);
    QTest::newRow("bold with parameter 2 is on") << QByteArray("\\b2 X") << weight << QVariant(75);
    QTest::newRow("italic") << QByteArray("\\i X") << int(QTextFormat::FontItalic) << QVariant(true);
    QTest::newRow("italic off") << QByteArray("\\i\\i0 X") << int(QTextFormat::FontItalic)
                                << QVariant(false);

    const int underline = QTextFormat::TextUnderlineStyle;
    QTest::newRow("underline") << QByteArray("\\ul X") << underline
                               << QVariant(int(QTextCharFormat::SingleUnderline));
    QTest::newRow("word underline") << QByteArray("\\ulw X") << underline
                                    << QVariant(int(QTextCharFormat::SingleUnderline));
    QTest::newRow("double underline") << QByteArray("\\uldb X") << underline
                                      << QVariant(int(QTextCharFormat::SingleUnderline));
    QTest::newRow("underline off") << QByteArray("\\ul\\ul0 X") << underline
                                   << QVariant(int(QTextCharFormat::NoUnderline));
    QTest::newRow("no underline") << QByteArray("\\ul\\ulnone X") << underline << QVariant();
    QTest::newRow("ulnone leaves no single underline behind") << QByteArray("\\ul\\ulnone X")
        << int(QTextFormat::FontUnderline) << QVariant();
    QTest::newRow("dotted whatever the parameter") << QByteArray("\\uld0 X") << underline
                                                   << QVariant(int(QTextCharFormat::DotLine));
    QTest::newRow("dashed") << QByteArray("\\uldash X") << underline
                            << QVariant(int(QTextCharFormat::DashUnderline));
    QTest::newRow("dash dot") << QByteArray("\\uldashd X") << underline
                              << QVariant(int(QTextCharFormat::DashDotLine));
    QTest::newRow("dash dot dot") << QByteArray("\\uldashdd X") << underline
                                  << QVariant(int(QTextCharFormat::DashDotDotLine));
    QTest::newRow("wave") << QByteArray("\\ulwave X") << underline
                          << QVariant(int(QTextCharFormat::WaveUnderline));
    QTest::newRow("underline colour") << QByteArray("\\ul\\ulc1 X")
                                      << int(QTextFormat::TextUnderlineColor)
                                      << QVariant(QColor(255, 0, 0));
    QTest::newRow("underline colour beyond the table") << QByteArray("\\ul\\ulc9 X")
                                                       << int(QTextFormat::TextUnderlineColor)
                                                       << QVariant();
    QTest::newRow("ulc0 is the automatic colour, not a stored invalid one")
        << QByteArray("\\ul\\ulc0 X") << int(QTextFormat::TextUnderlineColor) << QVariant();
    QTest::newRow("ulnone clears the colour") << QByteArray("\\ulc1\\ulnone X")
                                              << int(QTextFormat::TextUnderlineColor) << QVariant();

    const int strike = QTextFormat::FontStrikeOut;
    QTest::newRow("strike") << QByteArray("\\strike X") << strike << QVariant(true);
    QTest::newRow("double strike") << QByteArray("\\striked1 X") << strike << QVariant(true);
    QTest::newRow("strike off") << QByteArray("\\strike0 X") << strike << QVariant(false);
    QTest::newRow("strike alone keeps the revision level")
        << QByteArray("\\qmkrevlvl3\\strike X") << int(QMKFormatProperty::RevisionLevel)
        << QVariant(3);
    QTest::newRow("strike off clears the revision level")
        << QByteArray("\\qmkrevlvl3\\strike0 X") << int(QMKFormatProperty::RevisionLevel)
        << QVariant();

    const int caps = QTextFormat::FontCapitalization;
    QTest::newRow("caps") << QByteArray("\\caps X") << caps << QVariant(int(QFont::AllUppercase));
    QTest::newRow("small caps") << QByteArray("\\scaps X") << caps << QVariant(int(QFont::SmallCaps));
    QTest::newRow("caps off") << QByteArray("\\caps\\caps0 X") << caps << QVariant(int(QFont::MixedCase));

    const int valign = QTextFormat::TextVerticalAlignment;
    QTest::newRow("super") << QByteArray("\\super X") << valign
                           << QVariant(int(QTextCharFormat::AlignSuperScript));
    QTest::newRow("sub") << QByteArray("\\sub X") << valign
                         << QVariant(int(QTextCharFormat::AlignSubScript));
    QTest::newRow("super off") << QByteArray("\\super\\super0 X") << valign
                               << QVariant(int(QTextCharFormat::AlignNormal));
    QTest::newRow("nosupersub") << QByteArray("\\super\\nosupersub X") << valign << QVariant();
    QTest::newRow("vertalt") << QByteArray("\\vertalt X") << valign
                             << QVariant(int(QTextCharFormat::AlignTop));
    QTest::newRow("vertalc") << QByteArray("\\vertalc X") << valign
                             << QVariant(int(QTextCharFormat::AlignMiddle));
    QTest::newRow("vertal") << QByteArray("\\vertal X") << valign
                            << QVariant(int(QTextCharFormat::AlignBottom));
    QTest::newRow("vertalb") << QByteArray("\\vertalb X") << valign
                             << QVariant(int(QTextCharFormat::AlignBottom));
    QTest::newRow("vertalj") << QByteArray("\\vertalj X") << valign
                             << QVariant(int(QTextCharFormat::AlignBaseline));
    QTest::newRow("up") << QByteArray("\\up6 X") << valign
                        << QVariant(int(QTextCharFormat::AlignMiddle));
    QTest::newRow("up offset") << QByteArray("\\up6 X") << int(QMKFormatProperty::VerticalOffset)
                               << QVariant(6);
    QTest::newRow("dn offset") << QByteArray("\\dn6 X") << int(QMKFormatProperty::VerticalOffset)
                               << QVariant(-6);
    QTest::newRow("dn of the smallest int") << QByteArray("\\dn-2147483648 X")
                                            << int(QMKFormatProperty::VerticalOffset)
                                            << QVariant(2147483647);

    const int size = QTextFormat::FontPointSize;
    QTest::newRow("size 24") << QByteArray("\\fs24 X") << size << QVariant(12.0);
    QTest::newRow("size 25") << QByteArray("\\fs25 X") << size << QVariant(12.5);
    QTest::newRow("size 1 floors at 10") << QByteArray("\\fs1 X") << size << QVariant(10.0);
    QTest::newRow("size without parameter") << QByteArray("\\fs X") << size << QVariant(10.0);
    QTest::newRow("negative size") << QByteArray("\\fs-24 X") << size << QVariant(10.0);

    QTest::newRow("revision level") << QByteArray("\\qmkrevlvl2 X")
                                    << int(QMKFormatProperty::RevisionLevel) << QVariant(2);

    const int background = QTextFormat::BackgroundBrush;
    QTest::newRow("background 1 white is none")
        << QByteArray("{\\colortbl;\\red255\\green255\\blue255;}\\cb1 X") << background
        << QVariant();
    QTest::newRow("background 2 white is white")
        << QByteArray("{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue255;}\\cb2 X")
        << background << QVariant(QBrush(QColor(255, 255, 255)));
    QTest::newRow("background 0 auto is none") << QByteArray("\\cb1\\cb0 X") << background
                                               << QVariant();
    QTest::newRow("highlight") << QByteArray("\\highlight1 X") << background
                               << QVariant(QBrush(QColor(255, 0, 0)));
    QTest::newRow("chcbpat") << QByteArray("\\chcbpat3 X") << background
                             << QVariant(QBrush(QColor(16, 128, 214)));
    QTest::newRow("background beyond the table") << QByteArray("\\cb1\\cb99 X") << background
                                                 << QVariant(QBrush(QColor(255, 0, 0)));
    // The same colour number changes the same format again after a new table.
    QTest::newRow("a later colour table gives numbers new colours")
        << QByteArray("{\\cf1 a}{\\colortbl;\\red0\\green0\\blue255;}\\cf1 X")
        << int(QTextFormat::ForegroundBrush) << QVariant(QBrush(QColor(0, 0, 255)));
}

void tst_CharacterFormat::properties()
{
    QFETCH(QByteArray, body);
    QFETCH(int, property);
    QFETCH(QVariant, value);

    const QTextCharFormat format = importedFormat(body);
    QCOMPARE(format.property(property), value);
}

void tst_CharacterFormat::textColour_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("paletteColours");
    QTest::addColumn<QVariant>("foreground");
    QTest::addColumn<QVariant>("revisionLevel");

    const QVariant red = QBrush(QColor(255, 0, 0));
    QTest::newRow("cf") << QByteArray("\\cf1 X") << true << red << QVariant();
    QTest::newRow("chcfpat") << QByteArray("\\chcfpat1 X") << true << red << QVariant();
    QTest::newRow("strikec") << QByteArray("\\strikec1 X") << true << red << QVariant();
    QTest::newRow("cf0 clears") << QByteArray("\\cf1\\cf0 X") << true << QVariant() << QVariant();
    QTest::newRow("beyond the table changes nothing") << QByteArray("\\cf1\\cf99 X") << true
                                                      << red << QVariant();
    QTest::newRow("palette colour becomes a level and keeps the colour")
        << QByteArray("\\cf1\\cf3 X") << true << red << QVariant(2);
    QTest::newRow("cf0 clears colour and level") << QByteArray("\\cf1\\cf3\\cf0 X") << true
                                                 << QVariant() << QVariant();
    QTest::newRow("another colour clears the level") << QByteArray("\\cf3\\cf1 X") << true
                                                     << red << QVariant();
    QTest::newRow("palette option off") << QByteArray("\\cf3 X") << false
                                        << QVariant(QBrush(QColor(16, 128, 214))) << QVariant();
}

void tst_CharacterFormat::textColour()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, paletteColours);
    QFETCH(QVariant, foreground);
    QFETCH(QVariant, revisionLevel);

    ImportOptions options;
    options.paletteColours = paletteColours;
    const ImportResult result = importRtf("{\\rtf1" + colours + body + "}", options);
    const QTextCharFormat format = formatOf(*result.document, QStringLiteral("X"));
    QCOMPARE(format.property(QTextFormat::ForegroundBrush), foreground);
    QCOMPARE(format.property(QMKFormatProperty::RevisionLevel), revisionLevel);
}

void tst_CharacterFormat::moreFormatsThanThePoolHolds()
{
    // The reader shares each distinct format it makes, up to a number; formats past it are
    // kept and compared as they are.
    constexpr int runs = 70000;
    QByteArray body;
    for (int size = 6; size < 6 + runs; ++size)
        body += "{\\fs" + QByteArray::number(size) + " x}";
    body += "\\fs6 y\\fs" + QByteArray::number(5 + runs) + " z";
    const ImportResult result = importRtf("{\\rtf1" + body + "}");
    const QTextBlock first = block(*result.document, 0);
    int fragments = 0;
    for (auto it = first.begin(); !it.atEnd(); ++it)
        ++fragments;
    QCOMPARE(fragments, runs + 2);
    QCOMPARE(formatOf(*result.document, QStringLiteral("y")).fontPointSize(), 3.0);
    QCOMPARE(formatOf(*result.document, QStringLiteral("z")).fontPointSize(), (5 + runs) / 2.0);
}

void tst_CharacterFormat::outline()
{
    const QBrush transparent(Qt::transparent);

    QTextCharFormat format = importedFormat("\\cf1\\outl X");
    QCOMPARE(format.textOutline().color(), QColor(255, 0, 0));
    QCOMPARE(format.foreground(), transparent);

    format = importedFormat("\\outl\\cf3 X");
    QCOMPARE(format.textOutline().color(), QColor(16, 128, 214));
    QCOMPARE(format.foreground(), transparent);

    format = importedFormat("\\outl\\cf1\\outl0 X");
    QVERIFY(!format.hasProperty(QTextFormat::TextOutline));
    QCOMPARE(format.foreground(), QBrush(QColor(255, 0, 0)));

    format = importedFormat("\\outl\\strokec1 X");
    QCOMPARE(format.textOutline().color(), QColor(255, 0, 0));

    // TextEdit writes these with every run; unoutlined text must keep its colour.
    format = importedFormat("\\cf1 \\outl0\\strokewidth0 \\strokec4 X");
    QVERIFY(!format.hasProperty(QTextFormat::TextOutline));
    QCOMPARE(format.foreground(), QBrush(QColor(255, 0, 0)));
}

void tst_CharacterFormat::plainResetsFormat()
{
    const QTextCharFormat format =
        importedFormat("\\b\\i\\ul\\strike\\cf1\\cb1\\outl\\fs40\\plain X");
    QCOMPARE(format.property(QTextFormat::FontWeight), QVariant(50));
    QCOMPARE(format.fontItalic(), false);
    QCOMPARE(format.fontStrikeOut(), false);
    QCOMPARE(format.fontOverline(), false);
    QVERIFY(!format.hasProperty(QTextFormat::TextUnderlineStyle) || !format.fontUnderline());
    QVERIFY(!format.hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(!format.hasProperty(QTextFormat::BackgroundBrush));
    QVERIFY(!format.hasProperty(QTextFormat::TextOutline));
    QVERIFY(format.fontPointSize() != 20.0);
}

void tst_CharacterFormat::groupScopesFormat()
{
    const ImportResult result = importRtf("{\\rtf1 a{\\b B}c}");
    QCOMPARE(formatOf(*result.document, QStringLiteral("B")).fontWeight(), 75);
    QVERIFY(!formatOf(*result.document, QStringLiteral("c")).hasProperty(QTextFormat::FontWeight));
}

void tst_CharacterFormat::plainSelectsDefaultFont_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    // Word writes Russian documents with a Cyrillic default font and \plain before each run.
    QTest::newRow("default font's code page")
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1\\fcharset0 Arial;}}"
                      "\\f1\\plain\\'e9}")
        << QString(QChar(0x0439));
    QTest::newRow("document code page when the default font has none")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset161 Arial;}}"
                      "\\f1\\plain\\'e9}")
        << QString(QChar(0x0439));
    QTest::newRow("another font's code page ends at plain")
        << QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial;}}"
                      "\\f1\\'e9\\plain\\'e9}")
        << QString(QChar(0x0439)) + QChar(0x00E9);
}

void tst_CharacterFormat::plainSelectsDefaultFont()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(importRtf(rtf).text(), text);
}

void tst_CharacterFormat::revisionPalette_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("index");

    QTest::newRow("level 1") << QColor(251, 0, 23) << 1;
    QTest::newRow("level 1 with alpha") << QColor(251, 0, 23, 128) << 1;
    QTest::newRow("level 2 as HSV") << QColor(16, 128, 214).toHsv() << 2;
    QTest::newRow("level 5") << QColor(0x8022AF) << 5;
    QTest::newRow("one off") << QColor(251, 0, 24) << -1;
    QTest::newRow("invalid") << QColor() << -1;
}

void tst_CharacterFormat::revisionPalette()
{
    QFETCH(QColor, colour);
    QFETCH(int, index);
    QCOMPARE(paletteIndexOf(colour), index);
    if (index > 0)
        QCOMPARE(paletteColour(index).rgb(), colour.rgb());
    QCOMPARE(paletteColour(0), QColor(Qt::black));
    QCOMPARE(paletteColour(6), QColor(Qt::black));
    QCOMPARE(paletteColour(3), QColor(0x309603));
}

QMK_TEST_MAIN(tst_CharacterFormat)
#include "tst_characterformat.moc"
