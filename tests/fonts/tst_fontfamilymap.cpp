#include "support/testsupport.h"

#include "fakefontservices.h"

namespace {

const char *const usualFamilies = "Arial|Times New Roman|Courier New|DejaVu Sans";

} // namespace

class tst_FontFamilyMap : public QObject
{
    Q_OBJECT
private slots:
    void resolveFamily_data();
    void resolveFamily();
    void genericFamilyByStyleHint_data();
    void genericFamilyByStyleHint();

    void emptyNameClearsFlags();
    void seenNameIsNotResolvedAgain();
    void styleHintsAreCachedSeparately();
    void dashResultIsCachedUnderTheWholeName();
    void installedFamiliesAreReadOnce();
    void catalogueFamilyComesFirst();

    void emptyCatalogue();
    void courierSubstitutes();

    void platformFamilies();
};

void tst_FontFamilyMap::resolveFamily_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("styleHint");
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("found");
    QTest::addColumn<bool>("exact");

    const QStringList usual = familyList(usualFamilies);
    const QString shellDlg = text("MS Shell Dlg 2");
    const QString linuxDefault = text("DejaVu Sans");

    QTest::newRow("installed family") << usual << shellDlg << text("Times New Roman")
                                      << int(QFont::Serif) << text("Times New Roman") << true
                                      << true;
    QTest::newRow("letters-only extension") << usual << shellDlg << text("Times")
                                            << int(QFont::Serif) << text("Times New Roman")
                                            << true << true;
    QTest::newRow("courier means Courier Prime")
        << familyList("Courier Prime|Courier New") << shellDlg << text("courier")
        << int(QFont::TypeWriter) << text("Courier Prime") << true << true;
    QTest::newRow("COURIER finds an installed Courier")
        << familyList("Courier|Arial") << shellDlg << text("COURIER") << int(QFont::TypeWriter)
        << text("Courier") << true << true;
    QTest::newRow("Courier without either family: the matcher decides")
        << usual << linuxDefault << text("Courier") << int(QFont::TypeWriter)
        << text("Courier Prime") << false << false;
    QTest::newRow("Helvetica is Arial even when installed")
        << familyList("Helvetica|Arial") << shellDlg << text("Helvetica") << int(QFont::SansSerif)
        << text("Arial") << true << true;
    QTest::newRow("dash: prefix resolved, never exact")
        << usual << shellDlg << text("Helvetica-Bold") << int(QFont::SansSerif) << text("Arial")
        << false << false;
    QTest::newRow("family before a dash found by its letters")
        << familyList("Baskerville|Arial") << shellDlg << text("Baskerville-SemiBoldItalic")
        << int(QFont::Serif) << text("Baskerville") << true << true;
    QTest::newRow("dash: installed prefix is found, not exact")
        << familyList("Baskerville|Arial") << shellDlg << text("Bask-SemiBold")
        << int(QFont::Serif) << text("Baskerville") << true << false;
    QTest::newRow("dash inside an installed family name")
        << familyList("Semi-Serif|Arial") << shellDlg << text("Semi-Serif") << int(QFont::Serif)
        << text("Semi-Serif") << true << true;
    QTest::newRow("unknown name kept when the matcher does not fall back")
        << usual << linuxDefault << text("Zapfino") << int(QFont::Cursive) << text("Zapfino")
        << false << false;
    QTest::newRow("user-interface font asked for by name is kept")
        << usual << text("Segoe UI") << text("Segoe UI") << int(QFont::SansSerif)
        << text("Segoe UI") << false << false;
    QTest::newRow("exact match is never replaced")
        << familyList("MS Shell Dlg 2") << shellDlg << text("MS Shell Dlg 2")
        << int(QFont::Serif) << text("MS Shell Dlg 2") << true << true;
    // Gave an empty family (expected the name): the empty text before the dash was resolved.
    QTest::newRow("leading dash goes to the matcher")
        << usual << linuxDefault << text("-Bold") << int(QFont::SansSerif) << text("-Bold")
        << false << false;
    QTest::newRow("dashes only go to the matcher")
        << usual << linuxDefault << text("---") << int(QFont::SansSerif) << text("---") << false
        << false;
}

