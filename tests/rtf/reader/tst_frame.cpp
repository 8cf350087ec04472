#include "support/testsupport.h"

#include "rtf/reader/qmktextrtfreader_p.h"
#include "qmktextrtfreader.h"

#include <QBuffer>
#include <QFile>

namespace {

QByteArray repeated(const QByteArray &piece, int count)
{
    return piece.repeated(count);
}

QByteArray placed(int status, int line, int column, int offset)
{
    return QByteArray::number(status) + ' ' + QByteArray::number(line) + ':'
        + QByteArray::number(column) + ' ' + QByteArray::number(offset);
}

} // namespace

class tst_Frame : public QObject
{
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void status_data();
    void status();
    void invalidCharacters_data();
    void invalidCharacters();
    void longInput_data();
    void longInput();
    void hexadecimalData_data();
    void hexadecimalData();
    void errorStringNamesPosition();
    void faultPlaces_data();
    void faultPlaces();
    void deviceThatCannotOpen();
    void nullDocument();
    void documentIsClearedAndUndoRestored();
};

void tst_Frame::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain group") << QByteArray("{\\rtf1 Hello}") << "Hello";
    QTest::newRow("nested groups") << QByteArray("{\\rtf1 a{b{c}d}e}") << "abcde";
    QTest::newRow("line breaks are not text") << QByteArray("{\\rtf1 a\r\nb\nc\rd}") << "abcd";
    QTest::newRow("one blank after a word is eaten")
        << QByteArray("{\\rtf1 \\unknown  x}") << " x";
    QTest::newRow("blank after a parameter is eaten")
        << QByteArray("{\\rtf1 \\unknown12 x}") << "x";
    QTest::newRow("blank after a control symbol stays")
        << QByteArray("{\\rtf1 \\{ x}") << "{ x";
    QTest::newRow("upper-case word is unknown and ignored")
        << QByteArray("{\\rtf1 a\\PAR b}") << "ab";
    QTest::newRow("unknown word in a group: text read")
        << QByteArray("{\\rtf1 {\\foo y}z}") << "yz";
    QTest::newRow("ignorable unknown destination skipped")
        << QByteArray("{\\rtf1 a{\\*\\unknown b{c}d}e}") << "ae";
    QTest::newRow("ignorable known keyword is handled, not skipped")
        << QByteArray("{\\rtf1 {\\*\\b y}z}") << "yz";
    QTest::newRow("text between \\* and unknown word was delivered")
        << QByteArray("{\\rtf1 {\\*x\\foo y}z}") << "xz";
    QTest::newRow("known word clears \\* before an unknown one")
        << QByteArray("{\\rtf1 {\\*\\b\\foo y}z}") << "yz";
    QTest::newRow("skipping keyword skips to its group's end")
        << QByteArray("{\\rtf1 a{\\info {\\title t} b}c}") << "ac";
    QTest::newRow("keywords inside a skipped group are not handled, not even \\*")
        << QByteArray("{\\rtf1 {\\info \\*}{\\foo z}}") << "z";
    QTest::newRow("skipping keyword outside every group")
        << QByteArray("{\\rtf1 x}\\info}y") << "xy";
    QTest::newRow("text of groups never closed is kept")
        << QByteArray("{\\rtf1 Hello {world") << "Hello world";
    QTest::newRow("text after a closing brace too many is kept")
        << QByteArray("{\\rtf1 a}}b") << "ab";
    QTest::newRow("not RTF: first line imported")
        << QByteArray("hello\nworld") << "hello\n";
    QTest::newRow("hidden text is not read") << QByteArray("{\\rtf1 al{\\v hidden}pha\\v x\\v0 !}")
                                             << "alpha!";
    QTest::newRow("\\plain shows text again") << QByteArray("{\\rtf1 \\v x\\plain y}") << "y";
    QTest::newRow("index and contents entries are not text")
        << QByteArray("{\\rtf1 alpha{\\tc entry}{\\tcn e2}{\\xe {index}} beta}") << "alpha beta";
    QTest::newRow("a list definition in the body is not text")
        << QByteArray("{\\rtf1 a{\\list{\\listlevel{\\leveltext \\'02\\'00.;}{\\levelnumbers \\'01;}}"
                      "\\listid7}b}") << "ab";
    QTest::newRow("a text box's text where it is anchored; properties are no text")
        << QByteArray("{\\rtf1 Before{\\shp{\\*\\shpinst{\\sp{\\sn fFilled}{\\sv 0}}{\\shptxt Box}}"
                      "{\\shprslt Box}}After}") << "Before\nBox\nAfter";
    QTest::newRow("text boxes inside a group shape")
        << QByteArray("{\\rtf1 a{\\shpgrp{\\*\\shpinst{\\sp{\\sn groupLeft}{\\sv 0}}"
                      "{\\shp{\\*\\shpinst{\\shptxt b}}}{\\shp{\\*\\shpinst{\\shptxt c}}}}"
                      "{\\shprslt b c}}d}") << "a\nb\nc\nd";
    QTest::newRow("a drawing object's text box")
        << QByteArray("{\\rtf1 a{\\*\\do\\dobxpage\\dptxbx{\\dptxbxtext\\dpx227{b}}}c}") << "a\nb\nc";
    QTest::newRow("not RTF: five letters") << QByteArray("abcde") << "abcde";
    // Was: the control characters stood in the text, unlike those of RTF text.
    QTest::newRow("not RTF: control characters are no text")
        << QByteArray("a\x7f" "b\x01" "c\td\n") << QString::fromUtf8("a\uFFFDbc\td\n");
    QTest::newRow("empty input") << QByteArray() << "";
}

