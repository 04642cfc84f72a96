#include "pages/TFormFormImport.h"
#include "kit/DMessages.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DCsvReader.h"
#include "model/DFileReader.h"
#include "model/EError.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardItemModel>
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

QTableWidget* MakeGrid(QWidget* parent, const char* name, int columns)
{
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(QLatin1String(name));
    grid->setColumnCount(columns);
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

// A drop-down list whose size is given: thousands of lists that share their
// items need not each measure every item's text to size themselves.
class TSizedCombo : public QComboBox
{
public:
    TSizedCombo(QWidget* parent, QSize size) : QComboBox(parent), size_(size) {}
    QSize sizeHint() const override { return size_.isValid() ? size_ : QComboBox::sizeHint(); }
    QSize minimumSizeHint() const override { return size_.isValid() ? size_ : QComboBox::minimumSizeHint(); }

private:
    QSize size_;
};

// The size of a drop-down list of the shared items, measured once.
QSize SizeOf(QStandardItemModel* items, QWidget* parent)
{
    QComboBox sample(parent);
    sample.setModel(items);
    return sample.sizeHint();
}

QTableWidgetItem* TextItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    return item;
}

void AddItem(QStandardItemModel* items, const QString& text, int data)
{
    auto* item = new QStandardItem(text);
    item->setData(data, Qt::UserRole);
    items->appendRow(item);
}

// Empties a grid whose drop-down lists may outlive it for a while: they
// must not take the emptying of their shared items for the user's choice.
void Empty(QTableWidget* grid)
{
    for (int row = 0; row < grid->rowCount(); ++row)
        if (QWidget* combo = grid->cellWidget(row, grid->columnCount() - 1))
            combo->blockSignals(true);
    grid->setRowCount(0);
}

// The same problem at the same place: a word of the user left it as it was.
bool SameProblems(const QList<DFormImport::Name>& a, const QList<DFormImport::Name>& b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
                      [](const DFormImport::Name& x, const DFormImport::Name& y)
                      {
                          return x.problem == y.problem && x.text == y.text && x.line == y.line &&
                                 x.column == y.column && x.lines == y.lines;
                      });
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
    ColumnsSg = MakeGrid(ColumnsGb, "ColumnsSg", 3);
    columns->addWidget(ColumnsSg);
    layout->addWidget(ColumnsGb, 3);

    NamesGb = new QGroupBox(this);
    NamesGb->setObjectName(QStringLiteral("NamesGb"));
    auto* names = new QVBoxLayout(NamesGb);
    NamesSg = MakeGrid(NamesGb, "NamesSg", 4);
    names->addWidget(NamesSg);
    layout->addWidget(NamesGb, 2);

    AddButtonBand(layout, 45, QMargins(0, 10, 0, 10), 6, 75);
    holdsItems_ = new QStandardItemModel(this);
    subjectItems_ = new QStandardItemModel(this);
    resize(640, 560);
}

