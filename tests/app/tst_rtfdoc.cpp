#include "support/testsupport.h"
#include "support/toolprocess.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

ToolRun runRtfdoc(const QStringList &arguments, const QString &asUser = QString())
{
    return runTool(QStringLiteral(RTFDOC_PATH), arguments, asUser, 120000);
}

// The value at a path such as "blocks/0/fragments/1/text"; numbers index arrays.
QJsonValue valueAt(QJsonValue value, const QString &path)
{
    for (const QString &step : path.split(QLatin1Char('/'))) {
        bool isIndex = false;
        const int index = step.toInt(&isIndex);
        value = isIndex ? value.toArray().at(index) : value.toObject().value(step);
    }
    return value;
}

QJsonValue text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// A picture that is easy to find among rendered pixels.
const QRgb PictureBlue = qRgb(0, 0, 255);

// Text, a link, a note, a two-level list, a table and a picture on an A4 page.
QByteArray realisticDocument()
{
    QImage picture(24, 24, QImage::Format_RGB32);
    picture.fill(PictureBlue);
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Liberation Serif;}}"
           "{\\colortbl;\\red255\\green0\\blue0;}"
           "\\paperw11906\\paperh16838\\margl1134\\margr1134\\margt1134\\margb1134"
           "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'02\\'00.;}}"
           "{\\listlevel{\\leveltext\\'04\\'00.\\'01.;}}\\listid5}}"
           "{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}"
           "\\pard\\fs48\\b Title\\b0\\fs24\\par"
           "\\pard Text in {\\cf1 red}, a {\\field{\\*\\fldinst HYPERLINK \"https://example.org\"}"
           "{\\fldrslt link}} and a note{\\super\\chftn}{\\footnote\\pard{\\super\\chftn} Note.}"
           "\\par"
           "\\pard\\ls1 First\\par\\pard\\ls1\\ilvl1 Inner\\par\\pard\\ls1 Second\\par"
           "\\trowd\\trgaph100\\clbrdrt\\brdrs\\clbrdrb\\brdrs\\cellx3000\\cellx6000"
           "\\pard\\intbl Cell A\\cell Cell B\\cell\\row"
           "\\trowd\\trgaph100\\cellx3000\\cellx6000\\pard\\intbl Cell C\\cell Cell D\\cell\\row"
           "\\pard{\\pict\\pngblip\\picwgoal720\\pichgoal720 "
           + encodedImage(picture, "PNG").toHex() + "}\\par\\pard End.\\par}";
}

int darkPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 128;
    }
    return count;
}

} // namespace

class tst_Rtfdoc : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void exitStatus_data();
    void exitStatus();
    void unreadableFile();
    void dump_data();
    void dump();
    void convert_data();
    void convert();
    void txt();
    void pngShowsThePage();
    void pdfRenders();

private:
    QString write(const QString &name, const QByteArray &content);
    QString convertRealistic(const QString &name, const QStringList &options = {});
    QTemporaryDir dir;
    QString realistic;
};

QString tst_Rtfdoc::write(const QString &name, const QByteArray &content)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(content);
    return file.fileName();
}

// The realistic document converted to a file of the given name; empty when that failed.
QString tst_Rtfdoc::convertRealistic(const QString &name, const QStringList &options)
{
    const QString out = dir.filePath(name);
    const ToolRun run = runRtfdoc(QStringList{QStringLiteral("convert"), realistic,
                                          QStringLiteral("-o"), out} + options);
    if (run.exitCode != 0 || !run.err.isEmpty())
        qWarning() << run.exitCode << run.err;
    return run.exitCode == 0 ? out : QString();
}

void tst_Rtfdoc::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(QFile::exists(QStringLiteral(RTFDOC_PATH)));
    realistic = write(QStringLiteral("realistic.rtf"), realisticDocument());
}

