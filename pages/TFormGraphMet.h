#pragma once

#include "pages/TFormGraph.h"

// The metric table page: the in-degree and out-degree indices of every
// subject, with the questions counted and the order of the rows as options,
// and the export of the table as comma-separated text.
class TFormGraphMet : public TFormGraph
{
    Q_OBJECT
public:
    TFormGraphMet(DTest& test, DLanguage& language, QWidget* parent = nullptr);

    void ViewDesc() override;

    // The export: asks for a file and how to write it, and writes the table
    // into it. A failure is shown with its reason.
    void FileExpSbClick();

    QToolButton* FileExpSb = nullptr;
    QGroupBox* OptQuesGb = nullptr;
    QListWidget* OptQuesLb = nullptr;
    QGroupBox* OptOrderGb = nullptr;
    QComboBox* OptOrderCb = nullptr;
    QGroupBox* OptWeightGb = nullptr;
    QComboBox* OptWeightCb = nullptr;

protected:
    void DrawOptions() override;
    void DrawPicture(QImage& picture) override;

private:
    void WriteCsv(const TFormCsvOpt::Choice& choice);
};
