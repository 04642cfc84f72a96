#include "app/TFormMain.h"
#include "app/TFormHelp.h"
#include "kit/DMessages.h"
#include "pages/commands/DCommand.h"
#include "pages/commands/DCommandWhole.h"

#include "analyses/DFonts.h"
#include "document/DTest.h"
#include "export/DClassReport.h"
#include "export/DExport.h"
#include "kit/TFormPage.h"
#include "kit/TSaveDialog.h"
#include "lang/DLanguage.h"
#include "model/DFileWriter.h"
#include "model/EError.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWindow>

#include <cstdio>

namespace
{
const QString kTitle = QStringLiteral("Kaleidocircle");
const QString kSuffix = QStringLiteral("KalCir");

constexpr int kHintTime = 15000;
constexpr int kButtonSize = 55;
constexpr int kIconSize = 44;
constexpr int kWheelNotch = 120;
constexpr int kRecoveryTime = 60000;

// Hint and caption ids, in action order and in tab order.
constexpr int kHintIds[] = {10000, 10010, 10020, 10030, 10040, 10050, 10060, 10070, 34000, 27850, 34870, 28280};
constexpr int kTabIds[] = {10500, 10510, 10520, 17001, 21001, 23001, 25000};
const char* const kTabShowModules[] = {"TFormMain::QuesTsShow()",    "TFormMain::SubjTsShow()",
                                       "TFormMain::DesiTsShow()",    "TFormMain::DrawBarTsShow()",
                                       "TFormMain::DrawTarTsShow()", "TFormMain::DrawSocTsShow()",
                                       "TFormMain::DrawMetTsShow()"};

// User input after which the test may have changed, so Save is re-evaluated.
bool IsUserInput(QEvent::Type type)
{
    switch (type)
    {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Drop:
    case QEvent::FocusOut:
    case QEvent::WindowActivate:
        return true;
    default:
        return false;
    }
}
} // namespace

// The toolbar pictures are compiled into the core library, which is static:
// its resources register only when something refers to them.
static void InitIcons()
{
    Q_INIT_RESOURCE(icons);
}

