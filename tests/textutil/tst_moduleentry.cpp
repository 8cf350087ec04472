#include "support/testsupport.h"

#include "textutil/moduleentry_p.h"

#include <QCoreApplication>

class tst_ModuleEntry : public QObject
{
    Q_OBJECT
private slots:
    void candidates_data();
    void candidates();
    void testsUseTheModulesTheirBuildMade();
};

namespace {

const QString built = QStringLiteral("/src/build/pdf/libqmkrtf_pdfpages.so");
const QString installed = QStringLiteral("/opt/q/lib/x86_64-linux-gnu/qmkrtf/libqmkrtf_pdfpages.so");

ModuleLocations locations()
{
    return {QStringLiteral("/src/build"), QStringLiteral("/opt/q/lib/x86_64-linux-gnu/qmkrtf"),
            QStringLiteral("../lib/x86_64-linux-gnu/qmkrtf")};
}

} // namespace

void tst_ModuleEntry::candidates_data()
{
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("program in the build tree")
        << QStringLiteral("/src/build/tests/pdf")
        << QStringList{QStringLiteral("/src/build/tests/pdf/libqmkrtf_pdfpages.so"), built};
    QTest::newRow("program at the top of the build tree")
        << QStringLiteral("/src/build/")
        << QStringList{QStringLiteral("/src/build/libqmkrtf_pdfpages.so"), built};
    QTest::newRow("another tree whose name starts like the build tree's")
        << QStringLiteral("/src/build-sanitize/app")
        << QStringList{QStringLiteral("/src/build-sanitize/app/libqmkrtf_pdfpages.so"),
                       QStringLiteral("/src/build-sanitize/lib/x86_64-linux-gnu/qmkrtf/"
                                      "libqmkrtf_pdfpages.so"),
                       installed};
    QTest::newRow("installed program, each place once")
        << QStringLiteral("/opt/q/bin")
        << QStringList{QStringLiteral("/opt/q/bin/libqmkrtf_pdfpages.so"), installed};
    QTest::newRow("installed under another prefix")
        << QStringLiteral("/tmp/p/bin")
        << QStringList{QStringLiteral("/tmp/p/bin/libqmkrtf_pdfpages.so"),
                       QStringLiteral("/tmp/p/lib/x86_64-linux-gnu/qmkrtf/libqmkrtf_pdfpages.so"),
                       installed};
    QTest::newRow("no application object") << QString() << QStringList{built, installed};
}

void tst_ModuleEntry::candidates()
{
    QFETCH(QString, programDir);
    QFETCH(QStringList, expected);

    QCOMPARE(moduleCandidates(built, programDir, locations()), expected);
}

// The build tree is compared with the folder Qt reports for the program, which has its
// symbolic links resolved: a build tree reached through a link must still count as one.
void tst_ModuleEntry::testsUseTheModulesTheirBuildMade()
{
    const QString builtHere = configuredModuleLocations().buildDir + QStringLiteral("/pdf/m.so");
    const QStringList paths =
        moduleCandidates(builtHere, QCoreApplication::applicationDirPath(),
                         configuredModuleLocations());
    QCOMPARE(paths.size(), 2);
    QCOMPARE(paths.last(), builtHere);
}

QMK_TEST_MAIN(tst_ModuleEntry)
#include "tst_moduleentry.moc"
