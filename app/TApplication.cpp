#include "app/TApplication.h"

#include "app/TFormMain.h"
#include "app/TFormPage.h"

#include <QApplication>
#include <QIcon>

TApplication::TApplication(DTest& test, DLanguage& language)
{
    // Creation order: the main window, then the pages and dialogs in the
    // order in which they may rely on the ones before. The main window owns
    // every page; a page that is still an empty placeholder is a plain
    // TFormPage.
    formMain_ = std::make_unique<TFormMain>(test, language);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kaleidocircle.png")));
    TFormPages pages;
    pages.FormSubj = new TFormPage;
    pages.FormQues = new TFormPage;
    // FormSubjImp, FormQuesOpt
    pages.FormDesi = new TFormPage;
    // FormSubjOpt, FormLang
    pages.FormGraphBar = new TFormPage;
    pages.FormGraphSoc = new TFormPage;
    pages.FormGraphTar = new TFormPage;
    // FormDesiOpt, FormInfo
    pages.FormGraphMet = new TFormPage;
    formMain_->SetPages(pages);
}

TApplication::~TApplication() = default;

void TApplication::Show()
{
    formMain_->show();
}
