#include "support/testsupport.h"

#include "qmkfontnames.h"

#include <algorithm>

namespace {

QSet<QString> wordSet(const QStringList &words)
{
    return QSet<QString>(words.cbegin(), words.cend());
}

QStringList sorted(const QSet<QString> &words)
{
    QStringList list(words.cbegin(), words.cend());
    std::sort(list.begin(), list.end());
    return list;
}

const QString untouched = QStringLiteral("(untouched)");

QString text(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

// "Bold,Italic" gives {"Bold", "Italic"}.
QStringList wordList(const char *commaSeparated)
{
    return text(commaSeparated).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

} // namespace

class tst_FontNames : public QObject
{
    Q_OBJECT
private slots:
    void styleWordSet();

    void stripStyleWords_data();
    void stripStyleWords();
    void stripWithoutOutputs();

    void normalizeStyleWords_data();
    void normalizeStyleWords();

    void weightFromStyleText_data();
    void weightFromStyleText();
    void styleFromStyleText_data();
    void styleFromStyleText();
    void stretchFromStyleText_data();
    void stretchFromStyleText();
};

void tst_FontNames::styleWordSet()
{
    const QSet<QString> &words = styleWords();
    QCOMPARE(words.size(), 40);
    for (const char *word : {"Thin", "SemiLight", "Mid", "Smbd", "ExtraBlack", "Oblique",
                             "Cond", "Unstretched", "UltraExpanded", "Ext", "SmText"})
        QVERIFY2(words.contains(QLatin1String(word)), word);
    // Abbreviations that only normalisation knows.
    for (const char *word : {"EL", "UL", "L", "R", "Med"})
        QVERIFY2(!words.contains(QLatin1String(word)), word);
    QCOMPARE(&styleWords(), &words);
}

void tst_FontNames::stripStyleWords_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("stripped");
    QTest::addColumn<QString>("family");
    QTest::addColumn<QStringList>("words");

    QTest::newRow("two trailing words stop at a non-style word")
        << text("Arial Narrow Bold Italic") << true << text("Arial Narrow")
        << wordList("Bold,Italic");
    QTest::newRow("single word without blank is kept") << text("Bold") << false << untouched
                                                       << QStringList();
    QTest::newRow("first word is never stripped") << text("Bold Italic") << true << text("Bold")
                                                  << wordList("Italic");
    QTest::newRow("case ignored, spelling kept") << text("Times New Roman italic") << true
                                                 << text("Times New Roman")
                                                 << wordList("italic");
    QTest::newRow("trailing blank gives empty last word") << text("Arial Bold ") << false << untouched
                                                          << QStringList();
    QTest::newRow("double blank stops after one word") << text("Arial  Bold") << true << text("Arial ")
                                                       << wordList("Bold");
    QTest::newRow("family without style words") << text("Times New Roman") << false << untouched
                                                << QStringList();
    QTest::newRow("style word glued to family") << text("ArialBold") << false << untouched
                                                << QStringList();
    QTest::newRow("stretch and optical words") << text("Minion Pro Cond Display") << true
                                               << text("Minion Pro")
                                               << wordList("Cond,Display");
    QTest::newRow("same word twice") << text("Foo Bold bold") << true << text("Foo")
                                     << wordList("Bold,bold");
    QTest::newRow("leading blank leaves an empty family") << text(" Bold") << true << QString()
                                                          << wordList("Bold");
    QTest::newRow("empty name") << text("") << false << untouched << QStringList();
}

void tst_FontNames::stripStyleWords()
{
    QFETCH(QString, name);
    QFETCH(bool, stripped);
    QFETCH(QString, family);
    QFETCH(QStringList, words);

    QString actualFamily = untouched;
    QSet<QString> actualWords;
    QCOMPARE(::stripStyleWords(name, &actualFamily, &actualWords), stripped);
    QCOMPARE(actualFamily, family);
    QCOMPARE(sorted(actualWords), sorted(wordSet(words)));
}

void tst_FontNames::stripWithoutOutputs()
{
    QVERIFY(::stripStyleWords(QStringLiteral("Arial Black")));
    QVERIFY(!::stripStyleWords(QStringLiteral("Arial")));

    // Words already in the set are kept; stripped ones are added.
    QSet<QString> words{QStringLiteral("Light")};
    QVERIFY(::stripStyleWords(QStringLiteral("Arial Bold"), nullptr, &words));
    QCOMPARE(sorted(words), (wordList("Bold,Light")));
}

void tst_FontNames::normalizeStyleWords_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty") << QStringList() << QStringList();
    QTest::newRow("lone Bold") << wordList("Bold") << wordList("Bold");
    QTest::newRow("lone Italic") << wordList("Italic") << wordList("Italic");
    QTest::newRow("lone Regular is dropped") << wordList("Regular") << QStringList();
    QTest::newRow("Regular dropped beside Bold") << wordList("Bold,Regular")
                                                 << wordList("Bold");
    QTest::newRow("Semibold gets canonical case") << wordList("Semibold,Italic")
                                                  << wordList("Italic,SemiBold");
    QTest::newRow("Hairline is Thin") << wordList("Hairline") << wordList("Thin");
    QTest::newRow("UltraLight is ExtraLight") << wordList("UltraLight,Italic")
                                              << wordList("ExtraLight,Italic");
    QTest::newRow("abbreviations EL and L") << wordList("EL,L")
                                            << wordList("ExtraLight,Light");
    QTest::newRow("UL is ExtraLight") << wordList("UL") << wordList("ExtraLight");
    QTest::newRow("R, Medium, Med and Normal mean regular")
        << wordList("R,Medium,Med,Normal,Italic") << wordList("Italic");
    QTest::newRow("DemiBold and Smbd are SemiBold") << wordList("DemiBold,Smbd")
                                                    << wordList("SemiBold");
    QTest::newRow("UltraBold is ExtraBold") << wordList("UltraBold")
                                            << wordList("ExtraBold");
    QTest::newRow("Heavy is Black") << wordList("Heavy,Italic")
                                    << wordList("Black,Italic");
    // Containment ignores case but removal takes the rule's spelling.
    QTest::newRow("lower-case heavy adds Black and stays") << wordList("heavy,Italic")
                                                           << wordList("Black,Italic,heavy");
    QTest::newRow("lower-case semibold is no rule's word") << wordList("semibold,Italic")
                                                           << wordList("Italic,semibold");
    QTest::newRow("lower-case regular stays") << wordList("regular,Bold")
                                              << wordList("Bold,regular");
}

