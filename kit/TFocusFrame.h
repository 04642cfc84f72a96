#pragma once

#include <QWidget>

// Shows that an area with no focus look of its own has the keyboard: a grid
// or list, whose current cell looks the same with the focus or without, or
// a picture or text in a scroll area. A frame in the highlight colour runs
// along the area's inner edges while Tab has put the focus there. It lies
// over the area, lets the mouse through and changes neither the area's size
// nor its drawing; a click that gives the area the focus shows no frame, as
// the pointer already shows where the user works.
class TFocusFrame : public QWidget
{
    Q_OBJECT
public:
    // From now on every scroll area of the application that the keyboard
    // reaches gets its frame, made the first time.
    static void Follow();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Watcher;
    explicit TFocusFrame(QWidget* area);

    static constexpr int kWidth = 2;
    QWidget* area_;
    // The focus came from the keyboard; kept while another window or a menu
    // has it for a while.
    bool byKeyboard_ = false;
};
