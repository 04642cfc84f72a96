#include "analyses/DGraphTar.h"

#include "analyses/DGraph.h"
#include "analyses/DGraphTarChance.h"
#include "analyses/DPicture.h"
#include "analyses/DSubjBox.h"
#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "subjects/DSubj.h"
#include "subjects/DSubjList.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace
{
constexpr int kCentred = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine;

// Slot labels of the frequency algorithm (slots 0..5) and of preference and
// impact (slots 0, 3, 4, 5, 6; 0 where the slot is unused).
constexpr int kFrequencyIds[DGraphTar::kSlots] = {21100, 21110, 21120, 21130, 21140, 21150, 0};
constexpr int kPreferenceIds[DGraphTar::kSlots] = {21200, 0, 0, 21230, 21210, 21220, 21240};
} // namespace

DGraphTar::DGraphTar(DGraph& graph) : graph_(graph)
{
}

std::vector<int> DGraphTar::RingOrder(bool rankPositive)
{
    if (rankPositive)
        return {0, 1, 2, 3, 4, 5};
    return {0, 4, 5, 3, 6};
}

int DGraphTar::LabelId(bool rankPositive, int slot)
{
    if (slot < 0 || slot >= kSlots)
        return 0;
    return rankPositive ? kFrequencyIds[slot] : kPreferenceIds[slot];
}

int DGraphTar::FrequencySlot(quint32 a, quint32 r, qint32 f)
{
    const qint64 ac = a;
    const qint64 rc = r;
    if (ac > f && rc <= 1)
        return 0; // A) Popular
    if (ac > f && rc > f && std::abs(ac - rc) >= 2)
        return 3; // D) Controversial
    if (ac >= 1 && rc > f)
        return 4; // E) Rejected
    if (ac == 0 && rc == 0)
        return 5; // F) Neglected
    if (ac > rc)
        return 1; // B) Liked more than disliked
    if (rc > ac)
        return 2; // C) Disliked more than liked
    return 3;     // D) Controversial
}

int DGraphTar::PreferenceSlot(double zA, double zR)
{
    const double preference = zA - zR;
    const double impact = zA + zR;
    if (preference > 1 && zA > 0 && zR < 0)
        return 0; // A) Popular
    if (preference < -1 && zA < 0 && zR > 0)
        return 4; // B) Rejected
    // Little impact with both scores below the group's mean: hardly anybody
    // names the subject either way.
    if (impact < -1 && zA < 0 && zR < 0)
        return 5; // C) Neglected
    if (impact > 1 && zA > 0 && zR > 0)
        return 3; // D) Controversial
    return 6;     // E) Average
}

namespace
{
struct Spread
{
    double mean = 0.0;
    double deviation = 0.0;
};

Spread SpreadOf(const std::vector<quint32>& values)
{
    Spread s;
    const std::size_t n = values.size();
    if (n == 0)
        return s;
    double sum = 0.0;
    for (const quint32 v : values)
        sum += v;
    s.mean = sum / double(n);
    if (n == 1)
    {
        s.deviation = values.front();
        return s;
    }
    double squares = 0.0;
    for (const quint32 v : values)
        squares += (s.mean - v) * (s.mean - v);
    s.deviation = std::sqrt(squares / double(n - 1));
    return s;
}

double ZScore(quint32 value, const Spread& s)
{
    return (value - s.mean) / s.deviation;
}

// The message for an axis on which every subject received the same count:
// its standardised scores do not exist, and taking them as 0 would call
// everybody average without saying why.
EError NoSpread(bool acceptance, quint32 count)
{
    if (count == 0)
        return EError(acceptance ? 33000 : 33010);
    return EError(acceptance ? 33020 : 33030, {qint32(count)});
}
} // namespace

std::optional<std::vector<DGraphTar::Score>> DGraphTar::TryStandardise(const std::vector<quint32>& acceptances,
                                                                       const std::vector<quint32>& rejections)
{
    if (acceptances.size() != rejections.size())
        throw std::invalid_argument("counts of different groups");
    if (acceptances.empty())
        return std::vector<Score>();
    const Spread a = SpreadOf(acceptances);
    const Spread r = SpreadOf(rejections);
    if (a.deviation == 0.0 || r.deviation == 0.0)
        return std::nullopt;
    std::vector<Score> scores;
    scores.reserve(acceptances.size());
    for (std::size_t i = 0; i < acceptances.size(); ++i)
        scores.push_back({ZScore(acceptances[i], a), ZScore(rejections[i], r)});
    return scores;
}

