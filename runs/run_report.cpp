#include "runs/run_report.h"

#include "core/console_settings.h"
#include "journal/journal_store.h"
#include "runs/run_records.h"
#include "runs/run_store.h"

QString RunReport::ringName() const {
    return longRing ? RunReportLoader::tr("long record (one every 10 s)")
                    : RunReportLoader::tr("short record (one a second)");
}

namespace {
constexpr int kEventsAtOnce = 2000;

std::vector<JournalEntry> events_of(const QString& path, const ProgramRun& run) {
    std::vector<JournalEntry> out;
    JournalStore journal(path, JournalStore::Access::ReadOnly);
    if (!journal.open())
        return out;
    JournalFilter filter;
    filter.from = run.start();
    filter.to = run.end();
    std::optional<JournalCursor> after;
    for (;;) {
        const auto page = journal.pageForward(filter, after, kEventsAtOnce);
        out.insert(out.end(), page.begin(), page.end());
        if (int(page.size()) < kEventsAtOnce)
            return out;
        after = JournalCursor{page.back().utcMs, page.back().seq};
    }
}
} // namespace

std::optional<RunReport> RunReportLoader::load(const RunReportRequest& request, QString* why) {
    const auto fail = [why](const QString& text) {
        if (why)
            *why = text;
        return std::nullopt;
    };
    RunStore runs(request.recordFile, RunStore::Access::ReadOnly);
    if (!runs.open())
        return fail(
            tr("the record file %1 cannot be read: %2").arg(request.recordFile, runs.lastError()));
    const auto run = request.run ? runs.run(*request.run) : runs.newestEnded();
    if (!run) {
        if (!runs.lastError().isEmpty())
            return fail(tr("the runs cannot be read: %1").arg(runs.lastError()));
        return fail(request.run
                        ? tr("there is no run %1 in %2").arg(*request.run).arg(request.recordFile)
                        : tr("no run has ended in %1").arg(request.recordFile));
    }
    RunReport report;
    report.run = *run;
    RunRecords records(request.recordFile);
    if (!records.open())
        return fail(tr("the records cannot be read: %1").arg(records.lastError()));
    // The short ring where it still reaches back to the start (a record may come up to its
    // spacing after it), else the long one.
    const qint64 start = run->startMs;
    const auto shortOldest = records.oldest(false);
    const auto longOldest = records.oldest(true);
    if (shortOldest && *shortOldest <= start + 1000)
        report.longRing = false;
    else if (longOldest && *longOldest <= start + 10000)
        report.longRing = true;
    else
        return fail(tr("the records of run %1 (from %2) have been overwritten by the ring")
                        .arg(run->number)
                        .arg(run->startLocal));
    report.samples = records.span(report.longRing, start, run->end().toMSecsSinceEpoch());
    if (!records.lastError().isEmpty())
        return fail(tr("the records cannot be read: %1").arg(records.lastError()));
    report.events = events_of(request.recordFile, *run);
    report.analysis = analyse_run(*run, report.samples, report.longRing ? 10000 : 1000,
                                  report.events, request.measured, request.tolerance);
    return report;
}

namespace {
const QString kToleranceKey = QStringLiteral("runs/tolerance");
}

double remembered_run_tolerance() {
    bool ok = false;
    const double v = console_settings::value(kToleranceKey, 5.0).toDouble(&ok);
    return ok && v >= 0 ? v : 5.0;
}

void remember_run_tolerance(double tolerance) {
    console_settings::set_value(kToleranceKey, tolerance);
}
