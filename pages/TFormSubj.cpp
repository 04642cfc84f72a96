#include "pages/TFormSubj.h"
#include "kit/DMessages.h"
#include "pages/DViews.h"
#include "pages/commands/DCommandText.h"
#include "pages/commands/DCommandValue.h"
#include "pages/commands/DCommandWhole.h"

#include "document/DDataLoss.h"
#include "document/DTest.h"
#include "kit/DGlyph.h"
#include "kit/TFormHost.h"
#include "lang/DLanguage.h"
#include "pages/TFormSubjImp.h"
#include "pages/TFormSubjOpt.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
constexpr int kStripWidth = 61;
constexpr int kBandHeight = 137;
constexpr int kColumns = 5;

// The colours of the subject boxes in the analysis pictures.
const QColor kFemale(255, 192, 203);
const QColor kMale(175, 238, 238);

bool IsEditColumn(int column)
{
    return column == TFormSubj::ColSurname || column == TFormSubj::ColName || column == TFormSubj::ColNote;
}

// A subject as the analyses draw it: a circle for a female, a square for a
// male subject.
void PaintSubject(QPainter& p, const QPointF& centre, qreal radius, bool female)
{
    p.setPen(QPen(DGlyph::Outline(), 1.6));
    p.setBrush(female ? kFemale : kMale);
    if (female)
        p.drawEllipse(centre, radius, radius);
    else
        p.drawRect(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius));
}

void PaintGroup(QPainter& p, const QPointF& topLeft)
{
    PaintSubject(p, topLeft + QPointF(7, 7), 6, true);
    PaintSubject(p, topLeft + QPointF(21, 7), 6, false);
    PaintSubject(p, topLeft + QPointF(7, 21), 6, false);
    PaintSubject(p, topLeft + QPointF(21, 21), 6, true);
}

// How many subjects: the group with a spin.
void PaintOptions(QPainter& p)
{
    PaintGroup(p, QPointF(3, 8));
    DGlyph::PaintSpin(p);
}