std::vector<DGraphTar::Score> DGraphTar::Standardise(const std::vector<quint32>& acceptances,
                                                     const std::vector<quint32>& rejections)
{
    std::optional<std::vector<Score>> scores = TryStandardise(acceptances, rejections);
    if (scores)
        return std::move(*scores);
    // Without spread on an axis its count is the same for everybody.
    if (SpreadOf(acceptances).deviation == 0.0)
        throw NoSpread(true, acceptances.front());
    throw NoSpread(false, rejections.front());
}

void DGraphTar::EqualiseRadii(std::vector<qint32>& radii, qint32 cel)
{
    for (std::size_t j = 0; j + 1 < radii.size(); ++j)
    {
        if (radii[j] + cel < radii[j + 1])
        {
            radii[j] = radii[j + 1] - cel;
            for (std::size_t i = j; i-- > 0;)
                radii[i] = radii[i + 1] - cel;
        }
        else if (radii[j] + cel > radii[j + 1])
            radii[j + 1] = radii[j] + cel;
    }
}

DGraphTar::Layout DGraphTar::ComputeLayout(qint32 cel, qint32 outerRadius, int textHeight, bool rankPositive)
{
    Layout layout;
    layout.legend = (rankPositive ? 6 : 5) * textHeight + 5;
    layout.width = 2 * cel + 2 * outerRadius;
    layout.height = layout.width + layout.legend;
    layout.centre = QPoint(layout.width / 2, (layout.height - layout.legend) / 2);
    return layout;
}

std::vector<QPoint> DGraphTar::Positions(QPoint centre, qint32 radius, int count)
{
    std::vector<QPoint> positions;
    positions.reserve(std::size_t(std::max(count, 0)));
    // The letter takes the top of the ring; the subjects follow it at equal
    // steps. The angle is stepped, not multiplied, so every subject lands on
    // the same pixel however often the diagram is drawn.
    const double step = 2.0 * std::numbers::pi / (count + 1);
    double angle = 3.0 * std::numbers::pi / 2.0;
    for (int i = 0; i < count; ++i)
    {
        angle -= step;
        positions.emplace_back(centre.x() + int(std::ceil(radius * std::cos(angle))),
                               centre.y() + int(std::ceil(radius * std::sin(angle))));
    }
    return positions;
}

QRect DGraphTar::Circle(QPoint centre, qint32 radius, qint32 cel)
{
    const int reach = cel / 2 + radius;
    return QRect(centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach);
}

QRect DGraphTar::LetterRect(QPoint centre, qint32 radius, qint32 cel)
{
    const int h = cel / 2;
    return QRect(centre.x() - h, centre.y() - radius - h, 2 * h + 1, 2 * h + 1);
}

QRect DGraphTar::SubjectBox(QPoint position, qint32 box)
{
    const int hb = box / 2;
    return QRect(position.x() - hb, position.y() - hb, 2 * hb, 2 * hb);
}

std::array<QRect, 3> DGraphTar::SubjectTexts(const QRect& box)
{
    // The box's outline is inclusive: its text area ends one past it.
    const int l = box.left();
    const int t = box.top();
    const int r = l + box.width() + 1;
    const int b = t + box.height() + 1;
    const int third = (b - t) / 3;
    auto edges = [](int left, int top, int right, int bottom) { return QRect(left, top, right - left, bottom - top); };
    return {{edges(l + 1, t + 2, r - 1, t + third + 2), edges(l + 1, t + third, r - 1, t + 2 * third),
             edges(l + 1, t + 2 * third - 3, r - 1, b - 3)}};
}

