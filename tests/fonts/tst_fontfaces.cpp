#include "common/testsupport.h"
class tst_fontfaces : public QObject { Q_OBJECT private slots: void none() {} };
QMK_TEST_MAIN(tst_fontfaces)
#include "tst_fontfaces.moc"
