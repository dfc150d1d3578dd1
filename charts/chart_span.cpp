#include "chart_span.h"

#include "core/conversions.h"
#include "trend_chart.h"

namespace chart {

std::optional<ShownSpan> shown_span(const TrendChart& chart) {
    const CurvePass pass = chart.curvePass();
    if (pass.xStep <= 0)
        return std::nullopt;
    // The points the curves are drawn through: as far as the drawing's segments go (the newest
    // record of a following window waits for the next one) and no further than the right edge.
    const int last = std::min(pass.segments, kPointCount - 1 - pass.zoomOffset);
    std::optional<ShownSpan> span;
    for (int i = 0; i <= last && segment_x(i, pass.xStep) <= kWidth; ++i) {
        const int n = pass.zoomOffset + i;
        if (!chart.Held(n))
            continue;
        const QDateTime at(date_from_ole(chart.PointDate(n)), time_from_ole(chart.PointTime(n)));
        if (!span)
            span = ShownSpan{n, n, at, at};
        span->lastPoint = n;
        span->last = at;
    }
    return span;
}

} // namespace chart
