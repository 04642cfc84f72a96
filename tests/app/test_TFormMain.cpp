#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "document/DFileLock.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "kit/TFormPage.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSysInfo>
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
    DMessages::RealBoxesOnExit realBoxes;
    QStringList draws;
    int questions = 0;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QString openPath;
    QString savePath;
    int saveDialogs = 0;
    // The questions with buttons of their own, and the index they get.
    QStringList choices;
    QStringList choiceButtons;
    int choice = 0;

    explicit Shell(const QStringList& arguments = {})
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        DMessages::SetQuestionBox(
            [this](const QString&, const QString& text)
            {
                ++questions;
                [&] { QCOMPARE(text, QStringLiteral("The test is changed. Do you want to save it?")); }();
                return answer;
            });
        DMessages::SetChoiceBox(
            [this](const QString&, const QString& text, const QStringList& buttons)
            {
                choices << text;
                choiceButtons = buttons;
                return choice;
            });
        form.SetOpenDialog([this] { return openPath; });
        form.SetSaveDialog(
            [this]
            {
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

    void Open(const QString& path)
    {
        openPath = path;
        form.LoadAc->trigger();
    }

    // Ctrl+S typed into the window, as the user would.
    void TypeSave()
    {
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
};

// Whether some other lock holds the file: tried with a lock of our own that
// is released at once.
bool LockedElsewhere(const QString& path)
{
    DFileLock probe;
    return probe.Lock(path) == DFileLock::State::HeldElsewhere;
}

// The message naming the holder of a lock that this very process took.
QString HeldHereMessage(const DLanguage& language, int id, const QString& path)
{
    return language.GetMsg(
        id, {path, int(QCoreApplication::applicationPid()), TestSupport::OwnProgram(), QSysInfo::machineHostName()});
}

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
const QString kReadOnly = QStringLiteral(" (read-only)");
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

        // New asks before it discards the change, then redraws every page.
        shell.UserChange(7);
        shell.draws.clear();
        shell.answer = QMessageBox::No;
        shell.form.NewAc->trigger();
        QCOMPARE(shell.questions, 1);
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

    void compareWithAnotherTest()
    {
        QTemporaryDir dir;
        const QString other = dir.filePath(QStringLiteral("other.KalCir"));
        const QString junk = dir.filePath(QStringLiteral("junk.KalCir"));
        WriteTestFile(other, 8);
        TestSupport::WriteFile(junk, QByteArray(200, 'x'));
        Shell shell;
        QStringList compared;
        shell.form.SetCompareDialog([&](std::unique_ptr<DTest> test, const QString& path)
                                    { compared << path + QStringLiteral(": %1").arg(test->answ.num.GetValue()); });
        QVERIFY(shell.Show());
        const QByteArray before = shell.test.file.ToBytes();

        // Read apart: the current test neither takes the other's contents
        // nor counts as changed, and no step is made.
        shell.openPath = other;
        shell.form.CompareAc->trigger();
        QCOMPARE(compared, QStringList{other + QStringLiteral(": 8")});
        QCOMPARE(shell.test.file.ToBytes(), before);
        QVERIFY(!shell.test.IsChangedByUser());
        QVERIFY(!shell.form.UndoAc->isEnabled());

        // A cancelled dialog shows nothing; a file that is no test names it.
        shell.openPath.clear();
        shell.form.CompareAc->trigger();
        shell.openPath = junk;
        shell.form.CompareAc->trigger();
        QCOMPARE(compared.size(), 1);
        QCOMPARE(shell.errors, QStringList{shell.language.GetErr(34950, {junk, shell.language.GetErr(60020, {junk})})});
        QCOMPARE(shell.test.file.ToBytes(), before);
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
        QCOMPARE(shell.errors, failed ? QStringList{shell.language.GetErr(60020, {path})} : QStringList());
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

    void openLockedFile_data()
    {
        QTest::addColumn<bool>("commandLine");
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("opened");
        // Answers: 0 open read-only, 1 cancel; anything else is the box closed.
        QTest::newRow("Open, read-only") << false << 0 << true;
        QTest::newRow("Open, cancelled") << false << 1 << false;
        QTest::newRow("Open, box closed") << false << -1 << false;
        QTest::newRow("command line, read-only") << true << 0 << true;
        QTest::newRow("command line, cancelled") << true << 1 << false;
    }
    void openLockedFile()
    {
        QFETCH(bool, commandLine);
        QFETCH(int, choice);
        QFETCH(bool, opened);
        QTemporaryDir dir;
        const QString previous = dir.filePath(QStringLiteral("previous.KalCir"));
        const QString locked = dir.filePath(QStringLiteral("locked.KalCir"));
        WriteTestFile(previous, 5);
        WriteTestFile(locked, 8);
        DFileLock other;
        QCOMPARE(other.Lock(locked), DFileLock::State::Held);

        Shell shell(commandLine ? QStringList{locked} : QStringList());
        shell.choice = choice;
        QVERIFY(shell.Show());
        if (!commandLine)
        {
            shell.Open(previous);
            QVERIFY(shell.choices.isEmpty());
            shell.Open(locked);
        }
        QCOMPARE(shell.choices, QStringList{HeldHereMessage(shell.language, 36600, locked)});
        QCOMPARE(shell.choiceButtons, (QStringList{QStringLiteral("Open read-only"), QStringLiteral("Cancel")}));
        QVERIFY(shell.errors.isEmpty());
        const QString before = commandLine ? kTitle : kTitle + QStringLiteral(" - ") + previous;
        QCOMPARE(shell.Caption(), opened ? kTitle + QStringLiteral(" - ") + locked + kReadOnly : before);
        QCOMPARE(shell.test.answ.num.GetValue(), opened ? 8 : commandLine ? 3 : 5);
        QCOMPARE(shell.test.file.FileName(), opened ? locked : commandLine ? QString() : previous);
        // The other holder keeps its lock; the previous file is released
        // only when another one took its place.
        QVERIFY(other.IsHeld());
        QVERIFY(LockedElsewhere(locked));
        if (!commandLine)
            QCOMPARE(LockedElsewhere(previous), !opened);
        QVERIFY(!shell.form.SaveAc->isEnabled());
    }

    void readOnlyTestSavesOnlyInANewFile()
    {
        QTemporaryDir dir;
        const QString locked = dir.filePath(QStringLiteral("locked.KalCir"));
        const QString copy = dir.filePath(QStringLiteral("copy.KalCir"));
        WriteTestFile(locked, 8);
        DFileLock other;
        QCOMPARE(other.Lock(locked), DFileLock::State::Held);
        const QByteArray original = TestSupport::ReadFile(locked);

        Shell shell;
        QVERIFY(shell.Show());
        shell.Open(locked);
        shell.UserChange(9);
        QVERIFY(shell.test.IsChangedByUser());
        QVERIFY(!shell.form.SaveAc->isEnabled());
        shell.TypeSave();
        QCOMPARE(shell.saveDialogs, 0);
        QCOMPARE(TestSupport::ReadFile(locked), original);

        // Save as onto the file the other instance holds is refused.
        shell.savePath = locked;
        shell.form.SaveAsAc->trigger();
        QCOMPARE(shell.errors, QStringList{HeldHereMessage(shell.language, 36660, locked)});
        QCOMPARE(TestSupport::ReadFile(locked), original);
        QCOMPARE(shell.Caption(), kTitle + QStringLiteral(" - ") + locked + kReadOnly);

        // Save as elsewhere writes there and holds that file from now on.
        shell.savePath = copy;
        shell.form.SaveAsAc->trigger();
        QCOMPARE(shell.errors.size(), 1);
        QCOMPARE(StoredAnswers(copy), 9);
        QCOMPARE(shell.Caption(), kTitle + QStringLiteral(" - ") + copy);
        QVERIFY(LockedElsewhere(copy));
        QVERIFY(other.IsHeld());
        QCOMPARE(TestSupport::ReadFile(locked), original);

        // The same keys save now that the file is the window's own.
        shell.UserChange(4);
        QVERIFY(shell.form.SaveAc->isEnabled());
        shell.TypeSave();
        QCOMPARE(StoredAnswers(copy), 4);
        QCOMPARE(shell.saveDialogs, 2);
        QVERIFY(shell.choices.size() == 1);
    }

    void lockFollowsTheOpenFile()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.KalCir"));
        const QString b = dir.filePath(QStringLiteral("b.KalCir"));
        const QString c = dir.filePath(QStringLiteral("c.KalCir"));
        WriteTestFile(a, 5);
        WriteTestFile(b, 6);
        Shell shell;
        QVERIFY(shell.Show());

        shell.Open(a);
        QVERIFY(LockedElsewhere(a));
        // Opening its own file again asks nothing and keeps the lock.
        shell.Open(a);
        QVERIFY(LockedElsewhere(a));
        shell.Open(b);
        QVERIFY(!LockedElsewhere(a));
        QVERIFY(LockedElsewhere(b));
        shell.form.NewAc->trigger();
        QVERIFY(!LockedElsewhere(b));

        shell.Open(a);
        shell.savePath = a;
        shell.form.SaveAsAc->trigger();
        QVERIFY(LockedElsewhere(a));
        shell.savePath = c;
        shell.form.SaveAsAc->trigger();
        QVERIFY(!LockedElsewhere(a));
        QVERIFY(LockedElsewhere(c));
        shell.form.ExitAc->trigger();
        QVERIFY(!shell.form.isVisible());
        QVERIFY(!LockedElsewhere(c));
        QVERIFY(shell.choices.isEmpty());
        QVERIFY(shell.errors.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("a.KalCir"), QStringLiteral("b.KalCir"), QStringLiteral("c.KalCir")}));
    }

    void readOnlyFolderOpensWithNotice()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("folder"));
        TestSupport::ReadOnlyFolder sealed(folder);
        const QString path = QDir(folder).filePath(QStringLiteral("class.KalCir"));
        WriteTestFile(path, 8);
        if (!sealed.Seal())
            QSKIP("this process can make no read-only folder");

        Shell shell;
        QVERIFY(shell.Show());
        shell.Open(path);
        DFileLock lock;
        QCOMPARE(lock.Lock(path), DFileLock::State::Unavailable);
        QCOMPARE(shell.choices, QStringList{shell.language.GetMsg(36640, {path, lock.Reason()})});
        QCOMPARE(shell.choiceButtons, QStringList{QStringLiteral("OK")});
        QCOMPARE(shell.Caption(), kTitle + QStringLiteral(" - ") + path);
        QCOMPARE(shell.test.answ.num.GetValue(), 8);
        QVERIFY(shell.errors.isEmpty());
    }

    void saveAsksWhenTheFileChangedOnDisk_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("written");
        // Answers: 0 overwrite, 1 cancel.
        QTest::newRow("unchanged") << "none" << 1 << false << true;
        QTest::newRow("appended, overwrite") << "append" << 0 << true << true;
        QTest::newRow("appended, cancel") << "append" << 1 << true << false;
        QTest::newRow("another test of the same size, cancel") << "rewrite" << 1 << true << false;
        QTest::newRow("another test of the same size, overwrite") << "rewrite" << 0 << true << true;
        QTest::newRow("touched, cancel") << "touch" << 1 << true << false;
        // Nothing is left on disk to lose.
        QTest::newRow("deleted") << "delete" << 1 << false << true;
    }
    void saveAsksWhenTheFileChangedOnDisk()
    {
        QFETCH(QString, change);
        QFETCH(int, choice);
        QFETCH(bool, asks);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("class.KalCir"));
        WriteTestFile(path, 5);
        Shell shell;
        shell.choice = choice;
        QVERIFY(shell.Show());
        shell.Open(path);
        shell.UserChange(7);

        // Later than the file's time by far more than any clock's grain, so
        // that a rewrite of the same size is told apart.
        const QDateTime later = QFileInfo(path).lastModified().addSecs(60);
        if (change == QLatin1String("append"))
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write("more");
        }
        else if (change == QLatin1String("rewrite") || change == QLatin1String("touch"))
        {
            const qint64 size = QFileInfo(path).size();
            if (change == QLatin1String("rewrite"))
            {
                // The same answers, names first: another test of the same size.
                const QByteArray before = TestSupport::ReadFile(path);
                DTest other;
                other.answ.num.SetValue(5, true);
                other.answ.subjSort.SetNameSurname();
                other.file.Write(path);
                QVERIFY(TestSupport::ReadFile(path) != before);
            }
            QCOMPARE(QFileInfo(path).size(), size);
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(later, QFileDevice::FileModificationTime));
        }
        else if (change == QLatin1String("delete"))
            QVERIFY(QFile::remove(path));
        const QByteArray onDisk = TestSupport::ReadFile(path);

        shell.form.SaveAc->trigger();
        QCOMPARE(shell.choices, asks ? QStringList{shell.language.GetMsg(36670, {path})} : QStringList());
        if (asks)
            QCOMPARE(shell.choiceButtons, (QStringList{QStringLiteral("Overwrite"), QStringLiteral("Cancel")}));
        QVERIFY(shell.errors.isEmpty());
        QCOMPARE(shell.test.IsChangedByUser(), !written);
        QCOMPARE(shell.form.SaveAc->isEnabled(), !written);
        if (!written)
        {
            QCOMPARE(TestSupport::ReadFile(path), onDisk);
            return;
        }
        QCOMPARE(StoredAnswers(path), 7);
        // Its own save is no change on disk: the next Save asks nothing more.
        shell.choices.clear();
        shell.UserChange(2);
        shell.form.SaveAc->trigger();
        QVERIFY(shell.choices.isEmpty());
        QCOMPARE(StoredAnswers(path), 2);
    }

    void toolbarButtons()
    {
        Shell shell;
        QVERIFY(shell.Show());
        QList<QToolButton*> buttons = shell.form.Panel1->findChildren<QToolButton*>();
        // The button of the commands that do not fit shows only in a narrow window.
        QVERIFY(shell.form.MoreSb->isHidden());
        buttons.removeAll(shell.form.MoreSb);
        std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
        const QList<QAction*> actions = {
            shell.form.NewAc,  shell.form.LoadAc,   shell.form.SaveAc,       shell.form.SaveAsAc,  shell.form.UndoAc,
            shell.form.RedoAc, shell.form.GroupsAc, shell.form.FormImportAc, shell.form.CompareAc, shell.form.ReportAc,
            shell.form.LangAc, shell.form.InfoAc,   shell.form.HelpAc,       shell.form.ExitAc};
        const int lefts[] = {2, 57, 112, 167, 228, 283, 344, 399, 454, 509, 570, 631, 686, 747};
        const int hints[] = {10000, 10010, 10020, 10030, 26000, 26010, 34000,
                             27850, 34870, 28280, 10040, 10050, 10060, 10070};
        QCOMPARE(buttons.size(), 14);
        for (int i = 0; i < 14; ++i)
        {
            QCOMPARE(buttons[i]->geometry(), QRect(lefts[i], 2, 55, 55));
            QCOMPARE(buttons[i]->defaultAction(), actions[i]);
            QCOMPARE(buttons[i]->toolTip(), shell.language.GetStr(hints[i]));
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
        auto wheel = [&](int delta)
        {
            const QPointF at(10, 10);
            QWheelEvent event(at, shell.form.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
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
        QCOMPARE(QSettings(QStringLiteral("Zelvor"), QStringLiteral("Kaleidocircle"))
                     .value(QStringLiteral("Options/Language"))
                     .toInt(),
                 1);
        QVERIFY(DLanguage(DLanguage::Store::LoadOnly).IsIta());
    }
};

KC_TEST_MAIN(TestTFormMain)
#include "test_TFormMain.moc"
