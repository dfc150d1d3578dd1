#include "records/measured_spans.h"

#include <algorithm>
#include <iterator>

namespace {
MeasuredSpansSource& source() {
    static MeasuredSpansSource s;
    return s;
}
} // namespace

bool MeasuredSpans::measured(const QDateTime& sampled) const {
    return sampled.isValid() && measuredAt(sampled.toMSecsSinceEpoch());
}

bool MeasuredSpans::measuredAt(qint64 utcMs) const {
    // The last span starting at or before the instant: inside it, or in no span at all.
    const auto after = std::upper_bound(spans.begin(), spans.end(), utcMs,
                                        [](qint64 t, const auto& span) { return t < span.first; });
    return after != spans.begin() && utcMs < std::prev(after)->second;
}

void set_measured_spans_source(MeasuredSpansSource s) {
    source() = std::move(s);
}

std::optional<MeasuredSpans> measured_spans_of(const QString& recordFile, const QDateTime& from,
                                               const QDateTime& to) {
    if (!source())
        return std::nullopt;
    return source()(recordFile, from, to);
}
