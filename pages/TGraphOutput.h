#pragma once

#include "analyses/DGraphPainting.h"

#include <QObject>
#include <QString>

#include <functional>

class DLanguage;
class DTest;
class QPrinter;
class QToolButton;
class QWidget;

// The two ways an analysis page's picture leaves the program besides the
// clipboard: Print... (a preview, then the print dialog) and Save picture
// as... (PNG, SVG or PDF). Both draw the analysis afresh with the same
// painter as the screen, on the printer or file surface, with a caption
// that explains the picture; the screen and the clipboard never show it.
class TGraphOutput : public QObject
{
    Q_OBJECT
public:
    // Puts the two strip buttons on strip, one below the other from y.
    // module: the page's class name, which the handlers report in errors.
    TGraphOutput(DTest& test, DLanguage& language, DGraphPainting::Analysis analysis, const char* module,
                 QWidget* strip, int y);

    // Re-reads the buttons' hints in the current language.
    void ViewDesc();
    // Moves the two buttons to start at y.
    void MoveTo(int y);

    // The picture with its caption, as printed and saved. Raises EError.
    DGraphPainting Painting() const;
    // Paints the picture on the printer's page: fitted to the printable
    // area keeping its shape, centred across the page.
    void PrintTo(QPrinter& printer) const;
    // Writes the picture to path in the format its extension names.
    void SaveTo(const QString& path) const;

    void PrintSbClick();
    void SavePicSbClick();

    // The save dialog (an empty path means cancelled) and the print run
    // (preview and dialog). Tests replace them so that nothing modal is shown.
    void SetSaveDialog(std::function<QString()> dialog) { saveDialog_ = std::move(dialog); }
    void SetPrintDialog(std::function<void(QPrinter&)> dialog) { printDialog_ = std::move(dialog); }

    QToolButton* PrintSb = nullptr;
    QToolButton* SavePicSb = nullptr;

private:
    QString AskPath() const;
    void RunPreview(QPrinter& printer) const;

    DTest& test_;
    DLanguage& language_;
    DGraphPainting::Analysis analysis_;
    QWidget* parent_;
    QByteArray printModule_;
    QByteArray saveModule_;
    std::function<QString()> saveDialog_;
    std::function<void(QPrinter&)> printDialog_;
};
