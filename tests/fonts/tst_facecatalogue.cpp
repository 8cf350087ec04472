#include "common/testsupport.h"
class tst_facecatalogue : public QObject { Q_OBJECT private slots: void none() {} };
QMK_TEST_MAIN(tst_facecatalogue)
#include "tst_facecatalogue.moc"
