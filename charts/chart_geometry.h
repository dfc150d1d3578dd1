#pragma once
// The chart's fixed geometry and the arithmetic behind it, as plain data and functions: the picture
// scale, the grid, the zoom table, the curve table, where a point and a value lie, the window of
// the record ring and the axis texts. Nothing here needs a display.

#include "chart_surface.h"

#include <QString>
#include <array>
#include <optional>

namespace chart {

// The chart picture `pt` (inside its frame `pt0`, 12010 x 7510) in its own units.
constexpr int kWidth = 12008;
constexpr int kHeight = 7508; // H
constexpr int kFrameWidth = 12010;
constexpr int kFrameHeight = 7510;

constexpr quint32 kBackgroundBgr = 0xFFFFC0; // RGB(192, 255, 255)
constexpr quint32 kGridBgr = 0xFF80FF;       // RGB(255, 128, 255)
constexpr quint32 kGapBgr = 0x00FFFF;        // RGB(255, 255, 0), yellow

// Buffer bounds: points 0..322, value columns 0..24.
constexpr int kPointCount = 323;
constexpr int kColumnCount = 25;

constexpr int kFollowLen = 241;         // window while following the newest records
constexpr int kPagedLen = 321;          // window while paged back
constexpr double kGapDays = 0.00347222; // more than 5 minutes between neighbouring rows

struct ZoomStep {
    float xStep;
    qint16 zoomOffset;
};
// Zoom modes 1..4; in every mode zoomOffset + 60 * mode = 240, so point 240 falls on x = 9000.
constexpr std::array<ZoomStep, 4> kZoomTable{
    {{150.0f, 180}, {75.0f, 120}, {50.0f, 60}, {37.5f, 0}}};
std::optional<ZoomStep> zoom_step(qint16 zoomMode); // empty outside 1..4

struct CurveStyle {
    int column;       // buffer column
    quint32 bgr;      // colour number
    int width;        // pen width
    bool usesYOffset; // shifted by YOffsetPx; the others keep their own baseline
    bool isOutput;    // the output curve, whose baseline each screen chooses
};
// In drawing order: the later curves lie on top where they cross.
constexpr std::array<CurveStyle, 6> kCurves{{
    {2, 0x004000, 2, true, false},  // set value, dark green
    {0, 0x0000FF, 2, true, false},  // process value, red
    {1, 0x008080, 1, false, true},  // output, olive
    {3, 0xFF00FF, 1, true, false},  // magenta
    {4, 0x0040C0, 1, false, false}, // brown
    {5, 0xFF0000, 1, true, false},  // blue
}};

// Grid: horizontal line i (0..24) and vertical line i (0..32).
int grid_row_y(int i);    // round(312.5 * i), ties to even
int grid_column_x(int i); // 375 * i
constexpr int kGridRows = 25;
constexpr int kGridColumns = 33;

// The window of the ring 1..65500 that ends at windowEnd and holds windowLen records: the record
// number just before its oldest record.
qint32 window_start(qint32 windowEnd, qint32 windowLen);

// Scale of the value axis: 7500 / YSpan in single precision, 0 for a zero span.
float value_scale(qint16 ySpan);
// The pixel offset of YMin; empty when it does not fit its 16-bit integer.
std::optional<qint16> y_offset_px(float scale, qint16 yMin);
// y of a value above a baseline: baseline - round(scale * value), the product in single precision.
double value_y(double baseline, float scale, float value);
// x of segment end i: round(i * XStep), the product in single precision.
double segment_x(int i, float xStep);

// Label5(0..6), bottom to top: YMin + round(i * (YSpan / 6)), the step in single precision.
std::array<QString, 7> value_axis_texts(qint16 yMin, qint16 ySpan);
// Where Label5(i) and Label6(i) sit: the y of value YMin + i * YSpan / 6.
double value_axis_y(int i);

// Axis and readout texts of date values.
QString date_text(double dayNumber); // yyyy-MM-dd
QString time_text(double dateValue); // HH:mm:ss

} // namespace chart
