#pragma once

#include "document/DFileLock.h"
#include "document/DFileStamp.h"
#include "document/DRecovery.h"
#include "kit/TFormHost.h"
#include "model/EError.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

class DLanguage;
class TFormHelp;
class DTest;
class TFormPage;
class QAction;
class QFileDialog;
class QLineEdit;
class QTabWidget;
class QTimer;
class QToolButton;
class QUndoCommand;
class QUndoStack;

// The seven page windows of the main window's tabs, in tab order.
struct TFormPages
{
    TFormPage* FormQues = nullptr;
    TFormPage* FormSubj = nullptr;
    TFormPage* FormDesi = nullptr;
    TFormPage* FormGraphBar = nullptr;
    TFormPage* FormGraphTar = nullptr;
    TFormPage* FormGraphSoc = nullptr;
    TFormPage* FormGraphMet = nullptr;
};

// The application's main window: the toolbar with the commands that act on
// the whole test, and the tabs that hold the pages.
class TFormMain : public QMainWindow, public TFormHost
{
    Q_OBJECT
public:
    TFormMain(DTest& test, DLanguage& language, QWidget* parent = nullptr);
    ~TFormMain() override;

    // Hands over the page windows (the main window becomes their owner); a
    // missing page is replaced by an empty one. The pages are embedded into
    // their tabs when the window is first shown.
    void SetPages(const TFormPages& pages);
    const TFormPages& Pages() const { return pages_; }
    // The pages in tab order: questions, subjects, answers, bar graph,
    // target graph, sociogram, metrics.
    QList<TFormPage*> PageList() const override;

    void ViewCcaption();
    void ViewDesc() override;
    void CommLineFileOpen();

    // The row height of the grids of the pages.
    int CellHeight() const override;

    // The file dialogs. The pages import from other test files through
    // AskOpenPath; an empty path means the user cancelled.
    using PathDialog = std::function<QString()>;
    QString AskOpenPath() override;
    QWidget* HostWindow() override { return this; }
    QUndoStack* UndoStack() override { return undoStack_; }
    void EditReverted() override;
    QString AskSavePath();
    void SetOpenDialog(PathDialog dialog) { openDialog_ = std::move(dialog); }
    void SetSaveDialog(PathDialog dialog) { saveDialog_ = std::move(dialog); }
    // Where the class report goes (an empty path means cancelled).
    void SetReportDialog(PathDialog dialog) { reportDialog_ = std::move(dialog); }
    // The language and information dialogs, shown modally by their commands.
    void SetLangDialog(std::function<void()> dialog) { langDialog_ = std::move(dialog); }
    void SetInfoDialog(std::function<void()> dialog) { infoDialog_ = std::move(dialog); }
    // The working-groups dialog, shown modally by its command.
    void SetGroupsDialog(std::function<void()> dialog) { groupsDialog_ = std::move(dialog); }
    // The comparison with another test, read from the path given; shown
    // modally by its command.
    using CompareDialog = std::function<void(std::unique_ptr<DTest> other, const QString& path)>;
    void SetCompareDialog(CompareDialog dialog) { compareDialog_ = std::move(dialog); }
    // The dialog that imports the answers of an online form, shown modally by
    // its command; it returns what the import did, empty when it made none.
    void SetFormImportDialog(std::function<QString()> dialog) { formImportDialog_ = std::move(dialog); }
    // The command line whose first argument CommLineFileOpen opens; by
    // default the application's arguments without the program name.
    void SetArguments(const QStringList& arguments) { arguments_ = arguments; }

    // Command handlers. Save and Save as tell whether the file was written.
    void NewAcExecute();
    void LoadAcExecute();
    bool SaveAcExecute();
    bool SaveAsAcExecute();
    void SaveAcUpdate();
    void UndoAcExecute();
    void RedoAcExecute();
    void LangAcExecute();
    void InfoAcExecute();
    void GroupsAcExecute();
    // Asks for another test file and compares the test with it.
    void CompareAcExecute();
    void FormImportAcExecute();
    void ReportAcExecute();
    void HelpAcExecute();
    void ExitAcExecute();
    // Writes the recovery copy while the test has unsaved changes and removes
    // it once it has none; run by RecoveryTm and on every switch of tab.
    void RecoveryTmTimer();
    const DRecovery& Recovery() const { return recovery_; }
    // The run ends without its user's word (a signal, the desktop session's
    // end): unsaved work, open cell editors included, goes into a recovery
    // copy that the next run offers, and the test's lock is released. Never
    // shows anything; done once, and the window writes no copy afterwards.
    void KeepWorkForNextRun();

