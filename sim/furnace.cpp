#include "furnace.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
constexpr double kMaxSubstep = 0.1; // s; keeps the lag integration stable at any --speed
}

Furnace::Furnace(const FurnaceParams& params, std::uint64_t seed)
    : p(params), rng(seed), chamberT(params.ambient), loadT(params.ambient) {}

double Furnace::delayedOutput() const {
    // The output that was applied one dead time ago (held between samples); none before start.
    const double at = now - p.deadTime;
    double u = 0.0;
    for (const Sample& s : history) {
        if (s.t > at)
            break;
        u = s.output;
    }
    return u;
}

void Furnace::substep(double dt, double output) {
    history.push_back({now, std::clamp(output, 0.0, 100.0)});
    const double u = delayedOutput();
    // Exact solution of the first-order lag over dt, so large steps do not overshoot.
    const double target = p.ambient + p.gain * u;
    chamberT = target + (chamberT - target) * std::exp(-dt / p.tau);
    loadT = chamberT + (loadT - chamberT) * std::exp(-dt / p.loadTau);
    now += dt;
    // Drop samples older than the one still in force one dead time back.
    while (history.size() > 1 && history[1].t <= now - p.deadTime)
        history.pop_front();
}

void Furnace::step(double dt, double output) {
    while (dt > 1e-12) {
        const double h = std::min(dt, kMaxSubstep);
        substep(h, output);
        dt -= h;
    }
    noise1 = p.noise * gauss(rng);
    noise2 = p.noise * gauss(rng);
}

} // namespace sim
