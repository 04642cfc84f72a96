#include "analyses/DGraphMet.h"

#include "analyses/DGraph.h"
#include "analyses/DGraphListSubj.h"
#include "analyses/DGraphTarTable.h"
#include "analyses/DPicture.h"
#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "model/DCsv.h"
#include "model/EError.h"
#include "subjects/DSubj.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <map>

namespace
{
// A header or body text, left and right given as in the table layout.
DGraphMet::Cell MakeCell(int left, int top, int right, int bottom, Qt::Alignment align, const QString& text)
{
    return {QRect(left, top, right - left, bottom - top), align, text};
}

// The count and density of one index. A group of one has no other subjects:
// its density is 0 rather than whatever an earlier drawing left there.
void Store(DSubjElemSele& sele, qint32 value, qint32 subjects)
{
    sele.Init();
    sele.Set(static_cast<quint32>(value), subjects);
}

const QColor kGrey(128, 128, 128);

// The four groups of columns (acceptance received and given, rejection
// received and given) start here, each a value column, with rank weights a
// weighted column, and a density column.
constexpr int kGroupsLeft = 250;
constexpr int kColumn = 50;

int GroupWidth(bool weighted)
{
    return 2 * kColumn + (weighted ? DGraphMet::kWeightedWidth : 0);
}

// The texts of one group between top and bottom, left-aligned densities
// beside right-aligned numbers.
void AddGroupCells(std::vector<DGraphMet::Cell>& cells, int left, int top, int bottom, bool weighted,
                   const QString& value, const QString& rank, const QString& density)
{
    cells.push_back(MakeCell(left + 5, top, left + kColumn - 5, bottom, Qt::AlignRight, value));
    left += kColumn;
    if (weighted)
    {
        cells.push_back(MakeCell(left + 5, top, left + DGraphMet::kWeightedWidth - 5, bottom, Qt::AlignRight, rank));
        left += DGraphMet::kWeightedWidth;
    }
    cells.push_back(MakeCell(left + 5, top, left + kColumn - 5, bottom, Qt::AlignLeft, density));
}
} // namespace

int DGraphMet::Width(bool weighted)
{
    return kGroupsLeft + 4 * GroupWidth(weighted);
}

DGraphMet::DGraphMet(DGraph& graph) : graph_(graph)
{
}

std::vector<DGraphMet::Cell> DGraphMet::HeaderCells(bool weighted)
{
    const DLanguage& lang = DLanguage::Active();
    const QString value = lang.GetStr(25270);
    const QString rank = lang.GetStr(33940);
    const QString density = lang.GetStr(25280);
    std::vector<Cell> cells{
        MakeCell(5, 0, 45, 60, Qt::AlignRight, lang.GetStr(25200)),
        MakeCell(55, 0, 145, 60, Qt::AlignLeft, lang.GetStr(25210)),
        MakeCell(155, 0, 245, 60, Qt::AlignLeft, lang.GetStr(25220)),
    };
    const int group = GroupWidth(weighted);
    for (const int kind : {25230, 25240})
    {
        const int left = kGroupsLeft + (kind == 25230 ? 0 : 2 * group);
        cells.push_back(MakeCell(left + 5, 0, left + 2 * group - 5, 20, Qt::AlignHCenter, lang.GetStr(kind)));
        for (const int direction : {25250, 25260})
        {
            const int groupLeft = left + (direction == 25250 ? 0 : group);
            cells.push_back(
                MakeCell(groupLeft + 5, 20, groupLeft + group - 5, 40, Qt::AlignHCenter, lang.GetStr(direction)));
            AddGroupCells(cells, groupLeft, 40, 60, weighted, value, rank, density);
        }
    }
    return cells;
}

std::vector<DGraphMet::Cell> DGraphMet::RowCells(const DSubjElem& subject, int y, bool weighted)
{
    const int bottom = y + kRowHeight;
    std::vector<Cell> cells{
        MakeCell(5, y, 45, bottom, Qt::AlignRight, QString::number(subject.id.GetValue())),
        MakeCell(55, y, 145, bottom, Qt::AlignLeft, subject.appe.Surname().ToString()),
        MakeCell(155, y, 245, bottom, Qt::AlignLeft, subject.appe.Name().ToString()),
    };
    int left = kGroupsLeft;
    for (const DSubjElemSele* sele :
         {&subject.acceptanceReceived, &subject.acceptanceGiven, &subject.rejectionReceived, &subject.rejectionGiven})
    {
        AddGroupCells(cells, left, y, bottom, weighted, QString::number(sele->Get()),
                      QString::number(sele->GetWeighted()), Density(sele->GetDensity()));
        left += GroupWidth(weighted);
    }
    return cells;
}

