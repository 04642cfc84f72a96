#pragma once

#include <QWidget>

// Shows that an area with no focus look of its own (a picture or a text in a
// scroll area) has the keyboard: a frame in the highlight colour along its
// inner edges while Tab has put the focus there. It lies over the area, lets
// the mouse through and changes neither the area's size nor its drawing; a
// click that gives the area the focus shows no frame, as the pointer already
// shows where the user works.
class TFocusFrame : public QWidget
{
    Q_OBJECT
public:
    // Marks area, which owns the frame from then on.
    static TFocusFrame* Mark(QWidget* area);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TFocusFrame(QWidget* area);

    static constexpr int kWidth = 2;
    QWidget* area_;
    // The focus came from the keyboard; kept while another window or a menu
    // has it for a while.
    bool byKeyboard_ = false;
};
