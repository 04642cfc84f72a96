#include "pages/TFormCsvOpt.h"

#include "kit/TSaveDialog.h"
#include "lang/DLanguage.h"
#include "model/DFileWriter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace
{
using Separator = DCsv::Options::Separator;
using Decimal = DCsv::Options::Decimal;

const QString kPlainSuffix = QStringLiteral("txt");
const QString kSheetSuffix = QStringLiteral("csv");
const char* const kSaveDialogName = "CsvSaveDlg";

QRadioButton* AddRadio(QGroupBox* box, QVBoxLayout* layout, const char* name)
{
    auto* button = new QRadioButton(box);
    button->setObjectName(QLatin1String(name));
    layout->addWidget(button);
    return button;
}
} // namespace

TFormCsvOpt::TFormCsvOpt(DLanguage& language, bool offerCategories, QWidget* parent)
    : TFormDialog(language, "FormCsvOpt", parent), offerCategories_(offerCategories)
{
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* body = new QWidget(this);
    auto* fields = new QVBoxLayout(body);
    fields->setContentsMargins(12, 12, 12, 0);
    fields->setSpacing(8);

    SepGb = new QGroupBox(body);
    SepGb->setObjectName(QStringLiteral("SepGb"));
    auto* separators = new QVBoxLayout(SepGb);
    SepCommaRb = AddRadio(SepGb, separators, "SepCommaRb");
    SepSemicolonRb = AddRadio(SepGb, separators, "SepSemicolonRb");
    SepTabRb = AddRadio(SepGb, separators, "SepTabRb");
    fields->addWidget(SepGb);

    DecGb = new QGroupBox(body);
    DecGb->setObjectName(QStringLiteral("DecGb"));
    auto* marks = new QVBoxLayout(DecGb);
    DecPointRb = AddRadio(DecGb, marks, "DecPointRb");
    DecCommaRb = AddRadio(DecGb, marks, "DecCommaRb");
    fields->addWidget(DecGb);

    BomCb = new QCheckBox(body);
    BomCb->setObjectName(QStringLiteral("BomCb"));
    fields->addWidget(BomCb);
    CatCb = new QCheckBox(body);
    CatCb->setObjectName(QStringLiteral("CatCb"));
    CatCb->setVisible(offerCategories);
    fields->addWidget(CatCb);
    fields->addStretch(1);
    layout->addWidget(body, 1);

    AddButtonBand(layout, 60, QMargins(0, 19, 0, 16), 6, 76);
    ViewDesc();
}

void TFormCsvOpt::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        ViewDesc();
    TFormDialog::showEvent(event);
}

void TFormCsvOpt::ViewDesc()
{
    setWindowTitle(language_.GetStr(28720));
    SepGb->setTitle(language_.GetStr(28730));
    SepCommaRb->setText(language_.GetStr(28740));
    SepSemicolonRb->setText(language_.GetStr(28750));
    SepTabRb->setText(language_.GetStr(28760));
    DecGb->setTitle(language_.GetStr(28770));
    DecPointRb->setText(language_.GetStr(28780));
    DecCommaRb->setText(language_.GetStr(28790));
    BomCb->setText(language_.GetStr(28800));
    CatCb->setText(language_.GetStr(28810));
}

void TFormCsvOpt::SetChoice(const DCsv::Options& options, bool categories)
{
    SepCommaRb->setChecked(options.separator == Separator::Comma);
    SepSemicolonRb->setChecked(options.separator == Separator::Semicolon);
    SepTabRb->setChecked(options.separator == Separator::Tab);
    DecPointRb->setChecked(options.decimal == Decimal::Point);
    DecCommaRb->setChecked(options.decimal == Decimal::Comma);
    BomCb->setChecked(options.byteOrderMark);
    CatCb->setChecked(categories && offerCategories_);
}

DCsv::Options TFormCsvOpt::Options() const
{
    DCsv::Options options;
    options.separator = SepSemicolonRb->isChecked() ? Separator::Semicolon
                        : SepTabRb->isChecked()     ? Separator::Tab
                                                    : Separator::Comma;
    options.decimal = DecCommaRb->isChecked() ? Decimal::Comma : Decimal::Point;
    options.byteOrderMark = BomCb->isChecked();
    return options;
}

bool TFormCsvOpt::Categories() const
{
    return offerCategories_ && CatCb->isChecked();
}

bool TFormCsvOpt::IsPlainFile(const QString& path)
{
    return path.endsWith(QLatin1Char('.') + kPlainSuffix, Qt::CaseInsensitive);
}

QString TFormCsvOpt::AskPath(QWidget* parent, const DLanguage& language)
{
    return TSaveDialog::Ask(parent, kSaveDialogName, QString(),
                            {{language.GetStr(28710), kSheetSuffix}, {language.GetStr(35310), kPlainSuffix}});
}

std::optional<TFormCsvOpt::Choice> TFormCsvOpt::Ask(QWidget* parent, DLanguage& language, bool offerCategories,
                                                    const Dialogs& dialogs)
{
    Choice choice;
    choice.path = dialogs.path ? dialogs.path() : AskPath(parent, language);
    if (choice.path.isEmpty())
        return std::nullopt;
    if (IsPlainFile(choice.path))
        return choice;

    TFormCsvOpt form(language, offerCategories, parent);
    form.SetChoice(DCsv::Options::ForSpreadsheet(language.GetLanguage()), true);
    const bool accepted = dialogs.options ? dialogs.options(form) : form.exec() == QDialog::Accepted;
    if (!accepted)
        return std::nullopt;
    choice.options = form.Options();
    choice.categories = form.Categories();
    return choice;
}

bool TFormCsvOpt::Export(QWidget* parent, DLanguage& language, const Dialogs& dialogs,
                         const std::function<QByteArray(const DCsv::Options&)>& bytes)
{
    const std::optional<Choice> choice = Ask(parent, language, false, dialogs);
    if (!choice)
        return false;
    DFileWriter::Write(choice->path, bytes(choice->options));
    return true;
}
