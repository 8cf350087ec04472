#include "support/testsupport.h"

#include "rtf/common/rtfkeywords.h"
#include "rtf/reader/keywordregistry.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <QBuffer>

namespace {

struct Call
{
    RtfKeyword keyword;
    bool hasParameter;
    int parameter;
};

// Records every keyword that reaches a handler, with the call its handler would see.
class RecordingReader : public QMKTextRtfReaderPrivate
{
public:
    using QMKTextRtfReaderPrivate::QMKTextRtfReaderPrivate;
    int handleKeyword(RtfKeyword keyword, bool hasParameter, int parameter) override
    {
        calls.append({keyword, hasParameter, parameter});
        return QMKTextRtfReaderPrivate::handleKeyword(keyword, hasParameter, parameter);
    }
    QVector<Call> calls;
};

QVector<Call> callsFor(QByteArray rtf)
{
    QBuffer buffer(&rtf);
    RecordingReader reader(&buffer);
    QTextDocument document;
    reader.read(&document, false);
    return reader.calls;
}

} // namespace

class tst_KeywordRegistry : public QObject
{
    Q_OBJECT
private slots:
    void everyKeywordFoundAtItsPosition();
    void positions_data();
    void positions();
    void unknownWords_data();
    void unknownWords();
    void parameters_data();
    void parameters();
    void skippedGroupsDispatchNothing();
};

void tst_KeywordRegistry::everyKeywordFoundAtItsPosition()
{
    QCOMPARE(int(RtfKeywordCount), 329);
    for (int i = 0; i < RtfKeywordCount; ++i) {
        const QByteArray text = rtfKeywordText(RtfKeyword(i));
        QVERIFY2(text.size() >= 2 && text.at(0) == '\\', text.constData());
        QCOMPARE(findRtfKeyword(text.constData(), text.size()), i);
    }
}

void tst_KeywordRegistry::positions_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("text");

    // The writer emits keywords by position: these must never move.
    const QList<QPair<int, QByteArray>> fixed = {
        {0, "\\rtf"}, {10, "\\colortbl"}, {20, "\\cf"}, {33, "\\f"}, {47, "\\b"},
        {60, "\\fet"}, {94, "\\annotation"}, {101, "\\field"}, {108, "\\par"},
        {117, "\\trowd"}, {148, "\\cellx"}, {169, "\\sl"}, {193, "\\u"}, {196, "\\pict"},
        {210, "\\listtable"}, {229, "\\ls"}, {239, "\\stylesheet"}, {242, "\\info"},
        {279, "\\qmkrevlvl"}, {282, "\\'"}, {283, "\\\n"}, {284, "\\\\"}, {286, "\\*"},
        {290, "\\_"},
    };
    for (const auto &entry : fixed)
        QTest::newRow(entry.second.constData()) << entry.first << entry.second;
}

void tst_KeywordRegistry::positions()
{
    QFETCH(int, position);
    QFETCH(QByteArray, text);
    QCOMPARE(rtfKeywordText(RtfKeyword(position)), text);
}

void tst_KeywordRegistry::unknownWords_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("capitals") << QByteArray("\\PAR");
    QTest::newRow("prefix of a keyword") << QByteArray("\\pa");
    QTest::newRow("keyword with a letter more") << QByteArray("\\parx");
    QTest::newRow("no backslash") << QByteArray("par");
    QTest::newRow("backslash and tab") << QByteArray("\\\t");
    QTest::newRow("empty") << QByteArray();
}

void tst_KeywordRegistry::unknownWords()
{
    QFETCH(QByteArray, text);
    QCOMPARE(findRtfKeyword(text.constData(), text.size()), -1);
}

void tst_KeywordRegistry::parameters_data()
{
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<int>("keyword");
    QTest::addColumn<bool>("hasParameter");
    QTest::addColumn<int>("parameter");

    QTest::newRow("no parameter") << QByteArray("\\b") << int(KwB) << false << 0;
    QTest::newRow("explicit zero") << QByteArray("\\b0") << int(KwB) << true << 0;
    QTest::newRow("positive") << QByteArray("\\b2") << int(KwB) << true << 2;
    QTest::newRow("negative") << QByteArray("\\fs-24") << int(KwFs) << true << -24;
    QTest::newRow("minus sign alone") << QByteArray("\\b-") << int(KwB) << false << 0;
    QTest::newRow("largest") << QByteArray("\\fs2147483647") << int(KwFs) << true
                             << 2147483647;
    QTest::newRow("wraps past 32 bits") << QByteArray("\\fs4294967297") << int(KwFs) << true
                                        << 1;
    QTest::newRow("wraps to negative") << QByteArray("\\fs2147483648") << int(KwFs) << true
                                       << int(-2147483647 - 1);
    QTest::newRow("control symbol takes no digits") << QByteArray("\\~12") << int(KwNonBreakingSpace)
                                                    << false << 0;
    QTest::newRow("backslash and line feed") << QByteArray("\\\n") << int(KwEscapedLineFeed)
                                             << false << 0;
}

void tst_KeywordRegistry::parameters()
{
    QFETCH(QByteArray, word);
    QFETCH(int, keyword);
    QFETCH(bool, hasParameter);
    QFETCH(int, parameter);

    const QVector<Call> calls = callsFor("{\\rtf1 " + word + " x}");
    QCOMPARE(calls.size(), 2); // \rtf1, then the word
    QCOMPARE(int(calls[1].keyword), keyword);
    QCOMPARE(calls[1].hasParameter, hasParameter);
    QCOMPARE(calls[1].parameter, parameter);
}

void tst_KeywordRegistry::skippedGroupsDispatchNothing()
{
    const QVector<Call> calls = callsFor("{\\rtf1{\\info\\b{\\i}\\*\\par}{\\*\\unknown\\b}\\i}");
    QVector<RtfKeyword> keywords;
    for (const Call &call : calls)
        keywords.append(call.keyword);
    QCOMPARE(keywords, (QVector<RtfKeyword>{KwRtf, KwInfo, KwIgnorable, KwI}));
}

QMK_TEST_MAIN(tst_KeywordRegistry)
#include "tst_keywordregistry.moc"