    // Controls, named as the rest of the application refers to them.
    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QAction* NewAc = nullptr;
    QAction* LoadAc = nullptr;
    QAction* SaveAc = nullptr;
    QAction* SaveAsAc = nullptr;
    QAction* UndoAc = nullptr;
    QAction* RedoAc = nullptr;
    QAction* LangAc = nullptr;
    QAction* InfoAc = nullptr;
    QAction* GroupsAc = nullptr;
    QAction* CompareAc = nullptr;
    QAction* FormImportAc = nullptr;
    QAction* ReportAc = nullptr;
    QAction* HelpAc = nullptr;
    QAction* ExitAc = nullptr;
    // Holds the commands that do not fit a narrow window.
    QToolButton* MoreSb = nullptr;
    QTabWidget* PageControl = nullptr;
    QWidget* QuesTs = nullptr;
    QWidget* SubjTs = nullptr;
    QWidget* DesiTs = nullptr;
    QWidget* DrawBarTs = nullptr;
    QWidget* DrawTarTs = nullptr;
    QWidget* DrawSocTs = nullptr;
    QWidget* DrawMetTs = nullptr;
    QLineEdit* CellHeightEd = nullptr;
    // Writes the recovery copy once a minute.
    QTimer* RecoveryTm = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Hands a step to the window's history, as the pages' own Pusher does.
    std::function<void(QUndoCommand*)> Pusher();
    QAction* MakeAction(const char* icon, const QKeySequence& shortcut, std::function<void()> handler);
    QToolButton* MakeButton(QAction* action);
    // Shows the toolbar buttons that fit its width, the others in MoreSb.
    void FitToolbar();
    void FormShow();
    bool FormClose();
    void TabShow(int index);
    void DrawPages();
    void ScheduleSaveAcUpdate();
    QString RunFileDialog(QFileDialog*& dialog, bool save);
    // Opens the test at path under its lock (Open and the command line);
    // nothing changes when the user cancels or the read fails.
    void OpenFile(const QString& path);
    // The history of changes: its commands, their texts in the current
    // language, one step back or forward, and the marks of New, Open and Save.
    void MakeHistory();
    void ViewHistoryTexts();
    void StepHistory(bool back);
    void ClearHistory();
    void MarkSavedInHistory();
    void CommitPageEdits();
    // The closing question before the test's changes would be lost: true to
    // go on (saved, or the user lets them go), false to keep everything.
    bool AskSaveChanges();
    // The arguments of the messages that name a lock's holder.
    DArgs HolderArgs(const DFileLock& lock) const;
    // Tells that the open file has no lock, when none could be made.
    void NoticeNoLock();
    void StartRecovery();
    // At start-up: offers each copy left by a run that did not end normally.
    void OfferRecovery();
    void RestoreCopy(const DRecovery::Copy& copy);
    // The test just read stands for its file: the file's lock (unless this
    // window held it already), read-only state and stamp; then redrawn.
    void TakeFileState(DFileLock&& lock, bool own, bool readOnly, const DFileStamp& stamp);

    DTest& test_;
    DLanguage& language_;
    // The lock of the open test's file; not held for a new test, a file
    // opened read-only or one in a folder where no lock can be made.
    DFileLock lock_;
    // The file is locked by another instance: Save is off, Save as writes
    // elsewhere and ends it.
    bool readOnly_ = false;
    // The file as it was on disk when opened or last saved, so that Save can
    // tell that something else has written it since.
    DFileStamp stamp_;
    DRecovery recovery_;
    // A failing copy is reported once, not every minute, until one works again.
    bool recoveryFailed_ = false;
    // Closed by the user, who was asked about unsaved work: the end of the
    // run keeps nothing.
    bool closed_ = false;
    // The work is kept for the next run: this run writes nothing more.
    bool ended_ = false;
    TFormPages pages_;
    QString caption_;
    QStringList arguments_;
    PathDialog openDialog_;
    PathDialog reportDialog_;
    PathDialog saveDialog_;
    std::function<void()> langDialog_;
    std::function<void()> infoDialog_;
    // Made when help is first asked for, then kept with its place in the guide.
    TFormHelp* helpWindow_ = nullptr;
    QUndoStack* undoStack_ = nullptr;
    // The toolbar's command buttons, in their order.
    QList<QToolButton*> barButtons_;
    std::function<void()> groupsDialog_;
    CompareDialog compareDialog_;
    std::function<QString()> formImportDialog_;
    QFileDialog* OpenDlg = nullptr;
    QFileDialog* SaveDlg = nullptr;
    bool shown_ = false;
    bool updatePending_ = false;
    int wheelRest_ = 0;
};
