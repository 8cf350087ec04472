#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "qmklistlevel.h"

#include <QTextCursor>
#include <QTextList>
#include <QTextListFormat>
#include <QTextTable>

using Levels = QVector<QMKListLevel>;
using LevelNumbers = QVector<int>;

class tst_ListLevel : public QObject
{
    Q_OBJECT
private slots:
    void labels_data();
    void labels();
    void labelsOfListsWithoutLevels_data();
    void labelsOfListsWithoutLevels();
    void labelStyles_data();
    void labelStyles();
    void levelsSurviveTheListFormat();
    void elementsThatAreNotLevels();
    void equalLevelsMakeEqualFormats();
    void blockLevels();
    void itemsInsideTables();
};

namespace {

QMKListLevel level(const char *text, int style)
{
    QMKListLevel result;
    result.text = QString::fromUtf8(text);
    result.style = style;
    return result;
}

// A document with one paragraph per entry of itemLevels, all items of one list.
struct ListDocument
{
    QTextDocument document;
    QTextList *list = nullptr;

    ListDocument(const QTextListFormat &format, const LevelNumbers &itemLevels)
    {
        QTextCursor cursor(&document);
        for (int i = 0; i < itemLevels.size(); ++i) {
            if (i > 0)
                cursor.insertBlock();
            cursor.insertText(QStringLiteral("item %1").arg(i));
            if (!list)
                list = cursor.createList(format);
            else
                list->add(cursor.block());
            setListLevel(list, cursor.block(), itemLevels.at(i));
        }
    }

    QStringList labels() const
    {
        QStringList result;
        for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
            result << listItemText(b);
        return result;
    }
};

QTextListFormat formatWith(const Levels &levels)
{
    QTextListFormat format;
    setListLevels(format, levels);
    return format;
}

} // namespace

void tst_ListLevel::labels_data()
{
    QTest::addColumn<Levels>("levels");
    QTest::addColumn<LevelNumbers>("itemLevels");
    QTest::addColumn<QStringList>("labels");

    const QMKListLevel decimal = level("%0.", 1);
    const QMKListLevel outline = level("%1.%0.", 1);

    QTest::newRow("items of one level count up")
        << Levels{decimal} << LevelNumbers{0, 0, 0} << strings({"1.", "2.", "3."});
    QTest::newRow("a shallower item restarts the deeper count")
        << Levels{decimal, outline} << LevelNumbers{0, 1, 1, 0, 1}
        << strings({"1.", "1.1.", "1.2.", "2.", "2.1."});
    QTest::newRow("a deeper item leaves the shallower count going")
        << Levels{decimal, outline} << LevelNumbers{0, 1, 0}
        << strings({"1.", "1.1.", "2."});
    QTest::newRow("each number in its own level's style")
        << Levels{decimal, level("%0)", 2), level("%0.", 4), level("%2.%1.%0", 3)}
        << LevelNumbers{0, 1, 2, 2, 3} << strings({"1.", "a)", "i.", "ii.", "a.ii.A"});
    QTest::newRow("a skipped level counts 0")
        << Levels{decimal, outline, level("%2.%1.%0.", 1)} << LevelNumbers{0, 2}
        << strings({"1.", "1.0.1."});
    QTest::newRow("upper roman")
        << Levels{level("%0", 5)} << LevelNumbers(14, 0)
        << strings({"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI",
                       "XII", "XIII", "XIV"});

    QStringList letters;
    for (char c = 'a'; c <= 'z'; ++c)
        letters << QString(QLatin1Char(c));
    QTest::newRow("letters after z double up")
        << Levels{level("%0", 2)} << LevelNumbers(28, 0) << (letters + strings({"aa", "bb"}));
    QTest::newRow("upper-case letters")
        << Levels{level("(%0)", 3)} << LevelNumbers(2, 0) << strings({"(A)", "(B)"});

    QTest::newRow("bullet text") << Levels{level("\u2022", 0)} << LevelNumbers{0, 0}
                                 << strings({"\u2022", "\u2022"});
    QTest::newRow("Symbol font bullet") << Levels{level("\uF0B7", 0)} << LevelNumbers{0}
                                        << strings({"\u2022"});
    QTest::newRow("Wingdings square") << Levels{level("\uF0A7", 0)} << LevelNumbers{0}
                                      << strings({"\u25AA"});
    QTest::newRow("Symbol bullet read as a Windows-1252 byte")
        << Levels{level("\u00B7", 0)} << LevelNumbers{0} << strings({"\u2022"});
    QTest::newRow("middle dot in a numbered label stays")
        << Levels{level("\u00B7%0", 1)} << LevelNumbers{0} << strings({"\u00B71"});
    QTest::newRow("a bullet level quoting a number shows digits")
        << Levels{decimal, level("%1-%0", 0)} << LevelNumbers{0, 1} << strings({"1.", "1-1"});

    QTest::newRow("levels deeper than the definitions look like the deepest")
        << Levels{decimal} << LevelNumbers{0, 3, 3} << strings({"1.", "1.", "2."});
    QTest::newRow("a number from a deeper level is left out")
        << Levels{level("%-1.", 1)} << LevelNumbers{0} << strings({"."});
    QTest::newRow("a number from above the top level is left out")
        << Levels{level("%5.%0", 1)} << LevelNumbers{0} << strings({".1"});
    QTest::newRow("a percent sign without digits is text")
        << Levels{level("%0 %", 1)} << LevelNumbers{0} << strings({"1 %"});
    QTest::newRow("a huge placeholder number")
        << Levels{level("%99999999999999999999", 1)} << LevelNumbers{0} << strings({""});
    QTest::newRow("huge levels") << Levels{decimal, outline} << LevelNumbers{0, 2147483647}
                                 << strings({"1.", "0.1."});
}

