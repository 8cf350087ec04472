#include "support/testsupport.h"

#include "qmktextrtfreader.h"
#include "rtf/reader/postprocessing.h"

#include <QBuffer>
#include <QTextCursor>
#include <QTextTable>

class tst_PostProcessing : public QObject
{
    Q_OBJECT
private slots:
    void pageBreaks_data();
    void pageBreaks();
    void pageBreaksInTables();
    void textOptionFlags();
    void textOptionFlagsClearedByImport();
};

namespace {

constexpr int Before = QTextFormat::PageBreak_AlwaysBefore;
constexpr int After = QTextFormat::PageBreak_AlwaysAfter;
constexpr int KeepWithNext = 0x20;

int pageBreakFlags(const QTextBlock &block)
{
    return block.blockFormat().intProperty(QTextFormat::PageBreakPolicy);
}

QTextBlockFormat withPageBreakFlags(int flags)
{
    QTextBlockFormat format;
    format.setProperty(QTextFormat::PageBreakPolicy, flags);
    return format;
}

} // namespace

void tst_PostProcessing::pageBreaks_data()
{
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("break after the first of three") << QList<int>{After, 0, 0}
                                                    << QList<int>{0, Before, 0};
    QTest::newRow("two breaks in a row") << QList<int>{After, After, 0}
                                         << QList<int>{0, Before, Before};
    QTest::newRow("break after the last block dropped") << QList<int>{0, After}
                                                        << QList<int>{0, 0};
    QTest::newRow("break before kept where one is carried") << QList<int>{After, Before}
                                                            << QList<int>{0, Before};
    QTest::newRow("keep with next untouched") << QList<int>{After | KeepWithNext, KeepWithNext}
                                              << QList<int>{KeepWithNext, KeepWithNext | Before};
    QTest::newRow("carried one block only") << QList<int>{After, 0, 0, After, 0}
                                            << QList<int>{0, Before, 0, 0, Before};
}

void tst_PostProcessing::pageBreaks()
{
    QFETCH(QList<int>, flags);
    QFETCH(QList<int>, expected);

    QTextDocument document;
    QTextCursor cursor(&document);
    for (int i = 0; i < flags.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.setBlockFormat(withPageBreakFlags(flags.at(i)));
        cursor.insertText(QString::number(i));
    }

    movePageBreaksToFollowingBlock(&document);
    movePageBreaksToFollowingBlock(nullptr);

    QCOMPARE(document.blockCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(pageBreakFlags(block(document, i)), expected.at(i));
}

void tst_PostProcessing::pageBreaksInTables()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextTable *table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().setBlockFormat(withPageBreakFlags(After));

    movePageBreaksToFollowingBlock(&document);

    QCOMPARE(pageBreakFlags(table->cellAt(0, 0).firstCursorPosition().block()), 0);
    QCOMPARE(pageBreakFlags(table->cellAt(0, 1).firstCursorPosition().block()), Before);
}

void tst_PostProcessing::textOptionFlags()
{
    QTextDocument document;
    QTextOption option(Qt::AlignRight);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(33);
    option.setFlags(QTextOption::ShowTabsAndSpaces | QTextOption::IncludeTrailingSpaces);
    document.setDefaultTextOption(option);

    clearDefaultTextOptionFlags(&document);
    clearDefaultTextOptionFlags(nullptr);

    const QTextOption cleared = document.defaultTextOption();
    QCOMPARE(int(cleared.flags()), 0);
    QCOMPARE(cleared.alignment(), Qt::AlignRight);
    QCOMPARE(cleared.wrapMode(), QTextOption::NoWrap);
    QCOMPARE(cleared.tabStopDistance(), 33.0);
}

void tst_PostProcessing::textOptionFlagsClearedByImport()
{
    QTextDocument document;
    QTextOption option;
    option.setFlags(QTextOption::ShowLineAndParagraphSeparators);
    document.setDefaultTextOption(option);

    QByteArray rtf("{\\rtf1 x}");
    QBuffer buffer(&rtf);
    buffer.open(QIODevice::ReadOnly);
    QMKTextRtfReader reader(&buffer);
    QVERIFY(reader.read(&document, false));
    QCOMPARE(int(document.defaultTextOption().flags()), 0);
}

QMK_TEST_MAIN(tst_PostProcessing)
#include "tst_postprocessing.moc"