QString DGraphMet::Density(double density, const DCsv::Options& options)
{
    return DCsv::Number(density, 3, options);
}

void DGraphMet::Prepare()
{
    EError::Guard("DGraphMet::Prepare()",
                  [&]
                  {
                      const DDesi& desi = graph_.Desi();
                      std::vector<DSubjElem>& subjects = graph_.Subj().List().Get();
                      const qint32 n = static_cast<qint32>(subjects.size());
                      const bool weighted = graph_.weight.IsRank();
                      for (DSubjElem& subject : subjects)
                      {
                          const qint32 v = subject.id.GetValue();
                          using Count = qint32 (DDesi::*)(qint32, bool, bool, bool, bool, bool) const;
                          const std::pair<DSubjElemSele*, Count> indices[] = {
                              {&subject.acceptanceReceived, &DDesi::GetSubjAccSbj},
                              {&subject.acceptanceGiven, &DDesi::GetOutAccSbj},
                              {&subject.rejectionReceived, &DDesi::GetSubjRejSbj},
                              {&subject.rejectionGiven, &DDesi::GetOutRejSbj}};
                          for (const auto& [sele, count] : indices)
                          {
                              Store(*sele, (desi.*count)(v, false, false, false, true, false), n);
                              if (weighted)
                                  sele->SetWeighted(quint32((desi.*count)(v, false, false, false, true, true)));
                          }
                      }

                      std::vector<DGraphListSubj>& list = graph_.Subjects();
                      list.clear();
                      list.reserve(subjects.size());
                      for (DSubjElem& subject : subjects)
                      {
                          list.emplace_back(graph_, subject);
                          list.back().SortGraphMet();
                      }
                      // Stable, so that subjects with equal counts stay in identifier order.
                      std::stable_sort(list.begin(), list.end());
                  });
}

bool DGraphMet::Less(const DGraphListSubj& a, const DGraphListSubj& b) const
{
    const DSubjElem& x = a.Subj();
    const DSubjElem& y = b.Subj();
    switch (order.GetValue())
    {
    case DGraphMetOrder::AsInList:
        return x.id.GetValue() < y.id.GetValue();
    case DGraphMetOrder::AcceptanceInDegree:
        return x.acceptanceReceived.Get() > y.acceptanceReceived.Get();
    case DGraphMetOrder::AcceptanceOutDegree:
        return x.acceptanceGiven.Get() > y.acceptanceGiven.Get();
    case DGraphMetOrder::RejectionInDegree:
        return x.rejectionReceived.Get() > y.rejectionReceived.Get();
    case DGraphMetOrder::RejectionOutDegree:
        return x.rejectionGiven.Get() > y.rejectionGiven.Get();
    default:
        throw EError(50020, {"DGraphListSubj::operator<()"});
    }
}

QSize DGraphMet::Layout()
{
    return EError::Guard("DGraphMet::Draw()",
                         [&]
                         {
                             graph_.Desi().Verify();
                             Prepare();
                             return QSize(Width(graph_.weight.IsRank()) + 1,
                                          TableHeight(static_cast<int>(graph_.Subjects().size())) + 1);
                         });
}

void DGraphMet::Draw(QImage& picture)
{
    try
    {
        const QSize size = Layout();
        EError::Guard("DGraphMet::Draw()",
                      [&]
                      {
                          picture = DPicture::Make(size.width(), size.height());
                          QPainter painter(&picture);
                          Paint(painter);
                      });
    }
    catch (const EError&)
    {
        picture.fill(Qt::white);
        throw;
    }
}