TFormMain::TFormMain(DTest& test, DLanguage& language, QWidget* parent)
    : QMainWindow(parent), test_(test), language_(language), arguments_(QCoreApplication::arguments().mid(1))
{
    InitIcons();
    setObjectName(QStringLiteral("FormMain"));
    setFont(QFont(DFonts::Family(), 8));

    NewAc = MakeAction("new", QKeySequence::New, [this] { NewAcExecute(); });
    LoadAc = MakeAction("open", QKeySequence::Open, [this] { LoadAcExecute(); });
    SaveAc = MakeAction("save", QKeySequence::Save, [this] { SaveAcExecute(); });
    SaveAsAc = MakeAction("saveas", QKeySequence::SaveAs, [this] { SaveAsAcExecute(); });
    LangAc = MakeAction("language", QKeySequence(), [this] { LangAcExecute(); });
    InfoAc = MakeAction("info", QKeySequence(), [this] { InfoAcExecute(); });
    HelpAc = MakeAction("help", QKeySequence::HelpContents, [this] { HelpAcExecute(); });
    ExitAc = MakeAction("exit", QKeySequence::Quit, [this] { ExitAcExecute(); });
    MakeHistory();
    GroupsAc = MakeAction("groups", QKeySequence(), [this] { GroupsAcExecute(); });
    FormImportAc = MakeAction("formimport", QKeySequence(), [this] { FormImportAcExecute(); });
    CompareAc = MakeAction("compare", QKeySequence(), [this] { CompareAcExecute(); });
    ReportAc = MakeAction("report", QKeySequence(), [this] { ReportAcExecute(); });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The toolbar: four file commands, Undo and Redo, then Language,
    // Information and Help, then Exit, the groups 6 pixels apart.
    Panel1 = new QWidget(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(59);
    auto* bar = new QHBoxLayout(Panel1);
    bar->setContentsMargins(2, 2, 2, 2);
    bar->setSpacing(0);
    for (QAction* action : {NewAc, LoadAc, SaveAc, SaveAsAc})
        bar->addWidget(MakeButton(action));
    bar->addSpacing(6);
    bar->addWidget(MakeButton(UndoAc));
    bar->addWidget(MakeButton(RedoAc));
    bar->addSpacing(6);
    bar->addWidget(MakeButton(GroupsAc));
    bar->addWidget(MakeButton(FormImportAc));
    bar->addWidget(MakeButton(CompareAc));
    bar->addWidget(MakeButton(ReportAc));
    bar->addSpacing(6);
    bar->addWidget(MakeButton(LangAc));
    bar->addSpacing(6);
    bar->addWidget(MakeButton(InfoAc));
    bar->addWidget(MakeButton(HelpAc));
    bar->addSpacing(6);
    bar->addWidget(MakeButton(ExitAc));
    // In a window too narrow for every command, the last ones go into this
    // button's menu rather than off the edge of the window.
    MoreSb = new QToolButton(Panel1);
    MoreSb->setObjectName(QStringLiteral("MoreSb"));
    MoreSb->setFixedSize(kButtonSize / 2, kButtonSize);
    MoreSb->setArrowType(Qt::DownArrow);
    MoreSb->setAutoRaise(true);
    MoreSb->setPopupMode(QToolButton::InstantPopup);
    // The arrow says it all; no second, smaller one in the corner.
    MoreSb->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    MoreSb->setFocusPolicy(Qt::TabFocus);
    MoreSb->setMenu(new QMenu(MoreSb));
    MoreSb->hide();
    bar->addWidget(MoreSb);
    bar->addStretch(1);
    // The commands do not set the window's least width: FitToolbar, run on
    // every resize by the window's event filter, keeps those that fit.
    Panel1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(Panel1);

    Panel2 = new QWidget(central);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* body = new QVBoxLayout(Panel2);
    body->setContentsMargins(0, 0, 0, 0);
    PageControl = new QTabWidget(Panel2);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    // Tabs that do not fit a narrow window scroll rather than widen it.
    PageControl->setUsesScrollButtons(true);
    for (QWidget** tab : {&QuesTs, &SubjTs, &DesiTs, &DrawBarTs, &DrawTarTs, &DrawSocTs, &DrawMetTs})
    {
        *tab = new QWidget;
        auto* holder = new QVBoxLayout(*tab);
        holder->setContentsMargins(0, 0, 0, 0);
        PageControl->addTab(*tab, QString());
    }
    PageControl->setCurrentIndex(0);
    connect(PageControl, &QTabWidget::currentChanged, this, &TFormMain::TabShow);
    body->addWidget(PageControl);
    layout->addWidget(Panel2, 1);

    // Never shown: it only measures the height of a one-line edit field in
    // the window's font, which the grids of the pages take as row height.
    CellHeightEd = new QLineEdit(central);
    CellHeightEd->setObjectName(QStringLiteral("CellHeightEd"));
    CellHeightEd->hide();

    setCentralWidget(central);
    ViewDesc();
    ViewCcaption();
    SaveAcUpdate();

    // Wide enough for every command of the toolbar.
    resize(812, 662);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    // Save follows the test's change state: it is re-evaluated after user
    // input anywhere in the application, once the input has been handled.
    qApp->installEventFilter(this);
    StartRecovery();
}

TFormMain::~TFormMain()
{
    qApp->removeEventFilter(this);
    // The history empties itself as it goes, after this window's part is
    // gone: its signals must not reach the window any more.
    if (undoStack_)
        QObject::disconnect(undoStack_, nullptr, this, nullptr);
    recovery_.Remove();
}

QAction* TFormMain::MakeAction(const char* icon, const QKeySequence& shortcut, std::function<void()> handler)
{
    auto* action = new QAction(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))), QString(), this);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this,
            [this, handler = std::move(handler)]
            {
                handler();
                SaveAcUpdate();
            });
    addAction(action);
    return action;
}

