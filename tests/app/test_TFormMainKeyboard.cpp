#include "app/TApplication.h"
#include "app/TFormHelp.h"
#include "app/TFormMain.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "kit/TFocusFrame.h"
#include "kit/TFormPage.h"
#include "kit/TGrid.h"
#include "kit/TScrollPanel.h"
#include "lang/DLanguage.h"
#include "pages/TFormCompare.h"
#include "pages/TFormCsvOpt.h"
#include "pages/TFormDesiOpt.h"
#include "pages/TFormFormImport.h"
#include "pages/TFormGraph.h"
#include "pages/TFormGraphSoc.h"
#include "pages/TFormGroups.h"
#include "pages/TFormInfo.h"
#include "pages/TFormLang.h"
#include "pages/TFormQuesOpt.h"
#include "pages/TFormSubjImp.h"
#include "pages/TFormSubjOpt.h"
#include "tests/TestSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

// Keyboard users and screen readers: Tab reaches every control of every page
// and dialog, in reading order, and every control tells a screen reader its
// name in both languages.
namespace
{
// Enough for every cell of the fixture's grids, which Tab crosses one by one.
constexpr int kMostPresses = 2000;

bool IsInside(const QWidget* widget, const char* className)
{
    for (const QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget())
        if (parent->inherits(className))
            return true;
    return false;
}

// What a user works with: buttons, fields, lists and grids, and the areas
// that show a picture or a text to scroll. The parts of a control (a
// combo box's field, a grid's corner button, a tab bar's arrows) come with it;
// a drop-down list in a cell of a grid is a control of its own, unless it
// leaves the keys to the grid.
bool IsControl(const QWidget* widget)
{
    if (IsInside(widget, "QComboBox") || IsInside(widget, "QAbstractSpinBox") || IsInside(widget, "QTabBar"))
        return false;
    if (IsInside(widget, "QAbstractItemView") &&
        !(qobject_cast<const QComboBox*>(widget) && (widget->focusPolicy() & Qt::TabFocus)))
        return false;
    if (qobject_cast<const TScrollPanel*>(widget))
        return false;
    // A link that the keyboard follows.
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->textInteractionFlags() & Qt::LinksAccessibleByKeyboard;
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QAbstractScrollArea*>(widget) || qobject_cast<const QTabBar*>(widget);
}

// Where a control lies in its window, as if no scrolling panel were scrolled:
// Tab scrolls a panel to the control it reaches, which must not change the
// order being checked.
QRect Place(const QWidget* widget, const QWidget* window)
{
    QPoint at;
    for (const QWidget* part = widget; part && part != window; part = part->parentWidget())
    {
        const QWidget* viewport = part->parentWidget();
        const auto* area = viewport ? qobject_cast<const QScrollArea*>(viewport->parentWidget()) : nullptr;
        if (!(area && area->widget() == part))
            at += part->pos();
    }
    return {at, widget->size()};
}

// True when going from a to b reads backwards: b lies wholly above a without
// starting a column to its right, or b lies on a's line wholly left of it.
bool IsBackward(const QRect& a, const QRect& b)
{
    const bool above = b.bottom() < a.top();
    const bool rightColumn = b.left() > a.right();
    const bool sameLine = b.top() <= a.bottom() && b.bottom() >= a.top();
    const bool left = b.right() < a.left();
    return (above && !rightColumn) || (sameLine && left);
}

// Radio buttons that exclude each other are one stop of Tab, the one
// checked; the arrows choose among them.
bool IsInChain(const QWidget* control, const QList<QWidget*>& chain)
{
    if (chain.contains(control))
        return true;
    const auto* radio = qobject_cast<const QRadioButton*>(control);
    if (!radio || !radio->autoExclusive())
        return false;
    for (const QWidget* stop : chain)
        if (qobject_cast<const QRadioButton*>(stop) && stop->parentWidget() == radio->parentWidget())
            return true;
    return false;
}

QString Describe(const QWidget* widget, const QWidget* window)
{
    QString text = QString::fromLatin1(widget->metaObject()->className());
    if (!widget->objectName().isEmpty())
        text += QLatin1Char(' ') + widget->objectName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget); button && !button->text().isEmpty())
        text += QStringLiteral(" \"%1\"").arg(button->text());
    const QRect place = Place(widget, window);
    return text + QStringLiteral(" at %1,%2").arg(place.x()).arg(place.y());
}

