#include "chart_legend.h"

#include "chart_geometry.h"
#include "core/conversions.h"

#include <QColor>

namespace chart {
namespace {

// The values of buffer columns 0..5 as the overview and the history screen caption them.
constexpr QStringView kCaptions[] = {u"当前PV", u"输出OP", u"SV当前值",
                                     u"PV1值",  u"PV2值",  u"SV1值"};

} // namespace

std::vector<LegendEntry> legend_entries() {
    std::vector<LegendEntry> entries;
    for (int column = 0; column < int(std::size(kCaptions)); ++column)
        for (const CurveStyle& c : kCurves)
            if (c.column == column)
                entries.push_back({kCaptions[column].toString(), rgb_from_bgr(c.bgr), column});
    return entries;
}

QString legend_html() {
    QString html;
    for (const LegendEntry& e : legend_entries()) {
        if (!html.isEmpty())
            html += QStringLiteral("&nbsp;&nbsp;");
        html += QStringLiteral("<span style=\"color:%1\">&#9473;&nbsp;%2</span>")
                    .arg(QColor(e.colour).name(), e.caption.toHtmlEscaped());
    }
    return html;
}

QString output_axis_caption() {
    return kCaptions[1].toString() + QStringLiteral(" (%)");
}

std::array<QString, 7> output_axis_texts(qint16 ySpan, int outputBaselineOffset) {
    std::array<QString, 7> texts;
    const float scale = value_scale(ySpan);
    if (scale == 0)
        return texts;
    for (int i = 0; i < 7; ++i) {
        const double units = kHeight - value_axis_y(i) - outputBaselineOffset;
        texts[std::size_t(i)] = number_text(qint32(round_half_even(units / double(scale))));
    }
    return texts;
}

} // namespace chart
