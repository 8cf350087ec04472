#include "common/testsupport.h"

class tst_frame : public QObject
{
    Q_OBJECT
private slots:
    void placeholder() {}
};

QMK_TEST_MAIN(tst_frame)
#include "tst_frame.moc"
