#include "support/testsupport.h"

#include "fakefontservices.h"
#include "fonts/installedfamilies_p.h"

class tst_InstalledFamilies : public QObject
{
    Q_OBJECT
private slots:
    void lettersOnlyKey_data();
    void lettersOnlyKey();

    void match_data();
    void match();
    void sharedKeyGivesOneOfItsFamilies();
};

void tst_InstalledFamilies::lettersOnlyKey_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");

    QTest::newRow("blanks dropped, case kept") << text("Times New Roman")
                                               << text("TimesNewRoman");
    QTest::newRow("digits and punctuation dropped") << text("Code-128 Bar_Font")
                                                    << text("CodeBarFont");
    QTest::newRow("no letters") << text("1234") << QString();
    QTest::newRow("non-Latin letters kept") << QStringLiteral("MS \u30b4\u30b7\u30c3\u30af")
                                            << QStringLiteral("MS\u30b4\u30b7\u30c3\u30af");
}

void tst_InstalledFamilies::lettersOnlyKey()
{
    QFETCH(QString, name);
    QFETCH(QString, key);
    QCOMPARE(InstalledFamilies::lettersOnlyKey(name), key);
}

void tst_InstalledFamilies::match_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    const QStringList common =
        familyList("Arial|Arial Narrow|Times New Roman|Courier|Courier New|DejaVu Sans");

    // The name itself.
    QTest::newRow("installed name") << common << text("Arial") << text("Arial");
    QTest::newRow("empty list finds nothing") << QStringList() << text("Arial") << QString();

    // Letters-only pass.
    QTest::newRow("same letters, other blanks") << common << text("TimesNewRoman")
                                                << text("Times New Roman");
    QTest::newRow("same letters, other punctuation") << common << text("Times-New_Roman")
                                                     << text("Times New Roman");
    QTest::newRow("case must match") << common << text("arial") << QString();
    QTest::newRow("longer name finds the family it extends")
        << common << text("Arial Narrow Special") << text("Arial Narrow");
    QTest::newRow("Courier Prime falls back to Courier") << common << text("Courier Prime")
                                                         << text("Courier");
    QTest::newRow("short name finds its longer relative") << common << text("Times")
                                                          << text("Times New Roman");
    QTest::newRow("longest extension wins") << common << text("Cour") << text("Courier New");
    QTest::newRow("equal extensions: first in key order")
        << familyList("Times Roman X|Times Roman A") << text("Times")
        << text("Times Roman A");
    QTest::newRow("prefix wins over extension") << familyList("Arial|Arial Narrow Extra")
                                                << text("Arial Narrow") << text("Arial");
    // Gave "Times New Roman" (expected empty): every key extends the empty key of "1234".
    QTest::newRow("name without letters finds no family by letters")
        << common << text("1234") << QString();
    QTest::newRow("unrelated name finds nothing") << common << text("Zapfino") << QString();

    // Raw pass: only names and families without letters get this far.
    // Gave "1942" (expected empty): the empty key was taken as a prefix of every name.
    QTest::newRow("family without letters catches no unknown name")
        << familyList("1942|Arial") << text("Zapfino") << QString();
    QTest::newRow("raw prefix: name extends a family without letters")
        << familyList("1942|Arial") << text("1942 Report") << text("1942");
    QTest::newRow("raw prefix: longest family wins")
        << familyList("19|1942|Arial") << text("1942 Report") << text("1942");
    // Gave "1942" (expected empty): the two names share the empty key.
    QTest::newRow("two names without letters are not related")
        << familyList("1942|Arial") << text("77") << QString();
    QTest::newRow("raw extension: family extends a name without letters")
        << familyList("1942|Arial") << text("19") << text("1942");
}

void tst_InstalledFamilies::match()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    QCOMPARE(InstalledFamilies(installed).match(name), expected);
}

void tst_InstalledFamilies::sharedKeyGivesOneOfItsFamilies()
{
    const InstalledFamilies families(familyList("Foo Bar|FooBar|Baz"));
    QCOMPARE(families.match(text("Foo-Bar")).remove(QLatin1Char(' ')), text("FooBar"));
}

QMK_TEST_MAIN(tst_InstalledFamilies)
#include "tst_installedfamilies.moc"
