#pragma once

#include "pages/TFormGraph.h"

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

protected:
    void DrawOptions() override;
    void DrawPicture(QImage& picture) override;
};
