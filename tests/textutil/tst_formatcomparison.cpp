#include "support/testsupport.h"

#include "qmkformatcomparison.h"
#include "qmkformatproperties.h"

#include <QBrush>
#include <QPen>
#include <QSignalSpy>
#include <QTextCursor>

using Properties = QMap<int, QVariant>;

class tst_FormatComparison : public QObject
{
    Q_OBJECT
private slots:
    void absentValues_data();
    void absentValues();
    void equivalence_data();
    void equivalence();
    void defaultCharFormat();
};

void tst_FormatComparison::absentValues_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("alignment: left") << int(QTextFormat::BlockAlignment) << QVariant(1);
    QTest::newRow("weight: normal") << int(QTextFormat::FontWeight) << QVariant(50);
    QTest::newRow("head indent") << int(QMKFormatProperty::HeadIndent) << QVariant(0.0);
    QTest::newRow("keep with next") << int(QMKFormatProperty::KeepWithNext) << QVariant(false);
    QTest::newRow("font family") << int(QTextFormat::FontFamily) << QVariant(QString());
    QTest::newRow("tab positions") << int(QTextFormat::TabPositions) << QVariant(QVariantList());
    QTest::newRow("text outline") << int(QTextFormat::TextOutline)
                                  << QVariant::fromValue(QPen(Qt::NoPen));
    QTest::newRow("text colour") << int(QTextFormat::ForegroundBrush)
                                 << QVariant::fromValue(QBrush(Qt::NoBrush));
    QTest::newRow("revision level: no default") << int(QMKFormatProperty::RevisionLevel)
                                                << QVariant();
}

void tst_FormatComparison::absentValues()
{
    QFETCH(int, id);
    QFETCH(QVariant, value);

    const QVariant absent = absentPropertyValue(id);
    QCOMPARE(absent.userType(), value.userType());
    QCOMPARE(absent, value);
}

void tst_FormatComparison::equivalence_data()
{
    QTest::addColumn<Properties>("a");
    QTest::addColumn<Properties>("b");
    QTest::addColumn<bool>("equivalent");

    const int weight = QTextFormat::FontWeight;
    const int size = QTextFormat::FontPointSize;
    const int breaks = QTextFormat::PageBreakPolicy;
    QTest::newRow("normal weight and nothing") << Properties{{weight, 50}} << Properties{} << true;
    QTest::newRow("bold and nothing") << Properties{{weight, 75}} << Properties{} << false;
    QTest::newRow("italic off and nothing") << Properties{{QTextFormat::FontItalic, false}}
                                            << Properties{} << true;
    QTest::newRow("colour without fill and nothing")
        << Properties{{QTextFormat::ForegroundBrush, QBrush(Qt::NoBrush)}} << Properties{}
        << true;
    QTest::newRow("red text and nothing")
        << Properties{{QTextFormat::ForegroundBrush, QBrush(Qt::red)}} << Properties{} << false;
    QTest::newRow("only page breaks differ")
        << Properties{{breaks, int(QTextFormat::PageBreak_AlwaysBefore)}}
        << Properties{{breaks, int(QTextFormat::PageBreak_AlwaysAfter)}} << true;
    QTest::newRow("property without default on one side")
        << Properties{{QMKFormatProperty::RevisionLevel, 0}} << Properties{} << false;
    QTest::newRow("different sizes") << Properties{{size, 12.0}} << Properties{{size, 14.0}}
                                     << false;
    QTest::newRow("no underline stored as a number and nothing")
        << Properties{{QTextFormat::TextUnderlineStyle, int(QTextCharFormat::NoUnderline)}}
        << Properties{} << true;
}

void tst_FormatComparison::equivalence()
{
    QFETCH(Properties, a);
    QFETCH(Properties, b);
    QFETCH(bool, equivalent);

    QTextCharFormat formatA;
    QTextCharFormat formatB;
    for (auto it = a.cbegin(); it != a.cend(); ++it)
        formatA.setProperty(it.key(), it.value());
    for (auto it = b.cbegin(); it != b.cend(); ++it)
        formatB.setProperty(it.key(), it.value());
    QCOMPARE(formatsEquivalent(formatA, formatB), equivalent);
    QCOMPARE(formatsEquivalent(formatB, formatA), equivalent);
}

void tst_FormatComparison::defaultCharFormat()
{
    QTextDocument document;
    QSignalSpy changes(&document, &QTextDocument::contentsChange);
    QTextCharFormat format;
    format.setFontItalic(false);
    setDefaultCharFormatIfDifferent(&document, format);
    QCOMPARE(changes.count(), 0);

    format.setFontWeight(QFont::Bold);
    setDefaultCharFormatIfDifferent(&document, format);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("typed"));
    QCOMPARE(fragment(block(document, 0), 0).charFormat().fontWeight(), int(QFont::Bold));

    setDefaultCharFormatIfDifferent(nullptr, format);
}

QMK_TEST_MAIN(tst_FormatComparison)
#include "tst_formatcomparison.moc"
