#pragma once
// A run's report as read from the record file: the run, its records from the short ring where the
// run lies within it, else from the long ring (which one is said), its journal events and the
// analysis of its segments. Read-only: a report changes nothing in the file.

#include "runs/run_analysis.h"

#include <QCoreApplication>
#include <QString>
#include <optional>
#include <vector>

struct RunReport {
    ProgramRun run;
    bool longRing = false; // the records came from the long ring (one every ten seconds)
    std::vector<RunSample> samples;
    std::vector<JournalEntry> events; // oldest first
    RunAnalysis analysis;

    QString ringName() const; // "short record (1 s)" / "long record (10 s)", in words
};

struct RunReportRequest {
    QString recordFile;
    std::optional<qint64> run; // empty: the newest run that ended
    MeasuredCheck measured;    // empty: every record counts as measured
    double tolerance = 5.0;    // when the program's wait type is "禁止"
};

class RunReportLoader {
    Q_DECLARE_TR_FUNCTIONS(RunReportLoader)
public:
    // The report, or empty with the reason: no such run, no run ended yet, the run's records
    // overwritten by both rings, the file unreadable.
    static std::optional<RunReport> load(const RunReportRequest& request, QString* why);
};

// The tolerance the runs screen remembers for programs whose wait type is "禁止" (default 5.0,
// in the display's units).
double remembered_run_tolerance();
void remember_run_tolerance(double tolerance);