QToolButton* TFormMain::MakeButton(QAction* action)
{
    auto* button = new QToolButton(Panel1);
    barButtons_.append(button);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    // Reached with Tab, while a click leaves the focus where it was, so that
    // a cell being typed in stays open under Save or Undo.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void TFormMain::SetPages(const TFormPages& pages)
{
    pages_ = pages;
    for (TFormPage** page : {&pages_.FormQues, &pages_.FormSubj, &pages_.FormDesi, &pages_.FormGraphBar,
                             &pages_.FormGraphTar, &pages_.FormGraphSoc, &pages_.FormGraphMet})
    {
        if (!*page)
            *page = new TFormPage;
        // Owned by the window from now on and kept hidden until embedded.
        (*page)->setParent(this);
        (*page)->SetHost(this);
        (*page)->hide();
    }
    if (shown_)
    {
        const QList<TFormPage*> list = PageList();
        for (int i = 0; i < list.size(); ++i)
            PageControl->widget(i)->layout()->addWidget(list[i]);
        TabShow(PageControl->currentIndex());
    }
}

QList<TFormPage*> TFormMain::PageList() const
{
    return {pages_.FormQues,     pages_.FormSubj,     pages_.FormDesi,    pages_.FormGraphBar,
            pages_.FormGraphTar, pages_.FormGraphSoc, pages_.FormGraphMet};
}

void TFormMain::ViewCcaption()
{
    caption_ = kTitle;
    const QString& fileName = test_.file.FileName();
    if (!fileName.isEmpty())
        caption_ += QStringLiteral(" - ") + fileName;
    if (readOnly_)
        caption_ += language_.GetStr(36630);
    setWindowTitle(caption_);
}

void TFormMain::ViewDesc()
{
    const QList<QAction*> actions = {NewAc,  LoadAc, SaveAc,   SaveAsAc,     LangAc,    InfoAc,
                                     HelpAc, ExitAc, GroupsAc, FormImportAc, CompareAc, ReportAc};
    for (int i = 0; i < actions.size(); ++i)
    {
        const QString hint = language_.GetStr(kHintIds[i]);
        actions[i]->setText(hint);
        actions[i]->setToolTip(hint);
    }
    for (int i = 0; i < PageControl->count(); ++i)
        PageControl->setTabText(i, language_.GetStr(kTabIds[i]));
    TFormPage::SetHint(MoreSb, language_.GetStr(35500));
    PageControl->tabBar()->setAccessibleName(language_.GetStr(35510));
    // The steps say what they undo in the language now chosen.
    if (undoStack_)
        for (int i = 0; i < undoStack_->count(); ++i)
            if (auto* step = dynamic_cast<DCommand*>(const_cast<QUndoCommand*>(undoStack_->command(i))))
                step->Retranslate();
    ViewHistoryTexts();
    if (helpWindow_)
        helpWindow_->ViewDesc();
}

int TFormMain::CellHeight() const
{
    return CellHeightEd->sizeHint().height();
}

void TFormMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_)
    {
        shown_ = true;
        // Moved to a screen of another density, the pictures are drawn
        // again at the new one rather than scaled by the toolkit.
        if (QWindow* window = windowHandle())
            connect(window, &QWindow::screenChanged, this,
                    [this] { DMessages::Handle(language_, "TFormMain::DrawPages()", [this] { DrawPages(); }); });
        FormShow();
    }
}

void TFormMain::FormShow()
{
    DMessages::HandleAsFailure(language_, "TFormMain::FormShow()",
                               [&]
                               {
                                   if (!pages_.FormQues)
                                       SetPages({});
                                   const QList<TFormPage*> list = PageList();
                                   for (int i = 0; i < list.size(); ++i)
                                       PageControl->widget(i)->layout()->addWidget(list[i]);
                                   ViewDesc();
                                   ViewCcaption();
                                   TabShow(PageControl->currentIndex());
                                   // Opened once the window is on the screen, so that an error about
                                   // the file appears over the window rather than before it.
                                   QMetaObject::invokeMethod(
                                       this,
                                       [this]
                                       {
                                           CommLineFileOpen();
                                           OfferRecovery();
                                           SaveAcUpdate();
                                       },
                                       Qt::QueuedConnection);
                               });
}

