#pragma once

#include <QColor>
#include <QPainter>
#include <QtGlobal>

// The state of one bar graph painting that each subject's column draws with:
// the painter, the cursor along the row of subjects (x), the middle line (y),
// the scale divisor, the text height and the current fill colour. The bar
// graph's painter sets it up; the columns only read it and change the fill.
class DBarCanvas
{
public:
    QPainter& Painter() const { return *painter_; }
    int X() const { return x_; }
    int Y() const { return y_; }
    qint32 Divisor() const { return divisor_; }
    int TextHeight() const { return textHeight_; }
    const QColor& Fill() const { return fill_; }
    // The fill colour is also the background of every text.
    void SetFill(const QColor& colour)
    {
        fill_ = colour;
        painter_->setBackground(colour);
    }

protected:
    QPainter* painter_ = nullptr;
    int x_ = 0;
    int y_ = 0;
    qint32 divisor_ = 1;
    int textHeight_ = 0;
    QColor fill_ = Qt::white;
};
