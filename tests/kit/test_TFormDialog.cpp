#include "kit/TFormDialog.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QScreen>
#include <QWidget>

namespace
{
class WideDialog : public TFormDialog
{
public:
    WideDialog(DLanguage& language, QWidget* window) : TFormDialog(language, "WideDialog", window, window)
    {
        resize(500, 200);
    }
};
} // namespace

class TestTFormDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void staysOnTheScreen_data()
    {
        QTest::addColumn<bool>("rightEdge");
        QTest::newRow("window at the left edge") << false;
        QTest::newRow("window at the right edge") << true;
    }

    // Centred on a narrow window at the screen's edge, a wider dialog would
    // hang over the edge, its title bar out of reach.
    void staysOnTheScreen()
    {
        QFETCH(bool, rightEdge);
        DLanguage language(0);
        QWidget window;
        window.resize(300, 200);
        const QRect screen = window.screen()->availableGeometry();
        window.move(rightEdge ? screen.right() + 1 - 300 : screen.left(), screen.top());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        WideDialog dialog(language, &window);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY2(screen.contains(dialog.frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                         .arg(dialog.frameGeometry().x())
                                                                         .arg(dialog.frameGeometry().y())
                                                                         .arg(dialog.frameGeometry().width())
                                                                         .arg(dialog.frameGeometry().height())));
    }
};

KC_TEST_MAIN(TestTFormDialog)
#include "test_TFormDialog.moc"
