#include "common/testsupport.h"

#include "qmkformatproperties.h"
#include "qmklinespacing.h"

#include <QTextBlockFormat>

#include <limits>

class tst_LineSpacing : public QObject
{
    Q_OBJECT
private slots:
    void fuzzyEquality_data();
    void fuzzyEquality();
    void lineHeightForSpacing_data();
    void lineHeightForSpacing();
    void spacingFromQtLineHeight_data();
    void spacingFromQtLineHeight();
    void roundTrip_data();
    void roundTrip();
    void normalize_data();
    void normalize();
    void normalizeLeavesFormatAlone();
    void lineHeightOfFormat();
};

namespace {

// 14 points at 96 dpi.
constexpr double FourteenPointsInPixels = 14.0 * 96 / 72;

// What \sl can give at most: the largest 32-bit parameter, in points.
constexpr double LargestRtfSpacing = std::numeric_limits<int>::max() / 20.0;

} // namespace

void tst_LineSpacing::fuzzyEquality_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<bool>("equal");

    QTest::newRow("identical") << 12.0 << 12.0 << true;
    QTest::newRow("zero and a rounding error") << 0.0 << 1e-14 << true;
    QTest::newRow("zero and a small value") << 0.0 << 1e-9 << false;
    QTest::newRow("large values differing in the last digits") << 1e6 << 1e6 + 1e-7 << true;
    QTest::newRow("large values differing by one") << 1e6 << 1e6 + 1 << false;
    QTest::newRow("opposite signs") << 12.0 << -12.0 << false;
}

void tst_LineSpacing::fuzzyEquality()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(bool, equal);
    QCOMPARE(lineSpacingFuzzyEqual(a, b), equal);
    QCOMPARE(lineSpacingFuzzyEqual(b, a), equal);
}

void tst_LineSpacing::lineHeightForSpacing_data()
{
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("base");
    QTest::addColumn<bool>("convert");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("type");

    const int single = QTextBlockFormat::SingleHeight;
    const int proportional = QTextBlockFormat::ProportionalHeight;
    QTest::newRow("nothing: single") << 0.0 << 0.0 << true << 0.0 << single;
    QTest::newRow("at least 14 pt") << 14.0 << 0.0 << true << FourteenPointsInPixels
                                    << int(QTextBlockFormat::MinimumHeight);
    QTest::newRow("exactly 14 pt") << -14.0 << 0.0 << true << FourteenPointsInPixels
                                   << int(QTextBlockFormat::FixedHeight);
    QTest::newRow("exactly 14 pt, kept in points") << -14.0 << 0.0 << false << 14.0
                                                   << int(QTextBlockFormat::FixedHeight);
    QTest::newRow("spacing equal to its base: single") << 12.0 << 12.0 << true << 0.0 << single;
    QTest::newRow("no spacing over a base: single") << 0.0 << 12.0 << true << 0.0 << single;
    QTest::newRow("one and a half lines") << 18.0 << 12.0 << true << 150.0 << proportional;
    QTest::newRow("double spacing") << 24.0 << 12.0 << true << 200.0 << proportional;
    QTest::newRow("hundredths compared, not doubles") << 14.4 << 12.0 << true << 120.0
                                                      << proportional;
    QTest::newRow("base other than 12") << 36.0 << 24.0 << true << 150.0 << proportional;
    // Was -179 million percent: 100 x spacing overflowed a 32-bit int on rounding.
    QTest::newRow("largest \\sl as a multiple")
        << LargestRtfSpacing << 12.0 << true << qRound64(100 * LargestRtfSpacing) / 1200.0 * 100
        << proportional;
    QTest::newRow("base rounding to no hundredths") << 1.0 << 0.001 << true << 0.0 << single;
}

void tst_LineSpacing::lineHeightForSpacing()
{
    QFETCH(double, spacing);
    QFETCH(double, base);
    QFETCH(bool, convert);
    QFETCH(double, height);
    QFETCH(int, type);

    const QMKLineHeight result = lineHeightFor({spacing, base}, convert);
    QCOMPARE(result.type, type);
    QCOMPARE(result.height, height);
}

