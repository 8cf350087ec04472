#include "support/testsupport.h"

#include "fakefontservices.h"
#include "qmkfontconstruction.h"
#include "qmkfontfamilymap.h"

#include <QFontInfo>

#include <iterator>

namespace {

// Families and faces that the tests control: Arial with the usual four faces, Optima without
// a normal weight, Univers with light to bold; anything else is unknown.
struct FakeFonts
{
    FakeFontFamilyServices families{familyList("Arial|Times New Roman|Optima|Univers"),
                                    text("DejaVu Sans")};
    FakeFontFaceServices faceServices;
    std::unique_ptr<QMKFontFamilyMap> map = families.map();
    FontFaces faces{[this] {
        faceServices.addFace(text("Arial"), text("Regular"), 50);
        faceServices.addFace(text("Arial"), text("Italic"), 50, true);
        faceServices.addFace(text("Arial"), text("Bold"), 75);
        faceServices.addFace(text("Arial"), text("Bold Italic"), 75, true);
        faceServices.addFace(text("Optima"), text("Medium"), 57);
        faceServices.addFace(text("Optima"), text("Bold"), 75);
        faceServices.addFace(text("Optima"), text("Black"), 87);
        for (const int weight : {25, 50, 57, 75})
            faceServices.addFace(text("Univers"), QString::number(weight), weight);
        return faceServices.services();
    }()};

    QFont font(const QString &description, const QFont *base = nullptr, bool *found = nullptr)
    {
        return buildFontFromDescription(description, QFont::SansSerif, base, found, *map, faces);
    }
};

} // namespace

class tst_FontConstruction : public QObject
{
    Q_OBJECT
private slots:
    void fontFromDescription_data();
    void fontFromDescription();
    void strikeOutAndUnderline();

    void emptyDescriptionLeavesFoundAlone();
    void baseFontKeepsItsWeightAndSize();

    void platformFonts();
    void pathologicalDescriptions_data();
    void pathologicalDescriptions();
};

void tst_FontConstruction::fontFromDescription_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("stretch"); // 0: left as QFont has it
    QTest::addColumn<QString>("styleName");
    QTest::addColumn<bool>("found");

    const int normal = QFont::StyleNormal;
    QTest::newRow("family only") << text("Times New Roman") << text("Times New Roman") << 50
                                 << normal << 0 << QString() << true;
    QTest::newRow("bold italic") << text("Arial-BoldItalic") << text("Arial") << 75
                                 << int(QFont::StyleItalic) << 0 << QString() << true;
    QTest::newRow("regular") << text("Arial-Regular") << text("Arial") << 50 << normal << 0
                             << QString() << true;
    QTest::newRow("oblique names no weight") << text("Arial-Oblique") << text("Arial") << 50
                                             << int(QFont::StyleOblique) << 0 << QString()
                                             << true;
    QTest::newRow("condensed medium") << text("Univers-CondensedMedium") << text("Univers") << 57
                                      << normal << 75 << QString() << true;
    QTest::newRow("third part is only the style name")
        << text("Arial-Bold-Heavy Oblique") << text("Arial") << 75 << normal << 0
        << text("Heavy Oblique") << true;
    QTest::newRow("doubled dash is no empty part") << text("Arial--Bold") << text("Arial") << 75
                                                   << normal << 0 << QString() << true;
    QTest::newRow("family without a normal weight") << text("Optima") << text("Optima") << 57
                                                    << normal << 0 << QString() << true;
    QTest::newRow("light request in a family without light") << text("Optima-Light")
                                                             << text("Optima") << 57 << normal
                                                             << 0 << QString() << true;
    QTest::newRow("semibold request gets the next heavier") << text("Optima-SemiBold")
                                                            << text("Optima") << 75 << normal
                                                            << 0 << QString() << true;
    QTest::newRow("first part found through its letters")
        << text("Times-Italic") << text("Times New Roman") << 50 << int(QFont::StyleItalic) << 0
        << QString() << true;
    QTest::newRow("Helvetica becomes Arial, not found")
        << text("Helvetica-Bold") << text("Arial") << 75 << normal << 0 << QString() << false;
    QTest::newRow("unknown family gets default weights")
        << text("Zapfino-Black") << text("Zapfino") << 75 << normal << 0 << QString() << false;
    QTest::newRow("dashes only, not found") << text("---") << text("---") << 50 << normal << 0
                                            << QString() << false;
}

