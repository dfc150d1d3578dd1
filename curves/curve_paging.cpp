#include "curves/curve_paging.h"

#include "core/conversions.h"
#include "charts/chart_geometry.h"
#include "records/record_source.h"

namespace curves {

qint32 paged_window_end(qint32 curPos, int pageBack) {
    const qint32 d = kPageStep * pageBack;
    return d < curPos ? curPos - d : kRingSize - (d - curPos);
}

std::optional<qint32> older_window_end(qint32 curPos, int pageBack, bool ringWrapped) {
    const qint64 d = qint64{kPageStep} * pageBack;
    const qint64 held = ringWrapped ? qMax<qint64>(curPos, kRingSize) : curPos;
    if (held - d <= chart::kPagedLen)
        return std::nullopt;
    return paged_window_end(curPos, pageBack);
}

RangeDecision decide_range(double maximum, double minimum) {
    if (!(maximum <= 36000 && maximum >= -12000))
        return {std::nullopt, RangeRefusal::MaximumOutside};
    if (!(minimum <= 35000 && minimum >= -12000))
        return {std::nullopt, RangeRefusal::MinimumOutside};
    if (minimum > maximum)
        return {std::nullopt, RangeRefusal::MinimumAboveMaximum};
    const auto yMin = to_int16(minimum);
    const auto yMax = to_int16(maximum);
    const auto ySpan = to_int16(maximum - minimum);
    if (!yMin || !yMax || !ySpan)
        return {std::nullopt, RangeRefusal::TooWide};
    return {ValueRange{*yMin, *yMax, *ySpan}, RangeRefusal::None};
}

} // namespace curves
