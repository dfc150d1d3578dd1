#pragma once
// What the chart's legend and axis captions say: every drawn curve by the caption the overview
// and the history screen give its value, in the colour it is drawn in, and the unit of the output
// curve's fixed scale. The view (`Label8`) and the printed page take them from here, so screen and
// paper name the same series in the same colours as the curves.

#include <QRgb>
#include <QString>
#include <array>
#include <vector>

namespace chart {

struct LegendEntry {
    QString caption; // the system's caption of the value
    QRgb colour;     // its curve's colour
    int column;      // its buffer column
};

// One entry per drawn curve, in the order of the value captions ("当前PV" first).
std::vector<LegendEntry> legend_entries();

// The legend as rich text for a label: each caption in its colour.
QString legend_html();

// The caption of the scale Label6 beside the chart, the output curve's scale: "输出OP (%)".
QString output_axis_caption();

// Label6(0..6), bottom to top: the output in percent at the heights of Label5(0..6), on the
// output curve's baseline (outputBaselineOffset above H) at the value axis's scale. With a span of
// 120 these are the system's fixed captions ("-10" ... "110" real-time, "0" ... "120" history);
// with a span of 0 the output lies flat on its baseline and the scale says nothing.
std::array<QString, 7> output_axis_texts(qint16 ySpan, int outputBaselineOffset);

} // namespace chart