void tst_Frame::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);

    const ImportResult result = importRtf(rtf);
    QCOMPARE(result.text(), text);
}

void tst_Frame::status_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("message");

    QTest::newRow("balanced") << QByteArray("{\\rtf1 a}") << QString();
    QTest::newRow("one closing brace too many")
        << QByteArray("{\\rtf1 a}}") << "Unmatched '{' in Rich Text file.";
    QTest::newRow("inner group never closed")
        << QByteArray("{\\rtf1 {a}") << "Unmatched '}' in Rich Text file.";
    QTest::newRow("backslash at the end")
        << QByteArray("{\\rtf1 a}\\") << "Unexpected end of file.";
    QTest::newRow("control word at the very end")
        << QByteArray("{\\rtf1 a}\\par") << "Invalid control word encountered.";
    QTest::newRow("control word of 63 letters")
        << "{\\rtf1 \\" + repeated("a", 63) + " x}" << "Invalid control word encountered.";
    QTest::newRow("control word of 62 letters is fine")
        << "{\\rtf1 \\" + repeated("a", 62) + " x}" << QString();
    QTest::newRow("control word of 10000 letters")
        << "{\\rtf1 \\" + repeated("a", 10000) + " x}" << "Invalid control word encountered.";
    QTest::newRow("first fault stays")
        << QByteArray("{\\rtf1 a}}\\") << "Unmatched '{' in Rich Text file.";
    QTest::newRow("closing brace while skipping outside every group")
        << QByteArray("{\\rtf1 a}\\info}") << QString();
    QTest::newRow("parameter beyond 32 bits")
        << QByteArray("{\\rtf1 \\fs99999999999999999999 a}") << QString();
    QTest::newRow("not RTF") << QByteArray("}}}") << QString();
}

void tst_Frame::status()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, message);

    const ImportResult result = importRtf(rtf);
    QCOMPARE(result.ok, message.isEmpty());
    QCOMPARE(result.error.section(QLatin1String(" RTF file position: "), 0, 0), message);
}

void tst_Frame::invalidCharacters_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<bool>("removeInvalid");
    QTest::addColumn<QString>("text");

    QTest::newRow("C1 byte replaced") << QByteArray("{\\rtf1 a\x85" "b}") << false
                                      << QString::fromUtf8("a\xEF\xBF\xBD" "b");
    QTest::newRow("C1 byte removed") << QByteArray("{\\rtf1 a\x85" "b}") << true << "ab";
    QTest::newRow("DEL replaced") << QByteArray("{\\rtf1 a\x7F" "b}") << false
                                  << QString::fromUtf8("a\xEF\xBF\xBD" "b");
    QTest::newRow("byte 0x9F is the last invalid") << QByteArray("{\\rtf1 \x9F\xA9}") << true
                                                   << QString(QChar(0xA9));
    QTest::newRow("C0 bytes are dropped, tabs kept")
        << QByteArray("{\\rtf1 a\x01\x1F" "b\tc\\'07d}") << false << "ab\tcd";
    QTest::newRow("a NUL after the last brace is no text")
        << QByteArray("{\\rtf1 a\\par}\r\n\0\r\n", 18) << false << "a\n";
    QTest::newRow("binary garbage after the last brace is no text")
        << QByteArray("{\\rtf1 a\\par}\r\n\xEF\xBF\xBD" "8\x11$DM{q\\x}\xBD\x0E" "ab") << false << "a\n";
    QTest::newRow("words after the last brace stay")
        << QByteArray("{\\rtf1 a\\par}\0\r\nb", 17) << false << "a\nb";
    QTest::newRow("Latin-1 byte is its character") << QByteArray("{\\rtf1 caf\xE9}") << false
                                                   << QString::fromUtf8("caf\xC3\xA9");
}

