#pragma once
// The heating loop: positional PID on the error, derivative on the measured value, output limits
// with anti-windup, bumpless take-over from manual. A band of 0 means on/off control.

namespace sim {

struct PidTerms {
    double band = 100.0;      // proportional band in measured units (100 % output across it)
    double integral = 300.0;  // integral time, s (0: no integral action)
    double derivative = 10.0; // derivative time, s (0: none)
    double hysteresis = 2.0;  // on/off switching difference, measured units
    int filter = 4;           // derivative filter coefficient 1..10
};

class Pid {
public:
    // One sample of dt seconds; returns the output in percent, within lo..hi.
    double update(double dt, double sv, double pv, const PidTerms& t, double lo, double hi);

    // Take over from `output` (manual mode, or a change of terms) without a bump.
    void track(double output, double sv, double pv, const PidTerms& t);
    double output() const { return last; }

private:
    double onOff(double sv, double pv, const PidTerms& t, double lo, double hi);

    double integralPart = 0.0; // percent
    double derivPart = 0.0;    // percent, filtered
    double lastPv = 0.0;
    bool havePv = false;
    bool relayOn = false;
    double last = 0.0;
};

} // namespace sim
