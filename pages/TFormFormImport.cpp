#include "pages/TFormFormImport.h"
#include "kit/DMessages.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DCsvReader.h"
#include "model/EError.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
// A column's role as one number for a combo box item: -1 ignored, 0 the
// respondent, question x 100 + rank an answer.
int Code(const DFormImport::Column& column)
{
    switch (column.role)
    {
    case DFormImport::Role::Ignored:
        return -1;
    case DFormImport::Role::Respondent:
        return 0;
    default:
        return column.question * 100 + column.rank;
    }
}

DFormImport::Column FromCode(int code)
{
    if (code < 0)
        return {};
    if (code == 0)
        return {DFormImport::Role::Respondent, 0, 0};
    return {DFormImport::Role::Answer, code / 100, code % 100};
}

QTableWidget* MakeGrid(QWidget* parent, const char* name)
{
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(QLatin1String(name));
    grid->setColumnCount(3);
    grid->verticalHeader()->hide();
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->horizontalHeader()->setStretchLastSection(true);
    // The arrows go from cell to cell; Tab goes to the drop-down lists of
    // the rows, one after the other, and then on out of the grid, where
    // moving from cell to cell it would come round to the first forever.
    grid->setTabKeyNavigation(false);
    return grid;
}

QTableWidgetItem* TextItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    return item;
}
} // namespace

TFormFormImport::TFormFormImport(DTest& test, DLanguage& language, QWidget* parent, QWidget* centreOn)
    : TFormDialog(language, "FormFormImport", parent, centreOn), test_(test)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 0);

    FileGb = new QGroupBox(this);
    FileGb->setObjectName(QStringLiteral("FileGb"));
    auto* file = new QHBoxLayout(FileGb);
    FileEd = new QLineEdit(FileGb);
    FileEd->setObjectName(QStringLiteral("FileEd"));
    FileEd->setReadOnly(true);
    ChooseBt = new QPushButton(FileGb);
    ChooseBt->setObjectName(QStringLiteral("ChooseBt"));
    ChooseBt->setAutoDefault(false);
    connect(ChooseBt, &QPushButton::clicked, this, &TFormFormImport::ChooseBtClick);
    file->addWidget(FileEd, 1);
    file->addWidget(ChooseBt);
    layout->addWidget(FileGb);

    ColumnsGb = new QGroupBox(this);
    ColumnsGb->setObjectName(QStringLiteral("ColumnsGb"));
    auto* columns = new QVBoxLayout(ColumnsGb);
    ColumnsSg = MakeGrid(ColumnsGb, "ColumnsSg");
    columns->addWidget(ColumnsSg);
    layout->addWidget(ColumnsGb, 3);

    NamesGb = new QGroupBox(this);
    NamesGb->setObjectName(QStringLiteral("NamesGb"));
    auto* names = new QVBoxLayout(NamesGb);
    NamesSg = MakeGrid(NamesGb, "NamesSg");
    names->addWidget(NamesSg);
    layout->addWidget(NamesGb, 2);

    AddButtonBand(layout, 45, QMargins(0, 10, 0, 10), 6, 75);
    resize(640, 560);
}

void TFormFormImport::FormShow()
{
    DMessages::Handle(language_, "TFormFormImport::FormShow()",
                      [&]
                      {
                          form_.reset();
                          FileEd->clear();
                          ViewTexts();
                          DrawColumns();
                          DrawNames();
                          ChooseBt->setFocus();
                      });
}

void TFormFormImport::ViewTexts()
{
    setWindowTitle(language_.GetStr(27860));
    FileGb->setTitle(language_.GetStr(27870));
    ChooseBt->setText(language_.GetStr(27880));
    ColumnsGb->setTitle(language_.GetStr(27900));
    ColumnsSg->setAccessibleName(ColumnsGb->title());
    ColumnsSg->setHorizontalHeaderLabels({language_.GetStr(27910), language_.GetStr(27920), language_.GetStr(27930)});
    NamesGb->setTitle(language_.GetStr(27970));
    NamesSg->setAccessibleName(NamesGb->title());
    NamesSg->setHorizontalHeaderLabels({language_.GetStr(27975), language_.GetStr(27980), language_.GetStr(27985)});
    OkBb->setText(language_.GetStr(27994));
}

void TFormFormImport::ChooseBtClick()
{
    DMessages::Handle(language_, "TFormFormImport::ChooseBtClick()",
                      [&]
                      {
                          const QString path = openDialog_
                                                   ? openDialog_()
                                                   : QFileDialog::getOpenFileName(this, language_.GetStr(27860),
                                                                                  QString(), language_.GetStr(27890));
                          if (!path.isEmpty())
                              LoadFile(path);
                      });
}

void TFormFormImport::LoadFile(const QString& path)
{
    // Read in full before anything shown is replaced.
    auto form = std::make_unique<DFormImport>(DCsvReader::ReadFile(path), path, test_.subj.List(), test_.desi);
    form_ = std::move(form);
    FileEd->setText(path);
    DrawColumns();
    DrawNames();
}

