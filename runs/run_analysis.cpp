#include "runs/run_analysis.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

struct Span {
    qint64 from;
    qint64 to;
};

qint64 overlap(const Span& a, const std::vector<Span>& spans) {
    qint64 total = 0;
    for (const Span& b : spans)
        total += std::max<qint64>(0, std::min(a.to, b.to) - std::max(a.from, b.from));
    return total;
}

// Spans between an "on" event and the next "off" one; one still on ends with the run.
std::vector<Span> spans_of(const std::vector<JournalEntry>& events, qint64 end,
                           const std::function<std::optional<bool>(const JournalEntry&)>& onOff) {
    std::vector<Span> out;
    bool on = false;
    qint64 since = 0;
    for (const JournalEntry& e : events) {
        const auto turned = onOff(e);
        if (!turned || *turned == on)
            continue;
        on = *turned;
        if (on)
            since = e.utcMs;
        else
            out.push_back({since, e.utcMs});
    }
    if (on)
        out.push_back({since, end});
    return out;
}

bool is_program(const JournalEntry& e, const char* code) {
    return e.category == EventCategory::Program && e.code == QLatin1String(code);
}

// Each segment's visits: from the segment at the start through every segment change.
std::map<int, std::vector<Span>>
segment_spans(const ProgramRun& run, const std::vector<JournalEntry>& events, qint64 end) {
    std::map<int, std::vector<Span>> out;
    int current = std::max(1, run.startSegment);
    qint64 since = run.startMs;
    for (const JournalEntry& e : events) {
        if (!is_program(e, "segment") || !e.newValue)
            continue;
        out[current].push_back({since, e.utcMs});
        current = e.newValue->toInt();
        since = e.utcMs;
    }
    out[current].push_back({since, end});
    return out;
}

void soak_statistics(SegmentReport& s, const std::vector<Span>& visits,
                     const std::vector<RunSample>& samples, qint64 sampleMs,
                     const MeasuredCheck& measured, double tolerance) {
    double sum = 0;
    for (const Span& v : visits) {
        auto it = std::lower_bound(samples.begin(), samples.end(), v.from,
                                   [](const RunSample& r, qint64 ms) { return r.ms < ms; });
        for (; it != samples.end() && it->ms < v.to; ++it) {
            if (measured && !measured(QDateTime::fromMSecsSinceEpoch(it->ms, Qt::UTC))) {
                s.unmeasuredMs += sampleMs;
                continue;
            }
            ++s.measured;
            sum += it->pv;
            s.pvMin = std::min(s.pvMin.value_or(it->pv), it->pv);
            s.pvMax = std::max(s.pvMax.value_or(it->pv), it->pv);
            const double deviation = std::abs(it->pv - s.plannedTarget);
            s.largestDeviation = std::max(s.largestDeviation, deviation);
            if (deviation > tolerance)
                s.outsideMs += sampleMs;
        }
    }
    if (s.measured > 0)
        s.pvMean = sum / s.measured;
}

} // namespace

RunAnalysis analyse_run(const ProgramRun& run, const std::vector<RunSample>& samples,
                        qint64 sampleMs, const std::vector<JournalEntry>& events,
                        const MeasuredCheck& measured, double fallbackTolerance) {
    RunAnalysis a;
    const ProgramSnapshot& p = run.program;
    a.toleranceFromProgram = run.programRead && p.waitType() != 0;
    a.tolerance = a.toleranceFromProgram ? double(p.waitDeviation()) : fallbackTolerance;
    const qint64 end = run.end().toMSecsSinceEpoch();
    const auto holds = spans_of(events, end, [](const JournalEntry& e) -> std::optional<bool> {
        if (!is_program(e, "state") || !e.newValue)
            return std::nullopt;
        return *e.newValue == QLatin1String("2");
    });
    const auto waits = spans_of(events, end, [](const JournalEntry& e) -> std::optional<bool> {
        if (is_program(e, "deviation_wait_on"))
            return true;
        if (is_program(e, "deviation_wait_off"))
            return false;
        return std::nullopt;
    });
    for (const Span& h : holds) {
        a.holdMs += h.to - h.from;
        a.pauses.emplace_back(h.from, h.to);
    }
    for (const Span& w : waits) {
        a.waitMs += w.to - w.from;
        a.pauses.emplace_back(w.from, w.to);
    }
    std::sort(a.pauses.begin(), a.pauses.end());
    for (const JournalEntry& e : events)
        if (e.category == EventCategory::Alarm && e.code.endsWith(QLatin1String("_on")))
            ++a.alarms;

    const auto visits = segment_spans(run, events, end);
    const int planned = run.programRead ? p.segmentCount() : 0;
    const int last = std::max(planned, visits.empty() ? 0 : visits.rbegin()->first);
    for (int n = 1; n <= last; ++n) {
        SegmentReport s;
        s.segment = n;
        if (n <= program::kSegments && run.programRead) {
            const ProgramSegment& seg = p.segments[std::size_t(n - 1)];
            s.plannedTarget = seg.target;
            if (p.secondsPerUnit() > 0)
                s.plannedSeconds = qint64(seg.time) * p.secondsPerUnit();
            s.soak = n > 1 && seg.target == p.segments[std::size_t(n - 2)].target;
        }
        if (const auto v = visits.find(n); v != visits.end()) {
            s.startMs = v->second.front().from;
            s.endMs = v->second.back().to;
            for (const Span& span : v->second) {
                s.lengthMs += span.to - span.from;
                s.holdMs += overlap(span, holds);
                s.waitMs += overlap(span, waits);
            }
            if (s.soak)
                soak_statistics(s, v->second, samples, sampleMs, measured, a.tolerance);
        }
        if (s.soak && s.measured > 0) {
            a.soaksWithin = a.soaksWithin.value_or(true) && s.withinTolerance();
            a.largestSoakDeviation = std::max(a.largestSoakDeviation, s.largestDeviation);
        }
        a.segments.push_back(s);
    }
    return a;
}