void tst_Frame::invalidCharacters()
{
    QFETCH(QByteArray, rtf);
    QFETCH(bool, removeInvalid);
    QFETCH(QString, text);

    ImportOptions options;
    options.removeInvalid = removeInvalid;
    QCOMPARE(importRtf(rtf, options).text(), text);
}

void tst_Frame::longInput_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");

    // Control words that straddle the device's line reads and the window's trimming.
    QTest::newRow("one long line of words")
        << "{\\rtf1 " + repeated("xy\\foo12 ", 20000) + "}"
        << QString::fromLatin1(repeated("xy", 20000));
    QTest::newRow("many short lines")
        << "{\\rtf1 " + repeated("ab\\foo\r\n{c}\n", 20000) + "}"
        << QString::fromLatin1(repeated("abc", 20000));
    QTest::newRow("long words at every offset")
        << "{\\rtf1 " + repeated("\\" + repeated("q", 61) + " z", 3000) + "}"
        << QString::fromLatin1(repeated("z", 3000));
}

void tst_Frame::longInput()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    QCOMPARE(result.text(), text);
}

void tst_Frame::hexadecimalData_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray hello = "48656c6c6f";
    QTest::newRow("one run") << "{\\rtf1{\\pict " + hello << QByteArray("Hello");
    QTest::newRow("upper-case digits") << QByteArray("{\\rtf1{\\pict 48656C6C6F") << QByteArray("Hello");
    for (int width = 1; width <= 4; ++width) {
        QByteArray wrapped;
        for (int i = 0; i < hello.size(); i += width)
            wrapped += hello.mid(i, width) + "\r\n";
        QTest::addRow("wrapped every %d digits", width)
            << "{\\rtf1{\\pict " + wrapped << QByteArray("Hello");
    }
    QTest::newRow("blanks between digits") << QByteArray("{\\rtf1{\\pict 4 8 65 6c6c 6f")
                                           << QByteArray("Hello");
    QTest::newRow("a lone trailing digit is dropped") << QByteArray("{\\rtf1{\\pict 4865f")
                                                      << QByteArray("He");
    QTest::newRow("non-digits are ignored") << QByteArray("{\\rtf1{\\pict 48zz65")
                                            << QByteArray("He");
    QTest::newRow("a keyword outside a picture ends hexadecimal mode")
        << QByteArray("{\\rtf1{\\pngblip 48\\b 65") << QByteArray("H");
    // Writers put size words after the kind word; before, \picwgoal there dropped the picture.
    QTest::newRow("a keyword inside a picture keeps hexadecimal mode")
        << QByteArray("{\\rtf1{\\pict 48\\picwgoal300 65") << QByteArray("He");
    QTest::newRow("digits of a skipped group are not data")
        << QByteArray("{\\rtf1{\\pict{\\*\\blipuid 0102}48") << QByteArray("H");
    QTest::newRow("digits of a closed group are gone") << QByteArray("{\\rtf1{\\pict 48}{\\pict 65")
                                                       << QByteArray("e");
}

void tst_Frame::hexadecimalData()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QByteArray, bytes);

    QBuffer buffer(&rtf);
    QMKTextRtfReaderPrivate reader(&buffer);
    QTextDocument document;
    reader.read(&document, false);
    QCOMPARE(reader.rawData, bytes);
}

void tst_Frame::errorStringNamesPosition()
{
    QByteArray rtf = "{\\rtf1 a}}\n" + repeated("text ", 500);
    QBuffer buffer(&rtf);
    QMKTextRtfReader reader(&buffer);
    QTextDocument document;
    QVERIFY(!reader.read(&document));
    QCOMPARE(reader.errorString(),
             QStringLiteral("Unmatched '{' in Rich Text file. RTF file position: %1").arg(rtf.size()));
}

