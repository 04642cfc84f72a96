#pragma once

#include <QWidget>

#include <functional>

class DLanguage;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

// The user guide inside the program, in the interface language: the table of
// contents beside the text, a search field, and the PDF guide for printing or
// reading elsewhere. It needs no viewer and no file on the machine, so help
// always opens.
class TFormHelp : public QWidget
{
    Q_OBJECT
public:
    explicit TFormHelp(DLanguage& language, QWidget* parent = nullptr);

    // The texts and the guide in the language now chosen.
    void ViewDesc();

    // Handlers, public so that tests can drive them as the user would.
    void FindBbClick();
    void PdfBbClick();
    void ContentsTvClick(QTreeWidgetItem* item);

    // Hands the PDF guide to the system; by default QDesktopServices::openUrl,
    // replaceable so tests need no PDF viewer.
    using UrlOpener = std::function<bool(const QUrl&)>;
    void SetUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }

    QTreeWidget* ContentsTv = nullptr;
    QTextBrowser* GuideTb = nullptr;
    QLabel* FindLb = nullptr;
    QLineEdit* FindEd = nullptr;
    QPushButton* FindBb = nullptr;
    QPushButton* PdfBb = nullptr;
    QLabel* StatusSt = nullptr;

private:
    void FillContents();

    DLanguage& language_;
    UrlOpener urlOpener_;
    // The language the guide was last loaded in; -1 before any.
    int shownLanguage_ = -1;
};