void tst_FontFamilyMap::resolveFamily()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, fallback);
    QFETCH(QString, name);
    QFETCH(int, styleHint);
    QFETCH(QString, family);
    QFETCH(bool, found);
    QFETCH(bool, exact);

    FakeFontFamilyServices fake{installed, fallback};
    const auto map = fake.map();
    bool actualFound = !found;
    bool actualExact = !exact;
    QCOMPARE(map->resolveFamily(name, styleHint, &actualFound, &actualExact), family);
    QCOMPARE(actualFound, found);
    QCOMPARE(actualExact, exact);

    // The cached answer is the same, flags included.
    actualFound = !found;
    actualExact = !exact;
    QCOMPARE(map->resolveFamily(name, styleHint, &actualFound, &actualExact), family);
    QCOMPARE(actualFound, found);
    QCOMPARE(actualExact, exact);
}

void tst_FontFamilyMap::genericFamilyByStyleHint_data()
{
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<int>("styleHint");
    QTest::addColumn<QString>("family");

    const QString shellDlg = text("MS Shell Dlg 2");
    QTest::newRow("sans serif") << shellDlg << int(QFont::SansSerif) << text("Arial");
    QTest::newRow("serif") << shellDlg << int(QFont::Serif) << text("Times New Roman");
    QTest::newRow("typewriter") << shellDlg << int(QFont::TypeWriter) << text("Courier Prime");
    QTest::newRow("decorative") << shellDlg << int(QFont::Decorative) << text("Segoe Script");
    QTest::newRow("system") << shellDlg << int(QFont::System) << text("Arial");
    QTest::newRow("any style") << shellDlg << int(QFont::AnyStyle) << text("Arial");
    QTest::newRow("cursive") << shellDlg << int(QFont::Cursive) << text("Segoe Script");
    QTest::newRow("monospace") << shellDlg << int(QFont::Monospace) << text("Courier Prime");
    QTest::newRow("fantasy") << shellDlg << int(QFont::Fantasy) << text("Segoe Script");
    QTest::newRow("hint above fantasy keeps the name") << shellDlg << 9 << text("Zapfino");
    QTest::newRow("negative hint keeps the name") << shellDlg << -1 << text("Zapfino");
    QTest::newRow("Segoe UI fallback, any case") << text("segoe ui") << int(QFont::Serif)
                                                 << text("Times New Roman");
    QTest::newRow("other fallback keeps the name") << text("DejaVu Sans") << int(QFont::Serif)
                                                   << text("Zapfino");
}

void tst_FontFamilyMap::genericFamilyByStyleHint()
{
    QFETCH(QString, fallback);
    QFETCH(int, styleHint);
    QFETCH(QString, family);

    FakeFontFamilyServices fake{familyList(usualFamilies), fallback};
    bool found = true;
    bool exact = true;
    QCOMPARE(fake.map()->resolveFamily(text("Zapfino"), styleHint, &found, &exact), family);
    QVERIFY(!found);
    QVERIFY(!exact);
}

void tst_FontFamilyMap::emptyNameClearsFlags()
{
    FakeFontFamilyServices fake{familyList(usualFamilies)};
    const auto map = fake.map();
    bool found = true;
    bool exact = true;
    QCOMPARE(map->resolveFamily(QString(), 0, &found, &exact), QString());
    QVERIFY(!found);
    QVERIFY(!exact);
    QCOMPARE(fake.matcherCalls, 0);
}

void tst_FontFamilyMap::seenNameIsNotResolvedAgain()
{
    FakeFontFamilyServices fake{familyList(usualFamilies)};
    const auto map = fake.map();
    QCOMPARE(map->resolveFamily(text("Times"), 1), text("Times New Roman"));
    QCOMPARE(fake.matcherCalls, 1);

    // Even after the installed families change, the first answer stands.
    fake.installed.clear();
    QCOMPARE(map->resolveFamily(text("Times"), 1), text("Times New Roman"));
    QCOMPARE(fake.matcherCalls, 1);
}

void tst_FontFamilyMap::styleHintsAreCachedSeparately()
{
    FakeFontFamilyServices fake{familyList(usualFamilies)};
    const auto map = fake.map();
    QCOMPARE(map->resolveFamily(text("Zapfino"), int(QFont::SansSerif)), text("Arial"));
    QCOMPARE(map->resolveFamily(text("Zapfino"), int(QFont::Serif)), text("Times New Roman"));
    QCOMPARE(map->resolveFamily(text("Zapfino"), int(QFont::SansSerif)), text("Arial"));
    QCOMPARE(fake.matcherCalls, 2);
}

