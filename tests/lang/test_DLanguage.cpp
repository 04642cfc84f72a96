#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

class TestDLanguage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placeholder() { QCOMPARE(DLanguage(0).GetStr(40030), QStringLiteral("The test is changed. Do you want to save it?")); }
};

KC_TEST_MAIN(TestDLanguage)
#include "test_DLanguage.moc"
