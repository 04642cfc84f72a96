#pragma once

#include "kit/TFormDialog.h"

#include <QString>
#include <QStringList>

#include <functional>

class DLanguage;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QUrl;

// The information dialog: software version, release date, acknowledgements
// and the contact address, which opens the user's mail program.
class TFormInfo : public TFormDialog
{
    Q_OBJECT
public:
    // The dialog is centred on `main` whenever it is shown.
    TFormInfo(DLanguage& language, QWidget& main, QWidget* parent = nullptr);

    static QString Version() { return QStringLiteral("1.1.0"); }
    static QString ReleaseDate() { return QStringLiteral("18/03/2012"); }
    static QString Email() { return QStringLiteral("kaleidocircle@example.org"); }
    static QStringList Thanks();

    void ViewDesc();
    void FormShow();
    void EmailLlClick();

    // Hands an address to the system; by default QDesktopServices::openUrl,
    // replaceable so tests need no mail program.
    using UrlOpener = std::function<bool(const QUrl&)>;
    void SetUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }

    QGroupBox* GroupBox1 = nullptr;
    QLabel* VersSt = nullptr;
    QLabel* DateSt = nullptr;
    QGroupBox* ThanksGb = nullptr;
    QPlainTextEdit* ThanksMm = nullptr;
    QGroupBox* EmailGb = nullptr;
    QLabel* EmailSt = nullptr;
    QLabel* EmailLl = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    UrlOpener urlOpener_;
};
