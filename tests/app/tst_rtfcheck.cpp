#include "support/testsupport.h"
#include "support/toolprocess.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

ToolRun runRtfcheck(const QStringList &arguments, const QString &asUser = QString())
{
    return runTool(QStringLiteral(RTFCHECK_PATH), arguments, asUser, 60000);
}

} // namespace

class tst_Rtfcheck : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void exitStatus_data();
    void exitStatus();
    void unreadableFile();

private:
    QString write(const QString &name, const QByteArray &content);
    QTemporaryDir dir;
};

QString tst_Rtfcheck::write(const QString &name, const QByteArray &content)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(content);
    return file.fileName();
}

void tst_Rtfcheck::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(QFile::exists(QStringLiteral(RTFCHECK_PATH)));
}

void tst_Rtfcheck::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("output");

    const QString good = write(QStringLiteral("good.rtf"), "{\\rtf1\\ansi Hello {\\b world}.}");
    const QByteArray extraBrace = "{\\rtf1 Hello}}";
    const QString bad = write(QStringLiteral("bad.rtf"), extraBrace);
    const QString open = write(QStringLiteral("open.rtf"), "{\\rtf1 {Hello}");
    const QString plain = write(QStringLiteral("plain.txt"), "Just some text\nand more");
    const QString empty = write(QStringLiteral("empty.rtf"), QByteArray());
    // libpng and Poppler print the faults they meet on stderr unless kept quiet: here libpng
    // prints "IDAT: CRC error".
    const QString damagedPng = write(
        QStringLiteral("damagedpng.rtf"),
        "{\\rtf1{\\pict\\pngblip 89504e470d0a1a0a0000000d49484452000000040000000408020000002693"
        "09290000001049444154789c63105030802306e238009a3406018e3c8a9f0000000049454e44ae426082}}");
    const QString damagedJpeg = write(
        QStringLiteral("damagedjpeg.rtf"),
        "{\\rtf1{\\pict\\jpegblip ffd8ffe000104a46494600010100000100010000ffdb0043}}");
    const QString damagedPdf = write(
        QStringLiteral("damagedpdf.rtf"),
        "{\\rtf1{\\*\\quillmarkpdf 255044462d312e340a747261696c6572}}");

    QTest::newRow("no argument") << QStringList() << 1 << QByteArray();
    QTest::newRow("empty path") << QStringList{QString()} << 1 << QByteArray();
    QTest::newRow("missing file") << QStringList{dir.filePath(QStringLiteral("none.rtf"))} << 2
                                  << QByteArray();
    QTest::newRow("switch alone is taken as the path")
        << QStringList{QStringLiteral("--removeinvalidchar")} << 2 << QByteArray();
    QTest::newRow("switch first is taken as the path")
        << QStringList{QStringLiteral("--removeinvalidchar"), good} << 2 << QByteArray();
    QTest::newRow("a directory cannot be opened") << QStringList{dir.path()} << 4 << QByteArray();
    QTest::newRow("good file") << QStringList{good} << 0 << QByteArray("Success");
    QTest::newRow("good file, switch after the path")
        << QStringList{good, QStringLiteral("--removeinvalidchar")} << 0 << QByteArray("Success");
    QTest::newRow("switch is case-sensitive")
        << QStringList{good, QStringLiteral("--REMOVEINVALIDCHAR")} << 0 << QByteArray("Success");
    QTest::newRow("not RTF") << QStringList{plain} << 0 << QByteArray("Success");
    QTest::newRow("empty file") << QStringList{empty} << 0 << QByteArray("Success");
    QTest::newRow("damaged PNG picture") << QStringList{damagedPng} << 0 << QByteArray("Success");
    QTest::newRow("damaged JPEG picture") << QStringList{damagedJpeg} << 0
                                          << QByteArray("Success");
    QTest::newRow("damaged embedded PDF") << QStringList{damagedPdf} << 0 << QByteArray("Success");
    QTest::newRow("one closing brace too many")
        << QStringList{bad} << 5
        << "RTF Error: Unmatched '{' in Rich Text file. RTF file position: "
               + QByteArray::number(extraBrace.size());
    QTest::newRow("group never closed")
        << QStringList{open} << 5
        << QByteArray("RTF Error: Unmatched '}' in Rich Text file. RTF file position: 14");
}

void tst_Rtfcheck::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, output);

    const ToolRun run = runRtfcheck(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, output);
    QCOMPARE(run.err, QByteArray());
}

void tst_Rtfcheck::unreadableFile()
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
        if (runRtfcheck({}, user).exitCode != 1)
            QSKIP("the build folder is out of an ordinary user's reach");
    }
    const ToolRun run = runRtfcheck({path}, user);
    QCOMPARE(run.exitCode, 3);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(run.err, QByteArray());
}

QMK_TEST_MAIN(tst_Rtfcheck)
#include "tst_rtfcheck.moc"