void tst_FontFamilyMap::dashResultIsCachedUnderTheWholeName()
{
    FakeFontFamilyServices fake{familyList(usualFamilies)};
    const auto map = fake.map();
    QCOMPARE(map->resolveFamily(text("Helvetica-Bold"), 0), text("Arial"));
    const int calls = fake.matcherCalls;
    bool exact = true;
    QCOMPARE(map->resolveFamily(text("Helvetica-Bold"), 0, nullptr, &exact), text("Arial"));
    QVERIFY(!exact);
    QCOMPARE(map->resolveFamily(text("Helvetica"), 0, nullptr, &exact), text("Arial"));
    QVERIFY(exact);
    QCOMPARE(fake.matcherCalls, calls);
}

void tst_FontFamilyMap::installedFamiliesAreReadOnce()
{
    FakeFontFamilyServices fake{familyList(usualFamilies)};
    const auto map = fake.map();
    QCOMPARE(fake.familyListReads, 0);
    map->resolveFamily(text("Times"), 1);
    map->resolveFamily(text("Zapfino"), 1);
    QCOMPARE(map->installedFamilyMatch(text("Courier")), text("Courier New"));
    QCOMPARE(fake.familyListReads, 1);
}

void tst_FontFamilyMap::catalogueFamilyComesFirst()
{
    FaceCatalogue catalogue;
    FaceRecord arial;
    arial.familyName = text("Arial");
    arial.installed = true;
    catalogue.addFace(text("ArialMT"), arial);
    catalogue.addInstalledFamily(text("Arial"));
    catalogue.addInstalledFamily(text("Gill Sans"));

    FakeFontFamilyServices fake{familyList(usualFamilies), text("DejaVu Sans")};
    const auto map = fake.map(std::move(catalogue));
    bool found = false;
    QCOMPARE(map->resolveFamily(text("ArialMT"), 0, &found), text("Arial"));
    QVERIFY(found);
    // Installed by the catalogue, though the font database does not list it.
    QCOMPARE(map->resolveFamily(text("gill sans"), 0, &found), text("gill sans"));
    QVERIFY(found);
}

void tst_FontFamilyMap::emptyCatalogue()
{
    FakeFontFamilyServices fake{familyList("Helvetica|Courier Prime|Arial")};
    const auto map = fake.map();
    QCOMPARE(map->faceKeyForName(text("Arial Bold")), text("Arial Bold"));
    QCOMPARE(map->faceKeyForName(QString()), QString());
    QVERIFY(!map->isFamilyInstalled(text("Arial")));
    QVERIFY(!map->isFamilyInstalled(text("Arial Bold")));
    QCOMPARE(map->postScriptName(text("Arial"), 75, true, 100, true), text("Arial"));
    QCOMPARE(map->postScriptName(text("Arial"), 75, true, 100, false), QString());
    QCOMPARE(map->postScriptName(text("Arial"), -1, false, 100, true), text("Arial"));
    QVERIFY(!map->isHelveticaInstalled());
    QVERIFY(!map->isCourierPrimeInstalled());
    QCOMPARE(map->defaultCourierFamily(), text("Courier New"));
}

void tst_FontFamilyMap::courierSubstitutes()
{
    FakeFontFamilyServices scalable{familyList(usualFamilies)};
    scalable.courierScalable = true;
    const auto map = scalable.map();
    QCOMPARE(map->courierFamily(), text("Courier"));
    // Decided once per map.
    scalable.courierScalable = false;
    QCOMPARE(map->courierFamily(), text("Courier"));

    FakeFontFamilyServices bitmapOnly{familyList(usualFamilies)};
    QCOMPARE(bitmapOnly.map()->courierFamily(), text("Courier New"));
}

void tst_FontFamilyMap::platformFamilies()
{
    // Liberation Sans and Liberation Serif come with fonts-liberation2 (scripts/setup.sh).
    QMKFontFamilyMap *map = QMKFontFamilyMap::instance();
    QCOMPARE(QMKFontFamilyMap::instance(), map);

    bool found = false;
    bool exact = false;
    QCOMPARE(map->resolveFamily(text("Liberation Sans"), 0, &found, &exact),
             text("Liberation Sans"));
    QVERIFY(found);
    QVERIFY(exact);
    QCOMPARE(map->resolveFamily(text("LiberationSerif"), 1, &found), text("Liberation Serif"));
    QVERIFY(found);
    QCOMPARE(map->installedFamilyMatch(text("Liberation Sans")), text("Liberation Sans"));
    QCOMPARE(map->defaultCourierFamily(), text("Courier New"));
}

QMK_TEST_MAIN(tst_FontFamilyMap)
#include "tst_fontfamilymap.moc"
