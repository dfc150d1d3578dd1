#pragma once
// What the chart's legend and axis captions say: every drawn curve by the caption the overview
// and the history screen give its value, in the colour it is drawn in, and the unit of the output
// curve's fixed scale. The view (`Label8`) and the printed page take them from here, so screen and
// paper name the same series in the same colours as the curves.

#include <QRgb>
#include <QString>
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

// The caption of the fixed scale beside the chart, the output curve's scale: "输出OP (%)".
QString output_axis_caption();

} // namespace chart
