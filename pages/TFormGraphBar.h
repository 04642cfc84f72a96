#pragma once

#include "pages/TFormGraph.h"

// The bar graph page: the acceptances and rejections every subject received,
// with the bar type, the questions counted, the order of the subjects and the
// scale as options.
class TFormGraphBar : public TFormGraph
{
    Q_OBJECT
public:
    TFormGraphBar(DTest& test, DLanguage& language, QWidget* parent = nullptr);

    void ViewDesc() override;

    QGroupBox* OptTypeGb = nullptr;
    QComboBox* OptTypeCb = nullptr;
    QGroupBox* OptQuesGb = nullptr;
    QListWidget* OptQuesLb = nullptr;
    QGroupBox* OptOrderGb = nullptr;
    QComboBox* OptOrderCb = nullptr;
    QGroupBox* OptScaleGb = nullptr;
    QComboBox* OptScaleCb = nullptr;
    QGroupBox* OptWeightGb = nullptr;
    QComboBox* OptWeightCb = nullptr;

protected:
    void DrawOptions() override;
    void DrawPicture(QImage& picture) override;
};
