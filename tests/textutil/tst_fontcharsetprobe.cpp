#include "support/testsupport.h"

#include "textutil/fontcharsetprobe_p.h"

#include <QFont>

Q_DECLARE_METATYPE(QList<QFontDatabase::WritingSystem>)

class tst_FontCharsetProbe : public QObject
{
    Q_OBJECT
private slots:
    void writingSystems_data();
    void writingSystems();
    void characterSet_data();
    void characterSet();
};

void tst_FontCharsetProbe::writingSystems_data()
{
    QTest::addColumn<QList<QFontDatabase::WritingSystem>>("writingSystems");
    QTest::addColumn<int>("characterSet");

    using WS = QFontDatabase;
    QTest::newRow("Latin only") << QList<WS::WritingSystem>{WS::Latin} << 0;
    QTest::newRow("Latin wins over Cyrillic") << QList<WS::WritingSystem>{WS::Cyrillic, WS::Latin}
                                              << 0;
    QTest::newRow("Cyrillic") << QList<WS::WritingSystem>{WS::Cyrillic} << 204;
    QTest::newRow("Cyrillic before Greek") << QList<WS::WritingSystem>{WS::Greek, WS::Cyrillic}
                                           << 204;
    QTest::newRow("Greek") << QList<WS::WritingSystem>{WS::Greek} << 161;
    QTest::newRow("Hebrew") << QList<WS::WritingSystem>{WS::Hebrew} << 177;
    QTest::newRow("Arabic") << QList<WS::WritingSystem>{WS::Arabic} << 178;
    QTest::newRow("Vietnamese") << QList<WS::WritingSystem>{WS::Vietnamese} << 163;
    QTest::newRow("Thai") << QList<WS::WritingSystem>{WS::Thai} << 222;
    QTest::newRow("Japanese before Chinese")
        << QList<WS::WritingSystem>{WS::SimplifiedChinese, WS::Japanese} << 128;
    QTest::newRow("Korean") << QList<WS::WritingSystem>{WS::Korean} << 129;
    QTest::newRow("Simplified Chinese") << QList<WS::WritingSystem>{WS::SimplifiedChinese} << 134;
    QTest::newRow("Traditional Chinese") << QList<WS::WritingSystem>{WS::TraditionalChinese}
                                         << 136;
    QTest::newRow("Symbol") << QList<WS::WritingSystem>{WS::Symbol} << 2;
    QTest::newRow("a script RTF has no set for") << QList<WS::WritingSystem>{WS::Armenian} << 0;
    QTest::newRow("nothing") << QList<WS::WritingSystem>{} << 0;
}

void tst_FontCharsetProbe::writingSystems()
{
    QFETCH(QList<QFontDatabase::WritingSystem>, writingSystems);
    QFETCH(int, characterSet);
    QCOMPARE(characterSetForWritingSystems(writingSystems), characterSet);
}

void tst_FontCharsetProbe::characterSet_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("characterSet");

    QTest::newRow("Latin sans") << QStringLiteral("DejaVu Sans") << 0;
    QTest::newRow("Latin with Cyrillic and Greek too") << QStringLiteral("Liberation Serif") << 0;
    QTest::newRow("family that is not installed") << QStringLiteral("Nowhere Sans") << 0;
    QTest::newRow("empty family") << QString() << 0;
}

void tst_FontCharsetProbe::characterSet()
{
    QFETCH(QString, family);
    QFETCH(int, characterSet);

    QFont font(family);
    QCOMPARE(fontCharacterSet(font), characterSet);
    // Asked again, through another font of the family, the answer is the same.
    font.setBold(true);
    QCOMPARE(fontCharacterSet(font), characterSet);
}

QMK_TEST_MAIN(tst_FontCharsetProbe)
#include "tst_fontcharsetprobe.moc"
