#include "common/testsupport.h"
class tst_fontconstruction : public QObject { Q_OBJECT private slots: void none() {} };
QMK_TEST_MAIN(tst_fontconstruction)
#include "tst_fontconstruction.moc"
