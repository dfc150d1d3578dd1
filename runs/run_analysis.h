#pragma once
// What a run did beside what its program planned, segment by segment: when each segment began and
// ended (from the journal's segment changes within the run), how long it stood on hold and in
// deviation wait (the journal's state and wait events), and on soak segments (the target equal to
// the previous segment's) PV's minimum, maximum and mean and the time outside the tolerance, over
// the records judged measured; the records that were not measured are left out and their time
// said. Plain data in, plain data out: the loader reads the record file, this decides.

#include "journal/journal_entry.h"
#include "runs/program_run.h"

#include <QDateTime>
#include <functional>
#include <optional>
#include <vector>

// One record of the run: its time (UTC) and the values the chart of the run shows.
struct RunSample {
    qint64 ms = 0;
    double pv = 0; // 当前PV
    double op = 0; // 输出OP
    double sv = 0; // SV当前值
};

// Whether the record at that time carries a measured value (the journal's judgement: not while
// the link was lost or the input faulty). Empty: every record is.
using MeasuredCheck = std::function<bool(const QDateTime&)>;

struct SegmentReport {
    int segment = 0;
    int plannedTarget = 0;
    qint64 plannedSeconds = -1;    // -1: the program's time unit is none the instrument has
    std::optional<qint64> startMs; // first entered; empty: the run never reached it
    std::optional<qint64> endMs;   // last left
    qint64 lengthMs = 0;           // time spent in it, all visits together
    qint64 holdMs = 0;
    qint64 waitMs = 0;
    bool soak = false;
    int measured = 0; // records of a soak that count
    std::optional<double> pvMin, pvMax, pvMean;
    double largestDeviation = 0; // |PV - target| at most, on a soak
    qint64 outsideMs = 0;
    qint64 unmeasuredMs = 0;

    bool withinTolerance() const { return outsideMs == 0; }
};

struct RunAnalysis {
    double tolerance = 0;
    bool toleranceFromProgram = false; // the program's 等待偏差值 (its wait type not "禁止")
    std::vector<SegmentReport> segments;
    qint64 holdMs = 0;
    qint64 waitMs = 0;
    int alarms = 0; // alarms that came on during the run
    // Every soak that was run stayed within the tolerance; empty: no soak was measured.
    std::optional<bool> soaksWithin;
    double largestSoakDeviation = 0;
    // The stretches the program's clock stood (held, or waiting on deviation), UTC milliseconds:
    // the plan of the run is shifted by them.
    std::vector<std::pair<qint64, qint64>> pauses;
};

// `samples` in time order, `sampleMs` apart; `events` the journal's events of the run, oldest
// first. `fallbackTolerance` applies when the program's wait type is "禁止".
RunAnalysis analyse_run(const ProgramRun& run, const std::vector<RunSample>& samples,
                        qint64 sampleMs, const std::vector<JournalEntry>& events,
                        const MeasuredCheck& measured, double fallbackTolerance);
