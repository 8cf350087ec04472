#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "qmkhighprecisioncolor.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <QBuffer>

namespace {

// Imports with the private reader so that the tables it read can be inspected.
struct TableImport
{
    explicit TableImport(QByteArray rtf)
        : bytes(rtf), buffer(&bytes), reader(&buffer)
    {
        reader.read(&document, false);
    }
    QByteArray bytes;
    QBuffer buffer;
    QMKTextRtfReaderPrivate reader;
    QTextDocument document;
};

QString describe(const QVector<QColor> &colours)
{
    QStringList names;
    for (const QColor &colour : colours)
        names << (colour.isValid() ? colour.name() : QStringLiteral("auto"));
    return names.join(QLatin1Char(' '));
}

QMKRgbToHighPrecisionMap paletteOf(const QTextDocument &document)
{
    return document.property(QMKDocumentProperty::RgbToHighDefColorPalette)
        .value<QMKRgbToHighPrecisionMap>();
}

} // namespace

class tst_ColourTable : public QObject
{
    Q_OBJECT
private slots:
    void classicTable_data();
    void classicTable();
    void tableIsNotText();
    void highPrecisionComponents_data();
    void highPrecisionComponents();
    void highPrecisionColour();
    void paletteProperty_data();
    void paletteProperty();
    void textEditTables();
};

void tst_ColourTable::classicTable_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QString>("colours");

    QTest::newRow("auto then red") << QByteArray("{\\colortbl;\\red255\\green0\\blue0;}")
                                   << "auto #ff0000";
    QTest::newRow("first entry is auto whatever it says")
        << QByteArray("{\\colortbl\\red10\\green20\\blue30;\\red1\\green2\\blue3;}")
        << "auto #010203";
    QTest::newRow("channel beyond 255 is clamped")
        << QByteArray("{\\colortbl;\\red300\\green-5\\blue0;}") << "auto #ff0000";
    QTest::newRow("channel without parameter is 255")
        << QByteArray("{\\colortbl;\\red\\green0\\blue0;}") << "auto #ff0000";
    QTest::newRow("one channel given, the others 0")
        << QByteArray("{\\colortbl;\\blue128;}") << "auto #000080";
    QTest::newRow("entry of no channels is auto") << QByteArray("{\\colortbl;;\\red1;}")
                                                  << "auto auto #010000";
    QTest::newRow("blanks between channels keep the entry")
        << QByteArray("{\\colortbl;\\red255  \\green0 \\blue0;}") << "auto #ff0000";
    QTest::newRow("line breaks between channels keep the entry")
        << QByteArray("{\\colortbl;\r\n\\red255\r\n\\green128\r\n\\blue0;\r\n}") << "auto #ff8000";
    QTest::newRow("other text loses the entry's channels")
        << QByteArray("{\\colortbl;\\red255 junk\\green0\\blue0;}") << "auto #000000";
    QTest::newRow("second table starts again")
        << QByteArray("{\\colortbl;\\red255;}{\\colortbl;\\green255;}") << "auto #00ff00";
}

void tst_ColourTable::classicTable()
{
    QFETCH(QByteArray, table);
    QFETCH(QString, colours);

    TableImport import("{\\rtf1" + table + "x}");
    QCOMPARE(describe(import.reader.colourTable), colours);
    QCOMPARE(import.reader.colourAt(-1).isValid(), false);
    QCOMPARE(import.reader.colourAt(import.reader.colourTable.size()).isValid(), false);
}

void tst_ColourTable::tableIsNotText()
{
    const ImportResult result = importRtf("{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}Hello;}");
    QVERIFY(result.ok);
    QCOMPARE(result.text(), QStringLiteral("Hello;"));
}

void tst_ColourTable::highPrecisionComponents_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<int>("space");
    QTest::addColumn<QString>("components");

    QTest::newRow("generic rgb") << QByteArray("\\csgenericrgb\\c100000\\c0\\c50000")
                                 << int(QMKHighPrecisionColorType::GenericRgb) << "100000 0 50000 -1";
    QTest::newRow("srgb with alpha") << QByteArray("\\cssrgb\\c1\\c2\\c3\\c4\\c5")
                                     << int(QMKHighPrecisionColorType::Srgb) << "1 2 3 4";
    QTest::newRow("display p3") << QByteArray("\\cspthree\\c7")
                                << int(QMKHighPrecisionColorType::DisplayP3) << "7 -1 -1 -1";
    QTest::newRow("gray fills three components") << QByteArray("\\csgray\\c50000")
                                                 << int(QMKHighPrecisionColorType::Gray)
                                                 << "50000 50000 50000 -1";
    QTest::newRow("gray's second component overwrites") << QByteArray("\\csgray\\c50000\\c100000")
                                                         << int(QMKHighPrecisionColorType::Gray)
                                                         << "50000 100000 50000 -1";
    QTest::newRow("component without parameter is 0") << QByteArray("\\cssrgb\\c\\c1\\c2")
                                                      << int(QMKHighPrecisionColorType::Srgb)
                                                      << "0 1 2 -1";
    QTest::newRow("colour space resets the entry") << QByteArray("\\cssrgb\\c1\\c2\\csgenericrgb\\c9")
                                                   << int(QMKHighPrecisionColorType::GenericRgb)
                                                   << "9 -1 -1 -1";
}

