#include "pages/TFormGroups.h"
#include "kit/DCommandButton.h"
#include "kit/DMessages.h"

#include "analyses/DGroupReport.h"
#include "document/DGroupRecord.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "pages/DViews.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

TFormGroups::TFormGroups(DTest& test, DLanguage& language, QWidget* parent, QWidget* centreOn)
    : TFormDialog(language, "FormGroups", parent, centreOn), test_(test)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    layout->addLayout(body, 1);

    // Left: the settings.
    auto* settings = new QVBoxLayout;
    body->addLayout(settings);
    SizeGb = new QGroupBox(this);
    auto* size = new QVBoxLayout(SizeGb);
    CountRb = new QRadioButton(SizeGb);
    CountRb->setObjectName(QStringLiteral("CountRb"));
    SizeRb = new QRadioButton(SizeGb);
    SizeRb->setObjectName(QStringLiteral("SizeRb"));
    ValueEd = new QSpinBox(SizeGb);
    ValueEd->setObjectName(QStringLiteral("ValueEd"));
    ValueEd->setRange(DGroupSettings::kMinValue, DGroupSettings::kMaxValue);
    BalanceCb = new QCheckBox(SizeGb);
    BalanceCb->setObjectName(QStringLiteral("BalanceCb"));
    for (QWidget* widget : std::initializer_list<QWidget*>{CountRb, SizeRb, ValueEd, BalanceCb})
        size->addWidget(widget);
    settings->addWidget(SizeGb);

    QuesGb = new QGroupBox(this);
    auto* ques = new QVBoxLayout(QuesGb);
    QuesLb = new QListWidget(QuesGb);
    QuesLb->setObjectName(QStringLiteral("QuesLb"));
    ques->addWidget(QuesLb);
    settings->addWidget(QuesGb, 1);

    PairsGb = new QGroupBox(this);
    auto* pairs = new QVBoxLayout(PairsGb);
    FirstCb = new QComboBox(PairsGb);
    FirstCb->setObjectName(QStringLiteral("FirstCb"));
    SecondCb = new QComboBox(PairsGb);
    SecondCb->setObjectName(QStringLiteral("SecondCb"));
    auto* add = new QHBoxLayout;
    TogetherBt = DCommandButton::Make(PairsGb, "TogetherBt", this, &TFormGroups::TogetherBtClick);
    ApartBt = DCommandButton::Make(PairsGb, "ApartBt", this, &TFormGroups::ApartBtClick);
    add->addWidget(TogetherBt);
    add->addWidget(ApartBt);
    PairsLb = new QListWidget(PairsGb);
    PairsLb->setObjectName(QStringLiteral("PairsLb"));
    RemoveBt = DCommandButton::Make(PairsGb, "RemoveBt", this, &TFormGroups::RemoveBtClick);
    pairs->addWidget(FirstCb);
    pairs->addWidget(SecondCb);
    pairs->addLayout(add);
    pairs->addWidget(PairsLb, 1);
    pairs->addWidget(RemoveBt);
    settings->addWidget(PairsGb, 1);

    // Right: the commands and the proposal.
    auto* result = new QVBoxLayout;
    body->addLayout(result, 1);
    auto* commands = new QHBoxLayout;
    ProposeBt = DCommandButton::Make(this, "ProposeBt", this, &TFormGroups::ProposeBtClick);
    AnotherBt = DCommandButton::Make(this, "AnotherBt", this, &TFormGroups::AnotherBtClick);
    CopyBt = DCommandButton::Make(this, "CopyBt", this, &TFormGroups::CopyBtClick);
    PrintBt = DCommandButton::Make(this, "PrintBt", this, &TFormGroups::PrintBtClick);
    ExportBt = DCommandButton::Make(this, "ExportBt", this, &TFormGroups::ExportBtClick);
    for (QPushButton* button : {ProposeBt, AnotherBt, CopyBt, PrintBt, ExportBt})
        commands->addWidget(button);
    result->addLayout(commands);
    ResultEd = new QPlainTextEdit(this);
    ResultEd->setObjectName(QStringLiteral("ResultEd"));
    ResultEd->setReadOnly(true);
    result->addWidget(ResultEd, 1);

    AddButtonBand(layout, 45, QMargins(8, 10, 8, 10), 6, 75);
    resize(900, 600);
}

