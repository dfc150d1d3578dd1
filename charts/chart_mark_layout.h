#pragma once
// Where journaled events fall on a trend chart, as plain data and functions: a time is placed
// between the two drawn points that hold a record on either side of it, by their own stamps, so a
// mark stands where the curves show that moment; and what the pointer is over, for the tooltips.
// The chart draws the placed marks on any surface after its curves. Nothing here needs a display.

#include "chart_marks.h"
#include "chart_surface.h"

#include <QStringList>
#include <vector>

namespace chart {

// A drawn point that holds a record: where it stands (x in chart units) and when it was recorded.
struct MarkPoint {
    double x = 0;
    double moment = 0; // moment_of its date and time
};

// Seconds from the day numbers' epoch: of a point's date value pair, and of a mark's local time
// (milliseconds kept).
double moment_of(double dayNumber, double dateValue);
double moment_of(const QDateTime& at);

// A mark as it lies on the chart: from x1 to x2 (equal for an event) in chart units.
struct PlacedMark {
    ChartMarkKind kind = ChartMarkKind::Event;
    double x1 = 0;
    double x2 = 0;
    std::size_t mark = 0; // index in the marks placed
};

// The points in drawing order, left to right. They are read in stretches in which time runs on
// from point to point; a ring's wrap or a clock set back starts a new stretch. A time falls in
// every stretch whose first and last points' moments enclose it, between the two points that
// bracket it (empty points between them included); outside every stretch it falls nowhere. A span
// is clipped to each stretch it overlaps; an open one (invalid `to`) runs to the stretch's end.
// A span that ends before it begins is not placed.
std::vector<PlacedMark> place_marks(const std::vector<MarkPoint>& points,
                                    const std::vector<ChartMark>& marks);

// How the marks look: an event's tick from the top edge down, an alarm's band, an outage's hatch.
inline constexpr double kTickLength = 600; // chart units
inline constexpr ChartPen kTickPen{qRgb(0, 0, 0), 3, LineStyle::Solid};
inline constexpr ChartFill kAlarmFill{qRgba(255, 176, 0, 64), FillStyle::Solid};
inline constexpr ChartFill kOutageFill{qRgba(72, 72, 72, 150), FillStyle::Hatched};

// Bands first, hatches over them, ticks on top: a tick is never lost inside a span.
void draw_placed_marks(ChartSurface& surface, const std::vector<PlacedMark>& placed, double height);

// The texts of the marks at a point of the chart (chart units): the events whose tick lies within
// reach (x and y), then the spans that hold it; each group oldest first. reach is the pointer's
// slack in chart units (a few pixels).
QStringList mark_texts_at(const std::vector<PlacedMark>& placed,
                          const std::vector<ChartMark>& marks, QPointF at, QSizeF reach);

} // namespace chart