void tst_Frame::faultPlaces_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QByteArrayList>("faults"); // "status line:column offset", in input order

    QTest::newRow("none") << QByteArray("{\\rtf1 a}") << QByteArrayList();
    QTest::newRow("stray brace after CR LF lines")
        << QByteArray("{\\rtf1 a}\r\n\r\nxx}") << QByteArrayList{"1 3:3 15"};
    QTest::newRow("lone CR and LF end lines too")
        << QByteArray("{\\rtf1 a}\rb\n\n}") << QByteArrayList{"1 4:1 13"};
    QTest::newRow("truncated hexadecimal escape")
        << QByteArray("{\\rtf1\n x\\'4") << QByteArrayList{"9 2:3 9", "2 2:6 12"};
    QTest::newRow("control word too long")
        << "{\\rtf1\r\n  \\" + repeated("a", 70) + "}" << QByteArrayList{"8 2:3 10"};
    QTest::newRow("short \\bin")
        << QByteArray("{\\rtf1\n{\\pict \\bin100 abc}}") << QByteArrayList{"9 2:8 14"};
    QTest::newRow("group left open: the end of the input")
        << QByteArray("{\\rtf1 {\\b a}\n{x\n") << QByteArrayList{"2 3:1 17"};
    QTest::newRow("every fault, the first one kept")
        << QByteArray("{\\rtf1 a}}\n}") << QByteArrayList{"1 1:10 9", "1 2:1 11"};
    QTest::newRow("lines counted across dropped bytes")
        << "{\\rtf1 " + repeated("line\\par\r\n", 1000) + "}x}"
        << QByteArrayList{"1 1001:3 10009"};
    QTest::newRow("lines of binary data count")
        << "{\\rtf1 {\\pict\\bin2000 " + repeated("bin\n", 500) + "}}}"
        << QByteArrayList{"1 501:3 2024"};
}

void tst_Frame::faultPlaces()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QByteArrayList, faults);

    QBuffer buffer(&rtf);
    QMKTextRtfReader reader(&buffer);
    QByteArrayList met;
    reader.setFaultObserver([&met](const QMKTextRtfFault &fault) {
        met << placed(fault.status, fault.line, fault.column, fault.offset);
    });
    QTextDocument document;
    QCOMPARE(reader.read(&document), faults.isEmpty());
    QCOMPARE(met, faults);
    QCOMPARE(placed(reader.errorStatus(), reader.errorLine(), reader.errorColumn(),
                    reader.errorOffset()),
             faults.value(0, "0 -1:-1 -1"));
}

void tst_Frame::deviceThatCannotOpen()
{
    QFile missing(QStringLiteral("/nonexistent/file.rtf"));
    QMKTextRtfReader reader(&missing);
    QTextDocument document;
    QVERIFY(!reader.read(&document));
    QCOMPARE(reader.errorString(), QStringLiteral("Could not open device."));
}

void tst_Frame::nullDocument()
{
    QByteArray rtf = "{\\rtf1 a}";
    QBuffer buffer(&rtf);
    QMKTextRtfReader reader(&buffer);
    QVERIFY(!reader.read(nullptr));
    QCOMPARE(reader.errorString(), QString());

    QMKTextRtfReader noDevice(nullptr);
    QTextDocument document;
    QVERIFY(!noDevice.read(&document));
}

void tst_Frame::documentIsClearedAndUndoRestored()
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("old text"));
    QVERIFY(document.isUndoRedoEnabled());

    QByteArray rtf = "{\\rtf1 new}";
    QBuffer buffer(&rtf);
    QMKTextRtfReader reader(&buffer);
    QVERIFY(reader.read(&document));
    QCOMPARE(document.toPlainText(), QStringLiteral("new"));
    QVERIFY(document.isUndoRedoEnabled());
    QVERIFY(!document.isUndoAvailable());

    document.setUndoRedoEnabled(false);
    QByteArray again = "{\\rtf1 x}";
    QBuffer secondBuffer(&again);
    QMKTextRtfReader second(&secondBuffer);
    QVERIFY(second.read(&document));
    QVERIFY(!document.isUndoRedoEnabled());
}

QMK_TEST_MAIN(tst_Frame)
#include "tst_frame.moc"
