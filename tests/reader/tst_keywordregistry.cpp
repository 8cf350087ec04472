#include "common/testsupport.h"

class tst_keywordregistry : public QObject
{
    Q_OBJECT
private slots:
    void placeholder() {}
};

QMK_TEST_MAIN(tst_keywordregistry)
#include "tst_keywordregistry.moc"
