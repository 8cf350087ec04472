#include "common/testsupport.h"

class tst_rtfcheck : public QObject
{
    Q_OBJECT
private slots:
    void placeholder() {}
};

QMK_TEST_MAIN(tst_rtfcheck)
#include "tst_rtfcheck.moc"
