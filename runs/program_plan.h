#pragma once
// The plan of a program run: the course the instrument's set value takes through a stored
// program, laid on the clock from the run's start. It is the program editor's plotted curve (the
// start value by "开始值选择", then each segment a straight line from the set value before it to
// its own over its time, in the unit of 8195) followed the way the instrument runs it: the first
// 程序段数 segments, 循环开始段..循环结束段 gone through again 循环段次数 more times, the whole
// program 程序次数 times. While the program is held or waits on deviation its clock stands: every
// such span shifts the rest of the plan right, the set value standing where the program stopped.
// Values are in the instrument's own units, as the segments and the recorded PV hold them.

#include "runs/program_snapshot.h"

#include <QDateTime>
#include <vector>

// A stretch of the run in which the program's clock stood (held, or waiting on deviation); an
// invalid `to` is still going on.
struct PlanPause {
    QDateTime from;
    QDateTime to;
};

struct PlanVertex {
    QDateTime at;
    double value = 0;
};

// A soak segment (its set value equal to the one before it) as it lies on the clock, pauses
// within it included.
struct PlanSoak {
    QDateTime from;
    QDateTime to;
    double value = 0;
};

struct ProgramPlan {
    enum class Problem { None, NoStart, UnknownTimeUnit, NoSegments };
    Problem problem = Problem::None;
    std::vector<PlanVertex> vertices; // in time order; equal times where a segment takes no time
    std::vector<PlanSoak> soaks;
    QDateTime end; // when the last segment ends

    bool ok() const { return problem == Problem::None; }
};

// The course on the program's own clock: milliseconds from the start, and the set value there.
struct CoursePoint {
    qint64 ms = 0;
    double value = 0;
};

// Guards a course with a loop or a run count in the thousands: the course stops after this many
// segments.
inline constexpr int kMaxPlannedSegments = 20000;

// The course of `program` from `startValue` (rounded to a whole number, as the editor takes it):
// the start point and one point at the end of every segment gone through. Empty when the program
// cannot be timed or has no segments.
std::vector<CoursePoint> program_course(const ProgramSnapshot& program, double startValue);

// How a run began: when, the measured PV and the set value in force then.
struct PlanStart {
    QDateTime at;
    double pv = 0;
    double sv = 0;
};

// The plan of a run of `program`, from the PV at its start when 开始值选择 is 0, else from the set
// value, shifted by `pauses`; a pause still going on stands until `now`.
ProgramPlan plan_program(const ProgramSnapshot& program, const PlanStart& start,
                         std::vector<PlanPause> pauses, const QDateTime& now);

// The plan's vertices that lie in [from, to], with the one before and the one after, and the
// soaks that touch it: what a chart of that window needs.
ProgramPlan clip_plan(const ProgramPlan& plan, const QDateTime& from, const QDateTime& to);
