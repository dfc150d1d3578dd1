#include "runs/program_plan.h"

#include "core/conversions.h"

#include <algorithm>

namespace {

// Where the program goes after segment `seg`, as the instrument steps through it.
struct Walk {
    int seg = 1;
    int loopsDone = 0;
    int runsDone = 0;

    bool advance(const ProgramSnapshot& p) {
        if (seg == p.loopEnd() && loopsDone < p.loopCount() && p.loopStart() >= 1 &&
            p.loopStart() <= p.loopEnd()) {
            ++loopsDone;
            seg = p.loopStart();
            return true;
        }
        if (seg < p.segmentCount()) {
            ++seg;
            return true;
        }
        ++runsDone;
        if (runsDone < std::max<int>(1, p.header[4])) { // 程序次数: the program again from 1
            seg = 1;
            loopsDone = 0;
            return true;
        }
        return false;
    }
};

// A pause on the wall clock, in milliseconds since the run's start.
struct Stand {
    qint64 from;
    qint64 to;
};

// Pauses within the run, in order, overlapping ones joined; one still going on ends now.
std::vector<Stand> stands_of(std::vector<PlanPause> pauses, const QDateTime& start,
                             const QDateTime& now) {
    std::vector<Stand> out;
    for (const PlanPause& p : pauses) {
        if (!p.from.isValid())
            continue;
        const qint64 from = std::max<qint64>(0, start.msecsTo(p.from));
        qint64 to = start.msecsTo(p.to.isValid() ? p.to : now);
        if (to > from)
            out.push_back({from, to});
    }
    std::sort(out.begin(), out.end(),
              [](const Stand& a, const Stand& b) { return a.from < b.from; });
    std::vector<Stand> joined;
    for (const Stand& s : out) {
        if (!joined.empty() && s.from <= joined.back().to)
            joined.back().to = std::max(joined.back().to, s.to);
        else
            joined.push_back(s);
    }
    return joined;
}

bool is_soak(const CoursePoint& a, const CoursePoint& b) {
    return b.ms > a.ms && a.value == b.value;
}

} // namespace

std::vector<CoursePoint> program_course(const ProgramSnapshot& program, double startValue) {
    std::vector<CoursePoint> course;
    const qint64 unitMs = program.secondsPerUnit() * 1000;
    if (unitMs == 0 || program.segmentCount() == 0)
        return course;
    course.push_back({0, round_half_even(startValue)});
    Walk walk;
    for (int n = 0; n < kMaxPlannedSegments; ++n) {
        const ProgramSegment& s = program.segments[std::size_t(walk.seg - 1)];
        const qint64 length = std::max<qint64>(0, s.time) * unitMs;
        course.push_back({course.back().ms + length, double(s.target)});
        if (!walk.advance(program))
            break;
    }
    return course;
}

ProgramPlan plan_program(const ProgramSnapshot& program, const PlanStart& begun,
                         std::vector<PlanPause> pauses, const QDateTime& now) {
    ProgramPlan plan;
    const QDateTime& start = begun.at;
    if (!start.isValid()) {
        plan.problem = ProgramPlan::Problem::NoStart;
        return plan;
    }
    if (program.secondsPerUnit() == 0) {
        plan.problem = ProgramPlan::Problem::UnknownTimeUnit;
        return plan;
    }
    const std::vector<CoursePoint> course =
        program_course(program, program.startChoice() != 0 ? begun.sv : begun.pv);
    if (course.empty()) {
        plan.problem = ProgramPlan::Problem::NoSegments;
        return plan;
    }
    const std::vector<Stand> stands = stands_of(std::move(pauses), start, now);
    auto at = [&start](qint64 ms) { return start.addMSecs(ms); };

    // Walk the course and the pauses together: a pause that begins before a course point (on the
    // program's clock, the pauses before it taken off) stops the set value where it stood.
    std::vector<qint64> wallOf(course.size());
    qint64 shift = 0;
    std::size_t k = 0;
    for (std::size_t i = 0; i < course.size(); ++i) {
        const CoursePoint& c = course[i];
        while (i > 0 && k < stands.size() && stands[k].from - shift < c.ms) {
            const CoursePoint& b = course[i - 1];
            const qint64 p = std::max(b.ms, stands[k].from - shift);
            const double v = b.value + (c.value - b.value) * double(p - b.ms) / double(c.ms - b.ms);
            plan.vertices.push_back({at(p + shift), v});
            shift += stands[k].to - (p + shift);
            plan.vertices.push_back({at(p + shift), v});
            ++k;
        }
        wallOf[i] = c.ms + shift;
        plan.vertices.push_back({at(wallOf[i]), c.value});
    }
    for (std::size_t i = 1; i < course.size(); ++i)
        if (is_soak(course[i - 1], course[i]))
            plan.soaks.push_back({at(wallOf[i - 1]), at(wallOf[i]), course[i].value});
    plan.end = at(wallOf.back());
    return plan;
}

ProgramPlan clip_plan(const ProgramPlan& plan, const QDateTime& from, const QDateTime& to) {
    ProgramPlan out;
    out.problem = plan.problem;
    out.end = plan.end;
    const auto& v = plan.vertices;
    const auto first = std::lower_bound(
        v.begin(), v.end(), from, [](const PlanVertex& x, const QDateTime& t) { return x.at < t; });
    const auto last = std::upper_bound(
        v.begin(), v.end(), to, [](const QDateTime& t, const PlanVertex& x) { return t < x.at; });
    out.vertices.assign(first == v.begin() ? first : std::prev(first),
                        last == v.end() ? last : std::next(last));
    for (const PlanSoak& s : plan.soaks)
        if (s.to >= from && s.from <= to)
            out.soaks.push_back(s);
    return out;
}