void TFormFormImport::FormShow()
{
    DMessages::Handle(language_, "TFormFormImport::FormShow()",
                      [&]
                      {
                          form_.reset();
                          summary_.clear();
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
    NamesSg->setHorizontalHeaderLabels(
        {language_.GetStr(37281), language_.GetStr(27975), language_.GetStr(27980), language_.GetStr(27985)});
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

DFormImport::Progress TFormFormImport::ProgressOf(QProgressDialog& bar)
{
    bar.setWindowTitle(windowTitle());
    bar.setCancelButtonText(language_.GetStr(36620));
    bar.setRange(0, 1000);
    bar.setMinimumDuration(400);
    bar.setWindowModality(Qt::WindowModal);
    bar.setAutoReset(false);
    return [&bar](qint64 done, qint64 total)
    {
        bar.setValue(int(done * 1000 / qMax<qint64>(total, 1)));
        return !bar.wasCanceled();
    };
}

void TFormFormImport::LoadFile(const QString& path)
{
    // Read in full before anything shown is replaced; a cancelled reading
    // keeps what was shown.
    QProgressDialog bar(language_.GetStr(37289), QString(), 0, 0, this);
    std::unique_ptr<DFormImport> form =
        DFormImport::Read(DFileReader::ReadAll(path), path, test_.subj.List(), test_.desi, ProgressOf(bar));
    if (!form)
        return;
    form_ = std::move(form);
    FileEd->setText(path);
    DrawColumns();
    DrawNames();
}

void TFormFormImport::DrawColumns()
{
    // Thousands of columns each get a drop-down list: its items are one
    // list shared by all, its rows made in one go.
    ColumnsSg->setUpdatesEnabled(false);
    Empty(ColumnsSg);
    ColumnsSg->setRowCount(form_ ? form_->ColumnCount() : 0);
    holdsItems_->clear();
    if (!form_)
    {
        ColumnsSg->setUpdatesEnabled(true);
        return;
    }
    AddItem(holdsItems_, language_.GetStr(27940), -1);
    AddItem(holdsItems_, language_.GetStr(27950), 0);
    for (qint32 q = 1; q <= form_->Questions(); ++q)
        for (qint32 r = 1; r <= form_->Ranks(); ++r)
            AddItem(holdsItems_, language_.GetMsg(27960, {q, r}), q * 100 + r);
    const QSize size = SizeOf(holdsItems_, ColumnsSg);
    QWidget* before = ColumnsSg;
    for (qint32 c = 0; c < form_->ColumnCount(); ++c)
    {
        const QString column = QStringLiteral("%1. %2").arg(c + 1).arg(form_->Header().at(c));
        ColumnsSg->setItem(c, 0, TextItem(column));
        ColumnsSg->setItem(c, 1, TextItem(form_->Sample(c)));
        auto* holds = new TSizedCombo(ColumnsSg, size);
        holds->setObjectName(QStringLiteral("HoldsCb%1").arg(c + 1));
        // A screen reader on Linux takes the choice as a drop-down's name,
        // and what it chooses from the description.
        holds->setAccessibleName(language_.GetMsg(35570, {column}));
        holds->setAccessibleDescription(holds->accessibleName());
        holds->setModel(holdsItems_);
        const int code = Code(form_->Columns().at(c));
        holds->setCurrentIndex(holds->findData(code));
        // A guess beyond the test stays visible, so that the refusal it
        // earns on import can be read against it here.
        if (holds->currentIndex() < 0)
            holds->setPlaceholderText(language_.GetMsg(27960, {code / 100, code % 100}));
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
    ColumnsSg->setUpdatesEnabled(true);
}

void TFormFormImport::DrawNames()
{
    shown_ = form_ ? form_->Problems() : QList<DFormImport::Name>();
    QWidget* focused = focusWidget();
    const QString focusName =
        focused && focused->parentWidget() == NamesSg->viewport() ? focused->objectName() : QString();
    NamesSg->setUpdatesEnabled(false);
    Empty(NamesSg);
    NamesSg->setRowCount(qint32(shown_.size()));
    const DSubjList& list = test_.subj.List();
    const auto subject = [&](qint32 index)
    { return QStringLiteral("%1. %2").arg(index + 1).arg(list.GetSelected(index).appe.ToString(true)); };
    subjectItems_->clear();
    AddItem(subjectItems_, language_.GetStr(27992), DFormImport::kNone);
    AddItem(subjectItems_, language_.GetStr(27993), DFormImport::kSkipRows);
    for (qint32 index = 0; index < list.GetSize(); ++index)
        AddItem(subjectItems_, subject(index), index);
    const QSize size = SizeOf(subjectItems_, NamesSg);
    QWidget* before = NamesSg;
    for (qint32 i = 0; i < shown_.size(); ++i)
    {
        const DFormImport::Name& name = shown_[i];
        // Those of names of no subject share their items, and their size.
        auto* standsFor = new TSizedCombo(NamesSg, name.problem == DFormImport::Problem::Unmatched ? size : QSize());
        standsFor->setObjectName(QStringLiteral("StandsForCb%1").arg(i + 1));
        standsFor->setAccessibleName(language_.GetMsg(35580, {name.text}));
        standsFor->setAccessibleDescription(standsFor->accessibleName());
        QString where = language_.GetMsg(37282, {name.line, name.respondent});
        QString problem;
        switch (name.problem)
        {
        case DFormImport::Problem::Unmatched:
            problem = language_.GetStr(27990);
            standsFor->setModel(subjectItems_);
            break;
        case DFormImport::Problem::Ambiguous:
            // The subjects the name fits come first; then the whole class.
            problem = language_.GetMsg(27991, {int(name.match.candidates.size())});
            standsFor->addItem(language_.GetStr(27992), DFormImport::kNone);
            standsFor->addItem(language_.GetStr(37288), DFormImport::kSkipRows);
            for (const qint32 index : name.match.candidates)
                standsFor->addItem(subject(index), index);
            for (qint32 index = 0; index < list.GetSize(); ++index)
                if (!name.match.candidates.contains(index))
                    standsFor->addItem(subject(index), index);
            break;
        case DFormImport::Problem::Twice:
        {
            problem = language_.GetMsg(37284, {int(name.lines.size())});
            QStringList lines;
            standsFor->addItem(language_.GetStr(37285), DFormImport::kNone);
            standsFor->addItem(language_.GetStr(37287), DFormImport::kSkipRows);
            for (const qint32 line : name.lines)
            {
                lines << QString::number(line);
                standsFor->addItem(language_.GetMsg(37286, {line}), line);
            }
            where = language_.GetMsg(37283, {lines.join(QStringLiteral(", "))});
            break;
        }
        }
        NamesSg->setItem(i, 0, TextItem(where));
        NamesSg->setItem(i, 1, TextItem(name.text));
        NamesSg->setItem(i, 2, TextItem(problem));
        standsFor->setCurrentIndex(qMax(0, standsFor->findData(form_->Resolution(name))));
        connect(standsFor, &QComboBox::currentIndexChanged, this,
                [this, standsFor, name] { NameChange(name, standsFor->currentData().toInt()); });
        NamesSg->setCellWidget(i, 3, standsFor);
        setTabOrder(before, standsFor);
        before = standsFor;
        if (standsFor->objectName() == focusName)
            standsFor->setFocus();
    }
    // The drop-down lists keep their room in either language; a longer
    // text shows whole in its tooltip.
    NamesSg->setColumnWidth(0, 140);
    NamesSg->setColumnWidth(1, 120);
    NamesSg->resizeColumnToContents(2);
    NamesSg->setColumnWidth(2, qMin(NamesSg->columnWidth(2), 150));
    NamesSg->setUpdatesEnabled(true);
}

void TFormFormImport::NameChange(const DFormImport::Name& name, int choice)
{
    DMessages::Handle(language_, "TFormFormImport::StandsForCbChange()",
                      [&]
                      {
                          form_->Resolve(name, choice);
                          // A respondent named anew may have answered in another row too.
                          if (!SameProblems(form_->Problems(), shown_))
                              QMetaObject::invokeMethod(this, &TFormFormImport::DrawNames, Qt::QueuedConnection);
                      });
}

void TFormFormImport::OkBbClick()
{
    bool imported = false;
    DMessages::Handle(language_, "TFormFormImport::OkBbClick()",
                      [&]
                      {
                          if (!form_)
                              throw EError(27995);
                          QProgressDialog bar(language_.GetStr(37290), QString(), 0, 0, this);
                          const DFormImport::Plan plan = form_->Apply(test_.desi, ProgressOf(bar));
                          if (plan.cancelled)
                              return;
                          summary_ = form_->Summary(plan, language_);
                          imported = true;
                      });
    if (imported)
        accept();
}