DGraphTar::Counts DGraphTar::Count(const DSubjList& subjects) const
{
    const DDesi& desi = graph_.Desi();
    Counts counts;
    counts.answers = desi.AnswCount();
    counts.positive = desi.GetTargetQuestions(true);
    counts.negative = desi.GetTargetQuestions(false);
    const std::vector<DSubjElem>& records = subjects.Get();
    counts.acceptances.reserve(records.size());
    counts.rejections.reserve(records.size());
    for (const DSubjElem& subject : records)
    {
        const qint32 v = subject.id.GetValue();
        counts.acceptances.push_back(quint32(desi.GetSubjAccTot(v, false, true, false)));
        counts.rejections.push_back(quint32(desi.GetSubjRejTot(v, false, true, false)));
    }
    return counts;
}

std::vector<int> DGraphTar::Slots(int scheme, const Counts& counts)
{
    const std::size_t n = counts.acceptances.size();
    std::vector<int> slots;
    slots.reserve(n);
    switch (scheme)
    {
    case DGraphTarStat::Frequency:
        for (std::size_t i = 0; i < n; ++i)
            slots.push_back(
                FrequencySlot(counts.acceptances[i], counts.rejections[i], counts.positive * counts.answers));
        return slots;
    case DGraphTarStat::Probability:
        return DGraphTarChance::Slots(counts.acceptances, counts.rejections, counts.answers, counts.positive,
                                      counts.negative);
    default:
        for (const Score& score : Standardise(counts.acceptances, counts.rejections))
            slots.push_back(PreferenceSlot(score.zA, score.zR));
        return slots;
    }
}

void DGraphTar::Categorise(DSubjList& subjects, const Counts& counts)
{
    const bool rankPositive = stat.IsRankPositive();
    const std::vector<int> rings = RingOrder(rankPositive);
    for (const int slot : rings)
    {
        categories_[std::size_t(slot)].label = DLanguage::Active().GetStr(LabelId(rankPositive, slot));
        categories_[std::size_t(slot)].Clear();
    }

    std::vector<DSubjElem>& records = subjects.Get();
    const std::vector<int> slots = Slots(stat.GetValue(), counts);
    for (std::size_t i = 0; i < records.size(); ++i)
        categories_[std::size_t(slots[i])].subjects.emplace_back(graph_, records[i]);

    qint32 previous = 0;
    for (const int slot : rings)
    {
        categories_[std::size_t(slot)].SetRadiusMin(previous, cel_);
        previous = categories_[std::size_t(slot)].radius;
    }
    std::vector<qint32> radii;
    for (const int slot : rings)
        radii.push_back(categories_[std::size_t(slot)].radius);
    EqualiseRadii(radii, cel_);
    for (std::size_t i = 0; i < rings.size(); ++i)
        categories_[std::size_t(rings[i])].radius = radii[i];
}

void DGraphTar::Prepare(DSubjList& subjects)
{
    EError::Guard("DGraphTar::Prepare()",
                  [&]
                  {
                      cel_ = subjDim.GetCel();
                      sbj_ = subjDim.GetSbj();
                      const Counts counts = Count(subjects);
                      std::vector<DSubjElem>& records = subjects.Get();
                      for (std::size_t i = 0; i < records.size(); ++i)
                      {
                          records[i].acceptanceReceived.Set(counts.acceptances[i]);
                          records[i].rejectionReceived.Set(counts.rejections[i]);
                      }
                      Categorise(subjects, counts);
                  });
}

void DGraphTar::Draw(QImage& picture)
{
    Draw(graph_.Subj().List(), picture);
}

DGraphTar::Layout DGraphTar::Lay(DSubjList& subjects)
{
    return EError::Guard("DGraphTar::Draw()",
                         [&]
                         {
                             graph_.Desi().Verify();
                             Prepare(subjects);
                             const bool rankPositive = stat.IsRankPositive();
                             const int th = DPicture::LineHeight(DPicture::Font(9));
                             return ComputeLayout(cel_, categories_[std::size_t(RingOrder(rankPositive).back())].radius,
                                                  th, rankPositive);
                         });
}

