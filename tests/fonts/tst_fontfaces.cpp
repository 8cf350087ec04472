#include "support/testsupport.h"

#include "fakefontservices.h"
#include "qmkfontconstruction.h"

#include <algorithm>

namespace {

QList<int> sortedWeights(const QSet<int> &weights)
{
    QList<int> list(weights.cbegin(), weights.cend());
    std::sort(list.begin(), list.end());
    return list;
}

QString familyNumber(int n)
{
    return QStringLiteral("Family %1").arg(n);
}

} // namespace

class tst_FontFaces : public QObject
{
    Q_OBJECT
private slots:
    void chooseClosestWeight_data();
    void chooseClosestWeight();

    void faceListLeavesOutFacesWithoutWeight();
    void familyWithoutFacesHasDefaultWeights();
    void emptyFamilyIsNormal();
    void chosenWeightsAreKeptForEveryFamily();
    void familyNamesEndingInDigitsAreKeptApart();
    void sixteenthFamilyEvictsLeastRecentlyUsed();

    void platformWeights();
};

void tst_FontFaces::chooseClosestWeight_data()
{
    QTest::addColumn<QList<int>>("available");
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("chosen");

    const QList<int> lightNormalBold{25, 50, 75};
    QTest::newRow("present weight") << lightNormalBold << 25 << 25;
    QTest::newRow("black request gets bold") << lightNormalBold << 87 << 75;
    QTest::newRow("semibold request gets bold") << lightNormalBold << 63 << 75;
    QTest::newRow("extralight request gets normal") << lightNormalBold << 12 << 50;
    QTest::newRow("medium request gets normal") << lightNormalBold << 57 << 50;
    QTest::newRow("thin request gets normal") << lightNormalBold << 0 << 50;

    QTest::newRow("thin and bold: light gets thin") << QList<int>{0, 75} << 25 << 0;
    QTest::newRow("thin and bold: black gets bold") << QList<int>{0, 75} << 87 << 75;
    QTest::newRow("thin and black: normal stays normal") << QList<int>{0, 87} << 50 << 50;
    QTest::newRow("equal distance keeps the lighter") << QList<int>{0, 100} << 50 << 0;
    QTest::newRow("extralight is the heaviest up to normal") << QList<int>{12, 87} << 50 << 12;
    QTest::newRow("only bold weights: normal request") << QList<int>{63, 81} << 50 << 50;

    QTest::newRow("smallest weight at or above a bold request") << QList<int>{63, 81} << 75
                                                                << 81;
    QTest::newRow("heavier than all: nearest bold") << QList<int>{0, 63} << 99 << 63;
    QTest::newRow("heavier than all, none bold: bold") << QList<int>{0, 25} << 99 << 75;

    QTest::newRow("single normal never satisfies bold") << QList<int>{50} << 75 << 75;
    QTest::newRow("single black serves bold") << QList<int>{87} << 75 << 87;
    QTest::newRow("single black never satisfies normal") << QList<int>{87} << 50 << 50;
    QTest::newRow("single light serves normal") << QList<int>{25} << 50 << 25;
    QTest::newRow("single medium serves thin") << QList<int>{57} << 0 << 57;
}

void tst_FontFaces::chooseClosestWeight()
{
    QFETCH(QList<int>, available);
    QFETCH(int, requested);
    QFETCH(int, chosen);

    const QSet<int> weights(available.cbegin(), available.cend());
    QCOMPARE(::chooseClosestWeight(weights, requested), chosen);

    FakeFontFaceServices fake;
    for (const int weight : available)
        fake.addFace(text("Family"), QString::number(weight), weight);
    FontFaces faces(fake.services());
    QCOMPARE(faces.closestWeight(text("Family"), requested), chosen);
}

void tst_FontFaces::faceListLeavesOutFacesWithoutWeight()
{
    FakeFontFaceServices fake;
    fake.addFace(text("Sans"), text("Regular"), 50);
    fake.addFace(text("Sans"), text("Bold Italic"), 75, true);
    fake.addFace(text("Sans"), text("Broken"), -1);
    FontFaces faces(fake.services());

    const QVector<FaceEntry> list = faces.faceList(text("Sans"));
    QCOMPARE(list.size(), 2);
    QCOMPARE(list.at(1).styleName, text("Bold Italic"));
    QCOMPARE(list.at(1).weight, 75);
    QVERIFY(list.at(1).italic);
    QCOMPARE(faces.familyStyles(text("Sans")).size(), 3);
    QCOMPARE(sortedWeights(faces.availableWeights(text("Sans"))), (QList<int>{50, 75}));
}