void tst_FontConstruction::fontFromDescription()
{
    QFETCH(QString, description);
    QFETCH(QString, family);
    QFETCH(int, weight);
    QFETCH(int, style);
    QFETCH(int, stretch);
    QFETCH(QString, styleName);
    QFETCH(bool, found);

    FakeFonts fonts;
    bool actualFound = !found;
    const QFont font = fonts.font(description, nullptr, &actualFound);
    QCOMPARE(font.family(), family);
    QCOMPARE(font.weight(), weight);
    QCOMPARE(int(font.style()), style);
    QCOMPARE(font.stretch(), stretch ? stretch : QFont().stretch());
    QCOMPARE(font.styleName(), styleName);
    QCOMPARE(actualFound, found);
    QVERIFY(!font.strikeOut());
    QVERIFY(!font.underline());
}

void tst_FontConstruction::strikeOutAndUnderline()
{
    FakeFonts fonts;
    const QFont both = fonts.font(text("Arial-BoldstrikeoutUNDERLINE"));
    QVERIFY(both.strikeOut());
    QVERIFY(both.underline());
    QCOMPARE(both.weight(), 75);
    // Only the style part counts.
    const QFont neither = fonts.font(text("Arial-Bold-StrikeOut Underline"));
    QVERIFY(!neither.strikeOut());
    QVERIFY(!neither.underline());
}

void tst_FontConstruction::emptyDescriptionLeavesFoundAlone()
{
    FakeFonts fonts;
    bool found = true;
    QCOMPARE(fonts.font(QString(), nullptr, &found), QFont());
    QVERIFY(found);
    found = false;
    fonts.font(QString(), nullptr, &found);
    QVERIFY(!found);
}

void tst_FontConstruction::baseFontKeepsItsWeightAndSize()
{
    FakeFonts fonts;
    QFont base(text("Times New Roman"), 17, QFont::Bold, true);
    base.setStyleHint(QFont::Serif, QFont::PreferDefault);

    // A normal weight is never written: the base font stays bold.
    for (const char *description : {"Arial", "Arial-Regular"}) {
        const QFont font = fonts.font(text(description), &base);
        QCOMPARE(font.family(), text("Arial"));
        QCOMPARE(font.weight(), int(QFont::Bold));
        QCOMPARE(font.pointSize(), 17);
        QVERIFY(font.italic());
        QCOMPARE(font.styleHint(), QFont::Serif);
    }

    base.setWeight(QFont::Normal);
    QCOMPARE(fonts.font(text("Optima"), &base).weight(), 57);
}

void tst_FontConstruction::platformFonts()
{
    // Liberation Sans comes with fonts-liberation2 (scripts/setup.sh).
    bool found = false;
    const QFont font = ::fontFromDescription(text("Liberation Sans-BoldItalic"), QFont::SansSerif,
                                             nullptr, &found);
    QVERIFY(found);
    QCOMPARE(font.family(), text("Liberation Sans"));
    QCOMPARE(font.weight(), int(QFont::Bold));
    QCOMPARE(font.style(), QFont::StyleItalic);
    QCOMPARE(QFontInfo(font).family(), text("Liberation Sans"));
    QVERIFY(QFontInfo(font).bold());

    const QFont regular = ::fontFromDescription(text("Liberation Sans-Regular"), QFont::SansSerif);
    QCOMPARE(regular.weight(), int(QFont::Normal));
    QCOMPARE(regular.style(), QFont::StyleNormal);
}

void tst_FontConstruction::pathologicalDescriptions_data()
{
    QTest::addColumn<QString>("description");

    const QChar oddCharacters[] = {QChar(0), QChar(1), QLatin1Char('-'), QChar(0xd800),
                                   QLatin1Char('-'), QChar(0xdfff), QChar(0xffff)};
    const QString controlsAndSurrogates(oddCharacters, int(std::size(oddCharacters)));

    QTest::newRow("a million letters") << QString(1000000, QLatin1Char('a'));
    QTest::newRow("a million dashes") << QString(1000000, QLatin1Char('-'));
    QTest::newRow("family and a huge style part")
        << text("Liberation Sans-") + QString(1000000, QLatin1Char('B'));
    QTest::newRow("a hundred thousand style words")
        << text("Liberation Sans") + text(" Bold").repeated(100000);
    QTest::newRow("control characters and surrogates")
        << controlsAndSurrogates;
}

void tst_FontConstruction::pathologicalDescriptions()
{
    // These only have to finish, on the platform's own font services.
    QFETCH(QString, description);
    bool found = false;
    ::fontFromDescription(description, QFont::SansSerif, nullptr, &found);
    QMKFontFamilyMap::instance()->postScriptName(description, 75, true, 100, true);
    QMKFontFamilyMap::instance()->faceKeyForName(description);
}

QMK_TEST_MAIN(tst_FontConstruction)
#include "tst_fontconstruction.moc"
