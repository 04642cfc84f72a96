#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "pages/TFormQues.h"
#include "pages/commands/DCommandValue.h"
#include "tests/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUndoStack>

namespace
{
// The whole application over its own test, every message box and file
// dialog answered by the test.
struct Shell
{
    DLanguage language{DLanguage::English};
    DTest test;
    TApplication windows{test, language};
    TFormMain& form = windows.FormMain();
    DMessages::RealBoxesOnExit realBoxes;
    QStringList errors;
    int questions = 0;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    QString openPath;
    QString savePath;

    Shell()
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        DMessages::SetQuestionBox(
            [this](const QString&, const QString& text)
            {
                ++questions;
                [&] { QCOMPARE(text, QStringLiteral("The test is changed. Do you want to save it?")); }();
                return answer;
            });
        form.SetOpenDialog([this] { return openPath; });
        form.SetSaveDialog([this] { return savePath; });
        form.SetArguments({});
    }

    bool Show()
    {
        windows.Show();
        if (!QTest::qWaitForWindowActive(&form))
            return false;
        QCoreApplication::processEvents();
        return true;
    }

    QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
    // Keys go where the user's would: to the open cell editor or the grid.
    QWidget* Focus() const { return QApplication::focusWidget(); }
    void Type(const QString& text) const
    {
        for (const QChar c : text)
            QTest::keyClicks(Focus(), QString(c));
    }
    QString QuestionText(qint32 index) const { return test.ques.List().GetSelected(index).text.ToString(); }
    QUndoStack& History() { return *form.UndoStack(); }
    // Save follows the input once the input has been handled.
    bool SaveEnabled() const
    {
        QCoreApplication::processEvents();
        return form.SaveAc->isEnabled();
    }
};

int StoredAnswers(const QString& path)
{
    DTest test;
    test.file.Read(path);
    return test.answ.num.GetValue();
}
} // namespace

