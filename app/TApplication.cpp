#include "app/TApplication.h"

#include "app/TFormMain.h"
#include "document/DTest.h"
#include "kit/DToolkitTexts.h"
#include "kit/TFocusFrame.h"
#include "lang/DLanguage.h"
#include "pages/TFormCompare.h"
#include "pages/TFormDesi.h"
#include "pages/TFormFormImport.h"
#include "pages/TFormGraphBar.h"
#include "pages/TFormGraphMet.h"
#include "pages/TFormGraphSoc.h"
#include "pages/TFormGraphTar.h"
#include "pages/TFormGroups.h"
#include "pages/TFormInfo.h"
#include "pages/TFormLang.h"
#include "pages/TFormQues.h"
#include "pages/TFormSubj.h"

#include <QApplication>
#include <QIcon>

TApplication::TApplication(DTest& test, DLanguage& language)
{
    // The main window comes first and owns everything else. The pages create
    // their own option and import dialogs once, as their children, so those
    // open centred over the main window and live until the end of the run.
    // The toolkit's own texts (standard buttons, file dialogs) speak the
    // interface language from the first window on.
    DToolkitTexts::Apply(language.GetLanguage());
    // Grids, lists and pictures show where Tab has put the focus.
    TFocusFrame::Follow();
    formMain_ = std::make_unique<TFormMain>(test, language);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kaleidocircle.png")));
    TFormMain& main = *formMain_;

    TFormPages pages;
    pages.FormSubj = new TFormSubj(test, language, main);
    pages.FormQues = new TFormQues(test, language, main);
    pages.FormDesi = new TFormDesi(test, language, main);
    pages.FormGraphBar = new TFormGraphBar(test, language);
    pages.FormGraphSoc = new TFormGraphSoc(test, language);
    pages.FormGraphTar = new TFormGraphTar(test, language);
    pages.FormGraphMet = new TFormGraphMet(test, language);
    main.SetPages(pages);

    // The language dialog takes the pages from the main window when the user
    // confirms, so it re-texts exactly the pages the tabs hold.
    auto* formLang = new TFormLang(language, main, {}, &main);
    auto* formInfo = new TFormInfo(language, main, &main);
    main.SetLangDialog([formLang] { formLang->exec(); });
    main.SetInfoDialog([formInfo] { formInfo->exec(); });
    auto* formGroups = new TFormGroups(test, language, &main, &main);
    formGroups->SetShowGroups([soc = pages.FormGraphSoc] { soc->Draw(); });
    main.SetGroupsDialog(
        [formGroups]
        {
            formGroups->FormShow();
            formGroups->exec();
        });
    auto* formCompare = new TFormCompare(test, language, &main, &main);
    main.SetCompareDialog(
        [formCompare](std::unique_ptr<DTest> other, const QString& path)
        {
            formCompare->FormShow(std::move(other), path);
            formCompare->exec();
        });
    auto* formImport = new TFormFormImport(test, language, &main, &main);
    main.SetFormImportDialog(
        [formImport]
        {
            formImport->FormShow();
            return formImport->exec() == QDialog::Accepted ? formImport->Summary() : QString();
        });
}

TApplication::~TApplication() = default;

void TApplication::Show()
{
    formMain_->show();
}