void tst_ColourTable::highPrecisionComponents()
{
    QFETCH(QByteArray, entry);
    QFETCH(int, space);
    QFETCH(QString, components);

    TableImport import("{\\rtf1{\\*\\expandedcolortbl;" + entry + ";}}");
    QCOMPARE(import.reader.expandedColourTable.size(), 2);
    const QMKHighPrecisionColorType colour = import.reader.expandedColourTable.at(1);
    QCOMPARE(colour.colorSpace(), space);
    QStringList values;
    for (int index = 1; index <= 4; ++index)
        values << QString::number(colour.component(index));
    QCOMPARE(values.join(QLatin1Char(' ')), components);
    QVERIFY(!import.reader.expandedColourTable.at(0).isValid());
}

void tst_ColourTable::highPrecisionColour()
{
    QMKHighPrecisionColorType colour;
    QVERIFY(!colour.isValid());
    QCOMPARE(colour.toString(), QString());
    colour.setComponent(1, 100000);
    colour.setComponent(2, 0);
    colour.setComponent(3, 50000);
    QVERIFY(colour.QMKHighPrecisionColor::isValid());
    QVERIFY(!colour.isValid()); // no colour space
    QCOMPARE(colour.toString(), QString());
    QCOMPARE(colour.toColor(), QColor::fromRgbF(1.0, 0.0, 0.5, 1.0));
    colour.setColorSpace(QMKHighPrecisionColorType::Srgb);
    QVERIFY(colour.isValid());
    QCOMPARE(colour.toString(), QStringLiteral("100000;0;50000"));
    const QMKHighPrecisionColor plain = colour;
    QCOMPARE(plain.toString(), QStringLiteral("100000;0;50000"));
    colour.setComponent(5, 1);
    QCOMPARE(colour.component(5), -1);
    QCOMPARE(colour.component(0), -1);

    const QVariant variant = QVariant::fromValue(colour);
    QCOMPARE(variant.typeName(), "QMKHighPrecisionColorType");
    QVERIFY(variant.value<QMKHighPrecisionColorType>() == colour);
    QVERIFY(QMetaType::type("QMKHighPrecisionColor") != QMetaType::UnknownType);
}

void tst_ColourTable::paletteProperty_data()
{
    QTest::addColumn<QByteArray>("tables");
    QTest::addColumn<bool>("present");

    QTest::newRow("same sizes") << QByteArray("{\\colortbl;\\red255\\green255\\blue255;}"
                                              "{\\*\\expandedcolortbl;;}") << true;
    QTest::newRow("different sizes") << QByteArray("{\\colortbl;\\red255\\green255\\blue255;}"
                                                   "{\\*\\expandedcolortbl;}") << false;
    QTest::newRow("no expanded table") << QByteArray("{\\colortbl;\\red255\\green255\\blue255;}")
                                       << false;
}

void tst_ColourTable::paletteProperty()
{
    QFETCH(QByteArray, tables);
    QFETCH(bool, present);

    const ImportResult result = importRtf("{\\rtf1" + tables + "x}");
    const QVariant property =
        result.document->property(QMKDocumentProperty::RgbToHighDefColorPalette);
    QCOMPARE(property.isValid(), present);
    if (!present)
        return;
    QCOMPARE(property.typeName(), "QMKRgbToHighPrecisionMap");
    const QMKRgbToHighPrecisionMap map = paletteOf(*result.document);
    QCOMPARE(map.size(), 2);
    QVERIFY(map.contains(0xFF000000));
    QVERIFY(map.contains(0xFFFFFFFF));
    QVERIFY(!map.value(0xFFFFFFFF).isValid());
}

void tst_ColourTable::textEditTables()
{
    // As macOS TextEdit writes them.
    const ImportResult result = importRtf(
        "{\\rtf1\\ansi\\ansicpg1252\\cocoartf2580\n"
        "{\\colortbl;\\red255\\green255\\blue255;\\red251\\green2\\blue7;\\red128\\green128\\blue128;}\n"
        "{\\*\\expandedcolortbl;;\\cssrgb\\c100000\\c14913\\c0;\\csgray\\c50196;}\n"
        "\\f0\\fs24 \\cf2 Red}");
    const QMKRgbToHighPrecisionMap map = paletteOf(*result.document);
    QCOMPARE(map.size(), 4);
    const QMKHighPrecisionColorType red = map.value(qRgb(251, 2, 7));
    QCOMPARE(red.colorSpace(), int(QMKHighPrecisionColorType::Srgb));
    QCOMPARE(red.toString(), QStringLiteral("100000;14913;0"));
    const QMKHighPrecisionColorType gray = map.value(qRgb(128, 128, 128));
    QCOMPARE(gray.toString(), QStringLiteral("50196;50196;50196"));
    QVERIFY(gray.isValid());
    QVERIFY(!map.value(qRgb(255, 255, 255)).isValid());
}

QMK_TEST_MAIN(tst_ColourTable)
#include "tst_colourtable.moc"
