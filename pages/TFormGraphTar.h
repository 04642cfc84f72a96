#pragma once

#include "pages/TFormGraph.h"

class QPushButton;
class QSplitter;
class QTableWidget;

// The target diagram page: the subjects in their sociometric categories,
// with the categorisation algorithm, the questions counted and the size of
// the subject boxes as options.
class TFormGraphTar : public TFormGraph
{
    Q_OBJECT
public:
    TFormGraphTar(DTest& test, DLanguage& language, QWidget* parent = nullptr);

    void ViewDesc() override;

    QGroupBox* OptStatGb = nullptr;
    QComboBox* OptStatCb = nullptr;
    QGroupBox* OptQuesGb = nullptr;
    QListWidget* OptQuesLb = nullptr;
    QGroupBox* OptSubjDimGb = nullptr;
    QComboBox* OptSubjDimCb = nullptr;

    // The categories panel beside the diagram: the criteria of every
    // categorisation, the categories table and the group indices, refilled
    // with every drawing, even when the diagram itself cannot be drawn.
    // The splitter shares the width between the diagram and the panel; the
    // strip's toggle shows or hides the panel, as remembered for the user.
    QSplitter* CatSp = nullptr;
    QToolButton* CatSb = nullptr;
    QWidget* CatPn = nullptr;
    QScrollArea* CatCriteriaPn = nullptr;
    QLabel* CatCriteriaSt = nullptr;
    QTableWidget* CatSg = nullptr;
    QLabel* CatIndicesSt = nullptr;
    QPushButton* CatCopyBt = nullptr;
    QPushButton* CatExpBt = nullptr;

    // Copies the criteria, the table and the indices as text; exports the
    // table as comma-separated text.
    void CatCopyBtClick();
    void CatExpBtClick();
    // Shows or hides the panel and remembers the choice.
    void CatSbClick();

protected:
    void DrawOptions() override;
    void DrawPicture(QImage& picture) override;
    void resizeEvent(QResizeEvent* event) override;
    void PictureShown() override;

private:
    void DrawCategories();
    // Until the user drags the splitter, the diagram gets the width its
    // picture needs when scaled to the page's height, as far as the panel's
    // least width allows, and the panel the rest.
    void FitSplit(const QSize& picture);

    bool splitMoved_ = false;
};
