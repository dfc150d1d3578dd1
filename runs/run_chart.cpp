#include "runs/run_chart.h"

#include "runs/program_plan.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {
const QColor kPv(220, 0, 0);
const QColor kSv(0, 150, 0);
const QColor kOp(0, 0, 200);
const QColor kBand(255, 230, 150, 120);

struct Scale {
    QRectF plot;
    qint64 from, to;
    double low, high;
    double x(qint64 ms) const {
        return plot.left() +
               plot.width() * double(ms - from) / double(std::max<qint64>(1, to - from));
    }
    double y(double v, double lo, double hi) const {
        return plot.bottom() - plot.height() * (v - lo) / std::max(1e-9, hi - lo);
    }
    double y(double v) const { return y(v, low, high); }
};

void draw_line(QPainter& p, const Scale& s, const std::vector<RunSample>& samples,
               double RunSample::*value, const QColor& colour, bool opScale) {
    // Every record would be thousands per pixel column on a long run: a few per column do.
    const std::size_t step =
        std::max<std::size_t>(1, samples.size() / std::size_t(4 * s.plot.width() + 1));
    QPainterPath path;
    for (std::size_t i = 0; i < samples.size(); i += step) {
        const double v = samples[i].*value;
        const QPointF at(s.x(samples[i].ms), opScale ? s.y(v, 0, 100) : s.y(v));
        if (i == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    p.setPen(QPen(colour, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}
// The plan the run followed, dashed in the set value's colour: laid from the run's start (PV and SV
// of its first record) and shifted by every stretch it stood. A run the console joined has no
// start of its own to lay it from, and a program not read has no plan.
void draw_plan(QPainter& p, const Scale& s, const RunReport& r) {
    if (r.run.joined || !r.run.programRead || r.samples.empty())
        return;
    std::vector<PlanPause> pauses;
    for (const auto& [from, to] : r.analysis.pauses)
        pauses.push_back({QDateTime::fromMSecsSinceEpoch(from, Qt::UTC),
                          QDateTime::fromMSecsSinceEpoch(to, Qt::UTC)});
    const ProgramPlan plan =
        plan_program(r.run.program, {r.run.start(), r.samples.front().pv, r.samples.front().sv},
                     std::move(pauses), r.run.end());
    if (!plan.ok())
        return;
    QPainterPath path;
    for (std::size_t i = 0; i < plan.vertices.size(); ++i) {
        const qint64 ms = std::min(plan.vertices[i].at.toMSecsSinceEpoch(), s.to);
        const QPointF at(s.x(ms), s.y(plan.vertices[i].value));
        if (i == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
        if (ms == s.to)
            break; // the run ended before its plan did
    }
    p.setPen(QPen(kSv, 1.2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}
} // namespace

void draw_run_chart(QPainter& p, const QRectF& area, const RunReport& r) {
    p.save();
    p.fillRect(area, Qt::white);
    const double text = p.fontMetrics().height();
    Scale s{area.adjusted(6 * text, 2 * text, -4 * text, -2.5 * text), r.run.startMs,
            r.run.end().toMSecsSinceEpoch(), 0, 1};
    bool any = false;
    for (const RunSample& x : r.samples) {
        s.low = any ? std::min({s.low, x.pv, x.sv}) : std::min(x.pv, x.sv);
        s.high = any ? std::max({s.high, x.pv, x.sv}) : std::max(x.pv, x.sv);
        any = true;
    }
    for (const SegmentReport& seg : r.analysis.segments)
        if (seg.startMs) {
            s.low = any ? std::min(s.low, double(seg.plannedTarget)) : seg.plannedTarget;
            s.high = any ? std::max(s.high, double(seg.plannedTarget)) : seg.plannedTarget;
            any = true;
        }
    const double margin = std::max(1.0, (s.high - s.low) * 0.05) + r.analysis.tolerance;
    s.low -= margin;
    s.high += margin;
    // The tolerance band on the soaks, and where each segment began.
    for (const SegmentReport& seg : r.analysis.segments) {
        if (!seg.startMs)
            continue;
        if (seg.soak) {
            const double tol = r.analysis.tolerance;
            p.fillRect(QRectF(QPointF(s.x(*seg.startMs), s.y(seg.plannedTarget + tol)),
                              QPointF(s.x(*seg.endMs), s.y(seg.plannedTarget - tol))),
                       kBand);
        }
        p.setPen(QPen(Qt::gray, 0.8, Qt::DotLine));
        const double x = s.x(*seg.startMs);
        p.drawLine(QPointF(x, s.plot.top()), QPointF(x, s.plot.bottom()));
        p.drawText(QPointF(x + 2, s.plot.top() + text), QString::number(seg.segment));
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(s.plot);
    for (int k = 0; k <= 4; ++k) { // value and OP scales, time labels
        const double v = s.low + (s.high - s.low) * k / 4;
        const double y = s.y(v);
        p.drawText(QRectF(area.left(), y - text / 2, 5.5 * text, text),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(v, 'f', 0));
        p.drawText(QRectF(s.plot.right() + 4, y - text / 2, 4 * text, text), Qt::AlignLeft,
                   QStringLiteral("%1%").arg(25 * k));
        const qint64 ms = s.from + (s.to - s.from) * k / 4;
        p.drawText(QRectF(s.x(ms) - 5 * text, s.plot.bottom() + 2, 10 * text, 2 * text),
                   Qt::AlignHCenter | Qt::AlignTop, local_text(ms).replace(u' ', u'\n'));
    }
    draw_plan(p, s, r);
    draw_line(p, s, r.samples, &RunSample::op, kOp, true);
    draw_line(p, s, r.samples, &RunSample::sv, kSv, false);
    draw_line(p, s, r.samples, &RunSample::pv, kPv, false);
    double x = s.plot.left();
    for (const auto& [name, colour] :
         {std::pair{QStringLiteral("PV"), kPv}, std::pair{QStringLiteral("SV"), kSv},
          std::pair{QStringLiteral("OP"), kOp},
          std::pair{QCoreApplication::translate("RunChart", "Plan (dashed)"), kSv}}) {
        p.setPen(QPen(colour, 2));
        p.drawText(QPointF(x, area.top() + text), name);
        x += p.fontMetrics().horizontalAdvance(name) + 2 * text;
    }
    p.setPen(Qt::black);
    p.drawText(QPointF(x, area.top() + text), r.ringName());
    p.restore();
}

void RunChartView::setReport(const RunReport* shown) {
    report = shown;
    update();
}

void RunChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (report)
        draw_run_chart(p, rect(), *report);
}