void TFormMain::TabShow(int index)
{
    RecoveryTmTimer();
    if (!shown_ || index < 0 || index >= PageControl->count())
        return;
    TFormPage* page = PageList().at(index);
    if (!page)
        return;
    DMessages::HandleAsFailure(language_, kTabShowModules[index],
                               [&]
                               {
                                   page->show();
                                   page->Draw();
                               });
}

void TFormMain::DrawPages()
{
    for (TFormPage* page : PageList())
        if (page)
            page->Draw();
}

void TFormMain::CommLineFileOpen()
{
    // A file named on the command line that cannot be read says why, as
    // Open does: the user typed its name and expects it to open.
    DMessages::Handle(language_, "TFormMain::CommLineFileOpen()",
                      [&]
                      {
                          if (arguments_.isEmpty())
                              return;
                          const QString path = arguments_.first();
                          if (!QFileInfo(path).isFile())
                              return;
                          OpenFile(path);
                      });
}

void TFormMain::OpenFile(const QString& path)
{
    // The lock is tried before reading, so that a test open elsewhere is
    // neither read nor locked unless the user agrees; the lock of the file
    // open so far is kept until the new one is read in full.
    DFileLock lock;
    bool readOnly = false;
    const bool own = lock_.Holds(path);
    if (!own && lock.Lock(path) == DFileLock::State::HeldElsewhere)
    {
        if (DMessages::ShowChoice(language_, language_.GetMsg(36600, HolderArgs(lock)), {36610, 36620}) != 0)
            return;
        readOnly = true;
    }
    // Taken before reading: a write that slips in between is then noticed
    // at the next Save rather than missed.
    const DFileStamp stamp = DFileStamp::Of(path);
    test_.file.Read(path);
    ClearHistory();
    recovery_.Remove();
    TakeFileState(std::move(lock), own, readOnly, stamp);
    NoticeNoLock();
}

DArgs TFormMain::HolderArgs(const DFileLock& lock) const
{
    const QString unknown = language_.GetStr(36690);
    return {lock.Path(), int(lock.HolderPid()), lock.HolderApp().isEmpty() ? unknown : lock.HolderApp(),
            lock.HolderHost().isEmpty() ? unknown : lock.HolderHost()};
}

void TFormMain::NoticeNoLock()
{
    if (lock_.GetState() == DFileLock::State::Unavailable)
        DMessages::ShowChoice(language_, language_.GetMsg(36640, {lock_.Path(), lock_.Reason()}), {36650});
}

QString TFormMain::RunFileDialog(QFileDialog*& dialog, bool save)
{
    if (!dialog)
    {
        dialog = new QFileDialog(this);
        dialog->setDefaultSuffix(kSuffix);
        if (save)
        {
            dialog->setAcceptMode(QFileDialog::AcceptSave);
            dialog->setFileMode(QFileDialog::AnyFile);
        }
        else
        {
            dialog->setAcceptMode(QFileDialog::AcceptOpen);
            dialog->setFileMode(QFileDialog::ExistingFile);
        }
    }
    // Set on every run: the language may have changed since the last one.
    dialog->setNameFilter(language_.GetStr(35300));
    dialog->setWindowModality(Qt::ApplicationModal);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}

QString TFormMain::AskOpenPath()
{
    return openDialog_ ? openDialog_() : RunFileDialog(OpenDlg, false);
}

QString TFormMain::AskSavePath()
{
    return saveDialog_ ? saveDialog_() : RunFileDialog(SaveDlg, true);
}

void TFormMain::NewAcExecute()
{
    DMessages::Handle(language_, "TFormMain::NewAcExecute()",
                      [&]
                      {
                          if (!AskSaveChanges())
                              return;
                          test_.New();
                          ClearHistory();
                          recovery_.Remove();
                          lock_.Unlock();
                          readOnly_ = false;
                          stamp_ = {};
                          ViewCcaption();
                          DrawPages();
                      });
}

void TFormMain::LoadAcExecute()
{
    DMessages::Handle(language_, "TFormMain::LoadAcExecute()",
                      [&]
                      {
                          if (!AskSaveChanges())
                              return;
                          const QString path = AskOpenPath();
                          if (path.isEmpty())
                              return;
                          OpenFile(path);
                      });
}

