#include "kit/TFormPage.h"

#include "analyses/DFonts.h"
#include "kit/TFormHost.h"
#include "kit/TGrid.h"

#include <QApplication>
#include <QDialog>
#include <QTabBar>
#include <QToolButton>
#include <QUndoStack>

#include <memory>

TFormPage::TFormPage(QWidget* parent) : QWidget(parent)
{
    setFont(QFont(DFonts::Family(), 8));
}

void TFormPage::Push(QUndoCommand* command)
{
    std::unique_ptr<QUndoCommand> owned(command);
    CommitEdits();
    if (QUndoStack* stack = host_ ? host_->UndoStack() : nullptr)
        stack->push(owned.release());
    else
        owned->redo();
}

std::function<void(QUndoCommand*)> TFormPage::Pusher()
{
    CommitEdits();
    return [this](QUndoCommand* command) { Push(command); };
}

void TFormPage::EditReverted()
{
    if (host_)
        host_->EditReverted();
}

void TFormPage::CommitEdits()
{
    for (TGrid* grid : findChildren<TGrid*>())
        grid->CommitEdit();
}

TFormPage::~TFormPage()
{
    // Closing the window as it goes closes the grids' editors, after the
    // derived page is gone: no step may reach it then.
    for (TGrid* grid : findChildren<TGrid*>())
        grid->SetCellEdited({});
}

int TFormPage::ExecDialog(QDialog& dialog)
{
    return dialogExec_ ? dialogExec_(dialog) : dialog.exec();
}

QToolButton* TFormPage::MakeStripButton(QWidget* strip, const QIcon& icon)
{
    auto* button = new QToolButton(strip);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setIcon(icon);
    // Reached with Tab, while a click leaves the focus where it was, so that
    // a cell being typed in stays open under the button.
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void TFormPage::TakeFocus(QWidget* control)
{
    if (qobject_cast<QTabBar*>(QApplication::focusWidget()))
        return;
    control->setFocus();
}

void TFormPage::SetHint(QWidget* control, const QString& hint)
{
    control->setToolTip(hint);
    control->setAccessibleName(hint);
}
