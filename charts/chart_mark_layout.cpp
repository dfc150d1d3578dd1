#include "chart_mark_layout.h"

#include "core/conversions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chart {

namespace {

// Indices of the first and last point of a stretch in which time runs on.
struct Stretch {
    std::size_t first;
    std::size_t last;
};

std::vector<Stretch> stretches_of(const std::vector<MarkPoint>& points) {
    std::vector<Stretch> out;
    for (std::size_t k = 0; k < points.size(); ++k) {
        if (k == 0 || points[k].moment < points[k - 1].moment)
            out.push_back({k, k});
        else
            out.back().last = k;
    }
    return out;
}

// x of moment t, which lies within the stretch.
double x_at(const std::vector<MarkPoint>& points, const Stretch& s, double t) {
    const auto begin = points.begin() + static_cast<std::ptrdiff_t>(s.first);
    const auto end = points.begin() + static_cast<std::ptrdiff_t>(s.last) + 1;
    const auto b =
        std::lower_bound(begin, end, t, [](const MarkPoint& p, double m) { return p.moment < m; });
    if (b == end)
        return std::prev(end)->x;
    if (b == begin || b->moment == t)
        return b->x;
    const MarkPoint& a = *std::prev(b);
    return a.x + (t - a.moment) / (b->moment - a.moment) * (b->x - a.x);
}

} // namespace

double moment_of(double dayNumber, double dateValue) {
    // Records are stamped to the second: rounding to the millisecond drops the error of the
    // fraction of a day, so a mark stamped with a point's own time lands on that point.
    const double fraction = dateValue - std::floor(dateValue);
    return dayNumber * kSecondsPerDay + std::round(fraction * kSecondsPerDay * 1000) / 1000;
}

double moment_of(const QDateTime& at) {
    const QDateTime local = at.toLocalTime();
    return ole_date(local.date()) * kSecondsPerDay + local.time().msecsSinceStartOfDay() / 1000.0;
}

std::vector<PlacedMark> place_marks(const std::vector<MarkPoint>& points,
                                    const std::vector<ChartMark>& marks) {
    std::vector<PlacedMark> out;
    const std::vector<Stretch> stretches = stretches_of(points);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const ChartMark& m = marks[i];
        if (!m.from.isValid())
            continue;
        const double from = moment_of(m.from);
        double to = from;
        if (m.kind != ChartMarkKind::Event)
            to = m.to.isValid() ? moment_of(m.to) : std::numeric_limits<double>::infinity();
        if (to < from)
            continue;
        for (const Stretch& s : stretches) {
            const double first = points[s.first].moment;
            const double last = points[s.last].moment;
            if (to < first || from > last)
                continue;
            out.push_back({m.kind, x_at(points, s, std::max(from, first)),
                           x_at(points, s, std::min(to, last)), i});
        }
    }
    return out;
}

void draw_placed_marks(ChartSurface& surface, const std::vector<PlacedMark>& placed,
                       double height) {
    for (const ChartMarkKind kind : {ChartMarkKind::AlarmSpan, ChartMarkKind::OutageSpan}) {
        const ChartFill& fill = kind == ChartMarkKind::AlarmSpan ? kAlarmFill : kOutageFill;
        for (const PlacedMark& p : placed)
            if (p.kind == kind)
                surface.fill(QRectF(QPointF(p.x1, 0), QPointF(p.x2, height)), fill);
    }
    for (const PlacedMark& p : placed)
        if (p.kind == ChartMarkKind::Event)
            surface.line(QLineF(p.x1, 0, p.x1, kTickLength), kTickPen);
}

QStringList mark_texts_at(const std::vector<PlacedMark>& placed,
                          const std::vector<ChartMark>& marks, QPointF at, QSizeF reach) {
    std::vector<std::size_t> events;
    std::vector<std::size_t> spans;
    for (const PlacedMark& p : placed) {
        if (p.mark >= marks.size())
            continue;
        if (p.kind == ChartMarkKind::Event) {
            if (std::abs(at.x() - p.x1) <= reach.width() && at.y() >= -reach.height() &&
                at.y() <= kTickLength + reach.height())
                events.push_back(p.mark);
            continue;
        }
        // Inside a span; a narrow one is also found within reach of its middle.
        const double half = std::max((p.x2 - p.x1) / 2, reach.width());
        if (std::abs(at.x() - (p.x1 + p.x2) / 2) <= half)
            spans.push_back(p.mark);
    }
    QStringList texts;
    for (std::vector<std::size_t>* group : {&events, &spans}) {
        std::sort(group->begin(), group->end());
        group->erase(std::unique(group->begin(), group->end()), group->end());
        std::stable_sort(group->begin(), group->end(), [&](std::size_t a, std::size_t b) {
            return marks[a].from < marks[b].from;
        });
        for (const std::size_t i : *group)
            texts << marks[i].text;
    }
    return texts;
}

} // namespace chart
