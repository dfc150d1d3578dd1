#pragma once
// The records of a time span read straight from a ring of the record file, read-only, by their
// stored local date and time: the run's chart and statistics need a span of time, not a window
// of the ring. A ring holds the span when its oldest record is not after the span's start.

#include "runs/run_analysis.h"

#include <QString>
#include <optional>
#include <vector>

class RunRecords {
public:
    explicit RunRecords(const QString& recordFile);
    ~RunRecords();
    RunRecords(const RunRecords&) = delete;
    RunRecords& operator=(const RunRecords&) = delete;

    bool open();
    // The time (UTC ms) of the oldest record of the ring; empty when it holds none or on failure.
    std::optional<qint64> oldest(bool longRing);
    // The records from `fromMs` to `toMs` (UTC), in time order.
    std::vector<RunSample> span(bool longRing, qint64 fromMs, qint64 toMs);

    const QString& lastError() const { return error; }

private:
    QString path;
    QString connectionName;
    QString error;
};