bool TFormMain::SaveAcExecute()
{
    // A file open read-only belongs to another instance: the work can only
    // go to a new file (closing with Yes comes here too).
    if (test_.file.FileName().isEmpty() || readOnly_)
        return SaveAsAcExecute();
    bool written = false;
    DMessages::Handle(language_, "TFormMain::SaveAcExecute()",
                      [&]
                      {
                          const QString path = test_.file.FileName();
                          // A file that is gone has nothing left to lose; one that another
                          // program wrote since is replaced only when the user says so.
                          const DFileStamp now = DFileStamp::Of(path);
                          if (now.Exists() && now != stamp_ &&
                              DMessages::ShowChoice(language_, language_.GetMsg(36670, {path}), {36680, 36620}) != 0)
                              return;
                          test_.file.Write(path);
                          MarkSavedInHistory();
                          stamp_ = DFileStamp::Of(path);
                          written = true;
                          recovery_.Remove();
                      });
    return written;
}

bool TFormMain::SaveAsAcExecute()
{
    bool written = false;
    DMessages::Handle(language_, "TFormMain::SaveAsAcExecute()",
                      [&]
                      {
                          const QString path = AskSavePath();
                          if (path.isEmpty())
                              return;
                          // A file that another instance holds open is refused rather than
                          // offered for overwriting: its holder would save over it again.
                          DFileLock lock;
                          const bool own = lock_.Holds(path);
                          if (!own && lock.Lock(path) == DFileLock::State::HeldElsewhere)
                              throw EError(36660, HolderArgs(lock));
                          test_.file.Write(path);
                          MarkSavedInHistory();
                          if (!own)
                              lock_ = std::move(lock);
                          readOnly_ = false;
                          stamp_ = DFileStamp::Of(path);
                          written = true;
                          recovery_.Remove();
                          ViewCcaption();
                          NoticeNoLock();
                      });
    return written;
}

void TFormMain::SaveAcUpdate()
{
    DMessages::HandleAsFailure(language_, "TFormMain::SaveAcUpdate()",
                               [&] { SaveAc->setEnabled(!readOnly_ && test_.IsChangedByUser()); });
}

void TFormMain::ScheduleSaveAcUpdate()
{
    if (updatePending_)
        return;
    updatePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this]
        {
            updatePending_ = false;
            SaveAcUpdate();
        },
        Qt::QueuedConnection);
}

void TFormMain::LangAcExecute()
{
    DMessages::HandleAsFailure(language_, "TFormMain::LangAcExecute()",
                               [&]
                               {
                                   if (langDialog_)
                                       langDialog_();
                               });
}

void TFormMain::GroupsAcExecute()
{
    DMessages::HandleAsFailure(language_, "TFormMain::GroupsAcExecute()",
                               [&]
                               {
                                   // What the dialog stores with the test is one step.
                                   if (groupsDialog_)
                                       DCommandWhole::Run(
                                           test_, 26470, [&] { groupsDialog_(); }, Pusher());
                               });
}

void TFormMain::CompareAcExecute()
{
    DMessages::Handle(language_, "TFormMain::CompareAcExecute()",
                      [&]
                      {
                          const QString path = AskOpenPath();
                          if (path.isEmpty())
                              return;
                          // Read apart from the test, which the comparison leaves alone.
                          auto other = std::make_unique<DTest>();
                          DExport::ReadOther(path, *other);
                          if (compareDialog_)
                              compareDialog_(std::move(other), path);
                      });
}

void TFormMain::FormImportAcExecute()
{
    DMessages::HandleAsFailure(language_, "TFormMain::FormImportAcExecute()",
                               [&]
                               {
                                   // The whole import is one step, and the answers page shows it.
                                   CommitPageEdits();
                                   QString summary;
                                   if (formImportDialog_)
                                       DCommandWhole::Run(
                                           test_, 27820, [&] { summary = formImportDialog_(); }, Pusher());
                                   DrawPages();
                                   // What was taken in, left out and not found, once the answers show.
                                   if (!summary.isEmpty())
                                       DMessages::ShowChoice(language_, summary, {36650});
                               });
}

