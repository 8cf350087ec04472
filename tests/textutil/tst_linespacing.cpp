#include "support/testsupport.h"

#include "qmklinespacing.h"

#include <QTextBlockFormat>

#include <limits>

class tst_LineSpacing : public QObject
{
    Q_OBJECT
private slots:
    void lineHeightForSpacing_data();
    void lineHeightForSpacing();
    void spacingFromQtLineHeight_data();
    void spacingFromQtLineHeight();
    void normalize_data();
    void normalize();
};

namespace {

constexpr double FourteenPointsInPixels = 14.0 * 96 / 72;
constexpr double LargestRtfSpacing = std::numeric_limits<int>::max() / 20.0; // \sl in points

} // namespace

void tst_LineSpacing::lineHeightForSpacing_data()
{
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("base");
    QTest::addColumn<bool>("convert");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("type");

    const int single = QTextBlockFormat::SingleHeight;
    const int proportional = QTextBlockFormat::ProportionalHeight;
    const int fixed = QTextBlockFormat::FixedHeight;
    QTest::newRow("nothing: single") << 0.0 << 0.0 << true << 0.0 << single;
    QTest::newRow("a rounding error from nothing: single") << 1e-14 << 0.0 << true << 0.0
                                                           << single;
    QTest::newRow("at least 14 pt") << 14.0 << 0.0 << true << FourteenPointsInPixels
                                    << int(QTextBlockFormat::MinimumHeight);
    QTest::newRow("exactly 14 pt") << -14.0 << 0.0 << true << FourteenPointsInPixels << fixed;
    QTest::newRow("exactly 14 pt, kept in points") << -14.0 << 0.0 << false << 14.0 << fixed;
    QTest::newRow("spacing equal to its base: single") << 12.0 << 12.0 << true << 0.0 << single;
    QTest::newRow("no spacing over a base: single") << 0.0 << 12.0 << true << 0.0 << single;
    QTest::newRow("one and a half lines") << 18.0 << 12.0 << true << 150.0 << proportional;
    QTest::newRow("double spacing") << 24.0 << 12.0 << true << 200.0 << proportional;
    QTest::newRow("hundredths compared, not doubles") << 14.4 << 12.0 << true << 120.0
                                                      << proportional;
    QTest::newRow("base other than 12") << 36.0 << 24.0 << true << 150.0 << proportional;
    // Was -179 million percent: 100 x spacing overflowed an int when rounded.
    QTest::newRow("largest \\sl as a multiple")
        << LargestRtfSpacing << 12.0 << true << qRound64(100 * LargestRtfSpacing) / 1200.0 * 100
        << proportional;
    // Was infinite: the base rounds to no hundredths at all.
    QTest::newRow("base of a thousandth") << 1.0 << 0.001 << true << 0.0 << single;
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

// Also the way back: what the reader stores must come back as it was (RTF has no line
// distance of its own: it comes back as a minimum).
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
    if (spacing != 0 && type != QTextBlockFormat::LineDistanceHeight) {
        const QMKLineHeight back = lineHeightFor(result, convert);
        QCOMPARE(back.height, height);
        QCOMPARE(back.type, type);
    }
}

void tst_LineSpacing::normalize_data()
{
    QTest::addColumn<QVariant>("storedSpacing");
    QTest::addColumn<QVariant>("storedBase");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("base");

    QTest::newRow("nothing stored: single") << QVariant() << QVariant() << 12.0 << 12.0;
    QTest::newRow("single over base 12") << QVariant(12.0) << QVariant(12.0) << 12.0 << 12.0;
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
    const QTextBlockFormat stored = format;

    const QMKLineSpacing result = normalizeLineSpacing(format);
    QCOMPARE(result.spacing, spacing);
    QCOMPARE(result.base, base);
    QCOMPARE(format, stored);
}

QMK_TEST_MAIN(tst_LineSpacing)
#include "tst_linespacing.moc"