// The subjects come into this test from another file: an arrow into the
// group.
void PaintImportFile(QPainter& p)
{
    PaintGroup(p, QPointF(14, 8));
    p.setPen(QPen(DGlyph::Outline(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(DGlyph::Arrow());
    p.drawPath(DGlyph::BlockArrow(2, 9, 20, 22, 4, 11));
}

// Names taken from the clipboard: a clipboard holding a list.
void PaintImportClipboard(QPainter& p)
{
    p.setPen(QPen(DGlyph::Outline(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xB8, 0x86, 0x4B));
    p.drawRoundedRect(QRectF(8, 5, 28, 36), 3, 3);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(12, 10, 20, 27));
    p.setBrush(QColor(0xC8, 0xCE, 0xD6));
    p.drawRoundedRect(QRectF(16, 2, 12, 7), 2, 2);
    p.setPen(QPen(DGlyph::Line(), 2, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 4; ++k)
        p.drawLine(QPointF(15, 16 + k * 5), QPointF(29 - (k % 2) * 4, 16 + k * 5));
}
} // namespace

TFormSubj::TFormSubj(DTest& test, DLanguage& language, TFormHost& main, QWidget* parent)
    : TFormPage(parent), test_(test), language_(language), main_(main)
{
    setObjectName(QStringLiteral("FormSubj"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The left strip with the three buttons, one under the other.
    auto* strip = new QWidget(this);
    strip->setFixedWidth(kStripWidth);
    auto* buttons = new QVBoxLayout(strip);
    buttons->setContentsMargins(2, 2, 4, 2);
    buttons->setSpacing(0);
    auto makeButton = [&](const char* name, void (*paint)(QPainter&))
    {
        QToolButton* button = MakeStripButton(strip, DGlyph::Icon(kIconSize, paint));
        button->setObjectName(QLatin1String(name));
        buttons->addWidget(button);
        return button;
    };
    OptionsSb = makeButton("OptionsSb", PaintOptions);
    ImpFileSb = makeButton("ImpFileSb", PaintImportFile);
    ImpClipSb = makeButton("ImpClipSb", PaintImportClipboard);
    buttons->addStretch(1);
    layout->addWidget(strip);

    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The top band: the summary above the description.
    auto* band = new QWidget(body);
    band->setFixedHeight(kBandHeight);
    auto* bandLayout = new QVBoxLayout(band);
    bandLayout->setContentsMargins(0, 8, 0, 0);
    bandLayout->setSpacing(6);

    SumGb = new QGroupBox(band);
    SumGb->setObjectName(QStringLiteral("SumGb"));
    SumGb->setFixedSize(457, 57);
    SumSt = new QLabel(SumGb);
    SumSt->setObjectName(QStringLiteral("SumSt"));
    SumSt->setFixedSize(425, 17);
    SumSt->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SumSt->setIndent(3);
    auto* sumLayout = new QVBoxLayout(SumGb);
    sumLayout->setContentsMargins(16, 10, 16, 10);
    sumLayout->addWidget(SumSt, 0, Qt::AlignLeft | Qt::AlignVCenter);
    bandLayout->addWidget(SumGb, 0, Qt::AlignLeft);

    DscGb = new QGroupBox(band);
    DscGb->setObjectName(QStringLiteral("DscGb"));
    DscGb->setFixedSize(457, 58);
    DscEd = new QLineEdit(DscGb);
    DscEd->setObjectName(QStringLiteral("DscEd"));
    DscEd->setMaxLength(DElemString::kMaxLength);
    DscEd->setFixedSize(425, 21);
    auto* dscLayout = new QVBoxLayout(DscGb);
    dscLayout->setContentsMargins(16, 8, 16, 8);
    dscLayout->addWidget(DscEd, 0, Qt::AlignLeft | Qt::AlignVCenter);
    bandLayout->addWidget(DscGb, 0, Qt::AlignLeft);
    bandLayout->addStretch(1);
    column->addWidget(band);

    StringGrid = new TGrid(body);
    StringGrid->setObjectName(QStringLiteral("StringGrid"));
    StringGrid->SetTyping(
        IsEditColumn, [this](int c, int r) { StringGridToggle(c, r); }, [this] { StringGridKeyUp(); });
    StringGrid->SetCellEdited([this](int cellColumn, int row, const QString& before, const QString& after)
                              { StringGridCellEdited(cellColumn, row, before, after); });
    StringGrid->SetMouseMove([this](int x, int y) { StringGridMouseMove(x, y); });
    StringGrid->ShowFixedInHeaders();
    StringGrid->setColumnCount(kColumns);
    StringGrid->setRowCount(1);
    column->addWidget(StringGrid, 1);
    layout->addWidget(body, 1);

    FormSubjOpt = new TFormSubjOpt(test_, language_, this);
    FormSubjImp = new TFormSubjImp(test_, language_, this);

    connect(OptionsSb, &QToolButton::clicked, this, &TFormSubj::OptionsSbClick);
    connect(ImpFileSb, &QToolButton::clicked, this, &TFormSubj::ImpFileSbClick);
    connect(ImpClipSb, &QToolButton::clicked, this, &TFormSubj::ImpClipSbClick);
    connect(DscEd, &QLineEdit::textChanged, this, &TFormSubj::DscEdChange);
    connect(DscEd, &QLineEdit::editingFinished, this, [this] { CommitEdits(); });

    ViewDesc();
}

TFormSubj::~TFormSubj()
{
    // The description field loses the focus as the window closes, after
    // this page is gone.
    DscEd->disconnect(this);
}

DSubjList& TFormSubj::List()
{
    return test_.subj.List();
}

void TFormSubj::ViewDesc()
{
    SumGb->setTitle(language_.GetStr(12000));
    DscGb->setTitle(language_.GetStr(12020));
    SetHint(OptionsSb, language_.GetStr(12030));
    SetHint(ImpFileSb, language_.GetStr(12040));
    SetHint(ImpClipSb, language_.GetStr(12050));
    StringGrid->setAccessibleName(language_.GetStr(10510));
    StringGrid->setAccessibleDescription(language_.GetStr(35600));
    StringGrid->setColumnCount(kColumns);
    if (StringGrid->rowCount() < 1)
        StringGrid->setRowCount(1);
    DressHeader();
}

void TFormSubj::DressHeader()
{
    const int ids[kColumns] = {12200, 12210, 12220, 12230, 12240};
    for (int column = 0; column < kColumns; ++column)
    {
        const QString text = language_.GetStr(ids[column]);
        QTableWidgetItem* item = StringGrid->item(0, column);
        if (!item)
            StringGrid->setItem(0, column, new QTableWidgetItem(text));
        else if (item->text() != text)
            item->setText(text);
    }
    StringGrid->DressCells();
    StringGrid->setRowHeight(0, main_.CellHeight());
}

void TFormSubj::Draw()
{
    if (!IsTabShown())
        return;
    DMessages::Handle(language_, "TFormSubj::Draw()",
                      [&]
                      {
                          StringGrid->CancelEdit();
                          DViews::DrawSummary(List().SummaryText(), SumSt);
                          const QString description = test_.subj.Description().ToString();
                          if (DscEd->text() != description)
                              DscEd->setText(description);
                          DViews::DrawListAll(List(), StringGrid);
                          DressHeader();
                          const QModelIndex current = StringGrid->currentIndex();
                          if (StringGrid->rowCount() > 1 &&
                              (!current.isValid() || current.row() < 1 || !IsEditColumn(current.column())))
                              StringGrid->setCurrentCell(1, ColSurname);
                      });
}

void TFormSubj::showEvent(QShowEvent* event)
{
    TFormPage::showEvent(event);
    FormShow();
}

void TFormSubj::FormShow()
{
    DMessages::Handle(language_, "TFormSubj::FormShow()",
                      [&]
                      {
                          ViewDesc();
                          Draw();
                      });
}

void TFormSubj::DscEdChange()
{
    // Draw writes the stored text back into the box: an equal text is no
    // change by the user.
    DMessages::Handle(language_, "TFormSubj::DscEdChange()",
                      [&]
                      {
                          DElemString& description = test_.subj.Description();
                          if (!dscEditing_)
                              dscBefore_ = description.ToString();
                          dscEditing_ = true;
                          description.UserUpdate(DscEd->text());
                      });
}

void TFormSubj::CommitEdits()
{
    TFormPage::CommitEdits();
    if (!dscEditing_)
        return;
    dscEditing_ = false;
    DMessages::Handle(language_, "TFormSubj::CommitEdits()",
                      [&]
                      {
                          const QString after = test_.subj.Description().ToString();
                          if (after != dscBefore_)
                              Push(new DCommandText(test_, DCommandText::Field::Description, 0, dscBefore_, after));
                      });
}

void TFormSubj::StringGridToggle(int column, int row)
{
    if (column != ColSex)
        return;
    DMessages::Handle(language_, "TFormSubj::StringGridToggle()",
                      [&]
                      {
                          DSubjElemSex& sex = List().GetSelected(row - 1).sex;
                          const qint32 before = sex.GetValue();
                          const QString text = sex.Invert();
                          Push(new DCommandValue(test_, DCommandValue::Field::Sex, row - 1, before, sex.GetValue()));
                          if (QTableWidgetItem* item = StringGrid->item(row, ColSex))
                              item->setText(text);
                          DViews::DrawSummary(List().SummaryText(), SumSt);
                      });
}

void TFormSubj::StringGridKeyUp()
{
    DMessages::Handle(language_, "TFormSubj::StringGridKeyUp()",
                      [&]
                      {
                          const int row = StringGrid->currentRow();
                          const int column = StringGrid->currentColumn();
                          if (row < 1 || !IsEditColumn(column))
                              return;
                          const QTableWidgetItem* item = StringGrid->item(row, column);
                          const QString text = item ? item->text() : QString();
                          DSubjElem& subject = List().GetSelected(row - 1);
                          switch (column)
                          {
                          case ColSurname:
                              subject.appe.Surname().UserUpdate(text);
                              break;
                          case ColName:
                              subject.appe.Name().UserUpdate(text);
                              break;
                          default:
                              subject.note.UserUpdate(text);
                              break;
                          }
                      });
}

void TFormSubj::StringGridCellEdited(int column, int row, const QString& before, const QString& after)
{
    DMessages::Handle(language_, "TFormSubj::StringGridCellEdited()",
                      [&]
                      {
                          const DCommandText::Field field = column == ColSurname ? DCommandText::Field::Surname
                                                            : column == ColName  ? DCommandText::Field::Name
                                                                                 : DCommandText::Field::Note;
                          Push(new DCommandText(test_, field, row - 1, before, after));
                      });
}

void TFormSubj::StringGridMouseMove(int x, int)
{
    DMessages::Handle(language_, "TFormSubj::StringGridMouseMove()", [&] { StringGrid->PointHandOver(ColSex, x); });
}

void TFormSubj::ImpFileSbClick()
{
    DMessages::Handle(language_, "TFormSubj::ImpFileSbClick()",
                      [&]
                      {
                          const QString path = main_.AskOpenPath();
                          if (path.isEmpty())
                              return;
                          DTest imported;
                          const DDataLoss loss = DDataLoss::SubjectImport(test_, path, imported);
                          if (!DMessages::Confirm(language_, loss.Question()))
                              return;
                          DCommandWhole::Run(
                              test_, 26270, [&] { test_.TakeSubjects(imported); }, Pusher());
                          Draw();
                      });
}

void TFormSubj::ImpClipSbClick()
{
    DMessages::Handle(language_, "TFormSubj::ImpClipSbClick()",
                      [&]
                      {
                          StringGrid->CancelEdit();
                          FormSubjImp->FormShow();
                          int result = QDialog::Rejected;
                          DCommandWhole::Run(
                              test_, 26260, [&] { result = ExecDialog(*FormSubjImp); }, Pusher());
                          if (result == QDialog::Accepted)
                              Draw();
                      });
}

void TFormSubj::OptionsSbClick()
{
    DMessages::Handle(language_, "TFormSubj::OptionsSbClick()",
                      [&]
                      {
                          StringGrid->CancelEdit();
                          FormSubjOpt->FormShow();
                          int result = QDialog::Rejected;
                          DCommandWhole::Run(
                              test_, 26250, [&] { result = ExecDialog(*FormSubjOpt); }, Pusher());
                          if (result == QDialog::Accepted)
                              Draw();
                          else
                              DViews::DrawSummary(List().SummaryText(), SumSt);
                      });
}
