#include "alarms.h"

#include <cmath>

namespace sim {

namespace {

// Each type as "x above limit trips, x at or below limit - hysteresis clears".
struct Compare {
    double x;
    double limit;
    double hysteresis;
};

bool compare_for(const AlarmSetting& s, const AlarmInputs& in, Compare* c) {
    switch (s.type) {
    case High:
        *c = {in.pv, s.value, s.hysteresis};
        return true;
    case Low:
        *c = {-in.pv, -s.value, s.hysteresis};
        return true;
    case HighDeviation:
        *c = {in.pv - in.sv, s.value, s.hysteresis};
        return true;
    case LowDeviation:
        *c = {in.sv - in.pv, s.value, s.hysteresis};
        return true;
    case Band:
        *c = {std::abs(in.pv - in.sv), s.value, s.hysteresis};
        return true;
    case HeaterBreak: {
        const bool broken = in.output >= s.breakOutput && in.heaterCurrent < s.value;
        *c = {broken ? 1.0 : 0.0, 0.5, 0.0};
        return true;
    }
    case Segment:
        *c = {in.segmentContact ? 1.0 : 0.0, 0.5, 0.0};
        return true;
    default:
        return false;
    }
}

} // namespace

bool Alarm::step(double dt, const AlarmSetting& s, const AlarmInputs& in) {
    if (s.type != lastType) {
        lastType = s.type;
        on = false;
        held = 0.0;
        armed = !s.powerOnSuppression;
    }
    Compare c{};
    if (!compare_for(s, in, &c)) {
        on = false;
        return on;
    }
    const bool trips = c.x > c.limit;
    const bool clears = c.x <= c.limit - c.hysteresis;
    if (!armed) {
        if (!trips)
            armed = true; // the condition was clear once: from now on it counts
        return on;
    }
    if (on) {
        if (clears)
            on = false;
        held = 0.0;
    } else if (trips) {
        held += dt;
        if (held >= s.delay)
            on = true;
    } else {
        held = 0.0;
    }
    return on;
}

} // namespace sim
