#pragma once
// Alarm 1 and alarm 2: a type code, a set value or deviation, a switching hysteresis and an action
// delay. Type codes: 0 none, 1 high, 2 low, 3 high deviation, 4 low deviation, 5 deviation band,
// 6 heater break, 7 program segment contact.

namespace sim {

enum AlarmType { None = 0, High, Low, HighDeviation, LowDeviation, Band, HeaterBreak, Segment };

struct AlarmSetting {
    int type = None;
    double value = 0.0;              // limit (types 1, 2), deviation (3..5) or heater current (6)
    double hysteresis = 0.0;         // measured units
    double delay = 0.0;              // s the condition must hold before the alarm comes on
    double breakOutput = 0.0;        // type 6: output (%) from which a missing current is a break
    bool powerOnSuppression = false; // held off until the condition has first been clear
};

struct AlarmInputs {
    double pv = 0.0;
    double sv = 0.0;
    double output = 0.0;        // percent
    double heaterCurrent = 0.0; // tenths of an ampere
    bool segmentContact = false;
};

class Alarm {
public:
    bool step(double dt, const AlarmSetting& s, const AlarmInputs& in);
    bool active() const { return on; }

private:
    int lastType = -1;
    bool on = false;
    bool armed = false;
    double held = 0.0; // s the trip condition has held
};

} // namespace sim
