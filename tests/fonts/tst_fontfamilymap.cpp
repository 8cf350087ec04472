#include "common/testsupport.h"
class tst_fontfamilymap : public QObject { Q_OBJECT private slots: void none() {} };
QMK_TEST_MAIN(tst_fontfamilymap)
#include "tst_fontfamilymap.moc"
