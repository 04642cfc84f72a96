#include "analyses/DGraphTarTable.h"

#include "analyses/DGraph.h"
#include "analyses/DGraphTarCriteria.h"
#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "subjects/DSubj.h"

namespace
{
constexpr int kSchemeIds[DGraphTarStat::kSchemes] = {33470, 33480, 33490};
} // namespace

std::vector<DGraphTarTable::Row> DGraphTarTable::Rows(const DGraph& graph, std::optional<QString>* noSpread)
{
    return EError::Guard("DGraphTarTable::Rows()",
                         [&]
                         {
                             graph.Desi().Verify();
                             const DSubjList& subjects = graph.Subj().List();
                             const DGraphTar::Counts counts = graph.tar.Count(subjects);
                             std::optional<std::vector<DGraphTar::Score>> scores =
                                 DGraphTar::TryStandardise(counts.acceptances, counts.rejections);
                             if (noSpread)
                             {
                                 noSpread->reset();
                                 if (!scores)
                                 {
                                     try
                                     {
                                         DGraphTar::Standardise(counts.acceptances, counts.rejections);
                                     }
                                     catch (const EError& e)
                                     {
                                         *noSpread = e.Message();
                                     }
                                 }
                             }
                             const std::vector<int> frequency = DGraphTar::Slots(DGraphTarStat::Frequency, counts);
                             const std::vector<int> probability = DGraphTar::Slots(DGraphTarStat::Probability, counts);

                             std::vector<Row> rows;
                             rows.reserve(subjects.Get().size());
                             for (std::size_t i = 0; i < subjects.Get().size(); ++i)
                             {
                                 const DSubjElem& s = subjects.Get()[i];
                                 Row row;
                                 row.id = s.id.GetValue();
                                 row.surname = s.appe.Surname().ToString();
                                 row.name = s.appe.Name().ToString();
                                 row.acceptances = counts.acceptances[i];
                                 row.rejections = counts.rejections[i];
                                 row.slots = {frequency[i], kNone, probability[i]};
                                 if (scores)
                                 {
                                     row.score = (*scores)[i];
                                     row.slots[DGraphTarStat::Preference] =
                                         DGraphTar::PreferenceSlot(row.score->zA, row.score->zR);
                                 }
                                 for (const int slot : row.slots)
                                     if (slot != kNone && slot != row.slots[0])
                                         row.differs = true;
                                 rows.push_back(std::move(row));
                             }
                             return rows;
                         });
}

QString DGraphTarTable::Label(int scheme, int slot)
{
    if (slot == kNone)
        return QString();
    return DLanguage::Active().GetStr(DGraphTar::LabelId(scheme == DGraphTarStat::Frequency, slot));
}

QString DGraphTarTable::Letter(int scheme, int slot)
{
    return Label(scheme, slot).left(1);
}

int DGraphTarTable::StoredScheme(const DGraph& graph)
{
    const DGraphTarStat& stat = graph.tar.stat;
    if (stat.IsRankPositive())
        return DGraphTarStat::Frequency;
    return stat.IsProbability() ? DGraphTarStat::Probability : DGraphTarStat::Preference;
}

QString DGraphTarTable::SchemeName(int scheme)
{
    return DLanguage::Active().GetStr(kSchemeIds[scheme]);
}

QStringList DGraphTarTable::Header()
{
    const DLanguage& lang = DLanguage::Active();
    QStringList header;
    for (const int id : {25200, 25210, 25220, 33410, 33420, 33430, 33440, 33450, 33460})
        header << lang.GetStr(id);
    for (const int id : kSchemeIds)
        header << lang.GetStr(id);
    return header;
}

QStringList DGraphTarTable::Cells(const Row& row, const DCsv::Options& options)
{
    const auto decimal = [&](double value) { return DCsv::Number(value, 2, options); };
    QStringList cells{QString::number(row.id), row.surname, row.name, QString::number(row.acceptances),
                      QString::number(row.rejections)};
    if (row.score)
        cells << decimal(row.score->zA) << decimal(row.score->zR) << decimal(row.score->zA - row.score->zR)
              << decimal(row.score->zA + row.score->zR);
    else
        cells << QString() << QString() << QString() << QString();
    for (int scheme = 0; scheme < DGraphTarStat::kSchemes; ++scheme)
        cells << Letter(scheme, row.slots[std::size_t(scheme)]);
    return cells;
}

QString DGraphTarTable::Text(const std::vector<Row>& rows)
{
    const DLanguage& lang = DLanguage::Active();
    QStringList lines;
    for (int scheme = 0; scheme < DGraphTarStat::kSchemes; ++scheme)
        lines << lang.GetStr(kSchemeIds[scheme]) << DGraphTarCriteria::Lines(scheme) << QString();
    lines << DCsv::ClipboardLine(Header() << lang.GetStr(33500));
    for (const Row& row : rows)
        lines << DCsv::ClipboardLine(Cells(row) << (row.differs ? QStringLiteral("*") : QString()));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QStringList DGraphTarTable::CsvLines(const std::vector<Row>& rows, const DCsv::Options& options)
{
    QStringList lines{DCsv::Line(Header(), options)};
    for (const Row& row : rows)
        lines << DCsv::Line(Cells(row, options), options);
    return lines;
}
