#pragma once

#include "analyses/DGraphSocArrange.h"
#include "analyses/DGraphSocOverlay.h"
#include "kit/TFormPage.h"

#include <QImage>
#include <QRegion>

#include <functional>

#include <cstddef>

class DGraphSoc;
class DLanguage;
class DSubjElem;
class DTest;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QAction;
class QCheckBox;
class QMenu;
class QListWidget;
class QPainter;
class QPushButton;
class QScrollArea;
class QToolButton;
class TFormGraphSoc;
class TGraphOutput;

// The sociogram picture on the page: paints the picture and hands the mouse
// to the page. It always has the picture's size in the sociogram's 96-dpi
// pixels, so widget coordinates are the sociogram's coordinates, however
// many device pixels the picture has for the screen.
class TFormGraphSocImage : public QWidget
{
public:
    explicit TFormGraphSocImage(TFormGraphSoc& page, QWidget* parent = nullptr);

    QImage& Picture() { return picture_; }
    const QImage& Picture() const { return picture_; }
    // Takes the picture's size after the picture was replaced.
    void FitPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TFormGraphSoc& page_;
    QImage picture_;
};

// The sociogram page: the picture in a scrolling area, whose subject boxes the
// user drags with the mouse, the options panel, and the copy to the clipboard.
//
// The sociogram keeps a background bitmap of every box and line; the picture
// is that bitmap with the selected subject, its connections and a grey
// outline drawn on top. A hover change or a drag move only restores the
// strips of background the previous overlay covered and draws the overlay
// again, so it costs a few small copies and lines, never a full drawing.
// Only a drag, at its first move and at its end, redraws the background:
// without the dragged subject, then with it at its new place.
class TFormGraphSoc : public TFormPage
{
    Q_OBJECT
public:
    TFormGraphSoc(DTest& test, DLanguage& language, QWidget* parent = nullptr);

    void ViewDesc() override;
    void Draw() override;
    QScrollArea* ScrollBox() override { return ScrollBox1; }

    // Handlers of the controls.
    void OptSbClick();
    void ClipExpSbClick();
    void OptTypeCbChange();
    void OptSubjDimCbChange();
    void OptQuesLbClickCheck();
    void OptDimBtClick();
    void OptElasCbChange();
    void ImageMouseMove(int x, int y);
    void ImageMouseDown(Qt::MouseButton button, int x, int y);
    void ImageMouseUp(Qt::MouseButton button, int x, int y);
    void ImageMouseLeave();
    // A double click on a box pins or unpins it; the context menu offers the
    // same and the arrangements.
    void ImageDoubleClick(Qt::MouseButton button, int x, int y);
    void ImageContextMenu(const QPoint& globalPosition, int x, int y);
    void OptArrangeBtClick(DGraphSocArrange::Kind kind);
    // One of the drawing options was switched: one step for the user.
    void OptLookCbClick();

    // Every automatic change of the positions of one sociogram type goes
    // through here (list order), with the rings the arrangement drew (none
    // but in rings), so that it is one step for the user.
    void ApplyPositions(bool acceptance, const std::vector<QPoint>& positions, const DGraphSocRings::Ring& rings);
    // Pins or unpins the subject's box in the sociogram of the current type.
    void TogglePin(const DSubjElem& subject);

    // Controls, named as the rest of the application refers to them.
    QToolButton* OptSb = nullptr;
    QToolButton* ClipExpSb = nullptr;
    TGraphOutput* Output = nullptr;
    QWidget* OptPn = nullptr;
    QGroupBox* OptTypeGb = nullptr;
    QComboBox* OptTypeCb = nullptr;
    QGroupBox* OptSubjDimGb = nullptr;
    QComboBox* OptSubjDimCb = nullptr;
    QGroupBox* OptQuesGb = nullptr;
    QListWidget* OptQuesLb = nullptr;
    QGroupBox* OptDimGb = nullptr;
    QLabel* OptDimXLb = nullptr;
    QLineEdit* OptDimXLe = nullptr;
    QLabel* OptDimYLb = nullptr;
    QLineEdit* OptDimYLe = nullptr;
    QPushButton* OptDimBt = nullptr;
    QGroupBox* OptElasGb = nullptr;
    QComboBox* OptElasCb = nullptr;
    QGroupBox* OptArrGb = nullptr;
    QPushButton* OptArrTiesBt = nullptr;
    QPushButton* OptArrRingsBt = nullptr;
    QGroupBox* OptLookGb = nullptr;
    QCheckBox* OptNamesAboveCb = nullptr;
    QCheckBox* OptPlainCirclesCb = nullptr;
    QCheckBox* OptTopmostPickCb = nullptr;
    QMenu* PinPm = nullptr;
    QAction* PinAc = nullptr;
    QAction* ArrTiesAc = nullptr;
    QAction* ArrRingsAc = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    TFormGraphSocImage* Image = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    // Stores an option change as one step of the history.
    void ChangeOptions(const std::function<void()>& update);
    // The full drawing of the sociogram into Image, at the screen's density.
    void DrawPicture();
    // The picture at 96 dpi without pin marks and focus, drawn apart from
    // the screen's picture, which is then drawn again.
    QImage PlainPicture();

    // Hover and drag on the picture.
    void MouseMove(int x, int y);
    void MouseLeftDown(int x, int y);
    void MouseLeftUp(int x, int y);
    bool IsMouseOn(int x, int y, const DSubjElem& subject) const;
    // The subject under the point, the first in list order; null for none.
    DSubjElem* SubjectAt(int x, int y);
    // Whether the picture shows a sociogram of the current subject records,
    // so that the sociogram's lists may be walked.
    bool IsCurrent() const;

    // The overlay: the selected subject, its connections and the outline,
    // drawn on the picture, not on the background bitmap.
    void DrawSelection();
    // The picture becomes the background bitmap again; only what the last
    // overlay covered is copied back.
    void RestoreBackground();
    // The background drawn anew (for the start and the end of a drag), with
    // the overlay over it.
    void RedrawBackground();

    DTest& test_;
    DLanguage& language_;
    DGraphSoc& soc_;
    DGraphSocOverlay overlay_;
    // Whether the background leaves out the dragged subject.
    bool liftedOut_ = false;
    // A click on a box, not a drag, puts its ties in focus; a click on the
    // background ends it.
    void SetFocus(qint32 id);
    // The identifier of the subject the context menu was opened on; 0 over
    // the background.
    qint32 menuSubjectId_ = 0;
    bool current_ = false;
    const DSubjElem* drawnData_ = nullptr;
    std::size_t drawnCount_ = 0;
    // The box being dragged (index in the subject list, -1 for none) and
    // where it stood when the drag began: the whole drag is one step.
    qint32 dragSubject_ = -1;
    QPoint dragFrom_;
};
