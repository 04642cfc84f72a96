#include "kit/TSaveDialog.h"

#include <QFileDialog>

QString TSaveDialog::Ask(QWidget* parent, const char* name, const QString& title, const QList<Kind>& kinds,
                         const QString& suggested)
{
    auto* dialog = parent->findChild<QFileDialog*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    if (!dialog)
    {
        dialog = new QFileDialog(parent);
        dialog->setObjectName(QLatin1String(name));
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setSizeGripEnabled(true);
    }
    // Set on every run: the language may have changed since the last one.
    QStringList filters;
    for (const Kind& kind : kinds)
        filters << kind.filter;
    dialog->disconnect(parent);
    QObject::connect(dialog, &QFileDialog::filterSelected, parent,
                     [dialog, kinds](const QString& filter)
                     {
                         for (const Kind& kind : kinds)
                             if (filter == kind.filter)
                                 dialog->setDefaultSuffix(kind.suffix);
                     });
    if (!title.isEmpty())
        dialog->setWindowTitle(title);
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.value(0));
    dialog->setDefaultSuffix(kinds.value(0).suffix);
    if (!suggested.isEmpty())
        dialog->selectFile(suggested);
    dialog->setWindowModality(Qt::ApplicationModal);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().first();
}