void TFormMain::ReportAcExecute()
{
    DMessages::Handle(
        language_, "TFormMain::ReportAcExecute()",
        [&]
        {
            CommitPageEdits();
            QString path;
            if (reportDialog_)
                path = reportDialog_();
            else
            {
                // Beside the test, named after it.
                const QFileInfo test(test_.file.FileName());
                const QString suggested = test_.file.FileName().isEmpty()
                                              ? QString()
                                              : test.dir().filePath(test.completeBaseName() + QStringLiteral(".pdf"));
                path = TSaveDialog::Ask(this, "ReportDlg", language_.GetStr(28200),
                                        {{language_.GetStr(28150), QStringLiteral("pdf")}}, suggested);
            }
            if (path.isEmpty())
                return;
            DFileWriter::Write(path, DClassReport::Pdf(test_, test_.file.FileName(), QDate::currentDate()));
        });
}

std::function<void(QUndoCommand*)> TFormMain::Pusher()
{
    return [this](QUndoCommand* command) { undoStack_->push(command); };
}

void TFormMain::InfoAcExecute()
{
    DMessages::HandleAsFailure(language_, "TFormMain::InfoAcExecute()",
                               [&]
                               {
                                   if (infoDialog_)
                                       infoDialog_();
                               });
}

void TFormMain::HelpAcExecute()
{
    DMessages::HandleAsFailure(language_, "TFormMain::HelpAcExecute()",
                               [&]
                               {
                                   if (!helpWindow_)
                                       helpWindow_ = new TFormHelp(language_, this);
                                   helpWindow_->show();
                                   helpWindow_->raise();
                                   helpWindow_->activateWindow();
                               });
}

void TFormMain::ExitAcExecute()
{
    DMessages::HandleAsFailure(language_, "TFormMain::ExitAcExecute()", [&] { close(); });
}

bool TFormMain::FormClose()
{
    bool canClose = true;
    DMessages::HandleAsFailure(language_, "TFormMain::FormClose()", [&] { canClose = AskSaveChanges(); });
    return canClose;
}

