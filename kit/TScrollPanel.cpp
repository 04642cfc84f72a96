#include "kit/TScrollPanel.h"

#include <QEvent>
#include <QScrollBar>

#include <algorithm>

TScrollPanel::TScrollPanel(QWidget* panel, QWidget* parent) : QScrollArea(parent)
{
    setObjectName(panel->objectName().isEmpty() ? QString() : panel->objectName() + QStringLiteral("Scroll"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);
    // The width is the panel's; the height is whatever the page has.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    setBackgroundRole(panel->backgroundRole());
    const bool hidden = panel->isHidden();
    setWidget(panel);
    // setWidget shows the panel: it keeps the state the page gave it.
    panel->setHidden(hidden);
    setHidden(hidden);
    FitPlacedPanel();
    panel->installEventFilter(this);
    viewport()->installEventFilter(this);
}

QSize TScrollPanel::sizeHint() const
{
    // Room for the scroll bar whether it shows or not, so that its coming
    // never narrows the panel's boxes.
    const QWidget* panel = widget();
    const int panelWidth =
        panel ? std::max({panel->minimumWidth(), panel->minimumSizeHint().width(), panel->sizeHint().width()}) : 0;
    const int height = panel ? panel->sizeHint().height() : 0;
    return {panelWidth + verticalScrollBar()->sizeHint().width() + 2 * frameWidth(), height};
}

QSize TScrollPanel::minimumSizeHint() const
{
    return {sizeHint().width(), 0};
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
    return QScrollArea::eventFilter(watched, event);
}
