#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "app/TFormPage.h"
#include "lang/DLanguage.h"
#include "model/DTest.h"
#include "tests/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWheelEvent>

namespace
{
// A page that logs every Draw with whether its tab was shown at the time.
class LogPage : public TFormPage
{
public:
    LogPage(QStringList& log, const QString& name, bool withScrollBox) : log_(log), name_(name)
    {
        if (withScrollBox)
        {
            box_ = new QScrollArea(this);
            auto* picture = new QWidget;
            picture->setFixedSize(2000, 2000);
            box_->setWidget(picture);
            box_->resize(300, 300);
        }
    }
    void Draw() override { log_ << name_ + (IsTabShown() ? QStringLiteral("+") : QStringLiteral("-")); }
    QScrollArea* ScrollBox() override { return box_; }

private:
    QStringList& log_;
    QString name_;
    QScrollArea* box_ = nullptr;
};

// One main window over its own test, with every message box and file
// dialog answered by the test.
struct Shell
{
    DLanguage language{DLanguage::English};
    DTest test;
    TFormMain form{test, language};
    QStringList errors;
    QStringList draws;
    int questions = 0;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QString openPath;
    QString savePath;
    int saveDialogs = 0;

    explicit Shell(const QStringList& arguments = {})
    {
        language.SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        language.SetQuestionBox([this](const QString&, const QString& text) {
            ++questions;
            [&] { QCOMPARE(text, QStringLiteral("The test is changed. Do you want to save it?")); }();
            return answer;
        });
        form.SetOpenDialog([this] { return openPath; });
        form.SetSaveDialog([this] {
            ++saveDialogs;
            return savePath;
        });
        form.SetArguments(arguments);
        TFormPages pages;
        pages.FormQues = new LogPage(draws, QStringLiteral("ques"), false);
        pages.FormSubj = new LogPage(draws, QStringLiteral("subj"), false);
        pages.FormDesi = new LogPage(draws, QStringLiteral("desi"), false);
        pages.FormGraphBar = new LogPage(draws, QStringLiteral("bar"), true);
        pages.FormGraphTar = new LogPage(draws, QStringLiteral("tar"), true);
        pages.FormGraphSoc = new LogPage(draws, QStringLiteral("soc"), true);
        pages.FormGraphMet = new LogPage(draws, QStringLiteral("met"), true);
        form.SetPages(pages);
    }

    bool Show()
    {
        form.show();
        const bool exposed = QTest::qWaitForWindowExposed(&form);
        // The command-line file is opened once the window is up.
        QCoreApplication::processEvents();
        return exposed;
    }

    // A change made by the user, followed by the input event that carried it.
    void UserChange(int answers)
    {
        test.answ.num.SetValue(answers, true);
        QTest::keyClick(&form, Qt::Key_Shift);
        QCoreApplication::processEvents();
    }

    QString Caption() const { return form.windowTitle(); }
};

int StoredAnswers(const QString& path)
{
    DTest test;
    test.file.Read(path);
    return test.answ.num.GetValue();
}

void WriteTestFile(const QString& path, int answers)
{
    DTest test;
    test.answ.num.SetValue(answers, true);
    test.file.Write(path);
}

const QString kTitle = QStringLiteral("Kaleidocircle");
} // namespace