void TFormGroups::FormShow()
{
    setWindowTitle(language_.GetStr(34200));
    SizeGb->setTitle(language_.GetStr(34350));
    CountRb->setText(language_.GetStr(34210));
    SizeRb->setText(language_.GetStr(34220));
    BalanceCb->setText(language_.GetStr(34230));
    QuesGb->setTitle(language_.GetStr(34240));
    QuesLb->setAccessibleName(QuesGb->title());
    PairsGb->setTitle(language_.GetStr(34250));
    PairsLb->setAccessibleName(PairsGb->title());
    FirstCb->setAccessibleDescription(language_.GetStr(35620));
    SecondCb->setAccessibleDescription(language_.GetStr(35630));
    ResultEd->setAccessibleName(language_.GetStr(35550));
    TogetherBt->setText(language_.GetStr(34260));
    ApartBt->setText(language_.GetStr(34270));
    RemoveBt->setText(language_.GetStr(34300));
    ProposeBt->setText(language_.GetStr(34310));
    AnotherBt->setText(language_.GetStr(34320));
    CopyBt->setText(language_.GetStr(34330));
    PrintBt->setText(language_.GetStr(34890));
    ExportBt->setText(language_.GetStr(34340));

    const DGroupSettings settings = DGroupRecord::Load(test_);
    (settings.mode == DGroupSettings::Mode::Count ? CountRb : SizeRb)->setChecked(true);
    ValueEd->setValue(settings.value);
    BalanceCb->setChecked(settings.balanceSexes);
    QList<DQuesList::CheckItem> items = test_.ques.List().ListItems(DQuesElem::Bar);
    for (int q = 0; q < items.size(); ++q)
        items[q].checked = settings.CountsQuestion(q);
    DViews::DrawChecks(items, QuesLb);
    together_ = settings.together;
    apart_ = settings.apart;

    QStringList names;
    for (qint32 s = 0; s < test_.subj.Count(); ++s)
        names << QStringLiteral("%1. %2").arg(s + 1).arg(test_.subj.List().GetSelected(s).appe.ToString(true));
    for (QComboBox* combo : {FirstCb, SecondCb})
    {
        combo->clear();
        combo->addItems(names);
    }
    SecondCb->setCurrentIndex(std::min(1, SecondCb->count() - 1));
    DrawPairs();

    problem_.reset();
    index_ = 0;
    ResultEd->clear();
    AnotherBt->setEnabled(false);
    CopyBt->setEnabled(false);
    PrintBt->setEnabled(false);
    ExportBt->setEnabled(false);
}

DGroupSettings TFormGroups::ReadSettings() const
{
    DGroupSettings settings = DGroupRecord::Load(test_);
    settings.mode = CountRb->isChecked() ? DGroupSettings::Mode::Count : DGroupSettings::Mode::Size;
    settings.value = ValueEd->value();
    settings.balanceSexes = BalanceCb->isChecked();
    const QList<bool> checks = DViews::Checks(QuesLb);
    for (int q = 0; q < checks.size(); ++q)
        settings.SetQuestion(q, checks[q]);
    settings.together = together_;
    settings.apart = apart_;
    return settings;
}

void TFormGroups::DrawPairs()
{
    PairsLb->clear();
    const auto name = [&](qint32 s) { return FirstCb->itemText(s - 1); };
    for (const auto& [a, b] : together_)
        PairsLb->addItem(language_.GetMsg(34280, {name(a), name(b)}));
    for (const auto& [a, b] : apart_)
        PairsLb->addItem(language_.GetMsg(34290, {name(a), name(b)}));
}

void TFormGroups::AddPair(bool together)
{
    std::vector<DGroupSettings::Pair>& pairs = together ? together_ : apart_;
    pairs.emplace_back(FirstCb->currentIndex() + 1, SecondCb->currentIndex() + 1);
    // The settings' own cleaning drops a pair of one subject or a repeat.
    DGroupSettings clean;
    clean.together = pairs;
    clean.Clean(test_.subj.Count());
    pairs = clean.together;
    DrawPairs();
}

void TFormGroups::TogetherBtClick()
{
    AddPair(true);
}

void TFormGroups::ApartBtClick()
{
    AddPair(false);
}

