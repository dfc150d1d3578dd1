#pragma once
// Where a plan falls on a trend chart, and how it is drawn: a time is placed between the drawn
// points that hold a record on either side of it, as the journal's marks are, and beyond the
// newest point it runs on at the screen's record spacing, so the plan ahead of now shows in the
// room right of the curves. Before the oldest point nothing is drawn. Nothing here needs a
// display.

#include "chart_mark_layout.h"
#include "chart_plan.h"
#include "chart_surface.h"

namespace chart {

// Dashed in the set value's colour; the soak band a light shade of it that lets the curves show.
inline constexpr ChartPen kPlanPen{rgb_from_bgr(0x004000), 2, LineStyle::Dashed};
inline constexpr ChartFill kPlanBandFill{qRgba(0, 150, 0, 48), FillStyle::Solid};

// How the plan is drawn on one chart: its points (as for the marks), the chart units of one
// second beyond the newest point, the value scale and the baseline of the set value curve.
struct PlanPass {
    std::vector<MarkPoint> points;
    double unitsPerSecond = 0;
    float scale = 0;
    double baseline = 0;
    double tolerance = 0; // the screen's, for bands that carry none
    double width = 0;     // the chart's right edge
};

// Bands first, then the line over them.
void draw_plan(ChartSurface& surface, const PlanLayer& plan, const PlanPass& pass);

} // namespace chart
