#pragma once
// Paging through the record ring in steps of 60 records, and the value-axis range rule, as plain
// functions: where a window of 321 records ends after p steps back from the write position, when
// a further step is refused, and which ranges the editor accepts.

#include <QtGlobal>
#include <optional>

namespace curves {

constexpr int kPageStep = 60;

// The end of the window p steps (60 records each) behind curPos, by ring arithmetic over 1..65500.
qint32 paged_window_end(qint32 curPos, int pageBack);

// The same, or empty when the step is refused: the 321-record window would reach records not yet
// written (an unwrapped ring holds only 1..curPos) or come back round to curPos (a wrapped ring
// holds all 65500).
std::optional<qint32> older_window_end(qint32 curPos, int pageBack, bool ringWrapped);

struct ValueRange {
    qint16 yMin;
    qint16 yMax;
    qint16 ySpan;
};

enum class RangeRefusal { None, MaximumOutside, MinimumOutside, MinimumAboveMaximum, TooWide };

// The editor's rule: maximum -12000..36000, minimum -12000..35000, minimum not above maximum, and
// minimum, maximum and span each fitting its 16-bit integer (to nearest, ties to even); otherwise
// nothing is applied.
struct RangeDecision {
    std::optional<ValueRange> range;
    RangeRefusal refusal = RangeRefusal::None;
};
RangeDecision decide_range(double maximum, double minimum);

} // namespace curves
