#include "kit/TFocusFrame.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QPainter>

namespace
{
bool IsKeyboard(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}
} // namespace

// Gives a scroll area its frame when the keyboard first brings the focus
// there; the frame follows the focus on its own from then on.
class TFocusFrame::Watcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::FocusIn || !IsKeyboard(static_cast<QFocusEvent*>(event)->reason()))
            return false;
        auto* area = qobject_cast<QAbstractScrollArea*>(watched);
        if (!area || area->findChild<TFocusFrame*>(QString(), Qt::FindDirectChildrenOnly))
            return false;
        auto* frame = new TFocusFrame(area);
        frame->eventFilter(area, event);
        return false;
    }
};

void TFocusFrame::Follow()
{
    static Watcher* watcher = nullptr;
    if (watcher)
        return;
    watcher = new Watcher(qApp);
    qApp->installEventFilter(watcher);
}

TFocusFrame::TFocusFrame(QWidget* area) : QWidget(area), area_(area)
{
    setObjectName(QStringLiteral("FocusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    area->installEventFilter(this);
}

bool TFocusFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == area_)
        switch (event->type())
        {
        case QEvent::FocusIn:
        {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (IsKeyboard(reason))
                byKeyboard_ = true;
            else if (reason == Qt::MouseFocusReason)
                byKeyboard_ = false;
            setGeometry(area_->rect());
            raise();
            setVisible(byKeyboard_);
            break;
        }
        case QEvent::FocusOut:
        {
            // Into a control of the area (a drop-down list in a cell of a
            // grid), which shows the focus itself, and back is no new way in.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                !area_->isAncestorOf(QApplication::focusWidget()))
                byKeyboard_ = false;
            hide();
            break;
        }
        case QEvent::Resize:
            setGeometry(area_->rect());
            break;
        default:
            break;
        }
    return QWidget::eventFilter(watched, event);
}

void TFocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), kWidth));
    painter.setBrush(Qt::NoBrush);
    const qreal inset = kWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}
