#include "kit/DPrintPreview.h"

#include "model/EError.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include <optional>

void DPrintPreview::Show(QWidget* parent, const QString& title, QPrinter& printer, const Paint& paint)
{
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title);
    // The preview paints from the event loop: a failure waits until it is closed.
    std::optional<EError> failure;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target)
                     {
                         try
                         {
                             paint(*target);
                         }
                         catch (const EError& e)
                         {
                             failure = e;
                         }
                     });
    preview.exec();
    if (failure)
        throw *failure;
}

void DPrintPreview::Show(QWidget* parent, const QString& title, const QTextDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    Show(parent, title, printer, [&document](QPrinter& target) { document.print(&target); });
}

void DPrintPreview::Show(QWidget* parent, const QString& title, const QTextDocument& document, const Dialog& dialog)
{
    if (dialog)
        dialog(document);
    else
        Show(parent, title, document);
}
