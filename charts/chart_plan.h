#pragma once
// A program's plan as the trend charts draw it over the curves: the set value the program was to
// take, as a line through its points in time, and around each soak a band of the tolerance the
// furnace was to keep. The charts ask a plan source for the plan of the window they show; the
// chart room knows nothing of programs or runs.

#include <QDateTime>
#include <functional>
#include <optional>
#include <vector>

struct PlanPoint {
    QDateTime at;
    double value = 0; // in the instrument's units, as the recorded set value
};

struct PlanBand {
    QDateTime from;
    QDateTime to;
    double value = 0;
    // ± around the value; empty: the tolerance set on the screen.
    std::optional<double> tolerance;
};

struct PlanLayer {
    std::vector<PlanPoint> points; // in time order
    std::vector<PlanBand> bands;
};

// The plan touching [from, to] (local times, as the records' stamps), or none when no program
// runs there; called when a chart window is loaded or drawn afresh.
using PlanSource =
    std::function<std::optional<PlanLayer>(const QDateTime& from, const QDateTime& to)>;
