#include "analyses/DComparisonPicture.h"

#include "analyses/DGraphSoc.h"
#include "analyses/DPicture.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "subjects/DSubjList.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <optional>

namespace
{
using State = DComparisonPicture::State;

constexpr int kMargin = 20;
// Beyond this a stored position is taken as damaged, not as a huge picture.
constexpr int kFarthest = 4000;
constexpr int kArrow = 8;
// Two ties between the same boxes (u -> v and v -> u) each keep to their
// own side of the centre line, so that both stay visible.
constexpr double kSideStep = 3.0;
constexpr int kStates = 3;
constexpr int kStateIds[kStates] = {34830, 34840, 34850};

QPen PenOf(State state)
{
    switch (state)
    {
    case State::Appeared:
        return QPen(QColor(0, 150, 0), 2, Qt::SolidLine);
    case State::Disappeared:
        return QPen(QColor(200, 0, 0), 2, Qt::DashLine);
    default:
        return QPen(QColor(110, 110, 110), 1, Qt::SolidLine);
    }
}

QPoint Centre(const DSubjElem& subject, DComparison::Sociogram type)
{
    const QPoint stored =
        type == DComparison::Acceptance ? subject.soci.acceptance.Get() : subject.soci.rejection.Get();
    const int half = DComparisonPicture::kBox / 2;
    if (stored.x() > half && stored.y() > half && stored.x() < kFarthest && stored.y() < kFarthest)
        return stored;
    QPoint cell(half, half);
    DGraphSoc::GridPosition(subject.id.GetValue(), 1000, 1000, DComparisonPicture::kBox, cell);
    return cell;
}

// The part of the line between two box centres that lies outside both
// boxes, moved to its right-hand side; nothing when the boxes overlap.
std::optional<QLine> Between(QPoint from, QPoint to)
{
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double longest = std::max(std::abs(dx), std::abs(dy));
    const double t = (DComparisonPicture::kBox / 2.0 + 2.0) / std::max(longest, 1.0);
    if (t >= 0.5)
        return std::nullopt;
    const double length = std::hypot(dx, dy);
    const double sx = -dy / length * kSideStep;
    const double sy = dx / length * kSideStep;
    return QLine(QPoint(int(std::lround(from.x() + dx * t + sx)), int(std::lround(from.y() + dy * t + sy))),
                 QPoint(int(std::lround(to.x() - dx * t + sx)), int(std::lround(to.y() - dy * t + sy))));
}

void PaintArrow(QPainter& painter, const QLine& line, const QColor& colour)
{
    const double dx = line.dx();
    const double dy = line.dy();
    const double length = std::max(std::hypot(dx, dy), 1.0);
    const double ux = dx / length;
    const double uy = dy / length;
    const QPointF tip = line.p2();
    const QPointF back(tip.x() - ux * kArrow, tip.y() - uy * kArrow);
    const QPolygonF head{tip, QPointF(back.x() - uy * kArrow / 2.0, back.y() + ux * kArrow / 2.0),
                         QPointF(back.x() + uy * kArrow / 2.0, back.y() - ux * kArrow / 2.0)};
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPolygon(head);
}
} // namespace

