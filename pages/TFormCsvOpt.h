#pragma once

#include "kit/TFormDialog.h"
#include "model/DCsv.h"

#include <QString>

#include <functional>
#include <optional>

class DLanguage;
class QCheckBox;
class QGroupBox;
class QRadioButton;

// How a table is written for a spreadsheet: separator, decimal mark,
// byte-order mark and, for the metric table, the category column. Every
// export of a table asks through Ask, so that they all offer the same.
class TFormCsvOpt : public TFormDialog
{
    Q_OBJECT
public:
    // offerCategories: the table can add each subject's category.
    TFormCsvOpt(DLanguage& language, bool offerCategories, QWidget* parent = nullptr);

    // Shows the choice in the controls, and reads it back.
    void SetChoice(const DCsv::Options& options, bool categories);
    DCsv::Options Options() const;
    bool Categories() const;

    // Where and how a table is to be written.
    struct Choice
    {
        QString path;
        DCsv::Options options;
        bool categories = false;
    };
    // The two questions of an export; tests replace them so that nothing
    // modal is shown. path gives the file (empty when cancelled); options
    // runs the dialog, true when accepted.
    struct Dialogs
    {
        std::function<QString()> path;
        std::function<bool(TFormCsvOpt&)> options;
    };
    // Asks for a file: a .txt gets the plain file earlier versions wrote
    // (comma, full stop, no mark, no further column); any other name is for
    // a spreadsheet and asks how, offering what the interface language's
    // spreadsheets expect.
    // Nothing when the user cancelled either question.
    static std::optional<Choice> Ask(QWidget* parent, DLanguage& language, bool offerCategories,
                                     const Dialogs& dialogs = {});
    // Asks as Ask does (never offering the category column) and writes the
    // table that bytes gives for the options chosen through DFileWriter;
    // false when the user cancelled.
    static bool Export(QWidget* parent, DLanguage& language, const Dialogs& dialogs,
                       const std::function<QByteArray(const DCsv::Options&)>& bytes);
    // Whether a path names the plain file.
    static bool IsPlainFile(const QString& path);

    QGroupBox* SepGb = nullptr;
    QRadioButton* SepCommaRb = nullptr;
    QRadioButton* SepSemicolonRb = nullptr;
    QRadioButton* SepTabRb = nullptr;
    QGroupBox* DecGb = nullptr;
    QRadioButton* DecPointRb = nullptr;
    QRadioButton* DecCommaRb = nullptr;
    QCheckBox* BomCb = nullptr;
    QCheckBox* CatCb = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ViewDesc();
    // The save dialog, kept by the parent so that it remembers the folder
    // of the last export.
    static QString AskPath(QWidget* parent, const DLanguage& language);

    bool offerCategories_;
};
