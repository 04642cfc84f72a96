#pragma once

#include <QScrollArea>

// A side panel of a page (an analysis's options) that scrolls up and down
// when the window is too low for it, rather than cutting its last boxes off.
// It is as wide as the panel needs plus the scroll bar, and shows and hides
// with the panel: code goes on showing, hiding and asking the panel itself.
// A panel that may also get narrower than it needs (Narrowing) is as wide as
// its greatest width, at most half the page, and scrolls sideways as well
// when that is not enough.
class TScrollPanel : public QScrollArea
{
    Q_OBJECT
public:
    // Puts panel into a new scroll area, which takes its place in the
    // parent's layout (added by the caller) and owns it.
    enum class Width
    {
        Whole,
        Narrowing
    };
    explicit TScrollPanel(QWidget* panel, QWidget* parent = nullptr, Width width = Width::Whole);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kPlacedBottomMargin = 8;
    // The least width of a narrowing panel: a column of text still reads.
    static constexpr int kLeastWidth = 120;
    Width width_;
    void FitPlacedPanel();
};
