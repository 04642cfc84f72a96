#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "kit/TFormPage.h"
#include "lang/DLanguage.h"
#include "pages/TFormGraph.h"
#include "pages/TFormGraphSoc.h"
#include "tests/TestSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>

namespace
{
// The least height of a scrolling panel in which a control still counts as
// within reach: one control and a bit of the next.
constexpr int kLeastScrollHeight = 40;

bool IsControl(const QWidget* widget)
{
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget);
}

// Whether the widget lies wholly inside `top` and inside each of its
// ancestors up to it, so that no part is cut off.
bool IsWhole(const QWidget* widget, const QWidget* top)
{
    for (const QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget())
    {
        if (!parent->rect().contains(QRect(widget->mapTo(parent, QPoint(0, 0)), widget->size())))
            return false;
        if (parent == top)
            return true;
    }
    return false;
}

// Empty when the user can get at the whole control: it shows whole in the
// window, or it lies in the panel of a scroll area that the user can scroll
// to it and that is itself within reach. Otherwise what is wrong.
QString Unreachable(const QWidget* control, const QWidget* window)
{
    for (const QWidget* parent = control->parentWidget(); parent && parent != window; parent = parent->parentWidget())
    {
        const auto* area = qobject_cast<const QScrollArea*>(parent);
        if (!area || !area->widget() || !area->widget()->isAncestorOf(control))
            continue;
        if (!IsWhole(control, area->widget()))
            return QStringLiteral("outside its scrolling panel");
        if (area->viewport()->height() < kLeastScrollHeight)
            return QStringLiteral("in a scrolling panel %1 pixels high").arg(area->viewport()->height());
        const QString outer = Unreachable(area, window);
        return outer.isEmpty() ? QString() : QStringLiteral("in a scrolling panel that is ") + outer;
    }
    return IsWhole(control, window) ? QString() : QStringLiteral("cut off");
}

QString Describe(const QWidget* control)
{
    QString text = QString::fromLatin1(control->metaObject()->className());
    if (!control->objectName().isEmpty())
        text += QStringLiteral(" ") + control->objectName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control); button && !button->text().isEmpty())
        text += QStringLiteral(" \"%1\"").arg(button->text());
    return text + QStringLiteral(" at ") +
           QStringLiteral("%1,%2 %3x%4")
               .arg(control->x())
               .arg(control->y())
               .arg(control->width())
               .arg(control->height());
}
} // namespace

class TestTFormMainSize : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void smallWindowKeepsEveryControl_data();
    void smallWindowKeepsEveryControl();
};

void TestTFormMainSize::smallWindowKeepsEveryControl_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << int(DLanguage::English);
    QTest::newRow("Italian") << int(DLanguage::Italian);
}

// Shrunk to 600 x 420, the window takes that size, and on every page, with
// the options of the analyses open, each control is whole in the window or
// in a panel that scrolls to it; a large window gives the pictures the room.
void TestTFormMainSize::smallWindowKeepsEveryControl()
{
    QFETCH(int, language);
    DLanguage lang(language);
    DTest test;
    DMessages::RealBoxesOnExit realBoxes;
    QStringList errors;
    DMessages::SetErrorBox([&](const QString&, const QString& text) { errors << text; });
    test.subj.List().SetSize(12, false);
    TApplication windows(test, lang);
    TFormMain& main = windows.FormMain();
    main.SetArguments({});
    windows.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    const QSize small(600, 420);
    const QList<TFormPage*> pages = main.PageList();
    for (int i = 0; i < pages.size(); ++i)
    {
        main.resize(small);
        main.PageControl->setCurrentIndex(i);
        if (auto* graph = qobject_cast<TFormGraph*>(pages[i]); graph && graph->OptPn->isHidden())
            QTest::mouseClick(graph->OptSb, Qt::LeftButton);
        if (auto* soc = qobject_cast<TFormGraphSoc*>(pages[i]); soc && soc->OptPn->isHidden())
            QTest::mouseClick(soc->OptSb, Qt::LeftButton);
        // The layouts settle over a few rounds of posted events.
        QTest::qWait(20);
        QCOMPARE(main.size(), small);

        int controls = 0;
        QStringList faults;
        for (const QWidget* widget : main.findChildren<QWidget*>())
        {
            if (!IsControl(widget) || !widget->isVisibleTo(&main))
                continue;
            // A control inside another (the arrows of a list) comes with it.
            if (widget->parentWidget() && qobject_cast<QAbstractItemView*>(widget->parentWidget()->parentWidget()))
                continue;
            ++controls;
            if (const QString fault = Unreachable(widget, &main); !fault.isEmpty())
                faults << Describe(widget) + QStringLiteral(": ") + fault;
        }
        QVERIFY(controls > 0);
        // Every command of the toolbar is on a button in the window or in
        // the menu of those that did not fit.
        for (const QAction* command :
             {main.NewAc, main.LoadAc, main.SaveAc, main.SaveAsAc, main.UndoAc, main.RedoAc, main.GroupsAc,
              main.FormImportAc, main.LangAc, main.InfoAc, main.HelpAc, main.ExitAc})
        {
            bool onButton = false;
            for (const QToolButton* button : main.Panel1->findChildren<QToolButton*>())
                onButton = onButton || (button->defaultAction() == command && button->isVisibleTo(&main));
            const bool inMenu = main.MoreSb->isVisibleTo(&main) && main.MoreSb->menu()->actions().contains(command);
            QVERIFY2(onButton != inMenu, qPrintable(command->text()));
        }
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("page %1: ").arg(i) + faults.join(QStringLiteral("; "))));

        if (QScrollArea* picture = pages[i]->ScrollBox())
        {
            const QSize smallBox = picture->size();
            main.resize(1400, 1000);
            QTest::qWait(20);
            // Most of the room a large window adds goes to the picture.
            QVERIFY(picture->width() >= smallBox.width() + 400);
            QVERIFY(picture->height() >= smallBox.height() + 500);
        }
    }
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
}

KC_TEST_MAIN(TestTFormMainSize)
#include "test_TFormMainSize.moc"
