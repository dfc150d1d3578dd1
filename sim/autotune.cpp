#include "autotune.h"

#include <algorithm>
#include <numbers>

namespace sim {

namespace {
constexpr double kRelayHysteresis = 1.0; // degrees, against noise chatter
}

void AutoTune::start() {
    active = true;
    heating = true;
    elapsed = 0.0;
    risingSwitches.clear();
    amplitudes.clear();
    found.reset();
}

double AutoTune::step(double dt, double sv, double pv, double lo, double hi) {
    if (!active)
        return lo;
    elapsed += dt;
    if (elapsed > kTimeLimit) {
        active = false;
        return lo;
    }
    hiPv = std::max(hiPv, pv);
    loPv = std::min(loPv, pv);
    if (heating && pv > sv + kRelayHysteresis) {
        heating = false;
        loPv = pv;
    } else if (!heating && pv < sv - kRelayHysteresis) {
        heating = true;
        if (!risingSwitches.empty())
            amplitudes.push_back((hiPv - loPv) / 2.0);
        risingSwitches.push_back(elapsed);
        hiPv = pv;
    }
    // The first oscillation still carries the heat-up; measure the ones after it.
    if (static_cast<int>(risingSwitches.size()) >= kCycles + 2) {
        const double period = (risingSwitches.back() - risingSwitches[1]) / kCycles;
        double amplitude = 0.0;
        for (std::size_t i = 1; i < amplitudes.size(); ++i)
            amplitude += amplitudes[i];
        amplitude /= static_cast<double>(amplitudes.size() - 1);
        const double d = (hi - lo) / 2.0;
        const double ku = 4.0 * d / (std::numbers::pi * std::max(amplitude, 0.1));
        const double kc = 0.6 * ku;
        PidTerms t;
        t.band = 100.0 / kc;
        t.integral = period / 2.0;
        t.derivative = period / 8.0;
        found = t;
        active = false;
    }
    return heating ? hi : lo;
}

} // namespace sim
