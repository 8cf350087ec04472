#include "support/testsupport.h"

#include "writerdocuments.h"

#include "qmkcodepageinfo.h"
#include "rtf/writer/qmktextrtfwriter_p.h"

#include <QBuffer>

namespace {

enum TextOption { NoUnicode = 1, Raw = 2, Export = 4, AfterWord = 8, NoSpace = 16, ShiftJis = 32,
                  PageReference = 64 };
using Block = QTextBlockFormat;

const QByteArray opening = "\\f0\\fs24\\cf0\n\\pard\\plain \\ltrch\\loch ";
const QByteArray escapes = "\\loch\\af0\\hich\\af0\\dbch\\af0\\uc1";
const QByteArray numPages = "{\\field{\\*\\fldinst{NUMPAGES}}{\\fldrslt 1}}";

} // namespace

class tst_WriterOutput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useKnownApplicationFont(); }
    void textEscaping_data();
    void textEscaping();
    void emptyDocument();
    void paragraphs_data();
    void paragraphs();
    void copyLeavesTheCallersDocumentAlone();
    void nothingToWriteOn();
};

void tst_WriterOutput::textEscaping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("options");
    QTest::addColumn<QByteArray>("expected");
    auto row = [](const char *tag, const QString &text, int options, const QByteArray &expected) {
        QTest::newRow(tag) << text << options << expected;
    };
    row("braces and backslash", QStringLiteral("a{b}\\c"), 0, "a\\{b\\}\\\\c");
    row("tab and en dash", QStringLiteral("\tx\u2013y"), 0, "\\tab x\\endash y");
    row("em dash names the font", QStringLiteral("\u2014"), 0, "\\hich\\f0 \\emdash \\loch\\f0 ");
    row("symbols", QStringLiteral("\u00a0\u2011\u2022\u2028"), 0, "\\~\\_\\bullet \\line ");
    row("control characters", QStringLiteral("\x01\x1f"), 0, "\\'01\\'1F");
    row("second non-ASCII: \\u and bytes only", QStringLiteral("\u00e9\u20ac"), 0,
        escapes + "\\u233\\'E9\\u8364\\'80");
    row("outside the code page", QStringLiteral("\u0416"), 0, escapes + "\\u1046\\'3F");
    row("surrogate halves apart", QStringLiteral("\U0001F600"), 0,
        escapes + "\\u55357\\'3F\\u56832\\'3F");
    row("no Unicode", QStringLiteral("\u00e9"), NoUnicode, "\\'E9");
    row("double-byte page", QStringLiteral("\u3042\uff71"), ShiftJis,
        "\\loch\\af0\\hich\\af0\\dbch\\af0\\uc2\\u12354\\'82\\'A0\\u65393\\'B1\\'00");
    // Braces and backslashes stay escaped even in raw text: they would break the groups.
    row("raw", QStringLiteral("{\t}"), Raw, "\\{\\'09\\}");
    row("space after a control word", QStringLiteral("x"), AfterWord, "\\b1 x");
    row("no space unless asked", QStringLiteral("x"), AfterWord | NoSpace, "\\b1x");
    row("page marks", QStringLiteral("\ue000\ue001<$p>"), 0, "{\\chpgn}" + numPages + "<$p>");
    row("export: placeholders", QStringLiteral("<$p><$p-r><$pagecount><$P>"), Export,
        "{\\chpgn}{\\chpgn}" + numPages + "<$P>");
    row("export: page reference", QStringLiteral("<$p>"), Export | PageReference,
        "{\\field{\\*\\fldinst{PAGEREF n1 \\h}}{\\fldrslt ?}}");
}

void tst_WriterOutput::textEscaping()
{
    QFETCH(QString, text);
    QFETCH(int, options);
    QFETCH(QByteArray, expected);

    QMKTextRtfWriterPrivate writer(nullptr);
    writer.exportMode = options & Export;
    if (options & ShiftJis)
        writer.codePages.append(RtfWriterCodePage{932, 2, codePageInfo(932).defaultChar});
    if (options & AfterWord)
        writer.writeRaw("\\b1");
    writer.writeText(text, 0, options & NoUnicode, !(options & NoSpace), options & Raw,
                     options & PageReference ? QStringLiteral("n1") : QString());
    QCOMPARE(writer.out, expected);
}

