#include "analyses/DGraphPainting.h"

#include "analyses/DDrawBar.h"
#include "analyses/DGraph.h"
#include "analyses/DGraphTarCriteria.h"
#include "analyses/DGraphTarTable.h"
#include "analyses/DPicture.h"
#include "lang/DLanguage.h"
#include "model/DText.h"
#include "model/EError.h"
#include "questions/DQues.h"
#include "subjects/DSubj.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>

#include <memory>

namespace
{
using Analysis = DGraphPainting::Analysis;

// "Caption: text of the current value", as the option's group box and
// drop-down list on its page say it.
QString OptionInWords(int captionId, const DGraphOption& option)
{
    return DLanguage::Active().GetStr(captionId) + QStringLiteral(": ") + option.Texts().value(option.GetValue());
}

// The numbers of the questions the analysis counts.
QString QuestionsInWords(Analysis analysis, const DGraph& graph)
{
    static constexpr DQuesElem::Graph kFlags[] = {DQuesElem::Bar, DQuesElem::Tar, DQuesElem::Soc, DQuesElem::Met};
    const DQuesList& questions = graph.Ques().List();
    const bool acceptance = graph.soc.type.IsPositive();
    QStringList numbers;
    for (qint32 k = 0; k < questions.GetSize(); ++k)
    {
        const DQuesElem& question = questions.GetSelected(k);
        // The sociogram counts the questions of its own polarity only.
        if (analysis == Analysis::Sociogram && question.type.IsPositive() != acceptance)
            continue;
        if (question.GraphFlag(kFlags[int(analysis)]).IsRequested())
            numbers << QString::number(k + 1);
    }
    const DLanguage& lang = DLanguage::Active();
    return lang.GetMsg(28010, {numbers.isEmpty() ? lang.GetStr(28020) : numbers.join(QStringLiteral(", "))});
}

QStringList OptionsInWords(Analysis analysis, const DGraph& graph)
{
    switch (analysis)
    {
    case Analysis::Bar:
        return {OptionInWords(18110, graph.bar.type), OptionInWords(18300, graph.bar.order),
                OptionInWords(18400, graph.bar.scale)};
    case Analysis::Target:
        return {OptionInWords(22100, graph.tar.stat)};
    case Analysis::Sociogram:
        return {OptionInWords(24100, graph.soc.type)};
    case Analysis::Metrics:
        return {OptionInWords(25060, graph.met.order)};
    }
    return {};
}

constexpr int kAnalysisNames[] = {17001, 21001, 23001, 25000};
constexpr int kCaptionGap = 8;
constexpr int kCaptionMargin = 4;
constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// The caption's fonts and the rectangle of each line at a width, measured
// at 96 dpi as every surface paints.
struct CaptionLayout
{
    QFont title = DPicture::Font(10, true);
    QFont text = DPicture::Font(9);
    std::vector<QRect> rects;
    int height = 0;

    CaptionLayout(const QStringList& lines, int width)
    {
        const QImage probe = DPicture::Make(1, 1);
        int y = kCaptionGap;
        for (qsizetype i = 0; i < lines.size(); ++i)
        {
            const QFontMetrics metrics(i == 0 ? title : text, &probe);
            const QRect bound = metrics.boundingRect(QRect(0, 0, width, 1 << 20), kCaptionFlags, lines[i]);
            rects.emplace_back(kCaptionMargin, y, width, bound.height());
            y += bound.height() + (i == 0 ? 2 : 0);
        }
        height = y + kCaptionMargin;
    }
};
} // namespace