void tst_FontNames::normalizeStyleWords()
{
    QFETCH(QStringList, words);
    QFETCH(QStringList, expected);

    QSet<QString> set = wordSet(words);
    ::normalizeStyleWords(set);
    QCOMPARE(sorted(set), sorted(wordSet(expected)));
}

void tst_FontNames::weightFromStyleText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("found");

    QTest::newRow("empty") << text("") << 50 << false;
    QTest::newRow("no weight word") << text("Oblique") << 50 << false;
    QTest::newRow("Bold inside BoldItalic") << text("BoldItalic") << 75 << true;
    QTest::newRow("SemiBold wins over Bold") << text("SemiBold") << 63 << true;
    QTest::newRow("DemiBold") << text("DemiBoldItalic") << 63 << true;
    QTest::newRow("ExtraBold") << text("ExtraBold") << 81 << true;
    QTest::newRow("UltraBold ignoring case") << text("ultrabold") << 81 << true;
    QTest::newRow("Thin") << text("Thin") << 0 << true;
    QTest::newRow("Hairline") << text("HairlineItalic") << 0 << true;
    QTest::newRow("SemiLight") << text("SemiLight") << 36 << true;
    QTest::newRow("ExtraLight wins over Light") << text("ExtraLight") << 12 << true;
    QTest::newRow("UltraLight") << text("UltraLight") << 12 << true;
    QTest::newRow("Light by substring") << text("Lightweight") << 25 << true;
    QTest::newRow("lower-case regular") << text("regular") << 50 << true;
    QTest::newRow("Normal") << text("Normal") << 50 << true;
    QTest::newRow("Medium") << text("CondensedMedium") << 57 << true;
    QTest::newRow("Black") << text("Black") << 87 << true;
    QTest::newRow("ExtraBlack") << text("ExtraBlack") << 87 << true;
    QTest::newRow("Heavy") << text("HeavyOblique") << 87 << true;
    QTest::newRow("Bold row comes before Black") << text("BlackBold") << 75 << true;
    QTest::newRow("Thin comes before Medium") << text("MediumThin") << 0 << true;
}

void tst_FontNames::weightFromStyleText()
{
    QFETCH(QString, text);
    QFETCH(int, weight);
    QFETCH(bool, found);

    bool actualFound = !found;
    QCOMPARE(::weightFromStyleText(text, &actualFound), weight);
    QCOMPARE(actualFound, found);
    QCOMPARE(::weightFromStyleText(text), weight);
}

void tst_FontNames::styleFromStyleText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style"); // -1: none

    QTest::newRow("Italic") << text("BoldItalic") << int(QFont::StyleItalic);
    QTest::newRow("Oblique") << text("Oblique") << int(QFont::StyleOblique);
    QTest::newRow("Italic wins over Oblique") << text("ObliqueItalic") << int(QFont::StyleItalic);
    QTest::newRow("lower-case italic is no slant") << text("italic") << -1;
    QTest::newRow("no slant") << text("Bold") << -1;
    QTest::newRow("empty") << text("") << -1;
}

void tst_FontNames::styleFromStyleText()
{
    QFETCH(QString, text);
    QFETCH(int, style);

    const std::optional<QFont::Style> actual = ::styleFromStyleText(text);
    QCOMPARE(actual ? int(*actual) : -1, style);
}

void tst_FontNames::stretchFromStyleText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stretch"); // 0: none

    QTest::newRow("UltraCondensed") << text("UltraCondensed") << 50;
    QTest::newRow("ExtraCondensed") << text("ExtraCondensedBold") << 62;
    QTest::newRow("SemiCondensed is not Condensed") << text("SemiCondensed") << 87;
    QTest::newRow("Condensed") << text("CondensedMedium") << 75;
    QTest::newRow("SemiExpanded") << text("SemiExpanded") << 112;
    QTest::newRow("ExtraExpanded") << text("ExtraExpanded") << 150;
    QTest::newRow("UltraExpanded") << text("UltraExpanded") << 200;
    QTest::newRow("Expanded") << text("Expanded") << 125;
    QTest::newRow("Unstretched stops the search") << text("UnstretchedCondensed") << 0;
    QTest::newRow("case must match") << text("condensed") << 0;
    QTest::newRow("no stretch") << text("Bold") << 0;
}

void tst_FontNames::stretchFromStyleText()
{
    QFETCH(QString, text);
    QFETCH(int, stretch);

    QCOMPARE(::stretchFromStyleText(text).value_or(0), stretch);
}

QMK_TEST_MAIN(tst_FontNames)
#include "tst_fontnames.moc"