void tst_WriterOutput::emptyDocument()
{
    QTextDocument document;
    QCOMPARE(toRtf(&document, true, false, true, QString()),
             "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\n"
             "{\\fonttbl{\\f0\\fnil\\fcharset0\\fprq2 Liberation Sans;}}\n{\\colortbl;}\n"
             "\\paperw12240\\paperh15840\\margl1800\\margr1800\\margt1440\\margb1440\\deftab1200"
             + opening + "}");
}

void tst_WriterOutput::paragraphs_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QByteArray>("expected"); // from the document defaults on

    QTest::newRow("same format: no \\pard") << Build([](QTextDocument &d) {
        paragraph(d, "a");
        paragraph(d, "b");
    }) << opening + "{a}\n\\par\\plain {b}}";
    QTest::newRow("each change: \\pard and the format") << Build([](QTextDocument &d) {
        paragraph(d, "a");
        paragraph(d, "b", with<Block>({{QTextFormat::BlockAlignment, int(Qt::AlignHCenter)}}));
        paragraph(d, "c");
    }) << opening + "{a}\n\\par\\pard\\plain \\qc\\ltrch\\loch {b}"
                    "\n\\par\\pard\\plain \\ltrch\\loch {c}}";
    QTest::newRow("runs in their faces, a space after words only") << Build([](QTextDocument &d) {
        const QString sans = QStringLiteral("Liberation Sans");
        paragraph(d, "a", {},
                  with({{QTextFormat::FontFamily, sans}, {QTextFormat::FontWeight, 75}}));
        QTextCursor(d.lastBlock()).insertText(QStringLiteral("\t\u00e9"),
            with({{QTextFormat::FontItalic, true}, {QTextFormat::FontFamily, sans}}));
    }) << opening + "{\\f1\\fs24\\i1 \\tab \\loch\\af1\\hich\\af1\\dbch\\af1\\uc1\\u233\\'E9}"
                    "{\\f2\\fs24\\b1 a}}";
    QTest::newRow("the copy keeps an empty first paragraph") << Build([](QTextDocument &d) {
        QTextCursor(&d).setBlockFormat(with<Block>({{QTextFormat::LayoutDirection, 1}}));
        QTextCursor(&d).setBlockCharFormat(with({{QTextFormat::FontPointSize, 10.5}}));
    }) << QByteArray("\\f0\\fs21\\cf0\n\\pard\\plain \\rtlpar\\rtlch\\loch \\f0\\fs21}");
    QTest::newRow("page break after moves to the next") << Build([](QTextDocument &d) {
        paragraph(d, "a", with<Block>({{QTextFormat::PageBreakPolicy, 0x10}}));
        paragraph(d, "b");
        paragraph(d, "c", with<Block>({{QTextFormat::PageBreakPolicy, 0x10}}));
    }) << opening + "{a}\n\\par\\pard\\plain \\pagebb\\ltrch\\loch {b}"
                    "\n\\par\\pard\\plain \\ltrch\\loch {c}}";
}

void tst_WriterOutput::paragraphs()
{
    QFETCH(Build, build);
    QFETCH(QByteArray, expected);

    const QByteArray rtf = written(build, false);
    QCOMPARE(rtf.mid(rtf.indexOf("\\f0\\fs", rtf.indexOf("\\paperw"))), expected);
}

void tst_WriterOutput::copyLeavesTheCallersDocumentAlone()
{
    QTextDocument document;
    paragraph(document, "a", with<Block>({{QTextFormat::PageBreakPolicy, 0x10}}));
    paragraph(document, "b");
    toRtf(&document, false, false, true, QString());
    QCOMPARE(document.begin().blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysAfter);
    QVERIFY(document.isUndoRedoEnabled());
    toRtf(&document, true, false, true, QString());
    QCOMPARE(document.lastBlock().blockFormat().pageBreakPolicy(),
             QTextFormat::PageBreak_AlwaysBefore);
    QVERIFY(!document.isUndoRedoEnabled());
}

void tst_WriterOutput::nothingToWriteOn()
{
    QTextDocument document;
    QByteArray bytes;
    QBuffer readOnly(&bytes);
    readOnly.open(QIODevice::ReadOnly);
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): ReadOnly device");
    QVERIFY(!QMKTextRtfWriter(&readOnly).write(&document, true));
    QVERIFY(!QMKTextRtfWriter(nullptr).write(&document, true));
    QVERIFY(toRtf(nullptr, true, false, true, QString()).isEmpty());
}

QMK_TEST_MAIN(tst_WriterOutput)
#include "tst_writeroutput.moc"
