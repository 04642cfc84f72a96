#pragma once

#include <functional>

class QPrinter;
class QString;
class QTextDocument;
class QWidget;

// Printing from a page: what the page paints, in the toolkit's print
// preview, from which the user picks the printer and prints. Every page
// prints this way, text or picture.
class DPrintPreview
{
public:
    // paint draws on the printer's pages each time the preview asks; an
    // EError it raises is raised again once the preview is closed, so the
    // page's handler shows it.
    using Paint = std::function<void(QPrinter& printer)>;
    static void Show(QWidget* parent, const QString& title, QPrinter& printer, const Paint& paint);

    // A text document, laid out on the printer's pages.
    static void Show(QWidget* parent, const QString& title, const QTextDocument& document);

    // Where a page hands its document: the preview, or a test's stand-in.
    using Dialog = std::function<void(const QTextDocument& document)>;
    static void Show(QWidget* parent, const QString& title, const QTextDocument& document, const Dialog& dialog);
};