void tst_ListLevel::labels()
{
    QFETCH(Levels, levels);
    QFETCH(LevelNumbers, itemLevels);
    QFETCH(QStringList, labels);

    const ListDocument list(formatWith(levels), itemLevels);
    QCOMPARE(list.labels(), labels);
    QCOMPARE(listItemTexts(list.list), labels);
}

void tst_ListLevel::labelsOfListsWithoutLevels_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("label");

    QTest::newRow("Qt's decimal") << int(QTextListFormat::ListDecimal) << QStringLiteral("2.");
    QTest::newRow("Qt's lower roman") << int(QTextListFormat::ListLowerRoman)
                                      << QStringLiteral("ii.");
    QTest::newRow("disc") << int(QTextListFormat::ListDisc) << QStringLiteral("\u2022");
    QTest::newRow("circle") << int(QTextListFormat::ListCircle) << QStringLiteral("\u25E6");
    QTest::newRow("square") << int(QTextListFormat::ListSquare) << QStringLiteral("\u25AA");
    QTest::newRow("hyphen") << int(QMKListStyle::Hyphen) << QStringLiteral("\u2043");
    QTest::newRow("diamond") << int(QMKListStyle::Diamond) << QStringLiteral("\u2B29");
    QTest::newRow("check") << int(QMKListStyle::Check) << QStringLiteral("\u2713");
    QTest::newRow("no style") << int(QTextListFormat::ListStyleUndefined) << QString();
}

void tst_ListLevel::labelsOfListsWithoutLevels()
{
    QFETCH(int, style);
    QFETCH(QString, label);

    QTextListFormat format;
    format.setProperty(QTextFormat::ListStyle, style); // the extra styles are no enum values
    const ListDocument list(format, {0, 0});
    QCOMPARE(list.labels().last(), label);
}

void tst_ListLevel::labelStyles_data()
{
    QTest::addColumn<QMKListLevel>("level");
    QTest::addColumn<int>("style");

    QTest::newRow("decimal") << level("%0.", 1) << int(QTextListFormat::ListDecimal);
    QTest::newRow("lower alpha") << level("%0", 2) << int(QTextListFormat::ListLowerAlpha);
    QTest::newRow("upper alpha") << level("%0", 3) << int(QTextListFormat::ListUpperAlpha);
    QTest::newRow("lower roman") << level("%0", 4) << int(QTextListFormat::ListLowerRoman);
    QTest::newRow("upper roman") << level("%0", 5) << int(QTextListFormat::ListUpperRoman);
    QTest::newRow("unknown number style") << level("%0", 9) << int(QTextListFormat::ListDisc);
    QTest::newRow("black circle") << level("\u25CF", 0) << int(QTextListFormat::ListDisc);
    QTest::newRow("white bullet") << level("\u25E6", 0) << int(QTextListFormat::ListCircle);
    QTest::newRow("black square") << level("\u25A0", 0) << int(QTextListFormat::ListSquare);
    QTest::newRow("hyphen-minus") << level("-", 0) << int(QMKListStyle::Hyphen);
    QTest::newRow("minus sign") << level("\u2212", 0) << int(QMKListStyle::Hyphen);
    QTest::newRow("black diamond") << level("\u25C6", 0) << int(QMKListStyle::Diamond);
    QTest::newRow("check mark") << level("\u2713", 0) << int(QMKListStyle::Check);
    QTest::newRow("first bullet decides") << level(" \u2713\u2022", 0)
                                          << int(QMKListStyle::Check);
    QTest::newRow("bullet beside a letter") << level("o\u2713", 0)
                                            << int(QTextListFormat::ListDisc);
    QTest::newRow("no recognised bullet") << level("*", 0) << int(QTextListFormat::ListDisc);
    QTest::newRow("empty") << level("", 0) << int(QTextListFormat::ListDisc);
}

