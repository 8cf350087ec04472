#include "support/testsupport.h"

#include "qmkunits.h"

class tst_Units : public QObject
{
    Q_OBJECT
private slots:
    void conversions_data();
    void conversions();
    void roundTrip();
};

void tst_Units::conversions_data()
{
    QTest::addColumn<double>("pixels");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("twips");

    QTest::newRow("one inch") << 96.0 << 72.0 << 1440;
    QTest::newRow("twelve points") << 16.0 << 12.0 << 240;
    QTest::newRow("zero") << 0.0 << 0.0 << 0;
    QTest::newRow("negative keeps its sign") << -48.0 << -36.0 << -720;
    QTest::newRow("one twip") << 1.0 / 15 << 0.05 << 1;
}

void tst_Units::conversions()
{
    QFETCH(double, pixels);
    QFETCH(double, points);
    QFETCH(int, twips);

    QCOMPARE(pixelsToPoints(pixels), points);
    QCOMPARE(pointsToPixels(points), pixels);
    QCOMPARE(pixelsToTwips(pixels), double(twips));
    QCOMPARE(twipsToPixels(twips), pixels);
}

void tst_Units::roundTrip()
{
    // Lengths written as twips and read back must not drift.
    for (int twips = -20000; twips <= 20000; twips += 37)
        QCOMPARE(qRound(pixelsToTwips(twipsToPixels(twips))), twips);
}

QMK_TEST_MAIN(tst_Units)
#include "tst_units.moc"