void TFormFormImport::DrawColumns()
{
    ColumnsSg->setRowCount(form_ ? form_->ColumnCount() : 0);
    if (!form_)
        return;
    QWidget* before = ColumnsSg;
    for (qint32 c = 0; c < form_->ColumnCount(); ++c)
    {
        const QString column = QStringLiteral("%1. %2").arg(c + 1).arg(form_->Header().at(c));
        ColumnsSg->setItem(c, 0, TextItem(column));
        ColumnsSg->setItem(c, 1, TextItem(form_->Sample(c)));
        auto* holds = new QComboBox(ColumnsSg);
        holds->setObjectName(QStringLiteral("HoldsCb%1").arg(c + 1));
        // A screen reader on Linux takes the choice as a drop-down's name,
        // and what it chooses from the description.
        holds->setAccessibleName(language_.GetMsg(35570, {column}));
        holds->setAccessibleDescription(holds->accessibleName());
        holds->addItem(language_.GetStr(27940), -1);
        holds->addItem(language_.GetStr(27950), 0);
        for (qint32 q = 1; q <= form_->Questions(); ++q)
            for (qint32 r = 1; r <= form_->Ranks(); ++r)
                holds->addItem(language_.GetMsg(27960, {q, r}), q * 100 + r);
        // A guess beyond the test stays visible, so that the refusal it
        // earns on import can be read against it here.
        const int code = Code(form_->Columns().at(c));
        if (holds->findData(code) < 0)
            holds->addItem(language_.GetMsg(27960, {code / 100, code % 100}), code);
        holds->setCurrentIndex(holds->findData(code));
        connect(holds, &QComboBox::currentIndexChanged, this,
                [this, holds, c]
                {
                    DMessages::Handle(language_, "TFormFormImport::HoldsCbChange()",
                                      [&]
                                      {
                                          form_->SetColumn(c, FromCode(holds->currentData().toInt()));
                                          DrawNames();
                                      });
                });
        ColumnsSg->setCellWidget(c, 2, holds);
        setTabOrder(before, holds);
        before = holds;
    }
    ColumnsSg->resizeColumnToContents(0);
    ColumnsSg->setColumnWidth(0, qMin(ColumnsSg->columnWidth(0), 220));
    ColumnsSg->setColumnWidth(1, 160);
}

void TFormFormImport::DrawNames()
{
    const QList<DFormImport::Name> names = form_ ? form_->Problems() : QList<DFormImport::Name>();
    NamesSg->setRowCount(qint32(names.size()));
    const DSubjList& list = test_.subj.List();
    QWidget* before = NamesSg;
    for (qint32 i = 0; i < names.size(); ++i)
    {
        const DFormImport::Name& name = names[i];
        const bool ambiguous = name.match.kind == DSubjMatch::Kind::Ambiguous;
        NamesSg->setItem(i, 0, TextItem(name.text));
        NamesSg->setItem(i, 1,
                         TextItem(ambiguous ? language_.GetMsg(27991, {int(name.match.candidates.size())})
                                            : language_.GetStr(27990)));
        auto* standsFor = new QComboBox(NamesSg);
        standsFor->setObjectName(QStringLiteral("StandsForCb%1").arg(i + 1));
        standsFor->setAccessibleName(language_.GetMsg(35580, {name.text}));
        standsFor->setAccessibleDescription(standsFor->accessibleName());
        standsFor->addItem(language_.GetStr(27992), DFormImport::kNone);
        standsFor->addItem(language_.GetStr(27993), DFormImport::kSkipRows);
        // The subjects the name fits come first; then the whole class.
        const auto addSubject = [&](qint32 index)
        {
            standsFor->addItem(QStringLiteral("%1. %2").arg(index + 1).arg(list.GetSelected(index).appe.ToString(true)),
                               index);
        };
        for (const qint32 index : name.match.candidates)
            addSubject(index);
        for (qint32 index = 0; index < list.GetSize(); ++index)
            if (!name.match.candidates.contains(index))
                addSubject(index);
        standsFor->setCurrentIndex(qMax(0, standsFor->findData(form_->Resolution(name.text))));
        const QString text = name.text;
        connect(standsFor, &QComboBox::currentIndexChanged, this,
                [this, standsFor, text] { form_->Resolve(text, standsFor->currentData().toInt()); });
        NamesSg->setCellWidget(i, 2, standsFor);
        setTabOrder(before, standsFor);
        before = standsFor;
    }
    NamesSg->setColumnWidth(0, 200);
    NamesSg->resizeColumnToContents(1);
}

void TFormFormImport::OkBbClick()
{
    bool imported = false;
    DMessages::Handle(language_, "TFormFormImport::OkBbClick()",
                      [&]
                      {
                          if (!form_)
                              throw EError(27995);
                          form_->Apply(test_.desi);
                          imported = true;
                      });
    if (imported)
        accept();
}
