#pragma once
// The thermal process: a chamber heated through a dead time as a first-order lag, and a load
// inside it that follows the chamber more slowly. Pure: stepped by the caller, no clock, no Qt.

#include <cstdint>
#include <deque>
#include <random>

namespace sim {

struct FurnaceParams {
    double ambient = 25.0;  // degrees
    double gain = 13.0;     // degrees above ambient per percent of output, at steady state
    double tau = 600.0;     // chamber time constant, s
    double deadTime = 20.0; // s between a change of output and the first response
    double loadTau = 120.0; // load sensor lag behind the chamber, s
    double noise = 0.3;     // standard deviation of the sensor noise, degrees
};

class Furnace {
public:
    Furnace(const FurnaceParams& params, std::uint64_t seed);

    // Advance by dt seconds with the heater at `output` percent (0..100).
    void step(double dt, double output);

    double chamber() const { return chamberT; }
    double load() const { return loadT; }
    double pv1() const { return chamberT + noise1; } // the main (chamber) sensor
    double pv2() const { return loadT + noise2; }    // the second (load) sensor
    const FurnaceParams& params() const { return p; }

private:
    double delayedOutput() const;
    void substep(double dt, double output);

    FurnaceParams p;
    std::mt19937_64 rng;
    std::normal_distribution<double> gauss{0.0, 1.0};
    double now = 0.0;
    double chamberT;
    double loadT;
    double noise1 = 0.0;
    double noise2 = 0.0;
    struct Sample {
        double t;
        double output;
    };
    std::deque<Sample> history; // outputs applied, oldest first, kept for one dead time
};

} // namespace sim