// What a screen reader announces for the control: its own name, or the text
// of its label or group box, as the toolkit finds them. A drop-down list
// tells its choice as its name, and what it is through the label that the
// toolkit relates to it (a buddy label or its group box), or else its
// description: that one counts.
QString AccessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    if (!face)
        return QString();
    if (!qobject_cast<QComboBox*>(widget))
        return face->text(QAccessible::Name);
    for (const auto& [label, relation] : face->relations(QAccessible::Label))
        if (const QString text = label->text(QAccessible::Name); !text.isEmpty())
            return text;
    return face->text(QAccessible::Description);
}

// Whether the user can see that the control has the focus: the toolkit draws
// it on buttons and fields, but a grid or list looks the same with it or
// without, and an area that shows a picture or a text has no look for it:
// those need their frame.
bool ShowsFocus(const QWidget* control)
{
    const auto* area = qobject_cast<const QAbstractScrollArea*>(control);
    if (!area)
        return true;
    const auto* frame = area->findChild<TFocusFrame*>(QString(), Qt::FindDirectChildrenOnly);
    return frame && frame->isVisible() && frame->geometry() == area->rect();
}

// The grids of the pages and the pictures also tell what they hold and which
// keys work them.
bool LacksDescription(QWidget* control)
{
    bool picture = false;
    for (QWidget* parent = control->parentWidget(); parent && !picture; parent = parent->parentWidget())
        if (auto* page = qobject_cast<TFormPage*>(parent))
            picture = page->ScrollBox() == control;
    if (!picture && !qobject_cast<TGrid*>(control))
        return false;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return !face || face->text(QAccessible::Description).isEmpty();
}

// The focus chain met by pressing Tab from `first`, each control once, until
// the focus comes back to it; empty, with the reason in `error`, when Tab
// stays inside one control, circles without coming back or reaches a
// control that does not show it has the focus.
QList<QWidget*> TabChain(QWidget* first, QString& error)
{
    first->setFocus(Qt::TabFocusReason);
    if (QApplication::focusWidget() != first || !(first->focusPolicy() & Qt::TabFocus))
    {
        error = QStringLiteral("the first control takes no focus from Tab: ") + first->objectName();
        return {};
    }
    QList<QWidget*> chain{first};
    for (int press = 0; press < kMostPresses; ++press)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
        {
            error = QStringLiteral("Tab lost the focus after ") + chain.last()->objectName();
            return {};
        }
        if (!ShowsFocus(focus))
        {
            error = QStringLiteral("no sign of the focus on ") + focus->objectName() + QStringLiteral(" after ") +
                    chain.last()->objectName();
            return {};
        }
        if (focus == first)
            return chain;
        if (focus == chain.last())
            continue;
        if (chain.contains(focus))
        {
            error = QStringLiteral("Tab circles back to %1 without reaching the first control")
                        .arg(focus->metaObject()->className());
            return {};
        }
        chain << focus;
    }
    error = QStringLiteral("Tab stays in ") +
            QString::fromLatin1(QApplication::focusWidget()->metaObject()->className()) + QLatin1Char(' ') +
            QApplication::focusWidget()->objectName();
    return {};
}

// The controls of the window that show and can be used.
QList<QWidget*> Controls(QWidget* top)
{
    QList<QWidget*> controls;
    for (QWidget* widget : top->findChildren<QWidget*>())
        if (IsControl(widget) && widget->isVisibleTo(top) && widget->isEnabled() && widget->window() == top)
            controls << widget;
    return controls;
}

} // namespace

class TestTFormMainKeyboard : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabReachesEveryControlInOrder_data();
    void tabReachesEveryControlInOrder();
    void arrowsGoThroughThePages();
};

void TestTFormMainKeyboard::tabReachesEveryControlInOrder_data()
{
    QTest::addColumn<QString>("window");
    for (const char* page : {"questions", "subjects", "answers", "bar", "target", "sociogram", "metrics"})
        QTest::newRow(page) << QString::fromLatin1(page);
    for (const char* dialog : {"FormQuesOpt", "FormSubjOpt", "FormSubjImp", "FormDesiOpt", "FormCsvOpt", "FormLang",
                               "FormInfo", "FormGroups", "FormCompare", "FormFormImport", "FormHelp"})
        QTest::newRow(dialog) << QString::fromLatin1(dialog);
}

