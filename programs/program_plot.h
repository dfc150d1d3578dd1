#pragma once
// The plotted program on pt1: a dotted background grid, the time axis, and the program as a red
// line through its segments with a dashed green line at the end of each. The picture is 15008 x
// 9008 units (y downwards). The scales come from the figures of the previous display refresh, so
// one refresh draws with what the one before it found.

#include "charts/chart_surface.h"

#include <QSizeF>
#include <QString>
#include <array>

namespace program {
inline constexpr QSizeF kPlotUnits(15008, 9008);

// Temperatures: index 0 the start value, 1..24 the segments' set values; times likewise 1..24.
struct Curve {
    std::array<qint16, 102> temperature{};
    std::array<qint32, 102> time{};
    std::array<qint16, 102> relay{};
    std::array<qint16, 102> pidGroup{};
};

// What the refreshes keep between them.
struct Scale {
    qint16 highest = 0;
    qint16 lowest = 0;
    qint16 span = 0;
    float step = 0;       // vertical step between the axis labels
    float vertical = 0;   // picture units per degree; kept while the span is 0
    qint16 offset = 0;    // lowest x vertical, rounded
    float horizontal = 0; // picture units per time unit
    qint32 timeStep = 1;  // time between the time labels
};

// Integer part of total / 15, plus 1: the time between two of the 16 time labels.
qint32 time_step(qint64 total);

// Clears the picture and draws grid, time axis and curve with `scale` as the previous refresh
// left it; the time step and horizontal scale are found here, from the curve's own times.
void draw_program(ChartSurface& surface, const Curve& curve, Scale& scale);

// The figures the next drawing uses: highest, lowest, span and vertical step over segments 1..24
// (the start value takes no part).
void measure_program(const Curve& curve, Scale& scale);

// Label6(i): lowest + i x step in five digits ("00160", "-00010").
QString axis_label(const Scale& scale, int i);
} // namespace program
