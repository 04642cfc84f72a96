#include "pages/TFormCompare.h"

#include "analyses/DComparisonPicture.h"
#include "document/DTest.h"
#include "kit/DCommandButton.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "pages/DViews.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace
{
QLabel* MakeText(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

const QUrl kPictureUrl(QStringLiteral("kc://sociogram.png"));
} // namespace

TFormCompare::TFormCompare(const DTest& test, DLanguage& language, QWidget* parent, QWidget* centreOn)
    : TFormDialog(language, "FormCompare", parent, centreOn), test_(test)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 0);
    layout->addLayout(body, 1);

    SchemeSt = MakeText(this, "SchemeSt");
    body->addWidget(SchemeSt);

    auto* sides = new QHBoxLayout;
    body->addLayout(sides, 1);
    auto* table = new QVBoxLayout;
    sides->addLayout(table, 3);
    TableSg = new QTableWidget(this);
    TableSg->setObjectName(QStringLiteral("TableSg"));
    TableSg->verticalHeader()->hide();
    TableSg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A table to read: the arrows go from cell to cell, Tab on to the picture.
    TableSg->setTabKeyNavigation(false);
    table->addWidget(TableSg, 1);
    UnmatchedSt = MakeText(this, "UnmatchedSt");
    table->addWidget(UnmatchedSt);

    auto* picture = new QVBoxLayout;
    sides->addLayout(picture, 2);
    TypeCb = new QComboBox(this);
    TypeCb->setObjectName(QStringLiteral("TypeCb"));
    connect(TypeCb, &QComboBox::currentIndexChanged, this, &TFormCompare::TypeCbChange);
    picture->addWidget(TypeCb);
    TiesSt = MakeText(this, "TiesSt");
    picture->addWidget(TiesSt);
    PicturePn = new QScrollArea(this);
    PicturePn->setObjectName(QStringLiteral("PicturePn"));
    PicturePn->setBackgroundRole(QPalette::Base);
    PictureSt = new QLabel(PicturePn);
    PictureSt->setObjectName(QStringLiteral("PictureSt"));
    PicturePn->setWidget(PictureSt);
    picture->addWidget(PicturePn, 1);

    auto* commands = new QHBoxLayout;
    CopyBt = DCommandButton::Make(this, "CopyBt", this, &TFormCompare::CopyBtClick);
    PrintBt = DCommandButton::Make(this, "PrintBt", this, &TFormCompare::PrintBtClick);
    ExportBt = DCommandButton::Make(this, "ExportBt", this, &TFormCompare::ExportBtClick);
    for (QPushButton* button : {CopyBt, PrintBt, ExportBt})
        commands->addWidget(button);
    commands->addStretch(1);
    body->addLayout(commands);

    AddButtonBand(layout, 45, QMargins(8, 10, 8, 10), 6, 75);
    // Nothing here to cancel: the comparison changes neither test.
    CancelB->hide();
    resize(1100, 650);
}

TFormCompare::~TFormCompare() = default;

void TFormCompare::ViewDesc()
{
    setWindowTitle(language_.GetMsg(34880, {QFileInfo(otherName_).fileName()}));
    CopyBt->setText(language_.GetStr(33530));
    PrintBt->setText(language_.GetStr(34890));
    ExportBt->setText(language_.GetStr(34340));
    TableSg->setAccessibleName(language_.GetStr(35540));
    PicturePn->setAccessibleName(language_.GetStr(34900));
    PicturePn->setAccessibleDescription(language_.GetStr(35520));
    // The drop-down has no label of its own; a screen reader on Linux takes
    // its choice as its name, and what it chooses from the description.
    TypeCb->setAccessibleName(language_.GetStr(35560));
    TypeCb->setAccessibleDescription(language_.GetStr(35560));
    const QSignalBlocker quiet(TypeCb);
    const int type = std::max(TypeCb->currentIndex(), 0);
    TypeCb->clear();
    TypeCb->addItems({language_.GetStr(24120), language_.GetStr(24130)});
    TypeCb->setCurrentIndex(type);
}

