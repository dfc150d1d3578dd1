#include "pid.h"

#include <algorithm>
#include <cmath>

namespace sim {

double Pid::onOff(double sv, double pv, const PidTerms& t, double lo, double hi) {
    if (pv < sv - t.hysteresis)
        relayOn = true;
    else if (pv > sv)
        relayOn = false;
    last = relayOn ? hi : lo;
    lastPv = pv;
    havePv = true;
    return last;
}

double Pid::update(double dt, double sv, double pv, const PidTerms& t, double lo, double hi) {
    if (t.band <= 0.0)
        return onOff(sv, pv, t, lo, hi);
    const double kc = 100.0 / t.band;
    const double e = sv - pv;

    if (t.derivative > 0.0 && havePv && dt > 0.0) {
        // Derivative on the measurement (no kick on set value steps), first-order filtered.
        const double raw = -kc * t.derivative * (pv - lastPv) / dt;
        const double tf = t.derivative / (2.0 * std::clamp(t.filter, 1, 10));
        const double a = dt / (tf + dt);
        derivPart += a * (raw - derivPart);
    } else {
        derivPart = 0.0;
    }
    lastPv = pv;
    havePv = true;

    const double proportional = kc * e;
    double candidate = integralPart;
    if (t.integral > 0.0)
        candidate += kc * e * dt / t.integral;
    else
        candidate = 0.0;
    const double unclamped = proportional + candidate + derivPart;
    // Integrate only while that does not drive the output further into its limit.
    const bool windingUp = (unclamped > hi && e > 0.0) || (unclamped < lo && e < 0.0);
    if (!windingUp)
        integralPart = candidate;
    last = std::clamp(proportional + integralPart + derivPart, lo, hi);
    return last;
}

void Pid::track(double output, double sv, double pv, const PidTerms& t) {
    const double kc = t.band > 0.0 ? 100.0 / t.band : 0.0;
    integralPart = t.integral > 0.0 ? output - kc * (sv - pv) : 0.0;
    derivPart = 0.0;
    lastPv = pv;
    havePv = true;
    relayOn = output > 50.0;
    last = output;
}

} // namespace sim
