#pragma once

#include "kit/DGlyph.h"

#include "kit/TFormPage.h"
#include "pages/TFormCsvOpt.h"

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <QPoint>

#include <functional>

class DLanguage;
class DTest;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QToolButton;
class QVBoxLayout;
class TGraphOutput;

// What the analysis pages have in common: a strip of flat picture buttons on
// the left (show/hide the options, copy the picture), the options panel next
// to it, hidden at start, and the scroll area that shows the analysis
// picture. A derived page adds its option controls to the panel, refills
// them from the document and draws its analysis into the picture.
class TFormGraph : public TFormPage
{
    Q_OBJECT
public:
    // Refills the options from the document and draws the picture again, on
    // a white picture of 1000 x 1000 pixels that the analysis resizes to
    // what it draws. On an error the picture stays white and the error is
    // shown. Nothing happens while the page's tab is hidden.
    void Draw() final;
    QScrollArea* ScrollBox() override { return ScrollBox1; }

    // The picture at 96 dpi, the one the clipboard receives; the screen may
    // show a denser drawing of it (ScreenRatio).
    const QImage& Picture() const { return picture_; }

    // The device pixel ratio at which a picture of `size` (in the 96-dpi
    // pixels of the analyses) is drawn for `widget`'s screen: the screen's,
    // so that lines and texts are sharp, or 1 where that would pass
    // kPixelBudget device pixels, so that drawing, hovering and dragging a
    // large picture stay as fast as on a plain screen.
    static qreal ScreenRatio(const QWidget& widget, QSize size);
    static constexpr qint64 kPixelBudget = 16'000'000;

    // Handlers of the two buttons every analysis page has.
    void OptSbClick();
    void ClipExpSbClick();

    // The save dialog of the pages' comma-separated exports (an empty path
    // means the user cancelled) and the run of their options dialog (false
    // when cancelled). Tests replace them so that nothing modal is shown.
    using PathDialog = std::function<QString()>;
    void SetSaveDialog(PathDialog dialog) { csvDialogs_.path = std::move(dialog); }
    void SetCsvOptionsDialog(std::function<bool(TFormCsvOpt&)> dialog) { csvDialogs_.options = std::move(dialog); }

    // The glyphs of the strip's buttons.
    using Glyph = DGlyph::Page;
    static QIcon GlyphIcon(Glyph glyph);

    QWidget* StripPn = nullptr;
    QToolButton* OptSb = nullptr;
    QToolButton* ClipExpSb = nullptr;
    QWidget* OptPn = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image = nullptr;
    // Print... and Save picture as..., below the strip's other buttons.
    TGraphOutput* Output = nullptr;

protected:
    // Shows the picture as drawn, then lets the page adapt its display;
    // drawn: it holds an analysis, which a dense screen gets drawn again at
    // its ratio.
    void ShowPicture(bool drawn = false);
    // Called after the picture is shown: a page that shows it otherwise on
    // screen (the clipboard always takes the picture itself) changes the
    // label here.
    virtual void PictureShown() {}
    // name: the page's class name, which its handlers report in errors.
    // panelWidth: width of the options panel. toggles: the options button
    // stays pressed while the panel is shown.
    TFormGraph(DTest& test, DLanguage& language, const char* name, int panelWidth, bool toggles, QWidget* parent);

    // Refills the option controls from the document.
    virtual void DrawOptions() = 0;
    // Draws the analysis into the picture; raises EError after leaving the
    // picture white.
    virtual void DrawPicture(QImage& picture) = 0;

    // A further flat picture button of the strip, at (x, y).
    QToolButton* AddStripButton(Glyph glyph, int x, int y);
    // Places the options buttons of the strip.
    void PlaceStripButtons(QPoint opt, QPoint clip);
    // A group box of the options panel, width x height, below the previous.
    QGroupBox* AddGroup(int width, int height);
    // A drop-down list filling a group box. update stores the user's choice
    // in the document; the picture is drawn again after it.
    QComboBox* AddCombo(QGroupBox* group, const char* module, std::function<void(QComboBox*)> update);
    // A check list filling a group box, the same way.
    QListWidget* AddCheckList(QGroupBox* group, const char* module, std::function<void(QListWidget*)> update);
    // Sizes the options panel anew after its texts changed.
    void FitOptions();
    // Sets a group box's caption and its hint (on the box and its controls).
    void SetGroupTexts(QGroupBox* group, int captionId, int hintId);
    void SetStripHints(int optId, int clipId);

    void showEvent(QShowEvent* event) override;

    // Asks where and how to write a table; nothing when cancelled.
    std::optional<TFormCsvOpt::Choice> AskCsv(bool offerCategories);

    DTest& test_;
    DLanguage& language_;

private:
    // Draws the picture alone: after an option change the option controls
    // already show what is stored, and refilling a control from inside its
    // own change signal would destroy the item being changed.
    void DrawImage();
    // Stores an option change made by the user and draws the picture again.
    void OptionChanged(const char* module, const std::function<void()>& update);

    QByteArray drawModule_;
    QByteArray optModule_;
    QByteArray clipModule_;
    QVBoxLayout* optLayout_ = nullptr;
    QImage picture_;
    // The string id naming this page's option changes in the history.
    int optionsTextId_;
    // The string id naming the picture.
    int pictureTextId_;
    // The least width of the options panel.
    int panelWidth_;
    TFormCsvOpt::Dialogs csvDialogs_;
};