bool TFormMain::AskSaveChanges()
{
    CommitPageEdits();
    if (!test_.IsChangedByUser())
        return true;
    switch (DMessages::ShowQuestion(language_, 40030))
    {
    case QMessageBox::Yes:
        // Only a test safely written may go: a cancelled save dialog or a
        // failed write keeps the work.
        return SaveAcExecute();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TFormMain::MakeHistory()
{
    undoStack_ = new QUndoStack(this);
    UndoAc = MakeAction("undo", QKeySequence::Undo, [this] { UndoAcExecute(); });
    RedoAc = MakeAction("redo", QKeySequence(), [this] { RedoAcExecute(); });
    RedoAc->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(undoStack_, &QUndoStack::indexChanged, this, [this] { ViewHistoryTexts(); });
    connect(undoStack_, &QUndoStack::cleanChanged, this, [this] { ViewHistoryTexts(); });
}

void TFormMain::ViewHistoryTexts()
{
    if (!undoStack_)
        return;
    // "Undo: answer 2 of question 1 for Rossi Giulia": the command says what
    // it would take back.
    const auto show = [&](QAction* action, bool can, const QString& step, int plainId, int stepId)
    {
        const QString text = can ? language_.GetMsg(stepId, {step}) : language_.GetStr(plainId);
        action->setText(text);
        action->setToolTip(text);
        action->setEnabled(can);
    };
    show(UndoAc, undoStack_->canUndo(), undoStack_->undoText(), 26000, 26020);
    show(RedoAc, undoStack_->canRedo(), undoStack_->redoText(), 26010, 26030);
}

void TFormMain::UndoAcExecute()
{
    StepHistory(true);
}

void TFormMain::RedoAcExecute()
{
    StepHistory(false);
}

void TFormMain::StepHistory(bool back)
{
    DMessages::Handle(language_, back ? "TFormMain::UndoAcExecute()" : "TFormMain::RedoAcExecute()",
                      [&]
                      {
                          // A cell still being typed in is a step of its own, taken back first.
                          CommitPageEdits();
                          if (back)
                              undoStack_->undo();
                          else
                              undoStack_->redo();
                          // Back at what the file holds: nothing is left to lose.
                          if (undoStack_->isClean())
                              test_.MarkUnchanged();
                          DrawPages();
                      });
}

void TFormMain::EditReverted()
{
    // Every change but the open editor's is a step; with none since the save
    // and the editor's typing taken back, the test is the saved one.
    if (undoStack_->isClean())
        test_.MarkUnchanged();
    ScheduleSaveAcUpdate();
}

void TFormMain::ClearHistory()
{
    undoStack_->clear();
}

void TFormMain::MarkSavedInHistory()
{
    // The text of an open cell editor was written with the rest: its step
    // belongs before the mark.
    CommitPageEdits();
    undoStack_->setClean();
}

void TFormMain::CommitPageEdits()
{
    for (TFormPage* page : PageList())
        if (page)
            page->CommitEdits();
}

void TFormMain::closeEvent(QCloseEvent* event)
{
    if (FormClose())
    {
        closed_ = true;
        // Another instance may open the file as soon as this window is gone.
        lock_.Unlock();
        recovery_.Remove();
        event->accept();
    }
    else
        event->ignore();
}

void TFormMain::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    DMessages::HandleAsFailure(
        language_, delta < 0 ? "TFormMain::FormMouseWheelDown()" : "TFormMain::FormMouseWheelUp()",
        [&]
        {
            QScrollArea* box = nullptr;
            for (TFormPage* page : {pages_.FormGraphBar, pages_.FormGraphTar, pages_.FormGraphSoc, pages_.FormGraphMet})
                if (page && page->isVisible() && page->ScrollBox())
                {
                    box = page->ScrollBox();
                    break;
                }
            if (!box)
            {
                wheelRest_ = 0;
                return;
            }
            // One line per notch; fine-grained wheels add up to whole notches.
            wheelRest_ += delta;
            const int notches = wheelRest_ / kWheelNotch;
            wheelRest_ -= notches * kWheelNotch;
            QScrollBar* scrollBar = box->verticalScrollBar();
            for (int i = 0; i < qAbs(notches); ++i)
                scrollBar->triggerAction(notches < 0 ? QAbstractSlider::SliderSingleStepAdd
                                                     : QAbstractSlider::SliderSingleStepSub);
        });
    // Left unhandled, as the wheel was not used by any control.
    event->ignore();
}

void TFormMain::FitToolbar()
{
    QLayout* bar = Panel1->layout();
    for (QToolButton* button : std::as_const(barButtons_))
        button->show();
    MoreSb->hide();
    bar->invalidate();
    qsizetype shown = barButtons_.size();
    if (bar->minimumSize().width() > Panel1->width())
    {
        MoreSb->show();
        while (shown > 0 && bar->minimumSize().width() > Panel1->width())
        {
            barButtons_[--shown]->hide();
            bar->invalidate();
        }
    }
    QMenu* menu = MoreSb->menu();
    menu->clear();
    for (qsizetype i = shown; i < barButtons_.size(); ++i)
        menu->addAction(barButtons_[i]->defaultAction());
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize)
        FitToolbar();
    if (IsUserInput(event->type()))
        ScheduleSaveAcUpdate();
    else if (event->type() == QEvent::ToolTip && watched->isWidgetType())
    {
        // Hints stay up for 15 seconds everywhere unless a control chose
        // its own time.
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->toolTipDuration() < 0)
            widget->setToolTipDuration(kHintTime);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFormMain::StartRecovery()
{
    RecoveryTm = new QTimer(this);
    RecoveryTm->setObjectName(QStringLiteral("RecoveryTm"));
    RecoveryTm->setInterval(kRecoveryTime);
    connect(RecoveryTm, &QTimer::timeout, this, &TFormMain::RecoveryTmTimer);
    RecoveryTm->start();
    // The session manager asks first, and may still cancel the logout: the
    // copy is written, without a box, and stays this run's. A quit that no
    // close went through (the session's end, a quit from elsewhere) keeps
    // the work.
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this]
            {
                try
                {
                    if (!ended_ && test_.IsChangedByUser())
                        recovery_.Write(test_);
                }
                catch (...)
                {
                }
            });
    connect(qApp, &QCoreApplication::aboutToQuit, this,
            [this]
            {
                if (!closed_)
                    KeepWorkForNextRun();
            });
}