void tst_Rtfdoc::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error"); // a part of the one line on stderr; empty: no line

    const QString bad = write(QStringLiteral("bad.rtf"), "{\\rtf1 Hello}}");
    const QString missing = dir.filePath(QStringLiteral("none.rtf"));
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    const QString convert = QStringLiteral("convert");
    const QString dump = QStringLiteral("dump");
    const QString o = QStringLiteral("-o");

    QTest::newRow("no command") << QStringList() << 1 << "no command";
    QTest::newRow("unknown command") << QStringList{QStringLiteral("show")} << 1 << "show";
    QTest::newRow("tool help") << QStringList{QStringLiteral("--help")} << 0 << QString();
    QTest::newRow("dump help") << QStringList{dump, QStringLiteral("--help")} << 0 << QString();
    QTest::newRow("convert help") << QStringList{convert, QStringLiteral("-h")} << 0 << QString();
    QTest::newRow("dump without file") << QStringList{dump} << 1 << "missing argument";
    QTest::newRow("unknown option") << QStringList{dump, realistic, QStringLiteral("--x")} << 1
                                    << "'x'";
    QTest::newRow("missing file") << QStringList{dump, missing} << 2 << "no such file";
    QTest::newRow("directory") << QStringList{dump, dir.path()} << 4 << "directory";
    QTest::newRow("convert without -o") << QStringList{convert, realistic} << 1 << "-o OUT";
    QTest::newRow("unknown format")
        << QStringList{convert, realistic, o, out, QStringLiteral("--to"), QStringLiteral("doc")}
        << 5 << "unknown format: doc";
    QTest::newRow("extension names no format")
        << QStringList{convert, realistic, o, dir.filePath(QStringLiteral("out.xyz"))} << 5
        << "--to";
    QTest::newRow("unwritable output")
        << QStringList{convert, realistic, o, dir.filePath(QStringLiteral("no/such/out.txt"))}
        << 6 << "cannot be written";
    QTest::newRow("output over the input")
        << QStringList{convert, realistic, o, realistic, QStringLiteral("--to"),
                       QStringLiteral("rtf")} << 1 << "overwritten";
    QTest::newRow("page beyond the last")
        << QStringList{convert, realistic, o, dir.filePath(QStringLiteral("p.png")),
                       QStringLiteral("--page"), QStringLiteral("9")} << 1 << "page 9";
    QTest::newRow("page for a format without pages")
        << QStringList{convert, realistic, o, out, QStringLiteral("--page"), QStringLiteral("1")}
        << 1 << "--page";
    const QString check = QStringLiteral("check");
    QTest::newRow("check without path") << QStringList{check} << 1 << "missing argument";
    QTest::newRow("check of a missing path") << QStringList{check, realistic, missing} << 2
                                             << "no such file";
    QTest::newRow("check on no jobs")
        << QStringList{check, QStringLiteral("--jobs"), QStringLiteral("0"), realistic} << 1
        << "--jobs";
    QTest::newRow("RTF error still dumps") << QStringList{dump, bad} << 0 << "RTF Error: Unmatched";
    QTest::newRow("RTF error still converts") << QStringList{convert, bad, o, out} << 0
                                              << "RTF Error: Unmatched";
}

void tst_Rtfdoc::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, error);

    const ToolRun run = runRtfdoc(arguments);
    QCOMPARE(run.exitCode, exitCode);
    if (error.isEmpty()) {
        QCOMPARE(run.err, QByteArray());
    } else {
        QVERIFY2(run.err.startsWith("rtfdoc: ") && run.err.count('\n') == 1, run.err);
        QVERIFY2(run.err.contains(error.toUtf8()), run.err);
    }
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h")))
        QVERIFY(run.out.startsWith("Usage: rtfdoc"));
}

void tst_Rtfdoc::unreadableFile()
{
    const QString path = write(QStringLiteral("secret.rtf"), "{\\rtf1 x}");
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    QString user;
    if (geteuid() == 0) {
        // Root reads everything: check as an ordinary user instead.
        if (QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty())
            QSKIP("running as root without runuser");
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7755)));
        user = QStringLiteral("nobody");
        if (runRtfdoc({QStringLiteral("--help")}, user).exitCode != 0)
            QSKIP("the build folder is out of an ordinary user's reach");
    }
    const ToolRun run = runRtfdoc({QStringLiteral("dump"), path}, user);
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.endsWith(": not readable\n"), run.err);
}