class TestTFormMain : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captionAndPagesFollowTheFile()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("first.KalCir"));
        const QString junk = dir.filePath(QStringLiteral("junk.KalCir"));
        TestSupport::WriteFile(junk, QByteArray(200, 'x'));

        Shell shell;
        QVERIFY(shell.Show());
        QCOMPARE(shell.Caption(), kTitle);
        QCOMPARE(shell.form.PageControl->currentIndex(), 0);
        QCOMPARE(shell.draws, QStringList{QStringLiteral("ques+")});

        shell.savePath = first;
        shell.UserChange(6);
        shell.form.SaveAsAc->trigger();
        QCOMPARE(shell.Caption(), kTitle + QStringLiteral(" - ") + first);
        QCOMPARE(StoredAnswers(first), 6);

        // New discards the change without asking and redraws every page.
        shell.UserChange(7);
        shell.draws.clear();
        shell.form.NewAc->trigger();
        QCOMPARE(shell.questions, 0);
        QCOMPARE(shell.Caption(), kTitle);
        QCOMPARE(shell.test.answ.num.GetValue(), 3);
        const QStringList all = {QStringLiteral("ques+"), QStringLiteral("subj-"), QStringLiteral("desi-"),
                                 QStringLiteral("bar-"),  QStringLiteral("tar-"),  QStringLiteral("soc-"),
                                 QStringLiteral("met-")};
        QCOMPARE(shell.draws, all);

        shell.openPath = first;
        shell.draws.clear();
        shell.form.LoadAc->trigger();
        QCOMPARE(shell.Caption(), kTitle + QStringLiteral(" - ") + first);
        QCOMPARE(shell.test.answ.num.GetValue(), 6);
        QCOMPARE(shell.draws, all);

        // A cancelled dialog and a file that is no test leave the caption.
        shell.openPath.clear();
        shell.form.LoadAc->trigger();
        shell.openPath = junk;
        shell.form.LoadAc->trigger();
        QCOMPARE(shell.errors, QStringList{shell.language.GetErr(60020, {junk})});
        QCOMPARE(shell.Caption(), kTitle + QStringLiteral(" - ") + first);
        QCOMPARE(shell.test.answ.num.GetValue(), 6);
    }

    void commandLineOpen_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("failed");
        QTest::newRow("none") << QString() << false << false;
        QTest::newRow("test file") << QStringLiteral("given.KalCir") << true << false;
        QTest::newRow("missing file") << QStringLiteral("missing.KalCir") << false << false;
        QTest::newRow("directory") << QStringLiteral("folder") << false << false;
        QTest::newRow("not a test") << QStringLiteral("junk.KalCir") << false << true;
    }
    void commandLineOpen()
    {
        QFETCH(QString, argument);
        QFETCH(bool, opened);
        QFETCH(bool, failed);
        QTemporaryDir dir;
        WriteTestFile(dir.filePath(QStringLiteral("given.KalCir")), 8);
        TestSupport::WriteFile(dir.filePath(QStringLiteral("junk.KalCir")), QByteArray(200, 'x'));
        QDir(dir.path()).mkdir(QStringLiteral("folder"));
        const QString path = dir.filePath(argument);

        Shell shell(argument.isEmpty() ? QStringList() : QStringList{path, QStringLiteral("ignored")});
        QVERIFY(shell.Show());
        QCOMPARE(shell.Caption(), opened ? kTitle + QStringLiteral(" - ") + path : kTitle);
        QCOMPARE(shell.test.answ.num.GetValue(), opened ? 8 : 3);
        QCOMPARE(shell.errors, failed ? QStringList{shell.language.GetErr(50020, {"TFormMain::CommLineFileOpen()"})}
                                      : QStringList());
        QVERIFY(!shell.form.SaveAc->isEnabled());
    }

    void saveFollowsUserChanges()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("saved.KalCir"));
        Shell shell;
        QVERIFY(shell.Show());
        QVERIFY(!shell.form.SaveAc->isEnabled());
        QVERIFY(shell.form.SaveAsAc->isEnabled());

        shell.UserChange(4);
        QVERIFY(shell.form.SaveAc->isEnabled());

        // Never saved: Save asks for a name; cancelling writes nothing.
        shell.form.SaveAc->trigger();
        QCOMPARE(shell.saveDialogs, 1);
        QCOMPARE(shell.Caption(), kTitle);
        QVERIFY(shell.form.SaveAc->isEnabled());
        QVERIFY(QDir(dir.path()).isEmpty());

        shell.savePath = path;
        shell.form.SaveAc->trigger();
        QCOMPARE(shell.saveDialogs, 2);
        QCOMPARE(shell.Caption(), kTitle + QStringLiteral(" - ") + path);
        QVERIFY(!shell.form.SaveAc->isEnabled());

        // With a file name Save writes straight to it.
        shell.UserChange(9);
        QVERIFY(shell.form.SaveAc->isEnabled());
        shell.form.SaveAc->trigger();
        QCOMPARE(shell.saveDialogs, 2);
        QCOMPARE(StoredAnswers(path), 9);
        QVERIFY(!shell.form.SaveAc->isEnabled());

        // A failed Save as keeps the file name and the caption.
        shell.UserChange(2);
        shell.savePath = dir.filePath(QStringLiteral("no/such/dir.KalCir"));
        shell.form.SaveAsAc->trigger();
        QCOMPARE(shell.errors,
                 QStringList{QStringLiteral("Cannot write \"%1\": No such file or directory").arg(shell.savePath)});
        QCOMPARE(shell.test.file.FileName(), path);
        QCOMPARE(shell.Caption(), kTitle + QStringLiteral(" - ") + path);
        QVERIFY(shell.form.SaveAc->isEnabled());
    }

    void closing_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("stored");
        const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
        const QString none;
        const QString bad = QStringLiteral("no/such/dir.KalCir");
        // stored: the answers in the test's file afterwards (0 = no file).
        QTest::newRow("unchanged") << false << true << cancel << none << true << 5;
        QTest::newRow("yes, saved to its file") << true << true << yes << none << true << 7;
        QTest::newRow("yes, saved as") << true << false << yes << QStringLiteral("new.KalCir") << true << 7;
        QTest::newRow("yes, dialog cancelled") << true << false << yes << none << false << 0;
        QTest::newRow("yes, write failed") << true << false << yes << bad << false << 0;
        QTest::newRow("no") << true << true << no << none << true << 5;
        QTest::newRow("cancel") << true << true << cancel << none << false << 5;
    }
    void closing()
    {
        QFETCH(bool, changed);
        QFETCH(bool, hasFile);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, closes);
        QFETCH(int, stored);
        QTemporaryDir dir;
        Shell shell;
        QVERIFY(shell.Show());
        QString file;
        if (hasFile)
        {
            file = dir.filePath(QStringLiteral("test.KalCir"));
            shell.UserChange(5);
            shell.savePath = file;
            QVERIFY(shell.form.SaveAsAc->isEnabled());
            shell.form.SaveAsAc->trigger();
        }
        else if (!saveAs.isEmpty())
            file = dir.filePath(saveAs);
        shell.savePath = file;
        if (changed)
            shell.UserChange(7);
        shell.answer = static_cast<QMessageBox::StandardButton>(answer);

        shell.form.ExitAc->trigger();
        QCOMPARE(shell.questions, changed ? 1 : 0);
        QCOMPARE(shell.form.isVisible(), !closes);
        QCOMPARE(shell.errors.size(), saveAs.startsWith(QStringLiteral("no/")) ? 1 : 0);
        QCOMPARE(QFileInfo::exists(file) ? StoredAnswers(file) : 0, stored);
        // Whatever happened, the open test is intact.
        QCOMPARE(shell.test.answ.num.GetValue(), changed ? 7 : 5);
        QCOMPARE(shell.test.IsChangedByUser(), changed && stored != 7);
    }

    void toolbarButtons()
    {
        Shell shell;
        QVERIFY(shell.Show());
        QList<QToolButton*> buttons = shell.form.Panel1->findChildren<QToolButton*>();
        std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
        const QList<QAction*> actions = {shell.form.NewAc,  shell.form.LoadAc, shell.form.SaveAc,
                                         shell.form.SaveAsAc, shell.form.LangAc, shell.form.InfoAc,
                                         shell.form.HelpAc, shell.form.ExitAc};
        const int lefts[] = {2, 57, 112, 167, 228, 289, 344, 405};
        QCOMPARE(buttons.size(), 8);
        for (int i = 0; i < 8; ++i)
        {
            QCOMPARE(buttons[i]->geometry(), QRect(lefts[i], 2, 55, 55));
            QCOMPARE(buttons[i]->defaultAction(), actions[i]);
            QCOMPARE(buttons[i]->toolTip(), shell.language.GetStr(10000 + 10 * i));
            QVERIFY(!buttons[i]->icon().isNull());
        }
        // A hint, once asked for, stays up for 15 seconds.
        QHelpEvent hint(QEvent::ToolTip, QPoint(5, 5), buttons[0]->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(buttons[0], &hint);
        QCOMPARE(buttons[0]->toolTipDuration(), 15000);
    }

    void wheelScrollsTheVisibleAnalysis()
    {
        Shell shell;
        QVERIFY(shell.Show());
        // A turn that no control used reaches the window itself (a synthetic
        // event is not propagated by Qt, so it goes there directly).
        auto wheel = [&](int delta) {
            const QPointF at(10, 10);
            QWheelEvent event(at, shell.form.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&shell.form, &event);
        };
        QScrollBar* soc = shell.form.Pages().FormGraphSoc->ScrollBox()->verticalScrollBar();
        QScrollBar* bar = shell.form.Pages().FormGraphBar->ScrollBox()->verticalScrollBar();
        QVERIFY(soc->singleStep() > 0);

        wheel(-120);
        QCOMPARE(soc->value(), 0);
        QCOMPARE(bar->value(), 0);

        shell.form.PageControl->setCurrentIndex(5);
        wheel(-120);
        QCOMPARE(soc->value(), soc->singleStep());
        wheel(-240);
        QCOMPARE(soc->value(), 3 * soc->singleStep());
        // Fine-grained wheels scroll once a whole notch has added up.
        wheel(60);
        QCOMPARE(soc->value(), 3 * soc->singleStep());
        wheel(60);
        QCOMPARE(soc->value(), 2 * soc->singleStep());
        QCOMPARE(bar->value(), 0);
        QVERIFY(shell.errors.isEmpty());
    }

    void languageIsStoredAtExit()
    {
        QSettings(QStringLiteral("Zelvor"), QStringLiteral("Kaleidocircle")).clear();
        {
            DLanguage language(DLanguage::Store::LoadAndSave);
            QVERIFY(language.IsEng());
            language.SetLanguage(DLanguage::Italian);
            DTest test;
            TApplication windows(test, language);
            windows.FormMain().SetArguments({});
            windows.Show();
            QCoreApplication::processEvents();
            TFormMain& form = windows.FormMain();
            QCOMPARE(form.PageControl->tabText(0), DLanguage::GetStrIta(10500));
            QCOMPARE(form.PageControl->tabText(6), DLanguage::GetStrIta(25000));
            QCOMPARE(form.NewAc->toolTip(), DLanguage::GetStrIta(10000));
            QCOMPARE(form.PageControl->count(), 7);
            for (TFormPage* page : form.PageList())
                QVERIFY(page && page->parentWidget());
            QVERIFY(form.close());
        }
        QCOMPARE(QSettings(QStringLiteral("Zelvor"), QStringLiteral("Kaleidocircle")).value(QStringLiteral("Options/Language")).toInt(),
                 1);
        QVERIFY(DLanguage(DLanguage::Store::LoadOnly).IsIta());
    }
};

KC_TEST_MAIN(TestTFormMain)
#include "test_TFormMain.moc"