DGraphPainting DGraphPainting::Of(Analysis analysis, DGraph& graph)
{
    return EError::Guard("DGraphPainting::Of()",
                         [&]() -> DGraphPainting
                         {
                             DSubjList& subjects = graph.Subj().List();
                             switch (analysis)
                             {
                             case Analysis::Bar:
                             {
                                 auto bar = std::make_shared<DDrawBar>(graph.bar);
                                 const QSize size = bar->Layout(subjects);
                                 return {size, [bar, size](QPainter& p) { bar->PaintOn(p, size); }};
                             }
                             case Analysis::Target:
                             {
                                 const DGraphTar::Layout layout = graph.tar.Lay(subjects);
                                 DGraphTar& tar = graph.tar;
                                 return {QSize(layout.width + 1, layout.height + 1),
                                         [&tar, layout](QPainter& p) { tar.PaintOn(p, layout); }};
                             }
                             case Analysis::Sociogram:
                             {
                                 DGraphSoc& soc = graph.soc;
                                 return {soc.PrepareVector(subjects), [&soc](QPainter& p) { soc.PaintVector(p); }};
                             }
                             case Analysis::Metrics:
                             {
                                 const DGraphMet& met = graph.met;
                                 return {graph.met.Layout(), [&met](QPainter& p) { met.Paint(p); }};
                             }
                             }
                             throw EError(50020, {"DGraphPainting::Of()"});
                         });
}

QString DGraphPainting::DateText(const QDate& date, bool longForm)
{
    const bool italian = DLanguage::Active().IsIta();
    return QLocale(italian ? QLocale::Italian : QLocale::English, italian ? QLocale::Italy : QLocale::UnitedKingdom)
        .toString(date, longForm ? QLocale::LongFormat : QLocale::ShortFormat);
}

QString DGraphPainting::Name(Analysis analysis)
{
    return DLanguage::Active().GetStr(kAnalysisNames[int(analysis)]);
}

QStringList DGraphPainting::CaptionLines(Analysis analysis, const DGraph& graph, const QString& fileName,
                                         const QDate& date)
{
    const DLanguage& lang = DLanguage::Active();
    QStringList lines{graph.Subj().Description().ToString()};
    lines << lang.GetMsg(28000, {Name(analysis)}) + QStringLiteral("; ") +
                 lang.GetMsg(28030,
                             {fileName.isEmpty() ? lang.GetStr(28040)
                                                 : DText::Clean(QFileInfo(fileName).fileName(), DText::Kind::Plain)}) +
                 QStringLiteral("; ") + lang.GetMsg(28050, {DateText(date)});
    lines << (QStringList{QuestionsInWords(analysis, graph)} + OptionsInWords(analysis, graph))
                 .join(QStringLiteral("; "));
    if (analysis == Analysis::Target)
        lines << DGraphTarCriteria::Lines(DGraphTarTable::StoredScheme(graph));
    return lines;
}

DGraphPainting DGraphPainting::WithCaption(const QStringList& lines) const
{
    const int width = std::max(size_.width(), kCaptionWidth);
    auto layout = std::make_shared<CaptionLayout>(lines, width - 2 * kCaptionMargin);
    return {QSize(width, size_.height() + layout->height), [picture = *this, lines, layout, width](QPainter& p)
            {
                // A picture narrower than the caption stands centred above it.
                p.save();
                p.translate((width - picture.size_.width()) / 2, 0);
                picture.Paint(p);
                p.restore();
                p.save();
                p.translate(0, picture.size_.height());
                p.setPen(Qt::black);
                p.setBackgroundMode(Qt::TransparentMode);
                for (qsizetype i = 0; i < lines.size(); ++i)
                {
                    p.setFont(i == 0 ? layout->title : layout->text);
                    p.drawText(layout->rects[std::size_t(i)], kCaptionFlags, lines[i]);
                }
                p.restore();
            }};
}

void DGraphPainting::PaintFitted(QPainter& painter, const QRectF& area) const
{
    const qreal scale = std::min(area.width() / size_.width(), area.height() / size_.height());
    painter.save();
    painter.translate(area.left() + (area.width() - size_.width() * scale) / 2, area.top());
    painter.scale(scale, scale);
    Paint(painter);
    painter.restore();
}