void TFormCompare::FormShow(std::unique_ptr<DTest> other, const QString& name)
{
    comparison_ = DComparison::Of(test_.graph, other->graph);
    other_ = std::move(other);
    otherName_ = name;
    ViewDesc();
    SchemeSt->setText(comparison_.SchemeText());
    QList<QStringList> cells;
    QList<bool> marked;
    for (const DComparison::Row& row : comparison_.rows)
    {
        cells << comparison_.Cells(row);
        marked << row.CategoryChanged();
    }
    DViews::DrawTable(DComparison::Header(), cells, marked, TableSg);
    const QStringList unmatched = comparison_.UnmatchedLines();
    UnmatchedSt->setText(unmatched.join(QLatin1Char('\n')));
    UnmatchedSt->setVisible(!unmatched.isEmpty());
    TypeCbChange();
}

DComparison::Sociogram TFormCompare::Type() const
{
    return TypeCb->currentIndex() == 1 ? DComparison::Rejection : DComparison::Acceptance;
}

void TFormCompare::TypeCbChange()
{
    DMessages::Handle(
        language_, "TFormCompare::TypeCbChange()",
        [&]
        {
            const DComparison::Ties& ties = comparison_.ties[std::size_t(Type())];
            TiesSt->setText(language_.GetMsg(
                34940, {qint32(ties.appeared.size()), qint32(ties.disappeared.size()), qint32(ties.stayed.size())}));
            PictureSt->setPixmap(QPixmap::fromImage(DComparisonPicture::Draw(test_.subj.List(), comparison_, Type())));
            PictureSt->adjustSize();
        });
}

void TFormCompare::CopyBtClick()
{
    QGuiApplication::clipboard()->setText(comparison_.Text());
}

void TFormCompare::FillDocument(QTextDocument& document) const
{
    const auto escaped = [](const QString& text) { return text.toHtmlEscaped(); };
    QString html = QStringLiteral("<h3>") + escaped(windowTitle()) + QStringLiteral("</h3><p>") +
                   escaped(comparison_.SchemeText()) + QStringLiteral("</p>");
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\"><tr>");
    for (const QString& cell : DComparison::Header())
        html += QStringLiteral("<th>") + escaped(cell) + QStringLiteral("</th>");
    html += QStringLiteral("</tr>");
    for (const DComparison::Row& row : comparison_.rows)
    {
        html += QStringLiteral("<tr>");
        for (const QString& cell : comparison_.Cells(row))
            html += QStringLiteral("<td>") + escaped(cell) + QStringLiteral("</td>");
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    for (const QString& line : comparison_.UnmatchedLines())
        html += QStringLiteral("<p>") + escaped(line) + QStringLiteral("</p>");
    document.addResource(QTextDocument::ImageResource, kPictureUrl,
                         DComparisonPicture::Draw(test_.subj.List(), comparison_, Type()));
    html += QStringLiteral("<p>") + escaped(TiesSt->text()) + QStringLiteral("</p><p><img src=\"") +
            kPictureUrl.toString() + QStringLiteral("\"></p>");
    document.setHtml(html);
}

void TFormCompare::PrintBtClick()
{
    DMessages::Handle(language_, "TFormCompare::PrintBtClick()",
                      [&]
                      {
                          QTextDocument document;
                          FillDocument(document);
                          DPrintPreview::Show(this, windowTitle(), document, printDialog_);
                      });
}

void TFormCompare::ExportBtClick()
{
    DMessages::Handle(language_, "TFormCompare::ExportBtClick()",
                      [&]
                      {
                          TFormCsvOpt::Export(this, language_, csvDialogs_,
                                              [&](const DCsv::Options& options)
                                              { return DCsv::Bytes(comparison_.CsvLines(options), options); });
                      });
}
