#include "kit/TScrollPanel.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

TScrollPanel::TScrollPanel(QWidget* panel, QWidget* parent, Width width) : QScrollArea(parent), width_(width)
{
    setObjectName(panel->objectName().isEmpty() ? QString() : panel->objectName() + QStringLiteral("Scroll"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(width == Width::Whole ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);
    // Tab goes to the panel's controls, which it scrolls into view; the
    // panel itself is no stop.
    setFocusPolicy(Qt::NoFocus);
    // The width is the panel's; the height is whatever the page has.
    setSizePolicy(width == Width::Whole ? QSizePolicy::Fixed : QSizePolicy::Preferred, QSizePolicy::Ignored);
    if (width == Width::Narrowing)
        setMaximumWidth(panel->maximumWidth());
    setBackgroundRole(panel->backgroundRole());
    const bool hidden = panel->isHidden();
    setWidget(panel);
    // setWidget shows the panel: it keeps the state the page gave it.
    panel->setHidden(hidden);
    setHidden(hidden);
    FitPlacedPanel();
    panel->installEventFilter(this);
    viewport()->installEventFilter(this);
    if (width == Width::Narrowing && parent)
        parent->installEventFilter(this);
}

QSize TScrollPanel::sizeHint() const
{
    // Room for the scroll bar whether it shows or not, so that its coming
    // never narrows the panel's boxes.
    const QWidget* panel = widget();
    int panelWidth =
        panel ? std::max({panel->minimumWidth(), panel->minimumSizeHint().width(), panel->sizeHint().width()}) : 0;
    if (panel && width_ == Width::Narrowing)
    {
        panelWidth = panel->maximumWidth() < QWIDGETSIZE_MAX ? panel->maximumWidth() : panelWidth;
        // In a small window the panel leaves the page's picture half the room.
        if (parentWidget())
            panelWidth = std::min(panelWidth, std::max(kLeastWidth, parentWidget()->width() / 2));
    }
    const int height = panel ? panel->sizeHint().height() : 0;
    return {panelWidth + verticalScrollBar()->sizeHint().width() + 2 * frameWidth(), height};
}

QSize TScrollPanel::minimumSizeHint() const
{
    return {width_ == Width::Whole ? sizeHint().width() : kLeastWidth, 0};
}

void TScrollPanel::FitPlacedPanel()
{
    // A panel whose boxes stand where they were placed has no layout to tell
    // how high it is: the lowest box says it, so that none is out of reach.
    QWidget* panel = widget();
    if (panel && !panel->layout())
        panel->setMinimumHeight(panel->childrenRect().bottom() + 1 + kPlacedBottomMargin);
}

bool TScrollPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == widget())
    {
        // The panel is what pages show and hide; the area follows it.
        if (event->type() == QEvent::ShowToParent)
        {
            FitPlacedPanel();
            show();
        }
        else if (event->type() == QEvent::HideToParent)
            hide();
    }
    // A panel that asks for another width (its texts changed language) gets it.
    if (watched == viewport() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    // A narrowing panel's width follows the page's.
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}
