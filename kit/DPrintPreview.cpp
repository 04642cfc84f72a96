#include "kit/DPrintPreview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

void DPrintPreview::Show(QWidget* parent, const QString& title, const QTextDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document](QPrinter* target) { document.print(target); });
    preview.exec();
}

void DPrintPreview::Show(QWidget* parent, const QString& title, const QTextDocument& document, const Dialog& dialog)
{
    if (dialog)
        dialog(document);
    else
        Show(parent, title, document);
}
