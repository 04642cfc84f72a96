#include "kit/TFormDialog.h"

#include "analyses/DFonts.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

TFormDialog::TFormDialog(DLanguage& language, const char* name, QWidget* parent, QWidget* centreOn)
    : QDialog(parent), language_(language), centreOn_(centreOn)
{
    setObjectName(QLatin1String(name));
    setFont(QFont(DFonts::Family(), 8));
}

void TFormDialog::AddButtonBand(QBoxLayout* layout, int height, const QMargins& margins, int spacing, int okWidth)
{
    auto* band = new QWidget(this);
    band->setObjectName(QStringLiteral("Panel1"));
    band->setFixedHeight(height);
    auto* buttons = new QHBoxLayout(band);
    buttons->setContentsMargins(margins);
    buttons->setSpacing(spacing);
    // The string table has no texts for these two: they are the toolkit's
    // own, translated along with its other standard buttons.
    OkBb = new QPushButton(band);
    OkBb->setObjectName(QStringLiteral("OkBb"));
    OkBb->setFixedSize(okWidth, 25);
    OkBb->setDefault(true);
    CancelB = new QPushButton(band);
    CancelB->setObjectName(QStringLiteral("CancelB"));
    CancelB->setFixedSize(75, 25);
    ViewButtonTexts();
    buttons->addStretch(1);
    buttons->addWidget(OkBb);
    buttons->addWidget(CancelB);
    buttons->addStretch(1);
    layout->addWidget(band);

    connect(OkBb, &QPushButton::clicked, this, [this] { OkBbClick(); });
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormDialog::ViewButtonTexts()
{
    if (OkBb)
        OkBb->setText(QCoreApplication::translate("QPlatformTheme", "OK"));
    if (CancelB)
        CancelB->setText(QCoreApplication::translate("QPlatformTheme", "Cancel"));
}

void TFormDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        ViewButtonTexts();
    else if (event->type() == QEvent::WindowTitleChange)
        FitTexts();
    QDialog::changeEvent(event);
}

bool TFormDialog::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::LayoutRequest)
        FitTexts();
    return handled;
}

void TFormDialog::FitTexts()
{
    // The title bar is the window manager's: its font is commonly a bold
    // face of the application's, and its icon and buttons share the bar.
    constexpr int kTitleBarButtons = 100;
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    int room = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarButtons;
    if (layout())
        room = std::max(room, layout()->totalMinimumSize().width());
    if (width() >= room)
        return;
    // A dialog already up grows on both sides, staying centred.
    if (isVisible() && centreOn_)
        move(x() - (room - width()) / 2, y());
    if (minimumWidth() == maximumWidth())
        setFixedWidth(room);
    else
        resize(room, height());
}

void TFormDialog::SetBoxMargins(QGroupBox* box, QLayout* layout, int left, int top, int right, int bottom)
{
    const QMargins frame = box->contentsMargins();
    layout->setContentsMargins(std::max(0, left - frame.left()), std::max(0, top - frame.top()),
                               std::max(0, right - frame.right()), std::max(0, bottom - frame.bottom()));
}

void TFormDialog::showEvent(QShowEvent* event)
{
    FitTexts();
    if (centreOn_)
    {
        QRect frame = frameGeometry();
        frame.moveCenter(centreOn_->frameGeometry().center());
        // A dialog wider than a window at the screen's edge stays on the
        // screen, its title bar too.
        if (const QScreen* screen = centreOn_->screen())
        {
            const QRect room = screen->availableGeometry();
            frame.moveLeft(std::max(room.left(), std::min(frame.left(), room.right() + 1 - frame.width())));
            frame.moveTop(std::max(room.top(), std::min(frame.top(), room.bottom() + 1 - frame.height())));
        }
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}
