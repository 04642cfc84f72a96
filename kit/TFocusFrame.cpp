#include "kit/TFocusFrame.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPainter>

TFocusFrame::TFocusFrame(QWidget* area) : QWidget(area), area_(area)
{
    setObjectName(QStringLiteral("FocusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    area->installEventFilter(this);
}

TFocusFrame* TFocusFrame::Mark(QWidget* area)
{
    return new TFocusFrame(area);
}

bool TFocusFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == area_)
        switch (event->type())
        {
        case QEvent::FocusIn:
        {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
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
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
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
