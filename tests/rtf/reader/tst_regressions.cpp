#include "support/documentinvariants.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>

// Replays every input kept in regressions/: each once crashed, hung or broke the document.
class tst_Regressions : public QObject
{
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
};

void tst_Regressions::replay_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("removeInvalid");

    const QDir dir(QStringLiteral(QMK_REGRESSIONS_DIR));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    for (const QString &name : files) {
        if (name.endsWith(QLatin1String(".md")))
            continue;
        const QString path = dir.filePath(name);
        QTest::newRow(qPrintable(name)) << path << false;
        QTest::newRow(qPrintable(name + QLatin1String(", removing invalid"))) << path << true;
    }
    if (files.size() <= 1)
        QTest::newRow("no inputs kept yet") << QString() << false;
}

void tst_Regressions::replay()
{
    QFETCH(QString, path);
    QFETCH(bool, removeInvalid);
    if (path.isEmpty())
        return;

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    ImportOptions options;
    options.removeInvalid = removeInvalid;
    const ImportResult result = importRtf(file.readAll(), options);
    QCOMPARE(result.ok, result.error.isEmpty());
    QCOMPARE(documentInvariantFault(*result.document), QString());
}

QMK_TEST_MAIN(tst_Regressions)
#include "tst_regressions.moc"