void TFormGroups::RemoveBtClick()
{
    const int row = PairsLb->currentRow();
    if (row < 0)
        return;
    if (row < int(together_.size()))
        together_.erase(together_.begin() + row);
    else
        apart_.erase(apart_.begin() + (row - int(together_.size())));
    DrawPairs();
}

void TFormGroups::OkBbClick()
{
    DMessages::Handle(language_, "TFormGroups::OkBbClick()",
                      [&]
                      {
                          DGroupRecord::Store(test_, ReadSettings(), true);
                          accept();
                      });
}

void TFormGroups::Show(qint32 index)
{
    proposal_ = DGroupSolver::Solve(*problem_, index);
    index_ = index;
    ResultEd->setPlainText(DGroupReport::Text(proposal_, *problem_));
    for (QPushButton* button : {AnotherBt, CopyBt, PrintBt, ExportBt})
        button->setEnabled(true);
    ColourGroups(true);
}

void TFormGroups::ColourGroups(bool shown)
{
    std::vector<qint32> groupOf;
    if (shown)
    {
        groupOf.assign(std::size_t(test_.subj.List().Get().size()), -1);
        for (std::size_t g = 0; g < proposal_.groups.size(); ++g)
            for (qint32 subject : proposal_.groups[g])
                if (subject >= 0 && std::size_t(subject) < groupOf.size())
                    groupOf[std::size_t(subject)] = qint32(g);
    }
    if (groupOf == test_.graph.soc.groupOf)
        return;
    test_.graph.soc.groupOf = std::move(groupOf);
    if (showGroups_)
        showGroups_();
}

void TFormGroups::hideEvent(QHideEvent* event)
{
    // The colours belong to the list: they go with it.
    ColourGroups(false);
    TFormDialog::hideEvent(event);
}

void TFormGroups::ProposeBtClick()
{
    DMessages::Handle(language_, "TFormGroups::ProposeBtClick()",
                      [&]
                      {
                          // A refused setting or a class no grouping fits clears the
                          // proposal, so no earlier one stays as if it answered these.
                          problem_.reset();
                          ResultEd->clear();
                          ColourGroups(false);
                          for (QPushButton* button : {AnotherBt, CopyBt, PrintBt, ExportBt})
                              button->setEnabled(false);
                          const DGroupSettings settings = ReadSettings();
                          DGroupRecord::Store(test_, settings, true);
                          problem_ = DGroupProblem::FromTest(test_.desi, test_.subj.List(), settings);
                          settings_ = settings;
                          Show(0);
                      });
}

void TFormGroups::AnotherBtClick()
{
    if (!problem_)
        return;
    DMessages::Handle(language_, "TFormGroups::AnotherBtClick()", [&] { Show(index_ + 1); });
}

void TFormGroups::CopyBtClick()
{
    if (!problem_)
        return;
    QGuiApplication::clipboard()->setText(ResultEd->toPlainText());
}

void TFormGroups::PrintBtClick()
{
    if (!problem_)
        return;
    DMessages::Handle(
        language_, "TFormGroups::PrintBtClick()",
        [&]
        {
            const QStringList heading =
                DGroupReport::Heading(*problem_, settings_, test_.ques.List().GetSize(),
                                      test_.subj.Description().ToString(), test_.file.FileName(), QDate::currentDate());
            QTextDocument document;
            document.setPlainText(heading.join(QLatin1Char('\n')) + QStringLiteral("\n\n") + ResultEd->toPlainText());
            QTextCursor title(&document);
            title.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QTextCharFormat large;
            large.setFontWeight(QFont::Bold);
            large.setFontPointSize(document.defaultFont().pointSizeF() * 1.4);
            title.mergeCharFormat(large);
            DPrintPreview::Show(this, windowTitle(), document, printDialog_);
        });
}

void TFormGroups::ExportBtClick()
{
    if (!problem_)
        return;
    DMessages::Handle(language_, "TFormGroups::ExportBtClick()",
                      [&]
                      {
                          TFormCsvOpt::Export(this, language_, csvDialogs_,
                                              [&](const DCsv::Options& options) {
                                                  return DGroupReport::CsvBytes(proposal_, test_.subj.List(), options);
                                              });
                      });
}
