#pragma once

#include "kit/TFormDialog.h"

#include <vector>

class DLanguage;
class TFormHost;
class TFormPage;
class QCheckBox;
class QGroupBox;
class QListWidget;

// The language dialog: the user picks English or Italian and every window
// takes its texts in the new language at once. The colours of the analyses,
// the other setting of the user's own, are chosen here too.
class TFormLang : public TFormDialog
{
    Q_OBJECT
public:
    // The pages are re-texted and redrawn in the given order after a change;
    // with no list the main window's pages of the moment are taken, so the
    // dialog may be created before the pages exist.
    TFormLang(DLanguage& language, TFormHost& main, std::vector<TFormPage*> pages = {}, QWidget* parent = nullptr);

    void SetPages(std::vector<TFormPage*> pages) { pages_ = std::move(pages); }

    void ViewDesc();
    // Refills the list with the current language selected; runs whenever the
    // dialog is shown.
    void FormShow();
    // Applies the selected language to every window and closes the dialog.
    void OkBbClick() override;

    QGroupBox* Gb = nullptr;
    QListWidget* Lb = nullptr;
    QCheckBox* SafeCb = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::vector<TFormPage*> Pages() const;

    TFormHost& main_;
    std::vector<TFormPage*> pages_;
};
