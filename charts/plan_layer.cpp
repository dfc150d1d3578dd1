#include "plan_layer.h"

#include "chart_geometry.h"

#include <algorithm>
#include <cmath>

namespace chart {

namespace {

// A run of points in which time runs on, from `from` to `to` (seconds); the newest one runs on
// to the chart's right edge.
struct Reach {
    std::size_t first;
    std::size_t last;
    double from;
    double to;
};

std::vector<Reach> reaches_of(const PlanPass& pass) {
    std::vector<Reach> out;
    const auto& p = pass.points;
    for (std::size_t k = 0; k < p.size(); ++k) {
        if (k == 0 || p[k].moment < p[k - 1].moment)
            out.push_back({k, k, p[k].moment, p[k].moment});
        else
            out.back() = {out.back().first, k, out.back().from, p[k].moment};
    }
    if (!out.empty() && pass.unitsPerSecond > 0)
        out.back().to += std::max(0.0, pass.width - p[out.back().last].x) / pass.unitsPerSecond;
    return out;
}

double x_of(const PlanPass& pass, const Reach& r, double t) {
    const auto& p = pass.points;
    const MarkPoint& last = p[r.last];
    if (t >= last.moment)
        return last.x + (t - last.moment) * pass.unitsPerSecond;
    const auto begin = p.begin() + std::ptrdiff_t(r.first);
    const auto end = p.begin() + std::ptrdiff_t(r.last) + 1;
    const auto b = std::lower_bound(begin, end, t,
                                    [](const MarkPoint& m, double at) { return m.moment < at; });
    if (b == begin || b->moment == t)
        return b->x;
    const MarkPoint& a = *std::prev(b);
    return a.x + (t - a.moment) / (b->moment - a.moment) * (b->x - a.x);
}

double y_of(const PlanPass& pass, double value) {
    return value_y(pass.baseline, pass.scale, float(value));
}

double value_at(double t, double ta, double va, double tb, double vb) {
    return tb > ta ? va + (vb - va) * (t - ta) / (tb - ta) : vb;
}

void draw_bands(ChartSurface& surface, const PlanLayer& plan, const PlanPass& pass,
                const std::vector<Reach>& reaches) {
    for (const PlanBand& b : plan.bands) {
        const double from = moment_of(b.from);
        const double to = moment_of(b.to);
        const double tol = b.tolerance.value_or(pass.tolerance);
        for (const Reach& r : reaches) {
            const double lo = std::max(from, r.from);
            const double hi = std::min(to, r.to);
            if (lo > hi)
                continue;
            surface.fill(QRectF(QPointF(x_of(pass, r, lo), y_of(pass, b.value + tol)),
                                QPointF(x_of(pass, r, hi), y_of(pass, b.value - tol))),
                         kPlanBandFill);
        }
    }
}

} // namespace

void draw_plan(ChartSurface& surface, const PlanLayer& plan, const PlanPass& pass) {
    const std::vector<Reach> reaches = reaches_of(pass);
    if (reaches.empty())
        return; // nothing recorded: no time to lay the plan on
    draw_bands(surface, plan, pass, reaches);
    for (std::size_t i = 1; i < plan.points.size(); ++i) {
        const PlanPoint& a = plan.points[i - 1];
        const PlanPoint& b = plan.points[i];
        const double ta = moment_of(a.at);
        const double tb = moment_of(b.at);
        for (const Reach& r : reaches) {
            const double lo = std::max(ta, r.from);
            const double hi = std::min(tb, r.to);
            if (lo > hi)
                continue;
            const double v1 = value_at(lo, ta, a.value, tb, b.value);
            const double v2 = tb > ta ? value_at(hi, ta, a.value, tb, b.value) : b.value;
            surface.line(QLineF(x_of(pass, r, lo), y_of(pass, tb > ta ? v1 : a.value),
                                x_of(pass, r, hi), y_of(pass, v2)),
                         kPlanPen);
        }
    }
}

} // namespace chart
