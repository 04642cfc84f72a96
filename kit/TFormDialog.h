#pragma once

#include <QDialog>

class DLanguage;
class QBoxLayout;
class QGroupBox;
class QLayout;
class QPushButton;

// Base of the application's dialogs: their font, the OK and Cancel buttons
// in a band across the bottom and, for the dialogs of the main window,
// centring on it every time they are shown.
class TFormDialog : public QDialog
{
    Q_OBJECT
public:
    // The OK button's handler: closes the dialog as accepted; a dialog that
    // first checks or applies its settings replaces it.
    virtual void OkBbClick() { accept(); }

    QPushButton* OkBb = nullptr;
    QPushButton* CancelB = nullptr;

protected:
    // name: the object name. centreOn: the window the dialog is centred on
    // whenever it is shown, which may have moved since; without one the
    // toolkit places the dialog over its parent.
    TFormDialog(DLanguage& language, const char* name, QWidget* parent, QWidget* centreOn = nullptr);

    // Adds the band with the buttons, `height` high, to the bottom of the
    // layout: OK (okWidth x 25, the default button) and Cancel (75 x 25),
    // `spacing` apart and centred between the margins.
    void AddButtonBand(QBoxLayout* layout, int height, const QMargins& margins, int spacing, int okWidth);
    // Places a group box's contents at the given distances from the box's
    // outer edges; the box's own frame and title already take part of them.
    static void SetBoxMargins(QGroupBox* box, QLayout* layout, int left, int top, int right, int bottom);

    void showEvent(QShowEvent* event) override;
    // The toolkit's texts of OK and Cancel follow a change of its language,
    // and the width follows the title.
    void changeEvent(QEvent* event) override;
    // ... and the contents, once their layout has taken new texts.
    bool event(QEvent* event) override;

    DLanguage& language_;

private:
    void ViewButtonTexts();
    // Widens the dialog, never narrowing it, until its title and the least
    // width of its contents fit: texts differ in length between languages.
    void FitTexts();

    QWidget* centreOn_;
};
