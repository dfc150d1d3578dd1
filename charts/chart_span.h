#pragma once
// The span of time the chart shows: from the oldest to the newest point that holds a record and
// lies on the picture as the last drawing laid the points out (the zoom's first point at x = 0, up
// to the newest point a segment reaches, never beyond the picture's right edge). What "the window
// shown" exports is exactly this span.

#include <QDateTime>
#include <optional>

class TrendChart;

namespace chart {

struct ShownSpan {
    int firstPoint = 0; // buffer indexes
    int lastPoint = 0;
    QDateTime first;
    QDateTime last;
};

// Empty before the first zoom (no point spacing yet) or when no shown point holds a record.
std::optional<ShownSpan> shown_span(const TrendChart& chart);

} // namespace chart
