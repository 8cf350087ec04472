#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "qmktextutilities.h"

#include <QTextCursor>
#include <QTextTable>

Q_DECLARE_METATYPE(Qt::Alignment)

class tst_TextUtilities : public QObject
{
    Q_OBJECT
private slots:
    void wordSeparators_data();
    void wordSeparators();
    void lastSeparator_data();
    void lastSeparator();
    void trimming_data();
    void trimming();
    void trimmingKeepsTheTextParagraphFormat();
    void trimmingStopsAtTableCells();
    void namesAndLeftTrim();
    void threeParts_data();
    void threeParts();
    void ids_data();
    void ids();
};

namespace {

QUuid uuid(uint n)
{
    return QUuid(n, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
}

// "1 12" as the identifiers numbered 1 and 12.
QList<QUuid> uuids(const QString &numbers)
{
    QList<QUuid> list;
    for (const QString &n : numbers.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        list.append(uuid(n.toUInt()));
    return list;
}

template<class Format>
Format withId(Format format, uint n)
{
    format.setProperty(QMKFormatProperty::StyleIdentifier, QVariant::fromValue(uuid(n)));
    return format;
}

} // namespace

void tst_TextUtilities::wordSeparators_data()
{
    QTest::addColumn<QString>("characters");
    QTest::addColumn<bool>("separator");
    QTest::newRow("ascii blank and punctuation")
        << QStringLiteral(" !\"#$%&'()*+,-./:;<=>?@[\\]^`{|}~") << true;
    QTest::newRow("dashes, ellipsis, quotes")
        << QStringLiteral("\u2013\u2014\u2026\u2018\u2019\u201C\u201D") << true;
    QTest::newRow("underscore, digits, tab, breaks")
        << QStringLiteral("_09az\t\n\u2028\u00A0\u00E9") << false;
}

void tst_TextUtilities::wordSeparators()
{
    QFETCH(QString, characters);
    QFETCH(bool, separator);
    for (QChar c : characters)
        QVERIFY2(isWordSeparator(c) == separator, qPrintable(QString::number(c.unicode(), 16)));
}

void tst_TextUtilities::lastSeparator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index"); // in the block
    QTest::newRow("three words and two blanks") << QStringLiteral("one two three  ") << 7;
    QTest::newRow("letters only") << QStringLiteral("word") << -1;
    QTest::newRow("blanks only") << QStringLiteral("   ") << 2;
    QTest::newRow("empty block") << QString() << -1;
    QTest::newRow("trailing tab, no separator") << QStringLiteral("a b\t") << 1;
}

void tst_TextUtilities::lastSeparator()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    // The second block, so that its position counts and the first one's blank does not.
    QTextDocument document;
    document.setPlainText(QStringLiteral("first line\n") + text);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QCOMPARE(lastSeparatorPosition(cursor), index < 0 ? -1 : 11 + index);
}

void tst_TextUtilities::trimming_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from"); // the selection; none when from == to
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks and empty paragraphs") << QStringLiteral(" \n\n \t\n") << 0 << 0
                                                 << QString();
    QTest::newRow("leading empty paragraphs") << QStringLiteral("\n\n  Hi") << 0 << 0
                                              << QStringLiteral("Hi");
    QTest::newRow("trailing blank paragraphs") << QStringLiteral("a \n b \n \n") << 0 << 0
                                               << QStringLiteral("a \n b");
    QTest::newRow("selection only") << QStringLiteral("ab  cd  ef ") << 2 << 8
                                    << QStringLiteral("abcdef ");
    QTest::newRow("blank selection") << QStringLiteral("ab  cd") << 2 << 4
                                     << QStringLiteral("abcd");
    // Before, the accent went with the blank it sits on: Qt's cursor deletes whole clusters.
    QTest::newRow("accent on a blank stays") << QStringLiteral("  \u0301x") << 0 << 0
                                             << QStringLiteral("\u0301x");
}

void tst_TextUtilities::trimming()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QTextDocument document;
    document.setPlainText(text);
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    trimSelectionWhitespace(cursor);
    QTEST(document.toPlainText(), "trimmed");
}

void tst_TextUtilities::trimmingKeepsTheTextParagraphFormat()
{
    // Every paragraph has its own indent and paragraph mark; "Hello" is the fourth.
    QTextDocument document;
    document.setPlainText(QStringLiteral("\n \n\nHello\n "));
    int i = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next(), ++i) {
        QTextBlockFormat format;
        format.setIndent(i);
        QTextCharFormat mark;
        mark.setFontPointSize(10 + i);
        QTextCursor(block).setBlockFormat(format);
        QTextCursor(block).setBlockCharFormat(mark);
    }
    trimSelectionWhitespace(QTextCursor(&document));
    QCOMPARE(document.toPlainText(), QStringLiteral("Hello"));
    QCOMPARE(document.begin().blockFormat().indent(), 3);
    QCOMPARE(document.begin().charFormat().fontPointSize(), 13.0);
}

void tst_TextUtilities::trimmingStopsAtTableCells()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral(" \n"));
    QTextTable *table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(QStringLiteral("  p"));
    table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("q  "));
    const QString text = document.toPlainText();
    // Before, selecting both cells emptied them: the selected text of cells does not line up
    // with document positions.
    QTextCursor cells = table->cellAt(0, 0).firstCursorPosition();
    cells.setPosition(table->cellAt(0, 1).lastPosition(), QTextCursor::KeepAnchor);
    trimSelectionWhitespace(cells);
    QCOMPARE(document.toPlainText(), text);
    trimSelectionWhitespace(QTextCursor(&document));
    QCOMPARE(document.toPlainText(), text.mid(2));
}

