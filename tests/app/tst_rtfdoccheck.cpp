#include "support/testsupport.h"
#include "support/toolprocess.h"

#include "qmktextrtfreader.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

namespace {

ToolRun check(const QStringList &arguments)
{
    return runTool(QStringLiteral(RTFDOC_PATH), QStringList{QStringLiteral("check")} + arguments);
}

// The JSON lines of a run without their timings, which differ from run to run.
QList<QJsonObject> results(const QByteArray &out)
{
    QList<QJsonObject> objects;
    for (const QByteArray &line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error;
        QJsonObject object = QJsonDocument::fromJson(line, &error).object();
        if (error.error != QJsonParseError::NoError)
            qWarning("not JSON: %s", line.constData());
        object.remove(QStringLiteral("milliseconds"));
        objects.append(object);
    }
    return objects;
}

} // namespace

class tst_RtfdocCheck : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void folder_data();
    void folder();
    void text();
    void corpusAsTheReaderSaysInParallel();

private:
    void write(const QString &name, const QByteArray &content);
    QTemporaryDir dir;
};

void tst_RtfdocCheck::write(const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void tst_RtfdocCheck::initTestCase()
{
    QVERIFY(dir.isValid());
    write(QStringLiteral("good.rtf"), "{\\rtf1 Good}");
    write(QStringLiteral("sub/brace.RTF"), "{\\rtf1\r\nGood}}");
    write(QStringLiteral("sub/deeper/escape.rtf"), "{\\rtf1\nx\\'4");
    write(QStringLiteral("sub/deeper/word.rtf"), "{\\rtf1 \\" + QByteArray(70, 'a') + "}");
    write(QStringLiteral("sub/bin.rtf"), "{\\rtf1 {\\pict\\bin99 x}}");
    write(QStringLiteral("sub/notes.txt"), "}}}");
}

void tst_RtfdocCheck::folder_data()
{
    QTest::addColumn<QString>("jobs");
    QTest::newRow("one at a time") << QStringLiteral("1");
    QTest::newRow("eight at once") << QStringLiteral("8");
}

void tst_RtfdocCheck::folder()
{
    QFETCH(QString, jobs);
    const ToolRun run = check({QStringLiteral("--json"), QStringLiteral("--jobs"), jobs,
                               dir.path()});
    QCOMPARE(run.exitCode, 5);
    QVERIFY2(run.err.endsWith("Checked 5 files: 1 succeeded, 4 failed.\n"), run.err);
    // path, status, line:column and offset of the first fault, in name order.
    QStringList got;
    for (const QJsonObject &result : results(run.out)) {
        got << QStringLiteral("%1 %2 %3:%4 %5 %6")
                   .arg(QDir(dir.path()).relativeFilePath(result.value(QLatin1String("path")).toString()))
                   .arg(result.value(QLatin1String("status")).toInt()).arg(result.value(QLatin1String("line")).toInt())
                   .arg(result.value(QLatin1String("column")).toInt()).arg(result.value(QLatin1String("offset")).toInt())
                   .arg(QLatin1String(result.value(QLatin1String("ok")).toBool() ? "ok" : "failed"));
    }
    QCOMPARE(got, (QStringList{QStringLiteral("good.rtf 0 -1:-1 -1 ok"),
                               QStringLiteral("sub/bin.rtf 9 1:14 13 failed"),
                               QStringLiteral("sub/brace.RTF 1 2:6 13 failed"),
                               QStringLiteral("sub/deeper/escape.rtf 9 2:2 8 failed"),
                               QStringLiteral("sub/deeper/word.rtf 8 1:8 7 failed")}));
}

void tst_RtfdocCheck::text()
{
    const ToolRun run = check({QStringLiteral("--all"), dir.filePath(QStringLiteral("good.rtf")),
                               dir.filePath(QStringLiteral("sub/deeper/escape.rtf"))});
    QCOMPARE(run.exitCode, 5);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 6);
    QVERIFY2(lines.at(0).endsWith("good.rtf: Success"), lines.at(0));
    QVERIFY2(lines.at(1).endsWith("escape.rtf: RTF Error: Invalid control word parameter "
                                  "encountered. RTF file position: 11 (first fault at line 2, "
                                  "column 2, byte 8)"), lines.at(1));
    QCOMPARE(lines.at(2), QByteArray("  line 2, column 2, byte 8: Invalid control word parameter "
                                     "encountered."));
    QCOMPARE(lines.at(3), QByteArray("  line 2, column 5, byte 11: Unmatched '}' in Rich Text "
                                     "file."));
    QCOMPARE(lines.at(4), QByteArray("Checked 2 files: 1 succeeded, 1 failed."));

    QCOMPARE(check({dir.filePath(QStringLiteral("good.rtf"))}).exitCode, 0);
}

void tst_RtfdocCheck::corpusAsTheReaderSaysInParallel()
{
    const QString corpus = QStringLiteral(QMK_SOURCE_DIR "/../shared/corpus");
    if (!QDir(corpus).exists())
        QSKIP("no corpus beside the project");
    const ToolRun run = check({QStringLiteral("--json"), QStringLiteral("--jobs"),
                               QStringLiteral("3"), corpus});
    QVERIFY(run.exitCode == 0 || run.exitCode == 5);
    const QList<QJsonObject> checked = results(run.out);
    QCOMPARE(checked.size(), QDir(corpus).entryList({QStringLiteral("*.rtf")}).size());
    for (const QJsonObject &result : checked) {
        QFile file(result.value(QLatin1String("path")).toString());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QMKTextRtfReader reader(&file);
        QTextDocument document;
        const bool ok = reader.read(&document, false);
        QCOMPARE(result.value(QLatin1String("ok")).toBool(), ok);
        QCOMPARE(result.value(QLatin1String("message")).toString(), reader.errorString());
        QCOMPARE(result.value(QLatin1String("offset")).toInt(), reader.errorOffset());
        QCOMPARE(result.value(QLatin1String("bytes")).toInt(), int(file.size()));
    }
}

QMK_TEST_MAIN(tst_RtfdocCheck)
#include "tst_rtfdoccheck.moc"