// Shown as a user meets it, each page (with its options open) and dialog:
// Tab from its first control reaches every enabled control that shows, one
// after the other in reading order (down a column, then the next column to
// the right; along a line from left to right), and comes back to the first.
// Every control has a name for screen readers in English and, after the
// language is switched at run time, in Italian; those the program names
// itself (commands, grids, pictures) change with the language.
void TestTFormMainKeyboard::tabReachesEveryControlInOrder()
{
    QFETCH(QString, window);
    DLanguage lang(int(DLanguage::English));
    DTest test;
    DMessages::RealBoxesOnExit realBoxes;
    QStringList errors;
    DMessages::SetErrorBox([&](const QString&, const QString& text) { errors << text; });
    TestSupport::MakeMixedQuestions(test.ques.List());
    test.subj.List().SetSize(4, false);
    TApplication windows(test, lang);
    TFormMain& main = windows.FormMain();
    main.SetArguments({});
    windows.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    const QStringList pageNames = {QStringLiteral("questions"), QStringLiteral("subjects"), QStringLiteral("answers"),
                                   QStringLiteral("bar"),       QStringLiteral("target"),   QStringLiteral("sociogram"),
                                   QStringLiteral("metrics")};
    QTemporaryDir folder;
    const QString formPath = folder.filePath(QStringLiteral("form.tsv"));
    TestSupport::WriteFile(formPath, "Timestamp\tName\tFirst\n2024-05-02 10:00\tNobody Known\tsomeone else\n");
    // Opens the window as the user does, in the language of the moment; the
    // window shown.
    std::unique_ptr<TFormCsvOpt> csvOptions;
    const auto open = [&]() -> QWidget*
    {
        if (const qsizetype index = pageNames.indexOf(window); index >= 0)
        {
            main.PageControl->setCurrentIndex(int(index));
            TFormPage* page = main.PageList().at(index);
            // The options of an analysis are part of its page.
            if (auto* graph = qobject_cast<TFormGraph*>(page); graph && graph->OptPn->isHidden())
                QTest::mouseClick(graph->OptSb, Qt::LeftButton);
            if (auto* soc = qobject_cast<TFormGraphSoc*>(page); soc && soc->OptPn->isHidden())
                QTest::mouseClick(soc->OptSb, Qt::LeftButton);
            return &main;
        }
        if (window == QLatin1String("FormHelp"))
        {
            main.HelpAcExecute();
            return main.findChild<TFormHelp*>();
        }
        QDialog* dialog = nullptr;
        if (window == QLatin1String("FormCsvOpt"))
        {
            // Made for each export.
            csvOptions = std::make_unique<TFormCsvOpt>(lang, true, &main);
            dialog = csvOptions.get();
        }
        else if (auto* compare = main.findChild<TFormCompare*>(window))
        {
            auto other = std::make_unique<DTest>();
            TestSupport::MakeMixedQuestions(other->ques.List());
            other->subj.List().SetSize(4, false);
            compare->FormShow(std::move(other), QStringLiteral("/tmp/other.KalCir"));
            dialog = compare;
        }
        else
        {
            dialog = main.findChild<QDialog*>(window);
            if (auto* groups = qobject_cast<TFormGroups*>(dialog))
                groups->FormShow();
            else if (auto* import = qobject_cast<TFormFormImport*>(dialog))
            {
                // With a form read, whose columns and names are chosen in
                // drop-down lists in the cells of the two grids.
                import->SetOpenDialog([&] { return formPath;
            });
            import->FormShow();
            dialog->show();
            QTest::mouseClick(import->ChooseBt, Qt::LeftButton);
        }
        else if (auto* ques = qobject_cast<TFormQuesOpt*>(dialog)) ques->FormShow();
        else if (auto* subj = qobject_cast<TFormSubjOpt*>(dialog)) subj->FormShow();
        else if (auto* names = qobject_cast<TFormSubjImp*>(dialog)) names->FormShow();
        else if (auto* desi = qobject_cast<TFormDesiOpt*>(dialog)) desi->FormShow();
    } if (dialog) dialog->show();
    return dialog;
};
const auto close = [&](QWidget* shown)
{
    if (shown != &main)
        shown->hide();
};
QWidget* const top = open();
QVERIFY2(top, qPrintable(window));
QApplication::setActiveWindow(top);
QVERIFY(QTest::qWaitForWindowActive(top));
QTest::qWait(20);

const QList<QWidget*> controls = Controls(top);
QVERIFY(!controls.isEmpty());
// The chain starts at the control a reader meets first: the highest, and
// of those the leftmost.
QWidget* first = *std::min_element(controls.begin(), controls.end(),
                                   [&](const QWidget* a, const QWidget* b)
                                   {
                                       const QRect pa = Place(a, top);
                                       const QRect pb = Place(b, top);
                                       return std::pair(pa.top(), pa.left()) < std::pair(pb.top(), pb.left());
                                   });
QString error;
const QList<QWidget*> chain = TabChain(first, error);
QVERIFY2(!chain.isEmpty(), qPrintable(error));
QStringList walked;
for (const QWidget* widget : chain)
    walked << Describe(widget, top);
const QString trail = QStringLiteral("\n  Tab order: ") + walked.join(QStringLiteral("\n    "));

QStringList missed;
for (const QWidget* control : std::as_const(controls))
    if (!IsInChain(control, chain))
        missed << Describe(control, top);
QVERIFY2(missed.isEmpty(), qPrintable(QStringLiteral("not reached: ") + missed.join(QStringLiteral("; ")) + trail));
// Round the whole circle, the step from the last control back to the
// first is the one step that may go backwards.
QStringList backwards;
for (qsizetype i = 0; i < chain.size(); ++i)
{
    const QWidget* from = chain[i];
    const QWidget* to = chain[(i + 1) % chain.size()];
    if (IsBackward(Place(from, top), Place(to, top)))
        backwards << Describe(from, top) + QStringLiteral(" to ") + Describe(to, top);
}
QVERIFY2(backwards.size() <= 1,
         qPrintable(QStringLiteral("backwards: ") + backwards.join(QStringLiteral("; ")) + trail));

// The names a screen reader announces, in both languages. A control made
// again as the window reopens (a drop-down list of a grid's cell) is
// checked anew.
QList<std::pair<QPointer<QWidget>, QString>> english;
for (QWidget* control : chain)
{
    english.append({control, AccessibleName(control)});
    QVERIFY2(!english.last().second.isEmpty(), qPrintable(Describe(control, top) + QStringLiteral(" has no name")));
    QVERIFY2(!LacksDescription(control), qPrintable(Describe(control, top) + QStringLiteral(" has no description")));
}
auto* formLang = main.findChild<TFormLang*>();
QVERIFY(formLang);
close(top);
formLang->show();
formLang->Lb->setCurrentRow(DLanguage::Italian);
formLang->OkBbClick();
QWidget* const again = open();
QTest::qWait(20);
for (QWidget* control : Controls(again))
{
    const QString italian = AccessibleName(control);
    QVERIFY2(!italian.isEmpty(), qPrintable(Describe(control, again) + QStringLiteral(" has no Italian name")));
    QVERIFY2(!LacksDescription(control),
             qPrintable(Describe(control, again) + QStringLiteral(" has no Italian description")));
}
for (const auto& [control, name] : std::as_const(english))
    if (control && !control->accessibleName().isEmpty())
        QVERIFY2(AccessibleName(control) != name,
                 qPrintable(Describe(control, again) + QStringLiteral(" keeps its English name ") + name));
close(again);
QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
}

// On the tabs, the arrow keys go from page to page and back, the keys
// staying on the tabs though a page would take them as it shows.
void TestTFormMainKeyboard::arrowsGoThroughThePages()
{
    DLanguage lang(int(DLanguage::English));
    DTest test;
    TApplication windows(test, lang);
    TFormMain& main = windows.FormMain();
    // A test with answers, opened as from the command line.
    main.SetArguments({qEnvironmentVariable("KC_TEST_DATA") + QStringLiteral("/files/small.KalCir")});
    windows.Show();
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTabBar* tabs = main.PageControl->tabBar();
    tabs->setFocus(Qt::TabFocusReason);
    const int pages = main.PageControl->count();
    for (int step = 1; step < 2 * pages - 1; ++step)
    {
        QTest::keyClick(QApplication::focusWidget(), step < pages ? Qt::Key_Right : Qt::Key_Left);
        QCOMPARE(main.PageControl->currentIndex(), step < pages ? step : 2 * pages - 2 - step);
        QCOMPARE(QApplication::focusWidget(), tabs);
    }
}

KC_TEST_MAIN(TestTFormMainKeyboard)
#include "test_TFormMainKeyboard.moc"
