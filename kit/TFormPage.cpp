#include "kit/TFormPage.h"

#include "analyses/DFonts.h"

#include <QDialog>
#include <QToolButton>

TFormPage::TFormPage(QWidget* parent) : QWidget(parent)
{
    setFont(QFont(DFonts::Family(), 8));
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
    return button;
}