class TestTFormMainHistory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Typing in a cell is one step once the cell is left; inside the editor
    // Ctrl+Z brings back the text from before and leaves none. Undoing back
    // to the saved test makes it unchanged, redoing changes it again.
    void cellEditsAndTheSavedState()
    {
        QTemporaryDir dir;
        Shell shell;
        QVERIFY(shell.Show());
        shell.savePath = dir.filePath(QStringLiteral("saved.KalCir"));
        shell.form.SaveAsAc->trigger();
        QVERIFY(!shell.SaveEnabled());
        QVERIFY(!shell.form.UndoAc->isEnabled());
        QCOMPARE(shell.form.UndoAc->toolTip(), QStringLiteral("Undo"));

        QVERIFY(!shell.Editor());
        shell.Type(QStringLiteral("Who"));
        QCOMPARE(shell.QuestionText(0), QStringLiteral("Who"));
        QTest::keyClick(shell.Focus(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shell.QuestionText(0), QString());
        QCOMPARE(shell.Editor()->text(), QString());
        QCOMPARE(shell.History().count(), 0);
        // Nothing is left to save either.
        QVERIFY(!shell.SaveEnabled());
        QVERIFY(!shell.test.IsChangedByUser());

        shell.Type(QStringLiteral("Whom"));
        QTest::keyClick(shell.Focus(), Qt::Key_Down);
        shell.Type(QStringLiteral("Two"));
        QTest::keyClick(shell.Focus(), Qt::Key_Up);
        QCOMPARE(shell.History().count(), 2);
        QCOMPARE(shell.form.UndoAc->toolTip(), QStringLiteral("Undo: text of question 2"));
        QVERIFY(shell.SaveEnabled());
        // The steps follow a change of language.
        shell.language.SetLanguage(DLanguage::Italian);
        shell.form.ViewDesc();
        QCOMPARE(shell.form.UndoAc->toolTip(), QStringLiteral("Annulla: testo della domanda 2"));
        shell.language.SetLanguage(DLanguage::English);
        shell.form.ViewDesc();
        QCOMPARE(shell.form.UndoAc->toolTip(), QStringLiteral("Undo: text of question 2"));

        // No edit pending: Ctrl+Z is the window's Undo.
        QTest::keyClick(shell.Focus(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shell.QuestionText(1), QString());
        QCOMPARE(shell.form.RedoAc->toolTip(), QStringLiteral("Redo: text of question 2"));
        QTest::keyClick(shell.Focus(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shell.QuestionText(0), QString());
        QVERIFY(!shell.SaveEnabled());
        QVERIFY(!shell.test.IsChangedByUser());

        // Both redo keys, then back to the saved state from the toolbar.
        QTest::keyClick(shell.Focus(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(shell.QuestionText(0), QStringLiteral("Whom"));
        QVERIFY(shell.SaveEnabled());
        QTest::keyClick(shell.Focus(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(shell.QuestionText(1), QStringLiteral("Two"));
        shell.form.UndoAc->trigger();
        shell.form.UndoAc->trigger();
        QVERIFY(!shell.SaveEnabled());

        // Closing does not ask: there is nothing to lose.
        shell.form.close();
        QCOMPARE(shell.questions, 0);
        QVERIFY(!shell.form.isVisible());
        QCOMPARE(shell.errors, QStringList());
    }

    // New and Open ask before they drop unsaved changes, as closing does.
    void newAndOpenAskFirst_data()
    {
        QTest::addColumn<bool>("open");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<bool>("proceeds");
        QTest::addColumn<bool>("saved");
        const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
        const QString ok = QStringLiteral("kept.KalCir");
        const QString bad = QStringLiteral("no/such/dir.KalCir");
        for (bool open : {false, true})
        {
            const char* name = open ? "open, " : "new, ";
            QTest::addRow("%syes, saved", name) << open << yes << ok << true << true;
            QTest::addRow("%syes, dialog cancelled", name) << open << yes << QString() << false << false;
            QTest::addRow("%syes, write failed", name) << open << yes << bad << false << false;
            QTest::addRow("%sno", name) << open << no << ok << true << false;
            QTest::addRow("%scancel", name) << open << cancel << ok << false << false;
        }
    }
    void newAndOpenAskFirst()
    {
        QFETCH(bool, open);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, proceeds);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString other = dir.filePath(QStringLiteral("other.KalCir"));
        {
            DTest file;
            file.answ.num.SetValue(8, true);
            file.file.Write(other);
        }
        Shell shell;
        QVERIFY(shell.Show());
        shell.openPath = other;
        shell.savePath = saveAs.isEmpty() ? QString() : dir.filePath(saveAs);
        shell.answer = static_cast<QMessageBox::StandardButton>(answer);
        shell.test.answ.num.SetValue(7, true);
        shell.History().push(new DCommandValue(shell.test, DCommandValue::Field::SubjSort, 0, 0, 1));

        (open ? shell.form.LoadAc : shell.form.NewAc)->trigger();
        QCOMPARE(shell.questions, 1);
        QCOMPARE(shell.test.answ.num.GetValue(), proceeds ? (open ? 8 : 3) : 7);
        QCOMPARE(shell.History().count(), proceeds ? 0 : 1);
        QCOMPARE(shell.test.IsChangedByUser(), !proceeds);
        QCOMPARE(shell.SaveEnabled(), !proceeds);
        QCOMPARE(QFileInfo::exists(shell.savePath) && !shell.savePath.isEmpty(), saved);
        if (saved)
            QCOMPARE(StoredAnswers(shell.savePath), 7);
        QCOMPARE(shell.errors.size(), saveAs == QStringLiteral("no/such/dir.KalCir") ? 1 : 0);

        // Unchanged, the test goes without a question.
        shell.questions = 0;
        if (!proceeds)
            return;
        shell.form.NewAc->trigger();
        QCOMPARE(shell.questions, 0);
    }
};

KC_TEST_MAIN(TestTFormMainHistory)
#include "test_TFormMainHistory.moc"