void tst_Rtfdoc::dump_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QJsonValue>("value"); // null: a non-empty text

    const QByteArray table = "\\trowd\\cellx2000\\cellx4000\\pard\\intbl a\\cell b\\cell\\row";
    const QByteArray list = "{\\*\\listtable{\\list{\\listlevel{\\leveltext\\'02\\'00.;}}"
                            "\\listid5}}{\\*\\listoverridetable{\\listoverride\\listid5\\ls1}}"
                            "\\pard\\ls1 one\\par\\pard\\ls1 two\\par";

    QTest::newRow("reader status") << QByteArray("x") << "reader/ok" << QJsonValue(true);
    QTest::newRow("reader fault") << QByteArray("x}") << "reader/ok" << QJsonValue(false);
    QTest::newRow("reader page, as declared") << QByteArray("\\paperw11906 x")
                                              << "reader/page/paperWidth" << QJsonValue(11906);
    QTest::newRow("reader page, default") << QByteArray("x") << "reader/page/leftMargin"
                                          << QJsonValue(1800);
    QTest::newRow("block text") << QByteArray("a\\par b") << "blocks/1/text" << text("b");
    QTest::newRow("fragment text") << QByteArray("{\\b a}b") << "blocks/0/fragments/1/text"
                                   << text("b");
    QTest::newRow("Qt property by name") << QByteArray("{\\fs30 a}")
                                         << "blocks/0/fragments/0/format/FontPointSize"
                                         << QJsonValue(15);
    QTest::newRow("colour of a brush")
        << QByteArray("{\\colortbl;\\red255\\green0\\blue16;}\\cf1 a")
        << "blocks/0/fragments/0/format/ForegroundBrush/color" << text("#ff0010");
    QTest::newRow("style of a brush")
        << QByteArray("{\\colortbl;\\red255\\green0\\blue16;}\\cf1 a")
        << "blocks/0/fragments/0/format/ForegroundBrush/style" << text("SolidPattern");
    QTest::newRow("own property by register name")
        << QByteArray("{\\up6 a}") << "blocks/0/fragments/0/format/vertical offset (0x100007)"
        << QJsonValue(6);
    QTest::newRow("alignment by name") << QByteArray("\\qc a") << "blocks/0/format/BlockAlignment"
                                       << text("AlignHCenter");
    QTest::newRow("tab stop") << QByteArray("\\tqr\\tx1440 a")
                              << "blocks/0/format/TabPositions/0/type" << text("RightTab");
    QTest::newRow("document property")
        << QByteArray("{\\colortbl;\\red255\\green0\\blue16;}"
                      "{\\*\\expandedcolortbl;\\csgenericrgb\\c100000\\c0\\c6275;}a")
        << "properties/RgbToHighDefColorPalette/#ff0010" << QJsonValue();
    QTest::newRow("default text option") << QByteArray("a") << "defaultTextOption/flags"
                                         << QJsonValue(0);
    QTest::newRow("cell block's table") << table << "blocks/1/table" << QJsonValue(0);
    QTest::newRow("cell block's column") << table << "blocks/2/column" << QJsonValue(1);
    QTest::newRow("table size") << table << "tables/0/columns" << QJsonValue(2);
    QTest::newRow("column widths") << table << "tables/0/columnWidthConstraints/1/type"
                                   << text("PercentageLength");
    QTest::newRow("cell span") << table << "tables/0/cells/1/columnSpan" << QJsonValue(1);
    QTest::newRow("list label") << list << "blocks/1/list/label" << text("2.");
    QTest::newRow("list level") << list << "blocks/1/list/level" << QJsonValue(0);
    QTest::newRow("list level definition") << list << "lists/0/levels/0/text" << text("%0.");
    QTest::newRow("list items") << list << "lists/0/items" << QJsonValue(2);
    QTest::newRow("image resource size")
        << "{\\pict\\pngblip " + encodedImage(QImage(3, 2, QImage::Format_RGB32), "PNG").toHex()
               + "}" << "images/0/width" << QJsonValue(3);
    const QByteArray jpeg = encodedImage(QImage(3, 2, QImage::Format_RGB32), "JPEG");
    QTest::newRow("picture bytes as size and hash")
        << "{\\pict\\jpegblip " + jpeg.toHex() + "}"
        << "blocks/0/fragments/0/format/picture source bytes (0x100033)/size"
        << QJsonValue(jpeg.size());
}

void tst_Rtfdoc::dump()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, path);
    QFETCH(QJsonValue, value);

    const QString file = write(QStringLiteral("dump.rtf"), "{\\rtf1 " + rtf + "}");
    const ToolRun run = runRtfdoc({QStringLiteral("dump"), file});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(run.out, &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    const QJsonValue actual = valueAt(json.object(), path);
    if (value.isNull())
        QVERIFY2(!actual.toString().isEmpty(), qPrintable(path));
    else
        QCOMPARE(actual, value);
}