void tst_FontFaces::familyWithoutFacesHasDefaultWeights()
{
    FakeFontFaceServices fake;
    fake.addFace(text("Broken"), text("Regular"), -1);
    FontFaces faces(fake.services());
    QCOMPARE(sortedWeights(faces.availableWeights(text("Unknown"))), (QList<int>{25, 50, 75}));
    QCOMPARE(sortedWeights(faces.availableWeights(text("Broken"))), (QList<int>{25, 50, 75}));
    QCOMPARE(sortedWeights(faces.availableWeights(QString())), (QList<int>{25, 50, 75}));
    QCOMPARE(faces.closestWeight(text("Unknown"), 87), 75);
}

void tst_FontFaces::emptyFamilyIsNormal()
{
    FakeFontFaceServices fake;
    FontFaces faces(fake.services());
    QCOMPARE(faces.closestWeight(QString(), 75), 50);
    QVERIFY(faces.familyStyles(QString()).isEmpty());
    QVERIFY(faces.faceList(QString()).isEmpty());
    QCOMPARE(fake.styleQueries, 0);
}

void tst_FontFaces::chosenWeightsAreKeptForEveryFamily()
{
    FakeFontFaceServices fake;
    FontFaces faces(fake.services());
    for (int n = 0; n < 3 * FontFaces::cachedFamilies; ++n)
        faces.closestWeight(familyNumber(n), 75);
    const int queries = fake.styleQueries;
    for (int n = 0; n < 3 * FontFaces::cachedFamilies; ++n)
        QCOMPARE(faces.closestWeight(familyNumber(n), 75), 75);
    QCOMPARE(fake.styleQueries, queries);
}

void tst_FontFaces::familyNamesEndingInDigitsAreKeptApart()
{
    FakeFontFaceServices fake;
    fake.addFace(text("Code 1"), text("Light"), 25);
    fake.addFace(text("Code 1"), text("Bold"), 75);
    fake.addFace(text("Code 12"), text("Thin"), 0);
    fake.addFace(text("Code 12"), text("Bold"), 75);
    FontFaces faces(fake.services());
    QCOMPARE(faces.closestWeight(text("Code 1"), 25), 25);
    // Gave 25 (expected 0): "Code 1" with 25 and "Code 12" with 5 shared the key "Code 125".
    QCOMPARE(faces.closestWeight(text("Code 12"), 5), 0);
}

void tst_FontFaces::sixteenthFamilyEvictsLeastRecentlyUsed()
{
    FakeFontFaceServices fake;
    FontFaces faces(fake.services());
    for (int n = 0; n < FontFaces::cachedFamilies; ++n)
        faces.faceList(familyNumber(n));
    QCOMPARE(fake.styleQueries, FontFaces::cachedFamilies);

    // A hit makes family 0 the most recently used; family 1 is now the oldest.
    faces.faceList(familyNumber(0));
    QCOMPARE(fake.styleQueries, FontFaces::cachedFamilies);

    faces.faceList(familyNumber(FontFaces::cachedFamilies));
    QVERIFY(faces.hasCachedFaceList(familyNumber(0)));
    QVERIFY(!faces.hasCachedFaceList(familyNumber(1)));
    for (int n = 2; n <= FontFaces::cachedFamilies; ++n)
        QVERIFY(faces.hasCachedFaceList(familyNumber(n)));
    // The face-list hit did not use the style names of family 0 again: they went first.
    QVERIFY(!faces.hasCachedStyles(familyNumber(0)));
    for (int n = 1; n <= FontFaces::cachedFamilies; ++n)
        QVERIFY(faces.hasCachedStyles(familyNumber(n)));

    // Evicted entries are built again, from whatever the other cache still holds.
    const int queries = fake.styleQueries;
    faces.faceList(familyNumber(1));
    QVERIFY(faces.hasCachedFaceList(familyNumber(1)));
    QCOMPARE(fake.styleQueries, queries);
    faces.familyStyles(familyNumber(0));
    QCOMPARE(fake.styleQueries, queries + 1);
}

void tst_FontFaces::platformWeights()
{
    // Liberation Sans comes with fonts-liberation2 (scripts/setup.sh): Regular, Bold and their
    // italics.
    const QSet<int> weights = availableWeights(text("Liberation Sans"));
    QVERIFY(weights.contains(QFont::Normal));
    QVERIFY(weights.contains(QFont::Bold));
    QCOMPARE(closestWeight(text("Liberation Sans"), QFont::Bold), int(QFont::Bold));
    QCOMPARE(closestWeight(text("Liberation Sans"), QFont::Normal), int(QFont::Normal));
    QCOMPARE(closestWeight(QString(), QFont::Bold), int(QFont::Normal));
}

QMK_TEST_MAIN(tst_FontFaces)
#include "tst_fontfaces.moc"