void DGraphTar::PaintOn(QPainter& p, const Layout& layout)
{
    try
    {
        EError::Guard("DGraphTar::Draw()",
                      [&]
                      {
                          const std::vector<int> rings = RingOrder(stat.IsRankPositive());
                          const int w = layout.width;
                          const int hh = layout.height;
                          painter_ = &p;
                          DPicture::PrepareOutlines(p);
                          p.setBackground(Qt::white);
                          p.drawRect(QRect(0, 0, w, hh));
                          p.drawLine(0, hh - layout.legend, w - 1, hh - layout.legend);

                          QStringList labels;
                          for (const int slot : rings)
                              labels << categories_[std::size_t(slot)].label;
                          p.setFont(DPicture::Font(9));
                          p.drawText(QRect(4, hh - layout.legend + 2, w - 4, layout.legend - 2),
                                     Qt::AlignLeft | Qt::AlignTop, labels.join(QLatin1Char('\n')));

                          centre_ = layout.centre;
                          for (auto slot = rings.rbegin(); slot != rings.rend(); ++slot)
                              DrawCategory(categories_[std::size_t(*slot)]);
                          painter_ = nullptr;
                      });
    }
    catch (...)
    {
        painter_ = nullptr;
        throw;
    }
}

void DGraphTar::Draw(DSubjList& subjects, QImage& picture)
{
    try
    {
        const Layout layout = Lay(subjects);
        // A new picture is already white: the drawing rectangle needs no
        // second fill.
        picture = EError::Guard("DGraphTar::Draw()",
                                [&] { return DPicture::MakeChecked(layout.width + 1, layout.height + 1); });
        QPainter p(&picture);
        PaintOn(p, layout);
    }
    catch (...)
    {
        picture.fill(Qt::white);
        throw;
    }
}

void DGraphTar::DrawCategory(const DGraphTarCat& category)
{
    EError::Guard("DGraphTar::DrawCategory()",
                  [&]
                  {
                      QPainter& p = *painter_;
                      // Filled white, so each ring hides the inside of the one around it.
                      p.setPen(QPen(Qt::black, 1));
                      p.setBrush(Qt::white);
                      p.drawEllipse(Circle(centre_, category.radius, cel_));

                      p.setFont(DPicture::Font(12));
                      p.setBackground(Qt::white);
                      p.drawText(LetterRect(centre_, category.radius, cel_), kCentred, category.label.left(1));

                      const std::vector<QPoint> positions =
                          Positions(centre_, category.radius, int(category.subjects.size()));
                      for (std::size_t i = 0; i < positions.size(); ++i)
                      {
                          position_ = positions[i];
                          DrawSubj(category.subjects[i].Subj());
                      }
                  });
}

void DGraphTar::DrawSubj(const DSubjElem& subject)
{
    EError::Guard("DGraphTar::DrawSubj()",
                  [&]
                  {
                      QPainter& p = *painter_;
                      const QRect box = SubjectBox(position_, sbj_);
                      DSubjBox::PaintShape(p, box, subject);

                      p.setFont(DPicture::Font(8));
                      p.setBackground(DSubjBox::Fill(subject));
                      const QString id = QString::number(subject.id.GetValue());
                      if (subjDim.IsLarge())
                      {
                          const std::array<QRect, 3> lines = SubjectTexts(box);
                          p.drawText(lines[0], kCentred, id);
                          p.drawText(lines[1], kCentred, subject.appe.Surname().ToString(3));
                          p.drawText(lines[2], kCentred, subject.appe.Name().ToString(3));
                      }
                      else
                          p.drawText(box.adjusted(0, 0, 1, 1), kCentred, id);
                  });
}

bool DGraphTar::IsChangedByUser() const
{
    return EError::Guard("DGraphTar::IsChangedByUser()",
                         [&] { return stat.IsChangedByUser() || subjDim.IsChangedByUser(); });
}

void DGraphTar::ToFile(DFileStream& stream)
{
    EError::Guard("DGraphTar::ToFile()",
                  [&]
                  {
                      stat.ToFile(stream);
                      subjDim.ToFile(stream);
                  });
}

void DGraphTar::FromFile(DFileStream& stream)
{
    EError::Guard("DGraphTar::FromFile()",
                  [&]
                  {
                      stat.FromFile(stream);
                      subjDim.FromFile(stream);
                  });
}

void DGraphTar::TakeData(const DGraphTar& other)
{
    stat = other.stat;
    subjDim = other.subjDim;
}
