#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "kit/TFormDialog.h"
#include "kit/TFormPage.h"
#include "lang/DLanguage.h"
#include "pages/TFormDesi.h"
#include "pages/TFormGraph.h"
#include "pages/TFormGraphSoc.h"
#include "pages/TFormLang.h"
#include "pages/TFormQues.h"
#include "pages/TFormSubj.h"
#include "tests/TestSupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLibraryInfo>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <functional>

namespace
{
// The whole window set over a test of three questions, in English at start.
struct Windows
{
    DLanguage language{DLanguage::English};
    DTest test;
    TApplication windows{test, language};
    TFormMain& form = windows.FormMain();
    DMessages::RealBoxesOnExit realBoxes;

    Windows()
    {
        TestSupport::MakeMixedQuestions(test.ques.List());
        form.SetArguments({});
        windows.Show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(&form)); }();
        QCoreApplication::processEvents();
    }

    // Picks the language in the language dialog and confirms, as a user does.
    void SwitchTo(int choice)
    {
        auto* dialog = form.findChild<TFormLang*>();
        dialog->show();
        QCoreApplication::processEvents();
        dialog->Lb->setCurrentRow(choice);
        QTest::mouseClick(dialog->OkBb, Qt::LeftButton);
        // The toolkit posts its language change to every widget.
        QCoreApplication::processEvents();
    }
};

// Layouts settle one level per pass of the event loop: enough passes for
// the deepest, however loaded the machine is.
void Settle()
{
    for (int pass = 0; pass < 10; ++pass)
        QCoreApplication::processEvents();
}

// Runs check on the modal dialog that work opens, then closes it.
void WithModal(const std::function<void()>& work, const std::function<void(QWidget*)>& check)
{
    bool checked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout,
                     [&]
                     {
                         QWidget* modal = QApplication::activeModalWidget();
                         if (!modal || checked)
                             return;
                         checked = true;
                         check(modal);
                         modal->close();
                     });
    poll.start(10);
    work();
    QVERIFY(checked);
}

QStringList TextsOf(QWidget* root)
{
    QStringList texts;
    for (const QLabel* label : root->findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : root->findChildren<QAbstractButton*>())
        texts << button->text();
    return texts;
}

// The room a window title needs: the title bar's own font is the window
// manager's, usually a bold face of the application's, and its icon and
// buttons share the bar.
int TitleRoom(const QString& title)
{
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + 100;
}

// Every visible drop-down item, group title, one-line label, button text and
// the window title of root that is wider than its control.
QStringList CutTexts(QWidget* root)
{
    QStringList cut;
    const QString where = root->metaObject()->className() + QStringLiteral(": ");
    for (QComboBox* combo : root->findChildren<QComboBox*>())
    {
        if (!combo->isVisibleTo(root))
            continue;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const int room =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width();
        for (int i = 0; i < combo->count(); ++i)
            if (combo->fontMetrics().horizontalAdvance(combo->itemText(i)) > room)
                cut << where + QStringLiteral("drop-down ") + combo->itemText(i);
    }
    for (QGroupBox* group : root->findChildren<QGroupBox*>())
    {
        if (!group->isVisibleTo(root) || group->title().isEmpty())
            continue;
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = group->alignment();
        const QRect label =
            group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
        if (label.right() >= group->width() || group->fontMetrics().horizontalAdvance(group->title()) > label.width())
            cut << where + QStringLiteral("box ") + group->title();
    }
    for (QLabel* label : root->findChildren<QLabel*>())
        if (label->isVisibleTo(root) && !label->wordWrap() && !label->text().isEmpty() &&
            label->sizeHint().width() > label->width())
            cut << where + QStringLiteral("label ") + label->text();
    // A check box or radio button shows its indicator and its text whole;
    // a push button at least its text.
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
    {
        if (!button->isVisibleTo(root) || button->text().isEmpty() || button->inherits("QToolButton"))
            continue;
        const bool plain = button->inherits("QPushButton");
        const int need = plain ? button->fontMetrics().horizontalAdvance(button->text()) : button->sizeHint().width();
        if (need > button->width())
            cut << where + QStringLiteral("button ") + button->text();
    }
    if (root->isWindow() && TitleRoom(root->windowTitle()) > root->width())
        cut << where + QStringLiteral("title ") + root->windowTitle();
    return cut;
}
} // namespace

class TestTApplication : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void toolkitTextsFollowTheLanguage();
    void everyTextFitsItsControl();
};

