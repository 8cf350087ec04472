#include "common/testsupport.h"

#include "qmkformatcomparison.h"
#include "qmkformatproperties.h"

#include <QBrush>
#include <QPen>
#include <QSignalSpy>
#include <QTextCursor>

#include <functional>

using FormatSetter = std::function<void(QTextFormat &)>;
Q_DECLARE_METATYPE(FormatSetter)

class tst_FormatComparison : public QObject
{
    Q_OBJECT
private slots:
    void absentValues_data();
    void absentValues();
    void equivalence_data();
    void equivalence();
    void defaultCharFormatKeptWhenEquivalent();
    void defaultCharFormatSetWhenDifferent();
    void defaultCharFormatOfNoDocument();
};

void tst_FormatComparison::absentValues_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("layout direction") << int(QTextFormat::LayoutDirection) << QVariant(0);
    QTest::newRow("page break policy") << int(QTextFormat::PageBreakPolicy) << QVariant(0);
    QTest::newRow("alignment: left") << int(QTextFormat::BlockAlignment) << QVariant(1);
    QTest::newRow("weight: normal") << int(QTextFormat::FontWeight) << QVariant(50);
    QTest::newRow("first-line position") << int(QTextFormat::TextIndent) << QVariant(0.0);
    QTest::newRow("head indent") << int(QMKFormatProperty::HeadIndent) << QVariant(0.0);
    QTest::newRow("line spacing base") << int(QMKFormatProperty::LineSpacingBase)
                                       << QVariant(0.0);
    QTest::newRow("italic") << int(QTextFormat::FontItalic) << QVariant(false);
    QTest::newRow("inline footnote") << int(QMKFormatProperty::InlineFootnote)
                                     << QVariant(false);
    QTest::newRow("keep with next") << int(QMKFormatProperty::KeepWithNext) << QVariant(false);
    QTest::newRow("font family") << int(QTextFormat::FontFamily) << QVariant(QString());
    QTest::newRow("picture name") << int(QMKFormatProperty::PictureName) << QVariant(QString());
    QTest::newRow("tab positions") << int(QTextFormat::TabPositions) << QVariant(QVariantList());
    QTest::newRow("text outline") << int(QTextFormat::TextOutline)
                                  << QVariant::fromValue(QPen(Qt::NoPen));
    QTest::newRow("text colour") << int(QTextFormat::ForegroundBrush)
                                 << QVariant::fromValue(QBrush(Qt::NoBrush));
    QTest::newRow("an id with default -1") << 0x1000DC << QVariant(-1);
    QTest::newRow("revision level: no default") << int(QMKFormatProperty::RevisionLevel)
                                                << QVariant();
    QTest::newRow("hinting: no default") << int(QTextFormat::FontHintingPreference)
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
    QTest::addColumn<FormatSetter>("setA");
    QTest::addColumn<FormatSetter>("setB");
    QTest::addColumn<bool>("equivalent");

    const FormatSetter nothing = [](QTextFormat &) {};
    const auto set = [](int id, const QVariant &value) {
        return FormatSetter([id, value](QTextFormat &f) { f.setProperty(id, value); });
    };

    QTest::newRow("both empty") << nothing << nothing << true;
    QTest::newRow("normal weight and nothing") << set(QTextFormat::FontWeight, 50) << nothing
                                               << true;
    QTest::newRow("bold and nothing") << set(QTextFormat::FontWeight, 75) << nothing << false;
    QTest::newRow("italic off and nothing") << set(QTextFormat::FontItalic, false) << nothing
                                            << true;
    QTest::newRow("colour without fill and nothing")
        << set(QTextFormat::ForegroundBrush, QBrush(Qt::NoBrush)) << nothing << true;
    QTest::newRow("red text and nothing")
        << set(QTextFormat::ForegroundBrush, QBrush(Qt::red)) << nothing << false;
    QTest::newRow("only page breaks differ")
        << set(QTextFormat::PageBreakPolicy, int(QTextFormat::PageBreak_AlwaysBefore))
        << set(QTextFormat::PageBreakPolicy, int(QTextFormat::PageBreak_AlwaysAfter)) << true;
    QTest::newRow("property without default on one side")
        << set(QMKFormatProperty::RevisionLevel, 0) << nothing << false;
    QTest::newRow("same size on both sides") << set(QTextFormat::FontPointSize, 12.0)
                                             << set(QTextFormat::FontPointSize, 12.0) << true;
    QTest::newRow("different sizes") << set(QTextFormat::FontPointSize, 12.0)
                                     << set(QTextFormat::FontPointSize, 14.0) << false;
    QTest::newRow("size stored as zero and nothing") << set(QTextFormat::FontPointSize, 0.0)
                                                     << nothing << true;
    QTest::newRow("no underline stored as a number and nothing")
        << set(QTextFormat::TextUnderlineStyle, int(QTextCharFormat::NoUnderline)) << nothing
        << true;
    QTest::newRow("empty tab list and nothing") << set(QTextFormat::TabPositions, QVariantList())
                                                << nothing << true;
    QTest::newRow("left alignment and nothing")
        << set(QTextFormat::BlockAlignment, int(Qt::AlignLeft)) << nothing << true;
    QTest::newRow("centred and nothing")
        << set(QTextFormat::BlockAlignment, int(Qt::AlignHCenter)) << nothing << false;
}

void tst_FormatComparison::equivalence()
{
    QFETCH(FormatSetter, setA);
    QFETCH(FormatSetter, setB);
    QFETCH(bool, equivalent);

    QTextCharFormat a;
    QTextCharFormat b;
    setA(a);
    setB(b);
    QCOMPARE(formatsEquivalent(a, b), equivalent);
    QCOMPARE(formatsEquivalent(b, a), equivalent);
    QVERIFY(formatsEquivalent(a, a));
}

void tst_FormatComparison::defaultCharFormatKeptWhenEquivalent()
{
    QTextDocument document;
    QSignalSpy changes(&document, &QTextDocument::contentsChange);
    QTextCharFormat format;
    format.setFontItalic(false);
    format.setFontWeight(QFont::Normal);

    setDefaultCharFormatIfDifferent(&document, format);

    QCOMPARE(changes.count(), 0);
    QVERIFY(!QTextCursor(&document).blockCharFormat().hasProperty(QTextFormat::FontItalic));
}

void tst_FormatComparison::defaultCharFormatSetWhenDifferent()
{
    QTextDocument document;
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);

    setDefaultCharFormatIfDifferent(&document, format);

    QTextCursor cursor(&document);
    QCOMPARE(cursor.blockCharFormat().fontWeight(), int(QFont::Bold));
    cursor.insertText(QStringLiteral("typed"));
    QCOMPARE(fragment(block(document, 0), 0).charFormat().fontWeight(), int(QFont::Bold));
}

void tst_FormatComparison::defaultCharFormatOfNoDocument()
{
    setDefaultCharFormatIfDifferent(nullptr, QTextCharFormat());
}

QMK_TEST_MAIN(tst_FormatComparison)
#include "tst_formatcomparison.moc"