void tst_Rtfdoc::convert_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("begins");
    QTest::addColumn<QByteArray>("contains");

    const QString to = QStringLiteral("--to");
    QTest::newRow("rtf") << "out.rtf" << QStringList() << QByteArray("{\\rtf1")
                         << QByteArray("Cell D");
    QTest::newRow("rtf keeps the page") << "page.rtf" << QStringList() << QByteArray("{\\rtf1")
                                        << QByteArray("\\paperw11906\\paperh16838");
    QTest::newRow("rtf-export") << "export.rtf" << QStringList{to, QStringLiteral("rtf-export")}
                                << QByteArray("{\\rtf1") << QByteArray("Cell D");
    QTest::newRow("html") << "out.html" << QStringList() << QByteArray("<!DOCTYPE")
                          << QByteArray("https://example.org");
    QTest::newRow("md") << "out.md" << QStringList() << QByteArray() << QByteArray("Cell D");
    QTest::newRow("odt, zipped") << "out.odt" << QStringList() << QByteArray("PK")
                                 << QByteArray("Pictures/");
    QTest::newRow("pdf") << "out.pdf" << QStringList() << QByteArray("%PDF") << QByteArray();
    QTest::newRow("png by --to") << "page.image" << QStringList{to, QStringLiteral("png"),
                                                               QStringLiteral("--page"),
                                                               QStringLiteral("1")}
                                 << QByteArray("\x89PNG") << QByteArray();
}

void tst_Rtfdoc::convert()
{
    QFETCH(QString, name);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, begins);
    QFETCH(QByteArray, contains);

    const QString out = convertRealistic(name, options);
    QVERIFY(!out.isEmpty());
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith(begins));
    QVERIFY(bytes.contains(contains));
}

void tst_Rtfdoc::txt()
{
    const QString out = convertRealistic(QStringLiteral("out.txt"));
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.at(0), QStringLiteral("Title"));
    QVERIFY(lines.at(1).startsWith(QStringLiteral("Text in red, a link and a note")));
    QCOMPARE(lines.mid(2, 5), QStringList({QStringLiteral("1. First"), QStringLiteral("1.1. Inner"),
                                          QStringLiteral("2. Second"),
                                          QStringLiteral("Cell A\tCell B"),
                                          QStringLiteral("Cell C\tCell D")}));
    QVERIFY(lines.contains(QStringLiteral("End.")));
}

// One image a page at 96 dpi on the RTF's A4 paper, with the text and the picture on it.
void tst_Rtfdoc::pngShowsThePage()
{
    const QString out = convertRealistic(QStringLiteral("pages.png"));
    QVERIFY(!out.isEmpty());
    QVERIFY(!QFile::exists(out)); // pages are numbered
    QImage page(dir.filePath(QStringLiteral("pages-1.png")));
    QVERIFY(!page.isNull());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("pages-2.png"))));
    QCOMPARE(page.size(), QSize(qRound(11906 / 15.0), qRound(16838 / 15.0)));
    QVERIFY(darkPixels(page) > 500);
    const int margin = 1134 / 15;
    QCOMPARE(darkPixels(page.copy(0, 0, page.width(), margin - 1)), 0);
    int blue = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            blue += page.pixel(x, y) == PictureBlue;
    }
    QVERIFY2(blue >= 24 * 24, qPrintable(QString::number(blue)));
}

void tst_Rtfdoc::pdfRenders()
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        QFAIL("pdftoppm (poppler-utils) is missing: scripts/setup.sh installs it");
    const QString out = convertRealistic(QStringLiteral("render.pdf"));
    QVERIFY(!out.isEmpty());
    const QString prefix = dir.filePath(QStringLiteral("rendered"));
    QCOMPARE(QProcess::execute(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"),
                                          QStringLiteral("48"), out, prefix}), 0);
    const QImage page(prefix + QStringLiteral("-1.png"));
    // A4 at 48 dpi; pdftoppm rounds the page's sides its own way.
    QVERIFY2(qAbs(page.width() - 11906 / 30.0) < 1 && qAbs(page.height() - 16838 / 30.0) < 1,
             qPrintable(QStringLiteral("%1x%2").arg(page.width()).arg(page.height())));
    QVERIFY(darkPixels(page) > 100);
}

QMK_TEST_MAIN(tst_Rtfdoc)
#include "tst_rtfdoc.moc"
