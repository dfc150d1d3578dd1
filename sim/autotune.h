#pragma once
// Auto-tuning of the main loop (coil 7): relay feedback around the set value, then the classic
// ultimate-gain rules give the proportional band, integral and derivative times.

#include "pid.h"

#include <optional>
#include <vector>

namespace sim {

class AutoTune {
public:
    void start();
    void cancel() { active = false; }
    bool running() const { return active; }

    // One sample; returns the output to apply (lo or hi). When the tune has seen enough
    // oscillations it stops and result() holds the new terms.
    double step(double dt, double sv, double pv, double lo, double hi);
    std::optional<PidTerms> result() const { return found; }

    static constexpr double kTimeLimit = 4 * 3600.0; // s; gives up after this
    static constexpr int kCycles = 3;                // full oscillations measured after the first

private:
    bool active = false;
    bool heating = true;
    double elapsed = 0.0;
    double hiPv = 0.0;
    double loPv = 0.0;
    std::vector<double> risingSwitches; // times the relay switched on
    std::vector<double> amplitudes;
    std::optional<PidTerms> found;
};

} // namespace sim