DComparisonPicture::Layout DComparisonPicture::Compute(const DSubjList& subjects, const DComparison& comparison,
                                                       DComparison::Sociogram type)
{
    Layout layout;
    const std::vector<DSubjElem>& list = subjects.Get();
    std::vector<bool> paired(list.size(), false);
    for (const DComparison::Row& row : comparison.rows)
        paired[std::size_t(row.current)] = true;

    std::vector<QPoint> centres;
    int right = 300;
    int bottom = 150;
    for (std::size_t i = 0; i < list.size(); ++i)
    {
        const QPoint centre = Centre(list[i], type);
        centres.push_back(centre);
        Box box;
        box.rect = QRect(centre - QPoint(kBox / 2, kBox / 2), QSize(kBox, kBox));
        box.text = QString::number(list[i].id.GetValue()) + QLatin1Char('\n') + list[i].appe.Surname().ToString();
        box.unmatched = !paired[i];
        right = std::max(right, box.rect.right() + kMargin);
        bottom = std::max(bottom, box.rect.bottom() + kMargin);
        layout.boxes.push_back(std::move(box));
    }

    const DComparison::Ties& ties = comparison.ties[std::size_t(type)];
    const std::pair<const std::vector<DComparison::Tie>*, State> groups[] = {
        {&ties.stayed, State::Stayed}, {&ties.disappeared, State::Disappeared}, {&ties.appeared, State::Appeared}};
    for (const auto& [group, state] : groups)
        for (const DComparison::Tie& tie : *group)
        {
            const std::size_t from = std::size_t(tie.first - 1);
            const std::size_t to = std::size_t(tie.second - 1);
            if (from >= centres.size() || to >= centres.size())
                continue;
            if (const std::optional<QLine> line = Between(centres[from], centres[to]))
                layout.lines.push_back({*line, state});
        }

    layout.rowHeight = DPicture::LineHeight(DPicture::Font(9)) + 4;
    layout.legend = QPoint(kMargin, bottom);
    layout.size = QSize(right, bottom + (kStates + 1) * layout.rowHeight + kMargin);
    return layout;
}

void DComparisonPicture::Paint(QPainter& painter, const Layout& layout, DComparison::Sociogram type)
{
    const DLanguage& lang = DLanguage::Active();
    painter.fillRect(QRect(QPoint(0, 0), layout.size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The ties that stayed first, so that the changes lie on top.
    for (const Line& line : layout.lines)
    {
        const QPen pen = PenOf(line.state);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(line.line);
        PaintArrow(painter, line.line, pen.color());
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.setFont(DPicture::Font(8));
    for (const Box& box : layout.boxes)
    {
        painter.setPen(box.unmatched ? QColor(170, 170, 170) : QColor(Qt::black));
        painter.setBrush(box.unmatched ? QColor(245, 245, 245) : QColor(255, 255, 225));
        painter.drawRect(box.rect.adjusted(0, 0, -1, -1));
        const QStringList lines = box.text.split(QLatin1Char('\n'));
        const QRect inner = box.rect.adjusted(2, 2, -2, -2);
        painter.drawText(inner, Qt::AlignHCenter | Qt::AlignTop, lines.value(0));
        painter.drawText(inner, Qt::AlignHCenter | Qt::AlignBottom,
                         painter.fontMetrics().elidedText(lines.value(1), Qt::ElideRight, inner.width()));
    }

    painter.setFont(DPicture::Font(9, true));
    painter.setPen(Qt::black);
    const int h = layout.rowHeight;
    QPoint at = layout.legend;
    painter.drawText(QRect(at, QSize(layout.size.width() - at.x(), h)), Qt::AlignLeft | Qt::AlignVCenter,
                     lang.GetStr(type == DComparison::Acceptance ? 24120 : 24130));
    painter.setFont(DPicture::Font(9));
    for (int state = 0; state < kStates; ++state)
    {
        at.ry() += h;
        const QLine sample(at + QPoint(0, h / 2), at + QPoint(40, h / 2));
        const QPen pen = PenOf(State(state));
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(pen);
        painter.drawLine(sample);
        PaintArrow(painter, sample, pen.color());
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::black);
        painter.drawText(QRect(at + QPoint(50, 0), QSize(layout.size.width() - at.x() - 50, h)),
                         Qt::AlignLeft | Qt::AlignVCenter, lang.GetStr(kStateIds[state]));
    }
}

QImage DComparisonPicture::Draw(const DSubjList& subjects, const DComparison& comparison, DComparison::Sociogram type)
{
    return EError::Guard("DComparisonPicture::Draw()",
                         [&]
                         {
                             const Layout layout = Compute(subjects, comparison, type);
                             QImage picture = DPicture::MakeChecked(layout.size.width(), layout.size.height());
                             QPainter painter(&picture);
                             Paint(painter, layout, type);
                             return picture;
                         });
}
