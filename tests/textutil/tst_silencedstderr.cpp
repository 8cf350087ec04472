#include "support/testsupport.h"

#include "textutil/silencedstderr_p.h"

#include <QTemporaryFile>

#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

class tst_SilencedStderr : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void onlyWhatIsPrintedWhileSilencedIsLost_data();
    void onlyWhatIsPrintedWhileSilencedIsLost();

private:
    QTemporaryFile capture;
    std::FILE *realStream = nullptr;
    int realStderr = -1;
};

// Standard error goes to a file for each test, so that what reaches it can be read back.
void tst_SilencedStderr::init()
{
    QVERIFY(capture.open());
    realStream = stderr;
    std::fflush(stderr);
    realStderr = ::dup(STDERR_FILENO);
    QVERIFY(realStderr >= 0);
    QVERIFY(::dup2(capture.handle(), STDERR_FILENO) >= 0);
}

void tst_SilencedStderr::cleanup()
{
    stderr = realStream; // whatever a failed test left
    std::fflush(stderr);
    ::dup2(realStderr, STDERR_FILENO);
    ::close(realStderr);
    capture.close();
}

// Readers in several threads silence stderr at once, and their silences end in any order.
void tst_SilencedStderr::onlyWhatIsPrintedWhileSilencedIsLost_data()
{
    QTest::addColumn<int>("reach");
    QTest::addColumn<bool>("firstEndsFirst");

    const struct { const char *name; SilencedStderr::Reach reach; } Reaches[] = {
        {"stream", SilencedStderr::StdioStream},
        {"descriptor", SilencedStderr::Descriptor},
    };
    for (const auto &entry : Reaches) {
        QTest::addRow("%s, nested", entry.name) << int(entry.reach) << false;
        QTest::addRow("%s, the first silence ends first", entry.name) << int(entry.reach) << true;
    }
}

void tst_SilencedStderr::onlyWhatIsPrintedWhileSilencedIsLost()
{
    QFETCH(int, reach);
    QFETCH(bool, firstEndsFirst);

    std::FILE *const streamBefore = stderr;
    std::fputs("before ", stderr);
    auto first = std::make_unique<SilencedStderr>(SilencedStderr::Reach(reach));
    std::fputs("lost ", stderr);
    auto second = std::make_unique<SilencedStderr>(SilencedStderr::Reach(reach));
    std::fputs("lost ", stderr);
    if (firstEndsFirst) {
        first.reset();
        std::fputs("lost ", stderr);
        second.reset();
    } else {
        second.reset();
        std::fputs("lost ", stderr);
        first.reset();
    }
    std::fputs("after", stderr);
    std::fflush(stderr);

    QCOMPARE(stderr, streamBefore);
    capture.seek(0);
    QCOMPARE(capture.readAll(), QByteArray("before after"));
}

QMK_TEST_MAIN(tst_SilencedStderr)
#include "tst_silencedstderr.moc"
