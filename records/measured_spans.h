#pragma once
// Whether the values of a record were measured: written while the console had read the instrument
// since the port was opened (or the link restored), and before the link was lost, the port closed
// or the console ended. Outside those spans the logger still writes its rows (zeros before the
// first read, the last values read while the link is away); they stay in the rings as they are and
// are judged here instead.
//
// The spans come from the event journal's link events; the record room asks for them through a
// source the assembly sets, and knows nothing of the journal itself.

#include <QDateTime>
#include <QString>
#include <functional>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

struct MeasuredSpans {
    static constexpr qint64 kOpenEnd = std::numeric_limits<qint64>::max();

    // [start, end) in milliseconds since 1970 UTC, sorted and apart; a span still measuring at the
    // end of the period asked for ends at kOpenEnd.
    std::vector<std::pair<qint64, qint64>> spans;

    // A record's stamp (local time, or any time that knows its offset) inside a span.
    bool measured(const QDateTime& sampled) const;
    bool measuredAt(qint64 utcMs) const;
};

// The spans of the record file at `recordFile` touching [from, to] (either end may be invalid:
// open); empty when they cannot be known (no journal in the file, or it cannot be read).
using MeasuredSpansSource = std::function<std::optional<MeasuredSpans>(
    const QString& recordFile, const QDateTime& from, const QDateTime& to)>;

// Set once by the assembly (and by the command line) before any export; unset, nothing is judged.
void set_measured_spans_source(MeasuredSpansSource source);
std::optional<MeasuredSpans> measured_spans_of(const QString& recordFile, const QDateTime& from,
                                               const QDateTime& to);
