#pragma once

#include <functional>

class QString;
class QTextDocument;
class QWidget;

// Printing a page's text: the document in the toolkit's print preview, from
// which the user picks the printer and prints. The preview lays the document
// out on the printer's pages.
class DPrintPreview
{
public:
    static void Show(QWidget* parent, const QString& title, const QTextDocument& document);

    // Where a page hands its document: the preview, or a test's stand-in.
    using Dialog = std::function<void(const QTextDocument& document)>;
    static void Show(QWidget* parent, const QString& title, const QTextDocument& document, const Dialog& dialog);
};
