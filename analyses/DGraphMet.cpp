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
} // namespace

DGraphMet::DGraphMet(DGraph& graph) : graph_(graph)
{
}

std::vector<DGraphMet::Cell> DGraphMet::HeaderCells()
{
    const DLanguage& lang = DLanguage::Active();
    const QString value = lang.GetStr(25270);
    const QString density = lang.GetStr(25280);
    const QString received = lang.GetStr(25250);
    const QString given = lang.GetStr(25260);
    return {
        MakeCell(5, 0, 45, 60, Qt::AlignRight, lang.GetStr(25200)),
        MakeCell(55, 0, 145, 60, Qt::AlignLeft, lang.GetStr(25210)),
        MakeCell(155, 0, 245, 60, Qt::AlignLeft, lang.GetStr(25220)),
        MakeCell(255, 0, 445, 20, Qt::AlignHCenter, lang.GetStr(25230)),
        MakeCell(255, 20, 345, 40, Qt::AlignHCenter, received),
        MakeCell(255, 40, 295, 60, Qt::AlignRight, value),
        MakeCell(305, 40, 345, 60, Qt::AlignLeft, density),
        MakeCell(355, 20, 445, 40, Qt::AlignHCenter, given),
        MakeCell(355, 40, 395, 60, Qt::AlignRight, value),
        MakeCell(405, 40, 445, 60, Qt::AlignLeft, density),
        MakeCell(455, 0, 645, 20, Qt::AlignHCenter, lang.GetStr(25240)),
        MakeCell(455, 20, 545, 40, Qt::AlignHCenter, received),
        MakeCell(455, 40, 495, 60, Qt::AlignRight, value),
        MakeCell(505, 40, 545, 60, Qt::AlignLeft, density),
        MakeCell(555, 20, 645, 40, Qt::AlignHCenter, given),
        MakeCell(555, 40, 595, 60, Qt::AlignRight, value),
        MakeCell(605, 40, 645, 60, Qt::AlignLeft, density),
    };
}

std::vector<DGraphMet::Cell> DGraphMet::RowCells(const DSubjElem& subject, int y)
{
    const int bottom = y + kRowHeight;
    auto cell = [&](int left, int right, Qt::Alignment align, const QString& text)
    { return MakeCell(left, y, right, bottom, align, text); };
    return {
        cell(5, 45, Qt::AlignRight, QString::number(subject.id.GetValue())),
        cell(55, 145, Qt::AlignLeft, subject.appe.Surname().ToString()),
        cell(155, 245, Qt::AlignLeft, subject.appe.Name().ToString()),
        cell(255, 295, Qt::AlignRight, QString::number(subject.acceptanceReceived.Get())),
        cell(305, 345, Qt::AlignLeft, Density(subject.acceptanceReceived.GetDensity())),
        cell(355, 395, Qt::AlignRight, QString::number(subject.acceptanceGiven.Get())),
        cell(405, 445, Qt::AlignLeft, Density(subject.acceptanceGiven.GetDensity())),
        cell(455, 495, Qt::AlignRight, QString::number(subject.rejectionReceived.Get())),
        cell(505, 545, Qt::AlignLeft, Density(subject.rejectionReceived.GetDensity())),
        cell(555, 595, Qt::AlignRight, QString::number(subject.rejectionGiven.Get())),
        cell(605, 645, Qt::AlignLeft, Density(subject.rejectionGiven.GetDensity())),
    };
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
                      for (DSubjElem& subject : subjects)
                      {
                          const qint32 v = subject.id.GetValue();
                          Store(subject.acceptanceReceived, desi.GetSubjAccSbj(v, false, false, false, true), n);
                          Store(subject.acceptanceGiven, desi.GetOutAccSbj(v, false, false, false, true), n);
                          Store(subject.rejectionReceived, desi.GetSubjRejSbj(v, false, false, false, true), n);
                          Store(subject.rejectionGiven, desi.GetOutRejSbj(v, false, false, false, true), n);
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
                             return QSize(kWidth + 1, TableHeight(static_cast<int>(graph_.Subjects().size())) + 1);
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

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    // A flat cap leaves out the last point of a line, as the layout expects.
    QPen pen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::white);
    painter.setFont(DPicture::Font(8));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);

    painter.fillRect(QRect(0, 0, kWidth, b), Qt::white);
    const QPoint border[] = {{0, 0}, {kWidth, 0}, {kWidth, b}, {0, b}, {0, 0}};
    painter.drawPolyline(border, 5);

    pen.setColor(kGrey);
    painter.setPen(pen);
    for (int x : {50, 150, 250, 450})
        painter.drawLine(x, 0, x, b);
    for (int x : {350, 550})
        painter.drawLine(x, 20, x, b);
    for (int x : {300, 400, 500, 600})
        painter.drawLine(x, 40, x, b);
    painter.drawLine(250, 20, kWidth, 20);
    painter.drawLine(250, 40, kWidth, 40);

    auto text = [&](const Cell& cell)
    {
        // Black text on its own white background, one line, clipped to the cell.
        painter.setPen(Qt::black);
        painter.drawText(cell.rect, int(cell.align | Qt::AlignVCenter | Qt::TextSingleLine), cell.text);
    };
    for (const Cell& cell : HeaderCells())
        text(cell);

    int y = kHeaderHeight;
    for (const DGraphListSubj& entry : list)
    {
        EError::Guard("DGraphMet::Draw()",
                      [&]
                      {
                          painter.setPen(pen);
                          painter.drawLine(0, y, kWidth, y);
                          for (const Cell& cell : RowCells(entry.Subj(), y))
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
    const std::pair<int, int> pairs[] = {{25230, 25250}, {25230, 25260}, {25240, 25250}, {25240, 25260}};
    for (const auto& [kind, direction] : pairs)
    {
        const QString stem = lang.GetStr(kind) + QLatin1Char(' ') + lang.GetStr(direction) + QLatin1Char(' ');
        header << stem + lang.GetStr(25270) << stem + lang.GetStr(25280);
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
        QStringList cells{QString::number(s.id.GetValue()),
                          s.appe.Surname().ToString(),
                          s.appe.Name().ToString(),
                          QString::number(s.acceptanceReceived.Get()),
                          Density(s.acceptanceReceived.GetDensity(), options),
                          QString::number(s.acceptanceGiven.Get()),
                          Density(s.acceptanceGiven.GetDensity(), options),
                          QString::number(s.rejectionReceived.Get()),
                          Density(s.rejectionReceived.GetDensity(), options),
                          QString::number(s.rejectionGiven.Get()),
                          Density(s.rejectionGiven.GetDensity(), options)};
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