void TFormMain::KeepWorkForNextRun()
{
    if (ended_)
        return;
    ended_ = true;
    try
    {
        CommitPageEdits();
        if (test_.IsChangedByUser())
            recovery_.Write(test_);
        else
            recovery_.Remove();
    }
    catch (const EError& e)
    {
        // No box can be shown while the run ends: the terminal, if any, is told.
        std::fprintf(stderr, "%s\n", e.Message().toLocal8Bit().constData());
    }
    catch (...)
    {
    }
    recovery_.Leave();
    lock_.Unlock();
}

void TFormMain::RecoveryTmTimer()
{
    if (ended_)
        return;
    const auto work = [&]
    {
        if (test_.IsChangedByUser())
            recovery_.Write(test_);
        else
            recovery_.Remove();
        recoveryFailed_ = false;
    };
    if (!recoveryFailed_)
    {
        recoveryFailed_ = true;
        DMessages::Handle(language_, "TFormMain::RecoveryTmTimer()", work);
        return;
    }
    // Already reported: a disk that stays full must not raise a box a minute.
    try
    {
        work();
    }
    catch (...)
    {
    }
}

void TFormMain::OfferRecovery()
{
    DMessages::Handle(
        language_, "TFormMain::OfferRecovery()",
        [&]
        {
            // One test at a time: once a copy is restored, the others wait
            // for the next start.
            bool restored = false;
            for (const DRecovery::Copy& copy : recovery_.Left())
            {
                if (restored)
                {
                    recovery_.Keep(copy);
                    continue;
                }
                if (!copy.damage.isEmpty())
                {
                    // Nothing of it can come back: the choice is only when it goes.
                    if (DMessages::ShowChoice(language_, language_.GetMsg(37320, {copy.path, copy.damage}),
                                              {26830, 26840}) == 0)
                        recovery_.Discard(copy);
                    else
                        recovery_.Keep(copy);
                    continue;
                }
                const QString when = copy.written.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
                const QString text = copy.fileName.isEmpty() ? language_.GetMsg(26810, {when})
                                                             : language_.GetMsg(26800, {copy.fileName, when});
                switch (DMessages::ShowChoice(language_, text, {26820, 26830, 26840}))
                {
                case 0:
                    RestoreCopy(copy);
                    restored = true;
                    break;
                case 1:
                    recovery_.Discard(copy);
                    break;
                default:
                    recovery_.Keep(copy);
                    break;
                }
            }
        });
}

void TFormMain::RestoreCopy(const DRecovery::Copy& copy)
{
    // The test's own file is locked as when it is opened; one that another
    // instance holds open now is restored read-only, so Save cannot write
    // over that instance's work.
    const QString& path = copy.fileName;
    DFileLock lock;
    const bool own = !path.isEmpty() && lock_.Holds(path);
    const bool readOnly = !path.isEmpty() && !own && lock.Lock(path) == DFileLock::State::HeldElsewhere;
    const DFileStamp stamp = path.isEmpty() ? DFileStamp() : DFileStamp::Of(path);
    recovery_.Restore(copy, test_);
    // The restored work was never saved: no step leads back to a saved state.
    ClearHistory();
    undoStack_->resetClean();
    TakeFileState(std::move(lock), own, readOnly, stamp);
    SaveAcUpdate();
}

void TFormMain::TakeFileState(DFileLock&& lock, bool own, bool readOnly, const DFileStamp& stamp)
{
    if (!own)
        lock_ = std::move(lock);
    readOnly_ = readOnly;
    stamp_ = stamp;
    ViewCcaption();
    DrawPages();
}
