#include "export/DClassReport.h"

#include "analyses/DFonts.h"
#include "analyses/DGraph.h"
#include "analyses/DGraphPainting.h"
#include "analyses/DGraphTar.h"
#include "analyses/DGraphTarCriteria.h"
#include "analyses/DGraphTarTable.h"
#include "analyses/DPicture.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/EError.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>

namespace
{
using Analysis = DGraphPainting::Analysis;

// Pixels at 96 dpi, as the pictures are laid out; 15 mm margins.
constexpr int kDpi = 96;
constexpr qreal kMarginMm = 15;
// A heading and the three lines below it.
constexpr int kHeadingRoom = 80;

QFont ReportFont(int pointSize, bool bold = false)
{
    return QFont(DFonts::Family(), pointSize, bold ? QFont::Bold : QFont::Normal);
}

// Writes the report's pages from the top down: texts flow on to a new page
// when the page is full, a picture takes a page of its own.
class Pages
{
public:
    explicit Pages(QPdfWriter& pdf) : pdf_(pdf), probe_(DPicture::Make(1, 1))
    {
        if (!painter_.begin(&pdf))
            throw EError(60000, {"DClassReport::Pdf()"});
        area_ = QRect(QPoint(0, 0), pdf.pageLayout().paintRectPixels(kDpi).size());
        y_ = 0;
    }
    ~Pages()
    {
        if (painter_.isActive())
            painter_.end();
    }

    // Line by line, so that a paragraph longer than what is left of the page
    // (a list of a hundred subjects) goes on at the top of the next page
    // instead of running past the foot of this one. A text takes its
    // direction from its own letters; a list of subjects reads in the
    // interface's direction whatever script its names are in.
    void Text(const QString& text, const QFont& font, int gapAfter = 4,
              Qt::LayoutDirection direction = Qt::LayoutDirectionAuto)
    {
        QTextLayout layout(text, font, &probe_);
        QTextOption option(Qt::AlignLeft | Qt::AlignTop);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setTextDirection(direction);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(area_.width());
        layout.endLayout();
        painter_.setFont(font);
        for (int i = 0; i < layout.lineCount(); ++i)
        {
            const QTextLine line = layout.lineAt(i);
            const int height = qCeil(line.height());
            if (y_ > 0 && y_ + height > area_.height())
                NewPage();
            line.draw(&painter_, QPointF(0, y_ - line.y()));
            y_ += height;
        }
        y_ += gapAfter;
    }
    void Gap(int pixels) { y_ += pixels; }
    // A heading never stands alone at the foot of a page: with less room
    // left than it and the first lines below it, it starts the next page.
    void KeepRoom(int pixels)
    {
        if (y_ > 0 && y_ + pixels > area_.height())
            NewPage();
    }

    // The painting on a fresh page, as large as the page allows.
    void Picture(const DGraphPainting& painting)
    {
        NewPage();
        painting.PaintFitted(painter_, QRectF(area_));
        y_ = area_.height();
    }

    void NewPage()
    {
        if (!pdf_.newPage())
            throw EError(60000, {"DClassReport::Pdf()"});
        y_ = 0;
    }