void tst_ListLevel::labelStyles()
{
    QFETCH(QMKListLevel, level);
    QFETCH(int, style);
    QCOMPARE(listLevelStyle(level), style);
}

void tst_ListLevel::levelsSurviveTheListFormat()
{
    QMKListLevel indented = level("%1.%0.", 1);
    indented.indent = 48;
    indented.firstLinePosition = 24;
    const Levels levels{level("\u2022", 0), indented};

    const ListDocument list(formatWith(levels), {0, 1});
    const QVariant stored = list.list->format().property(QMKFormatProperty::ListLevels);
    QCOMPARE(stored.userType(), int(QMetaType::QVariantList));
    QCOMPARE(QByteArray(stored.toList().first().typeName()), QByteArray("QMKListLevel"));
    QCOMPARE(listLevels(list.list->format()), levels);
}

void tst_ListLevel::elementsThatAreNotLevels()
{
    QTextListFormat format;
    format.setProperty(QMKFormatProperty::ListLevels,
                       QVariantList{QVariant::fromValue(level("%0.", 1)), QStringLiteral("x")});
    QCOMPARE(listLevels(format), (Levels{level("%0.", 1), QMKListLevel()}));

    QTextListFormat notAList;
    notAList.setProperty(QMKFormatProperty::ListLevels, 5);
    QVERIFY(listLevels(notAList).isEmpty());
    const ListDocument list(notAList, {0});
    QCOMPARE(list.labels(), QStringList{QString()});
}

void tst_ListLevel::equalLevelsMakeEqualFormats()
{
    // Built separately, so that nothing is shared between the two.
    QCOMPARE(formatWith({level("%0.", 1)}), formatWith({level("%0.", 1)}));
    QVERIFY(formatWith({level("%0.", 1)}) != formatWith({level("%0)", 1)}));
}

void tst_ListLevel::blockLevels()
{
    ListDocument list(formatWith({level("%0.", 1)}), {0, 2});
    QTextCursor cursor(&list.document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("outside"));
    QTextList *other = cursor.createList(QTextListFormat::ListDecimal);

    const QTextBlock first = list.document.firstBlock();
    const QTextBlock second = first.next();
    QCOMPARE(listLevel(first), 0);
    QCOMPARE(listLevel(second), 2);

    setListLevel(list.list, second, -3);
    QCOMPARE(listLevel(second), 0);
    setListLevel(other, first, 4);
    QCOMPARE(listLevel(first), 0);
    setListLevel(nullptr, first, 4);
    QCOMPARE(listLevel(first), 0);

    QTextDocument plain;
    plain.setPlainText(QStringLiteral("no list"));
    QCOMPARE(listLevel(plain.firstBlock()), -1);
    QCOMPARE(listItemText(plain.firstBlock()), QString());
    QCOMPARE(listItemText(QTextBlock()), QString());
}

void tst_ListLevel::itemsInsideTables()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("before"));
    QTextList *list = cursor.createList(formatWith({level("%0.", 1), level("%1.%0.", 1)}));
    QTextTable *table = cursor.insertTable(1, 2);
    QTextCursor cell = table->cellAt(0, 1).firstCursorPosition();
    cell.insertText(QStringLiteral("in a cell"));
    list->add(cell.block());
    setListLevel(list, cell.block(), 1);

    QCOMPARE(listItemText(cell.block()), QStringLiteral("1.1."));
    QCOMPARE(listItemText(document.firstBlock()), QStringLiteral("1."));
}

QMK_TEST_MAIN(tst_ListLevel)
#include "tst_listlevel.moc"
