#include "pages/TFormQues.h"
#include "kit/DMessages.h"
#include "pages/DViews.h"

#include "document/DDataLoss.h"
#include "document/DTest.h"
#include "kit/DGlyph.h"
#include "kit/TFormHost.h"
#include "kit/TGrid.h"
#include "lang/DLanguage.h"
#include "pages/TFormQuesOpt.h"
#include "pages/commands/DCommandText.h"
#include "pages/commands/DCommandValue.h"
#include "pages/commands/DCommandWhole.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
constexpr int kStripWidth = 59;
constexpr int kBandHeight = 65;

// A sheet with question lines, each marked with its polarity: the common
// part of the two button pictures.
void PaintSheet(QPainter& p, const QRectF& sheet)
{
    p.setPen(QPen(DGlyph::Outline(), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawRoundedRect(sheet, 2, 2);
    const QColor marks[] = {QColor(0x3C, 0xA0, 0x4B), QColor(0xD2, 0x4B, 0x3C), QColor(0x3C, 0xA0, 0x4B)};
    for (int k = 0; k < 3; ++k)
    {
        const qreal y = sheet.top() + 8 + k * 9;
        p.setPen(Qt::NoPen);
        p.setBrush(marks[k]);
        p.drawEllipse(QPointF(sheet.left() + 7, y), 3, 3);
        p.setPen(QPen(DGlyph::Line(), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(sheet.left() + 13, y), QPointF(sheet.right() - 5, y));
    }
}

// How many questions: the sheet with a spin.
void PaintOptions(QPainter& p)
{
    PaintSheet(p, QRectF(4, 6, 26, 33));
    DGlyph::PaintSpin(p);
}

// The questions come into this test from another file: an arrow into the
// sheet.
void PaintImport(QPainter& p)
{
    PaintSheet(p, QRectF(14, 6, 26, 33));
    p.setPen(QPen(DGlyph::Outline(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(DGlyph::Arrow());
    p.drawPath(DGlyph::BlockArrow(3, 11, 22, 26, 4, 11));
}
} // namespace

TFormQues::TFormQues(DTest& test, DLanguage& language, TFormHost& main, QWidget* parent)
    : TFormPage(parent), test_(test), language_(language), main_(main)
{
    setObjectName(QStringLiteral("FormQues"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* strip = new QWidget(this);
    strip->setFixedWidth(kStripWidth);
    auto* buttons = new QVBoxLayout(strip);
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(0);
    auto makeButton = [&](const char* name, void (*paint)(QPainter&))
    {
        QToolButton* button = MakeStripButton(strip, DGlyph::Icon(kIconSize, paint));
        button->setObjectName(QLatin1String(name));
        buttons->addWidget(button);
        return button;
    };
    OptionsSb = makeButton("OptionsSb", PaintOptions);
    ImportSb = makeButton("ImportSb", PaintImport);
    buttons->addStretch(1);
    layout->addWidget(strip);

    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* band = new QWidget(body);
    band->setFixedHeight(kBandHeight);
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(0, 8, 0, 0);
    SumGb = new QGroupBox(band);
    SumGb->setObjectName(QStringLiteral("SumGb"));
    SumGb->setFixedSize(457, 49);
    SumQuesSt = new QLabel(SumGb);
    SumQuesSt->setObjectName(QStringLiteral("SumQuesSt"));
    SumQuesSt->setGeometry(14, 19, 425, 17);
    SumQuesSt->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SumQuesSt->setIndent(3);
    bandLayout->addWidget(SumGb, 0, Qt::AlignLeft | Qt::AlignTop);
    bandLayout->addStretch(1);
    column->addWidget(band);

    StringGrid = new TGrid(body);
    StringGrid->setObjectName(QStringLiteral("StringGrid"));
    StringGrid->SetTyping([](int c) { return c == kTextColumn; }, [this](int c, int r) { StringGridToggle(c, r); },
                          [this] { StringGridKeyUp(); });
    StringGrid->SetCellEdited([this](int, int row, const QString& before, const QString& after)
                              { StringGridCellEdited(row, before, after); });
    StringGrid->SetMouseMove([this](int x, int y) { StringGridMouseMove(x, y); });
    StringGrid->ShowFixedInHeaders();
    StringGrid->setColumnCount(3);
    StringGrid->setRowCount(1);
    column->addWidget(StringGrid, 1);
    layout->addWidget(body, 1);

    FormQuesOpt = new TFormQuesOpt(test_, language_, *this, this);

    connect(OptionsSb, &QToolButton::clicked, this, &TFormQues::OptionsSbClick);
    connect(ImportSb, &QToolButton::clicked, this, &TFormQues::ImportSbClick);

    ViewDesc();
}

DQuesList& TFormQues::List()
{
    return test_.ques.List();
}

void TFormQues::ViewDesc()
{
    SumGb->setTitle(language_.GetStr(11000));
    SetHint(OptionsSb, language_.GetStr(11030));
    SetHint(ImportSb, language_.GetStr(11040));
    StringGrid->setAccessibleName(language_.GetStr(10500));
    StringGrid->setAccessibleDescription(language_.GetStr(35590));
    StringGrid->setColumnCount(3);
    if (StringGrid->rowCount() < 1)
        StringGrid->setRowCount(1);
    const int ids[] = {11200, 11210, 11220};
    for (int column = 0; column < 3; ++column)
    {
        const QString text = language_.GetStr(ids[column]);
        if (QTableWidgetItem* item = StringGrid->item(0, column))
            item->setText(text);
        else
            StringGrid->setItem(0, column, new QTableWidgetItem(text));
    }
    StringGrid->DressCells();
    StringGrid->setRowHeight(0, main_.CellHeight());
}

void TFormQues::Draw()
{
    if (!IsTabShown())
        return;
    StringGrid->CancelEdit();
    DViews::DrawSummary(List().SummaryText(), SumQuesSt);
    DViews::DrawQuestions(List(), StringGrid);
    StringGrid->DressCells();
    SetRowHeights();
}

void TFormQues::SetRowHeights()
{
    // The rows are as high as a one-line edit field of the main window, so
    // the in-place editor fits its cell.
    const int height = main_.CellHeight();
    for (int row = 0; row < StringGrid->rowCount(); ++row)
        StringGrid->setRowHeight(row, height);
}

void TFormQues::showEvent(QShowEvent* event)
{
    TFormPage::showEvent(event);
    FormShow();
}

void TFormQues::FormShow()
{
    DMessages::Handle(language_, "TFormQues::FormShow()",
                      [&]
                      {
                          ViewDesc();
                          // Filled first: the grid has no question rows to select before.
                          Draw();
                          TakeFocus(StringGrid);
                          if (StringGrid->rowCount() > 1)
                              StringGrid->setCurrentCell(1, kTextColumn);
                      });
}

void TFormQues::StringGridToggle(int column, int row)
{
    if (column != kTypeColumn)
        return;
    DMessages::Handle(
        language_, "TFormQues::StringGridToggle()",
        [&]
        {
            DQuesElemType& type = List().GetSelected(row - 1).type;
            const qint32 before = type.GetValue();
            const QString text = type.Invert();
            Push(new DCommandValue(test_, DCommandValue::Field::QuesType, row - 1, before, type.GetValue()));
            if (QTableWidgetItem* item = StringGrid->item(row, kTypeColumn))
                item->setText(text);
            DViews::DrawSummary(List().SummaryText(), SumQuesSt);
        });
}

void TFormQues::StringGridKeyUp()
{
    DMessages::Handle(language_, "TFormQues::StringGridKeyUp()",
                      [&]
                      {
                          const int row = StringGrid->currentRow();
                          if (StringGrid->currentColumn() != kTextColumn || row < 1)
                              return;
                          const QTableWidgetItem* item = StringGrid->item(row, kTextColumn);
                          text_ = item ? item->text() : QString();
                          List().GetSelected(row - 1).text.UserUpdate(text_);
                      });
}

void TFormQues::StringGridCellEdited(int row, const QString& before, const QString& after)
{
    DMessages::Handle(language_, "TFormQues::StringGridCellEdited()",
                      [&] { Push(new DCommandText(test_, DCommandText::Field::QuesText, row - 1, before, after)); });
}

void TFormQues::StringGridMouseMove(int x, int)
{
    DMessages::Handle(language_, "TFormQues::StringGridMouseMove()",
                      [&] { StringGrid->PointHandOver(kTypeColumn, x); });
}

void TFormQues::ImportSbClick()
{
    DMessages::Handle(language_, "TFormQues::ImportSbClick()",
                      [&]
                      {
                          const QString path = main_.AskOpenPath();
                          if (path.isEmpty())
                              return;
                          DTest imported;
                          const DDataLoss loss = DDataLoss::QuestionImport(test_, path, imported);
                          if (!DMessages::Confirm(language_, loss.Question()))
                              return;
                          DCommandWhole::Run(
                              test_, 26130, [&] { test_.TakeQuestions(imported); }, Pusher());
                          Draw();
                      });
}

void TFormQues::OptionsSbClick()
{
    DMessages::Handle(language_, "TFormQues::OptionsSbClick()",
                      [&]
                      {
                          FormQuesOpt->FormShow();
                          ExecDialog(*FormQuesOpt);
                          DViews::DrawSummary(List().SummaryText(), SumQuesSt);
                      });
}