void tst_LineSpacing::spacingFromQtLineHeight_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("convert");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("base");

    const int proportional = QTextBlockFormat::ProportionalHeight;
    QTest::newRow("proportional 100: no spacing") << 100.0 << proportional << true << 0.0 << 0.0;
    QTest::newRow("proportional 150") << 150.0 << proportional << true << 18.0 << 12.0;
    QTest::newRow("proportional 200") << 200.0 << proportional << true << 24.0 << 12.0;
    QTest::newRow("fixed, from pixels") << FourteenPointsInPixels
                                        << int(QTextBlockFormat::FixedHeight) << true << -14.0
                                        << 0.0;
    QTest::newRow("minimum, from pixels") << FourteenPointsInPixels
                                          << int(QTextBlockFormat::MinimumHeight) << true << 14.0
                                          << 0.0;
    QTest::newRow("line distance, unconverted")
        << 10.0 << int(QTextBlockFormat::LineDistanceHeight) << false << 10.0 << 0.0;
    QTest::newRow("single") << 0.0 << int(QTextBlockFormat::SingleHeight) << true << 0.0 << 0.0;
    QTest::newRow("unknown type") << 30.0 << 9 << true << 0.0 << 0.0;
}

void tst_LineSpacing::spacingFromQtLineHeight()
{
    QFETCH(double, height);
    QFETCH(int, type);
    QFETCH(bool, convert);
    QFETCH(double, spacing);
    QFETCH(double, base);

    const QMKLineSpacing result = spacingFromLineHeight({height, type}, convert);
    QCOMPARE(result.spacing, spacing);
    QCOMPARE(result.base, base);
}

void tst_LineSpacing::roundTrip_data()
{
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("base");

    QTest::newRow("exactly 14 pt") << -14.0 << 0.0;
    QTest::newRow("at least 14 pt") << 14.0 << 0.0;
    QTest::newRow("one and a half lines") << 18.0 << 12.0;
    QTest::newRow("double spacing") << 24.0 << 12.0;
    QTest::newRow("1.2 lines") << 14.4 << 12.0;
}

// What the reader stores must come back unchanged when the writer reads the line height.
void tst_LineSpacing::roundTrip()
{
    QFETCH(double, spacing);
    QFETCH(double, base);

    const QMKLineSpacing back = spacingFromLineHeight(lineHeightFor({spacing, base}, true), true);
    QCOMPARE(back.spacing, spacing);
    QCOMPARE(back.base, base);
}

void tst_LineSpacing::normalize_data()
{
    QTest::addColumn<QVariant>("storedSpacing");
    QTest::addColumn<QVariant>("storedBase");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("base");

    QTest::newRow("nothing stored: single") << QVariant() << QVariant() << 12.0 << 12.0;
    QTest::newRow("single over base 12") << QVariant(12.0) << QVariant(12.0) << 12.0 << 12.0;
    QTest::newRow("one and a half lines") << QVariant(18.0) << QVariant(12.0) << 18.0 << 12.0;
    QTest::newRow("base 24 rescaled to 12") << QVariant(36.0) << QVariant(24.0) << 18.0 << 12.0;
    QTest::newRow("exact distance without base") << QVariant(-14.0) << QVariant() << -14.0 << 0.0;
    QTest::newRow("at least, base 0") << QVariant(14.0) << QVariant(0.0) << 14.0 << 0.0;
}

void tst_LineSpacing::normalize()
{
    QFETCH(QVariant, storedSpacing);
    QFETCH(QVariant, storedBase);
    QFETCH(double, spacing);
    QFETCH(double, base);

    QTextBlockFormat format;
    if (storedSpacing.isValid())
        setLineSpacing(format, storedSpacing.toDouble());
    if (storedBase.isValid())
        setLineSpacingBase(format, storedBase.toDouble());
    const QMKLineSpacing result = normalizeLineSpacing(format);
    QCOMPARE(result.spacing, spacing);
    QCOMPARE(result.base, base);
}

void tst_LineSpacing::normalizeLeavesFormatAlone()
{
    QTextBlockFormat format;
    setLineSpacing(format, 36);
    setLineSpacingBase(format, 24);
    const QTextBlockFormat before = format;
    normalizeLineSpacing(format);
    QCOMPARE(format, before);
    QCOMPARE(format.doubleProperty(QMKFormatProperty::LineSpacing), 36.0);
    QCOMPARE(format.doubleProperty(QMKFormatProperty::LineSpacingBase), 24.0);
}

void tst_LineSpacing::lineHeightOfFormat()
{
    QTextBlockFormat format;
    QMKLineHeight height = lineHeightOf(format);
    QCOMPARE(height.height, 0.0);
    QCOMPARE(height.type, int(QTextBlockFormat::SingleHeight));

    format.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    height = lineHeightOf(format);
    QCOMPARE(height.height, 150.0);
    QCOMPARE(height.type, int(QTextBlockFormat::ProportionalHeight));
}

QMK_TEST_MAIN(tst_LineSpacing)
#include "tst_linespacing.moc"