// Message boxes, file dialogs and the dialogs' own buttons speak the
// language chosen at run time, and English again after switching back.
void TestTApplication::toolkitTextsFollowTheLanguage()
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_it.qm")))
        QSKIP("the toolkit's translations are not installed (tools/setup.sh installs them)");
    Windows w;
    auto* lang = w.form.findChild<TFormLang*>();
    const auto question = [&] { DMessages::ShowQuestion(w.language, 40010); };
    const auto buttonsOf = [](QWidget* box)
    {
        QStringList texts;
        for (const QAbstractButton* button : box->findChildren<QPushButton*>())
            texts << button->text();
        texts.sort();
        return texts;
    };

    w.SwitchTo(DLanguage::Italian);
    WithModal(question, [&](QWidget* box) { QCOMPARE(buttonsOf(box), (QStringList{"&No", "&Sì", "Annulla"})); });
    QCOMPARE(lang->OkBb->text(), QStringLiteral("OK"));
    QCOMPARE(lang->CancelB->text(), QStringLiteral("Annulla"));
    WithModal([&] { w.form.AskOpenPath(); },
              [&](QWidget* dialog)
              {
                  QVERIFY(qobject_cast<QFileDialog*>(dialog));
                  const QStringList texts = TextsOf(dialog);
                  QVERIFY2(texts.contains(QStringLiteral("Cerca in:")), qPrintable(texts.join('|')));
                  QVERIFY2(texts.contains(QStringLiteral("&Apri")), qPrintable(texts.join('|')));
                  QCOMPARE(static_cast<QFileDialog*>(dialog)->nameFilters(),
                           QStringList{"File di Kaleidocircle (*.KalCir)"});
              });
    // The file dialogs' Type column, which the toolkit's catalogue partly
    // lacks and partly leaves to the default locale.
    const QFileInfo folder(QDir::tempPath());
    QCOMPARE(QFileIconProvider().type(folder), QStringLiteral("Cartella"));
    QCOMPARE(QLocale().language(), QLocale::Italian);

    w.SwitchTo(DLanguage::English);
    WithModal(question, [&](QWidget* box) { QCOMPARE(buttonsOf(box), (QStringList{"&No", "&Yes", "Cancel"})); });
    QCOMPARE(lang->CancelB->text(), QStringLiteral("Cancel"));
    WithModal([&] { w.form.AskOpenPath(); },
              [&](QWidget* dialog) { QVERIFY(TextsOf(dialog).contains(QStringLiteral("Look in:"))); });
    QCOMPARE(QFileIconProvider().type(folder), QStringLiteral("Folder"));
}

// Walks every page, options panel and dialog in both languages, switched at
// run time: no drop-down item, title or label is cut.
void TestTApplication::everyTextFitsItsControl()
{
    Windows w;
    QStringList cut;
    const TFormPages& pages = w.form.Pages();
    // The dialogs that pages open, each looked at while it is up.
    const auto look = [&cut](QDialog& dialog)
    {
        dialog.show();
        Settle();
        cut << CutTexts(&dialog);
        dialog.hide();
        return int(QDialog::Rejected);
    };
    for (TFormPage* page : w.form.PageList())
        page->SetDialogExec(look);

    for (int language : {DLanguage::English, DLanguage::Italian})
    {
        w.SwitchTo(language);
        for (int tab = 0; tab < w.form.PageControl->count(); ++tab)
        {
            w.form.PageControl->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            TFormPage* page = w.form.PageList().at(tab);
            // The analyses' options panels are shown by their first button.
            if (auto* graph = qobject_cast<TFormGraph*>(page); graph && !graph->OptPn->isVisible())
                QTest::mouseClick(graph->OptSb, Qt::LeftButton);
            if (auto* soc = qobject_cast<TFormGraphSoc*>(page); soc && !soc->OptPn->isVisible())
                QTest::mouseClick(soc->OptSb, Qt::LeftButton);
            Settle();
            cut << CutTexts(page);
        }
        // The options and import dialogs, opened by their buttons on their pages' tabs.
        const std::pair<int, QToolButton*> openers[] = {{0, static_cast<TFormQues*>(pages.FormQues)->OptionsSb},
                                                        {1, static_cast<TFormSubj*>(pages.FormSubj)->OptionsSb},
                                                        {1, static_cast<TFormSubj*>(pages.FormSubj)->ImpClipSb},
                                                        {2, static_cast<TFormDesi*>(pages.FormDesi)->OptionsSb}};
        for (const auto& [tab, button] : openers)
        {
            w.form.PageControl->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            QTest::mouseClick(button, Qt::LeftButton);
        }
        for (TFormDialog* dialog : w.form.findChildren<TFormDialog*>())
            if (dialog->inherits("TFormLang") || dialog->inherits("TFormInfo"))
                look(*dialog);
        cut << CutTexts(&w.form);
    }
    cut.removeDuplicates();
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
}

KC_TEST_MAIN(TestTApplication)
#include "test_TApplication.moc"