void DGraphMet::Paint(QPainter& painter) const
{
    const std::vector<DGraphListSubj>& list = graph_.Subjects();
    const int b = TableHeight(static_cast<int>(list.size()));
    const bool weighted = graph_.weight.IsRank();
    const int width = Width(weighted);
    const int group = GroupWidth(weighted);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    // A flat cap leaves out the last point of a line, as the layout expects.
    QPen pen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::white);
    painter.setFont(DPicture::Font(8));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);

    painter.fillRect(QRect(0, 0, width, b), Qt::white);
    const QPoint border[] = {{0, 0}, {width, 0}, {width, b}, {0, b}, {0, 0}};
    painter.drawPolyline(border, 5);

    pen.setColor(kGrey);
    painter.setPen(pen);
    for (int x : {50, 150, kGroupsLeft, kGroupsLeft + 2 * group})
        painter.drawLine(x, 0, x, b);
    for (int x : {kGroupsLeft + group, kGroupsLeft + 3 * group})
        painter.drawLine(x, 20, x, b);
    for (int left = kGroupsLeft; left < width; left += group)
        for (int x = left + kColumn; x < left + group; x += weighted ? kWeightedWidth : kColumn)
            painter.drawLine(x, 40, x, b);
    painter.drawLine(kGroupsLeft, 20, width, 20);
    painter.drawLine(kGroupsLeft, 40, width, 40);

    auto text = [&](const Cell& cell)
    {
        // Black text on its own white background, one line, clipped to the cell.
        painter.setPen(Qt::black);
        painter.drawText(cell.rect, int(cell.align | Qt::AlignVCenter | Qt::TextSingleLine), cell.text);
    };
    for (const Cell& cell : HeaderCells(weighted))
        text(cell);

    int y = kHeaderHeight;
    for (const DGraphListSubj& entry : list)
    {
        EError::Guard("DGraphMet::Draw()",
                      [&]
                      {
                          painter.setPen(pen);
                          painter.drawLine(0, y, width, y);
                          for (const Cell& cell : RowCells(entry.Subj(), y, weighted))
                              text(cell);
                      });
        y += kRowHeight;
    }
}

void DGraphMet::ToMemoCsv(QStringList& lines, const DCsv::Options& options, bool categories)
{
    EError::Guard("DGraphMet::ToMemoCsv()",
                  [&]
                  {
                      graph_.Desi().Verify();
                      Prepare();
                      lines = CsvLines(options, categories);
                  });
}

QStringList DGraphMet::CsvLines(const DCsv::Options& options, bool categories) const
{
    const DLanguage& lang = DLanguage::Active();
    QStringList header{lang.GetStr(25200), lang.GetStr(25210), lang.GetStr(25220)};
    const bool weighted = graph_.weight.IsRank();
    const std::pair<int, int> pairs[] = {{25230, 25250}, {25230, 25260}, {25240, 25250}, {25240, 25260}};
    for (const auto& [kind, direction] : pairs)
    {
        const QString stem = lang.GetStr(kind) + QLatin1Char(' ') + lang.GetStr(direction) + QLatin1Char(' ');
        header << stem + lang.GetStr(25270);
        if (weighted)
            header << stem + lang.GetStr(33940);
        header << stem + lang.GetStr(25280);
    }

    // Each subject's category under the categorisation the target diagram
    // shows, by subject number: the table's rows come in its own order.
    std::map<qint32, QString> category;
    if (categories)
    {
        const int scheme = DGraphTarTable::StoredScheme(graph_);
        header << lang.GetMsg(28700, {DGraphTarTable::SchemeName(scheme)});
        for (const DGraphTarTable::Row& row : DGraphTarTable::Rows(graph_))
            category[row.id] = DGraphTarTable::Label(scheme, row.slots[std::size_t(scheme)]);
    }

    QStringList lines;
    lines << DCsv::Line(header, options);
    for (const DGraphListSubj& entry : graph_.Subjects())
    {
        const DSubjElem& s = entry.Subj();
        QStringList cells{QString::number(s.id.GetValue()), s.appe.Surname().ToString(), s.appe.Name().ToString()};
        for (const DSubjElemSele* sele :
             {&s.acceptanceReceived, &s.acceptanceGiven, &s.rejectionReceived, &s.rejectionGiven})
        {
            cells << QString::number(sele->Get());
            if (weighted)
                cells << QString::number(sele->GetWeighted());
            cells << Density(sele->GetDensity(), options);
        }
        if (categories)
            cells << category[s.id.GetValue()];
        lines << DCsv::Line(cells, options);
    }
    return lines;
}

QByteArray DGraphMet::CsvBytes(const QStringList& lines, const DCsv::Options& options)
{
    return DCsv::Bytes(lines, options);
}

bool DGraphMet::IsChangedByUser() const
{
    return EError::Guard("DGraphMet::IsChangedByUser()", [&] { return order.IsChangedByUser(); });
}

void DGraphMet::ToFile(DFileStream& stream)
{
    EError::Guard("DGraphMet::ToFile()", [&] { order.ToFile(stream); });
}

void DGraphMet::FromFile(DFileStream& stream, qint32 version)
{
    EError::Guard("DGraphMet::FromFile()",
                  [&]
                  {
                      if (version >= 2)
                          order.FromFileOrDefault(stream);
                  });
}

void DGraphMet::TakeData(const DGraphMet& other)
{
    order.TakeData(other.order);
}
