#include "programs/program_plot.h"

#include "core/conversions.h"

#include <cmath>
#include <limits>

namespace program {
namespace {
constexpr double kWidth = 15000;
constexpr double kCurveHeight = 9000;
constexpr double kPictureHeight = 9008; // H
constexpr ChartPen kGridPen{rgb_from_bgr(0x004040), 1, LineStyle::Dotted};
constexpr ChartPen kSegmentPen{rgb_from_bgr(0x00FF00), 1, LineStyle::Dashed};
constexpr ChartPen kCurvePen{rgb_from_bgr(0x0000FF), 2, LineStyle::Solid};

bool fits16(double v) {
    return std::isfinite(v) && v >= -32768 && v <= 32767;
}

void draw_grid(ChartSurface& s) {
    for (int i = 0; i <= 45; ++i)
        s.line(QLineF(0, 200.0 * i, kPlotUnits.width(), 200.0 * i), kGridPen);
    s.line(QLineF(2, 0, 2, kPlotUnits.height()), kGridPen);
    for (int x = 1000; x <= 15000; x += 1000)
        s.line(QLineF(x, 0, x, kPlotUnits.height()), kGridPen);
}
} // namespace

qint32 time_step(qint64 total) {
    return qint32(total / 15) + 1; // integer division: the integer part, toward zero
}

void draw_program(ChartSurface& surface, const Curve& c, Scale& scale) {
    surface.clear(qRgb(255, 255, 255));
    draw_grid(surface);

    qint64 total = 0;
    for (int s = 1; s <= 24; ++s)
        total += c.time[std::size_t(s)];
    scale.timeStep = time_step(total);
    if (scale.timeStep != 0) // a step of 0 cannot divide: the previous scale stays
        scale.horizontal = float(kWidth / (15.0 * scale.timeStep));

    if (scale.span != 0)
        scale.vertical = float(kCurveHeight / (scale.span * 1.2));
    const double offset = round_half_even(scale.lowest * double(scale.vertical));
    if (fits16(offset))
        scale.offset = qint16(offset);

    const double h = scale.horizontal;
    const double v = scale.vertical;
    qint64 t = 0;
    for (std::size_t s = 1; s <= 24; ++s) {
        t += c.time[s];
        surface.line(QLineF(h * double(t), 0, h * double(t), kCurveHeight), kSegmentPen);
        const double x1 = round_half_even(h * double(t - c.time[s]));
        const double x2 = round_half_even(h * double(t));
        const double y1 = kPictureHeight + scale.offset - round_half_even(c.temperature[s - 1] * v);
        const double y2 = kPictureHeight + scale.offset - round_half_even(c.temperature[s] * v);
        surface.line(QLineF(x1, y1, x2, y2), kCurvePen);
    }
}

void measure_program(const Curve& c, Scale& scale) {
    qint16 highest = c.temperature[1];
    qint16 lowest = c.temperature[1];
    for (std::size_t s = 1; s <= 24; ++s) {
        highest = std::max(highest, c.temperature[s]);
        lowest = std::min(lowest, c.temperature[s]);
    }
    scale.highest = highest;
    scale.lowest = lowest;
    const int span = std::abs(int(highest) - int(lowest));
    if (span <= std::numeric_limits<qint16>::max())
        scale.span = qint16(span);
    scale.step = float(scale.span * 1.2f / 9.0f);
}

QString axis_label(const Scale& scale, int i) {
    const double value = double(scale.lowest) + i * double(scale.step);
    const qint64 whole = std::llround(value); // the format rounds halves away from zero
    const QString digits = QStringLiteral("%1").arg(std::llabs(whole), 5, 10, QLatin1Char('0'));
    return whole < 0 ? QLatin1Char('-') + digits : digits;
}
} // namespace program