    void End()
    {
        if (!painter_.end())
            throw EError(60000, {"DClassReport::Pdf()"});
    }

private:
    QPdfWriter& pdf_;
    QImage probe_;
    QPainter painter_;
    QRect area_;
    int y_;
};

// The name is isolated (first strong isolate ... pop directional isolate):
// a name in a right-to-left script neither carries its number to the other
// side nor reorders its neighbours in the list. The number and the name
// stay on one line.
QString SubjectText(const DSubjElem& subject)
{
    const QString name =
        QStringLiteral("%1 %2").arg(subject.appe.Surname().ToString(), subject.appe.Name().ToString()).trimmed();
    return QStringLiteral("%1.\u00a0\u2068%2\u2069").arg(subject.id.GetValue()).arg(name);
}

QString SubjectsText(const std::vector<const DSubjElem*>& subjects)
{
    if (subjects.empty())
        return DLanguage::Active().GetStr(28240);
    QStringList texts;
    for (const DSubjElem* subject : subjects)
        texts << SubjectText(*subject);
    return texts.join(QStringLiteral("; "));
}

void TitlePage(Pages& pages, DTest& test, const QString& fileName, const QDate& date)
{
    const DLanguage& lang = DLanguage::Active();
    pages.Text(lang.GetStr(28200), ReportFont(20, true), 8);
    const QString description = test.subj.Description().ToString();
    if (!description.isEmpty())
        pages.Text(description, ReportFont(14, true), 8);
    const QFont text = ReportFont(10);
    pages.Text(lang.GetMsg(28050, {DGraphPainting::DateText(date, true)}), text);
    pages.Text(lang.GetMsg(28030, {fileName.isEmpty() ? lang.GetStr(28040) : QFileInfo(fileName).fileName()}), text);
    const DQuesList& questions = test.ques.List();
    pages.Text(
        lang.GetMsg(28210, {questions.GetSize(), qint32(test.subj.List().Get().size()), test.answ.num.GetValue()}),
        text, 12);
    pages.Text(lang.GetStr(28220), ReportFont(12, true), 6);
    for (qint32 k = 0; k < questions.GetSize(); ++k)
    {
        const QStringList row = questions.GridRow(k);
        pages.Text(QStringLiteral("%1. (%2) %3").arg(row.value(0), row.value(1), row.value(2)), text);
    }
}

// What the numbers of an analysis count: every choice a subject received, or
// every classmate who chose (once, however many questions name the subject).
// The two differ as soon as more than one question is counted.
QString CountsInWords(Analysis analysis, const DGraph& graph)
{
    const DLanguage& lang = DLanguage::Active();
    QString words;
    switch (analysis)
    {
    case Analysis::Bar:
        words = lang.GetStr(graph.bar.type.IsViewAll() ? 37500 : 37510);
        break;
    case Analysis::Target:
        return lang.GetStr(37520);
    case Analysis::Metrics:
        words = lang.GetStr(37530);
        break;
    case Analysis::Sociogram:
        return {};
    }
    if (graph.weight.IsRank())
        words += QLatin1Char(' ') + lang.GetStr(33900) + QStringLiteral(": ") +
                 graph.weight.Texts().value(graph.weight.GetValue()) + QLatin1Char('.');
    return words;
}

void AnalysisPage(Pages& pages, Analysis analysis, DTest& test, const QString& fileName, const QDate& date)
{
    try
    {
        QStringList caption = DGraphPainting::CaptionLines(analysis, test.graph, fileName, date);
        if (const QString counts = CountsInWords(analysis, test.graph); !counts.isEmpty())
            caption << counts;
        pages.Picture(DGraphPainting::Of(analysis, test.graph).WithCaption(caption));
    }
    catch (const EError& e)
    {
        // The other analyses still have something to say.
        pages.NewPage();
        pages.Text(DGraphPainting::Name(analysis), ReportFont(14, true), 8);
        pages.Text(e.Message(), ReportFont(10));
    }
}

void CategoriesPage(Pages& pages, DTest& test)
{
    const DLanguage& lang = DLanguage::Active();
    pages.NewPage();
    pages.Text(lang.GetStr(28230), ReportFont(14, true), 8);
    DGraphTar& tar = test.graph.tar;
    const int scheme = DGraphTarTable::StoredScheme(test.graph);
    const QStringList criteria = DGraphTarCriteria::Lines(scheme);
    const QFont text = ReportFont(10);
    pages.Text(lang.GetStr(22100) + QStringLiteral(": ") + tar.stat.Texts().value(tar.stat.GetValue()), text);
    pages.Text(criteria.value(0), text, 2);
    pages.Text(CountsInWords(Analysis::Target, test.graph), text, 10);
    try
    {
        tar.Prepare(test.subj.List());
        for (const int slot : DGraphTar::RingOrder(tar.stat.IsRankPositive()))
        {
            const DGraphTarCat& category = tar.Categories()[std::size_t(slot)];
            pages.KeepRoom(kHeadingRoom);
            pages.Text(category.label, ReportFont(11, true), 2);
            // Each of the category's rules, as the legend states them.
            for (const QString& rule : criteria.mid(1))
                if (rule.startsWith(category.label + QStringLiteral(": ")))
                    pages.Text(rule.mid(category.label.size() + 2), text, 2);
            std::vector<const DSubjElem*> members;
            for (const DGraphListSubj& entry : category.subjects)
                members.push_back(&entry.Subj());
            pages.Text(SubjectsText(members), text, 10, Qt::LeftToRight);
        }
    }
    catch (const EError& e)
    {
        pages.Text(e.Message(), text, 10);
    }
}

// Those nobody accepted and those rejected most, over the questions the
// target diagram counts.
void AttentionPage(Pages& pages, DTest& test)
{
    const DLanguage& lang = DLanguage::Active();
    const std::vector<DSubjElem>& subjects = test.subj.List().Get();
    const DGraphTar::Counts counts = test.graph.tar.Count(test.subj.List());
    std::vector<const DSubjElem*> unaccepted;
    std::vector<const DSubjElem*> rejected;
    const quint32 most =
        counts.rejections.empty() ? 0 : *std::max_element(counts.rejections.begin(), counts.rejections.end());
    for (std::size_t i = 0; i < subjects.size(); ++i)
    {
        if (counts.acceptances[i] == 0)
            unaccepted.push_back(&subjects[i]);
        if (most > 0 && counts.rejections[i] == most)
            rejected.push_back(&subjects[i]);
    }
    const QFont heading = ReportFont(11, true);
    const QFont text = ReportFont(10);
    pages.Gap(8);
    pages.KeepRoom(kHeadingRoom);
    pages.Text(lang.GetStr(28250), heading, 2);
    pages.Text(SubjectsText(unaccepted), text, 10, Qt::LeftToRight);
    pages.KeepRoom(kHeadingRoom);
    pages.Text(lang.GetMsg(28260, {qint32(most)}), heading, 2);
    pages.Text(SubjectsText(rejected), text, 10, Qt::LeftToRight);
}
} // namespace

QByteArray DClassReport::Pdf(DTest& test, const QString& fileName, const QDate& date)
{
    return EError::Guard("DClassReport::Pdf()",
                         [&]
                         {
                             // Damaged answers are no report at all.
                             test.desi.Verify();
                             QByteArray bytes;
                             QBuffer buffer(&bytes);
                             buffer.open(QIODevice::WriteOnly);
                             {
                                 QPdfWriter pdf(&buffer);
                                 pdf.setResolution(kDpi);
                                 pdf.setCreator(QStringLiteral("Kaleidocircle"));
                                 pdf.setTitle(DLanguage::Active().GetStr(28200));
                                 pdf.setPageSize(QPageSize(QPageSize::A4));
                                 pdf.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                                    QPageLayout::Millimeter);
                                 Pages pages(pdf);
                                 TitlePage(pages, test, fileName, date);
                                 for (const Analysis analysis :
                                      {Analysis::Bar, Analysis::Target, Analysis::Sociogram, Analysis::Metrics})
                                     AnalysisPage(pages, analysis, test, fileName, date);
                                 CategoriesPage(pages, test);
                                 AttentionPage(pages, test);
                                 pages.End();
                             }
                             return bytes;
                         });
}