void tst_TextUtilities::namesAndLeftTrim()
{
    QCOMPARE(leftTrimmed(QStringLiteral(" \t\u2029a b ")), QStringLiteral("a b "));
    QTextImageFormat format;
    format.setName(QStringLiteral("resource"));
    QCOMPARE(imageName(format), QStringLiteral("resource"));
    format.setProperty(QMKFormatProperty::PictureName, QStringLiteral("photo.png"));
    QCOMPARE(imageName(format), QStringLiteral("photo.png"));
}

void tst_TextUtilities::threeParts_data()
{
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<int>("count");
    QTest::addColumn<Qt::Alignment>("alignment");
    QTest::addColumn<QStringList>("texts"); // first part, joined, combined

    const Qt::Alignment left(Qt::AlignLeft), right(Qt::AlignRight);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    QTest::newRow("right only") << strings({"", "", " Right\t"}) << 1 << right
                                << strings({"Right", "\tRight", "Right"});
    QTest::newRow("centre only") << strings({"", "Page", " "}) << 1 << centred
                                 << strings({"Page", "\tPage", "Page"});
    QTest::newRow("left and right") << strings({"L", "", "R"}) << 2 << left
                                    << strings({"L", "L\tR", "L\t\tR"});
    QTest::newRow("centre and right") << strings({"", "c", "r"}) << 2 << centred
                                      << strings({"c", "\tc\tr", "c\tr"});
    QTest::newRow("tabs inside parts") << strings({"a\tb ", " c", "d"}) << 3 << left
                                       << strings({"a b", "a b\tc\td", "a\tb \t c\td"});
    QTest::newRow("blank parts") << strings({" ", "\t", ""}) << 0 << centred
                                 << strings({"", "", ""});
}

void tst_TextUtilities::threeParts()
{
    QFETCH(QStringList, parts);
    QFETCH(QStringList, texts);
    const QMKThreePartText text{parts.at(0), parts.at(1), parts.at(2)};
    QTEST(partCount(text), "count");
    QTEST(singlePartAlignment(text), "alignment");
    QCOMPARE(firstPartText(text), texts.at(0));
    QCOMPARE(joinedPartsText(text), texts.at(1));
    QCOMPARE(combinedPartsText(text), texts.at(2));
}

void tst_TextUtilities::ids_data()
{
    QTest::addColumn<int>("from"); // -1: collectIdsInDocument
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("stop");
    QTest::addColumn<bool>("withBlocks");
    QTest::addColumn<uint>("present"); // in both lists beforehand, unless 0
    QTest::addColumn<QStringList>("collected"); // block ids, character ids

    // Character ids: "one " 11, "two" 12 | "three" 11 | "four" none | "five" 13; block ids
    // 1, none, 2, 1; the blocks start at 0, 8, 14 and 19.
    QTest::newRow("whole document, each id once") << -1 << 0 << false << true << 0u
                                                   << strings({"1 2", "11 12 13"});
    QTest::newRow("stop at the first block") << -1 << 0 << true << true << 0u << strings({"1", ""});
    QTest::newRow("stop at the first fragment") << -1 << 0 << true << false << 0u
                                                << strings({"", "11"});
    QTest::newRow("stop even when already present") << -1 << 0 << true << false << 11u
                                                    << strings({"11", "11"});
    // Before, the fragment that ends where the selection starts gave its identifier too.
    QTest::newRow("selection starting where a fragment ends") << 4 << 7 << false << true << 0u
                                                              << strings({"1", "12"});
    QTest::newRow("selection ending at a block start") << 8 << 14 << false << true << 0u
                                                       << strings({"2", "11"});
    QTest::newRow("cursor inside a fragment") << 5 << 5 << false << true << 0u
                                              << strings({"1", "12"});
}

void tst_TextUtilities::ids()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, stop);
    QFETCH(bool, withBlocks);
    QFETCH(uint, present);
    QFETCH(QStringList, collected);

    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.setBlockFormat(withId(QTextBlockFormat(), 1));
    cursor.insertText(QStringLiteral("one "), withId(QTextCharFormat(), 11));
    cursor.insertText(QStringLiteral("two"), withId(QTextCharFormat(), 12));
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("three"), withId(QTextCharFormat(), 11));
    cursor.insertBlock(withId(QTextBlockFormat(), 2));
    cursor.insertText(QStringLiteral("four"), QTextCharFormat());
    cursor.insertBlock(withId(QTextBlockFormat(), 1));
    cursor.insertText(QStringLiteral("five"), withId(QTextCharFormat(), 13));

    QList<QUuid> blockIds;
    if (present)
        blockIds.append(uuid(present));
    QList<QUuid> charIds = blockIds;
    if (from < 0) {
        collectIdsInDocument(&document, withBlocks ? &blockIds : nullptr, &charIds, stop);
    } else {
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        collectIds(cursor, withBlocks ? &blockIds : nullptr, &charIds, stop);
    }
    QCOMPARE(blockIds, uuids(collected.at(0)));
    QCOMPARE(charIds, uuids(collected.at(1)));
}

QMK_TEST_MAIN(tst_TextUtilities)
#include "tst_textutilities.moc"
