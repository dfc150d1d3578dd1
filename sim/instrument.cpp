#include "instrument.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace sim {

namespace {

std::int16_t to_register(double v) {
    return static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
}

constexpr double kHeaterCurrentFull = 300.0; // tenths of an ampere at 100 % output

} // namespace

Instrument::Instrument(std::uint64_t seed, const FurnaceParams& furnace) : plant(furnace, seed) {
    for (const RegisterValue& d : default_holding_registers())
        *holdingSlot(d.number) = static_cast<std::int16_t>(d.value);
    for (int c = 0; c < kCurves; ++c)
        curves[c] = default_curve(c);
    coils[0] = true; // automatic
    updateReadings(0.0);
    sv = setValue();
    refreshReports();
}

std::int16_t* Instrument::holdingSlot(int n) {
    return const_cast<std::int16_t*>(std::as_const(*this).holdingSlot(n));
}

const std::int16_t* Instrument::holdingSlot(int n) const {
    if (n >= 1 && n <= 16)
        return &commands[n - 1];
    if (n >= 257 && n <= 272)
        return &alarmSettings[n - 257];
    if (n >= 4097 && n <= 4184)
        return &configuration[n - 4097];
    if (n >= 4353 && n <= 4368)
        return &pidSettings[n - 4353];
    if (n >= 5121 && n <= 5152)
        return &groupedPid[n - 5121];
    if (n >= kWindowFirst && n < kWindowFirst + kWindowSize)
        return &selectedCurve()[n - kWindowFirst];
    return nullptr;
}

CurveWindow& Instrument::selectedCurve() {
    return curves[std::clamp<int>(commands[reg::Curve - 1], 0, kCurves - 1)];
}

const CurveWindow& Instrument::selectedCurve() const {
    return curves[std::clamp<int>(commands[reg::Curve - 1], 0, kCurves - 1)];
}

int Instrument::holding(int n) const {
    const std::int16_t* slot = holdingSlot(n);
    return slot ? *slot : 0;
}

int Instrument::input(int n) const {
    if (n >= 1 && n <= 16)
        return liveValues[n - 1];
    if (n >= 33 && n <= 48)
        return pidState[n - 33];
    if (n >= 4097 && n <= 4112)
        return programState[n - 4097];
    return 0;
}

bool Instrument::coil(int n) const {
    return n >= 1 && n <= 16 && coils[n - 1];
}

bool Instrument::discrete(int n) const {
    return n >= 1 && n <= 16 && inputs[n - 1];
}

bool Instrument::read(Table table, int first, int count, std::vector<std::uint16_t>* out) const {
    if (!find_block(table, first, count))
        return false;
    out->resize(count);
    for (int i = 0; i < count; ++i) {
        const int n = first + i;
        int v = 0;
        switch (table) {
        case Table::Coils:
            v = coil(n);
            break;
        case Table::DiscreteInputs:
            v = discrete(n);
            break;
        case Table::InputRegisters:
            v = input(n);
            break;
        case Table::HoldingRegisters:
            v = holding(n);
            break;
        }
        (*out)[i] = static_cast<std::uint16_t>(v);
    }
    return true;
}

Refusal Instrument::check_write(Table table, int n, int value) const {
    if (table == Table::Coils)
        return n >= 1 && n <= 8 ? (value == 0 || value == 1 ? Accepted : IllegalValue)
                                : IllegalAddress;
    if (table != Table::HoldingRegisters || !holdingSlot(n))
        return IllegalAddress;
    auto within = [value](int lo, int hi) {
        return value >= lo && value <= hi ? Accepted : IllegalValue;
    };
    switch (n) {
    case reg::ManualOutput:
        return within(0, 1000);
    case reg::Curve:
        return within(0, kCurves - 1);
    case reg::ProgramCommand:
        return ProgramRunner::valid_command(value) ? Accepted : IllegalValue;
    case reg::Address:
        return within(1, 247);
    // Codes past the end of their lists, and values no controller takes: a control type, line
    // setting or alarm type that does not exist, an output limit beyond 0..100.0 %, a filter
    // time of none or past 100.0 s, a negative hysteresis or delay, a negative PID term.
    case reg::ControlType:
        return within(0, 3);
    case reg::BaudCode:
    case reg::ParityCode:
        return within(0, 2);
    case reg::Alarm1Type:
    case reg::Alarm2Type:
        return within(0, 7);
    case reg::OutputHigh:
    case reg::OutputLow:
    case reg::HeaterBreakOutput:
        return within(0, 1000);
    case reg::FilterTime:
        return within(1, 1000);
    case reg::Alarm1Value + 1: // hysteresis
    case reg::Alarm2Value + 1:
        return within(0, 2000);
    case reg::Alarm1Value + 2: // delay
    case reg::Alarm2Value + 2:
        return within(0, 600);
    case reg::Pid1:
    case reg::Pid1 + 1:
    case reg::Pid1 + 2:
        return within(0, 32767);
    case kWindowFirst + reg::Recipe:
        return within(0, kMaxRecipe);
    default:
        return Accepted;
    }
}

bool Instrument::write(Table table, int n, int value) {
    if (check_write(table, n, value) != Accepted)
        return false;
    if (table == Table::Coils) {
        const bool on = value != 0;
        if (coils[n - 1] != on) {
            coils[n - 1] = on;
            onCoilWritten(n, on);
        }
    } else {
        *holdingSlot(n) = static_cast<std::int16_t>(value);
        onHoldingWritten(n, value);
    }
    sv = setValue(); // a new set value, source or limit is in force at once
    refreshReports();
    return true;
}

void Instrument::onCoilWritten(int n, bool on) {
    if (n == 1) {
        if (on) // automatic takes over from the manual output without a bump
            pid.track(out, sv, pv1, activeTerms(activeGroup()));
        else // manual starts from the output automatic left
            commands[reg::ManualOutput - 1] = to_register(std::clamp(out * 10.0, 0.0, 1000.0));
    } else if (n == 7) {
        if (on)
            tune.start();
        else
            tune.cancel();
    }
}

void Instrument::onHoldingWritten(int n, int value) {
    if (n == reg::ProgramCommand) {
        const int c = std::clamp<int>(commands[reg::Curve - 1], 0, kCurves - 1);
        runner.command(value, c, curves[c], pv1, singleSv());
    } else if (n == reg::Address && onAddressChanged) {
        onAddressChanged(value);
    }
}

void Instrument::set_line_settings(int baudCode, int parityCode, int address) {
    *holdingSlot(reg::BaudCode) = static_cast<std::int16_t>(baudCode);
    *holdingSlot(reg::ParityCode) = static_cast<std::int16_t>(parityCode);
    *holdingSlot(reg::Address) = static_cast<std::int16_t>(address);
}

double Instrument::singleSv() const {
    return coils[2] ? holding(reg::Sv2) : holding(reg::Sv1);
}

double Instrument::setValue() const {
    const bool programMode = coils[1];
    const auto st = runner.state();
    const bool fromProgram =
        programMode && (st == ProgramRunner::Run || st == ProgramRunner::Hold ||
                        (st == ProgramRunner::End && curves[runner.curve()][reg::HoldLastSv] != 0));
    const double v = fromProgram ? runner.sv() : singleSv();
    const int lo = holding(reg::SvLow);
    const int hi = holding(reg::SvHigh);
    return lo <= hi ? std::clamp(v, double(lo), double(hi)) : v;
}

int Instrument::activeGroup() const {
    if (coils[1]) {
        const int g = runner.pidGroup(curves[runner.curve()]);
        if (g != 0)
            return g;
    }
    const int mode = holding(reg::PidGroupMode);
    return mode >= 1 && mode <= 5 ? mode : 0;
}

PidTerms Instrument::activeTerms(int group) const {
    PidTerms t;
    const int first = group == 0 ? reg::Pid1 : reg::GroupFirst + 6 * (group - 1);
    t.band = holding(first);
    t.integral = holding(first + 1);
    t.derivative = holding(first + 2) / 10.0;
    t.hysteresis = holding(reg::Pid1 + 3);
    t.filter = holding(4364);
    if (holding(reg::ControlType) == 1)
        t.band = 0.0; // on/off control
    return t;
}

void Instrument::finishTune() {
    if (const auto r = tune.result()) {
        const int g = activeGroup();
        const int first = g == 0 ? reg::Pid1 : reg::GroupFirst + 6 * (g - 1);
        *holdingSlot(first) = to_register(std::max(1.0, r->band));
        *holdingSlot(first + 1) = to_register(r->integral);
        *holdingSlot(first + 2) = to_register(r->derivative * 10.0);
    }
    coils[6] = false;
}

double Instrument::controlOutput(double dt, double setv, double pv) {
    double lo = std::clamp(holding(reg::OutputLow) / 10.0, 0.0, 100.0);
    double hi = std::clamp(holding(reg::OutputHigh) / 10.0, 0.0, 100.0);
    if (lo > hi)
        std::swap(lo, hi);
    const PidTerms terms = activeTerms(activeGroup());
    const bool endOutputOff = coils[1] && runner.state() == ProgramRunner::End &&
                              curves[runner.curve()][reg::HoldLastSv] == 0;
    if (runner.sleeping() || endOutputOff) {
        pid.track(0.0, setv, pv, terms);
        return 0.0;
    }
    if (!coils[0]) {
        const double manual = holding(reg::ManualOutput) / 10.0;
        pid.track(manual, setv, pv, terms);
        return manual;
    }
    if (tune.running()) {
        const double u = tune.step(dt, setv, pv, lo, hi);
        if (!tune.running())
            finishTune();
        pid.track(u, setv, pv, activeTerms(activeGroup()));
        return u;
    }
    return pid.update(dt, setv, pv, terms, lo, hi);
}

void Instrument::updateReadings(double dt) {
    const double raw1 = plant.pv1() + holding(reg::Pv1Offset);
    const double raw2 = plant.pv2() + holding(reg::Pv2Offset);
    const double tf = std::max(0.0, holding(reg::FilterTime) / 10.0);
    if (!haveReadings || tf <= 0.0) {
        pv1 = raw1;
        pv2 = raw2;
        haveReadings = true;
        return;
    }
    const double a = dt / (tf + dt);
    pv1 += a * (raw1 - pv1);
    pv2 += a * (raw2 - pv2);
}

AlarmSetting Instrument::alarmSetting(int which) const {
    const int first = which == 0 ? reg::Alarm1Value : reg::Alarm2Value;
    AlarmSetting s;
    s.type = holding(which == 0 ? reg::Alarm1Type : reg::Alarm2Type);
    s.value = holding(first);
    s.hysteresis = holding(first + 1);
    s.delay = holding(first + 2);
    s.breakOutput = holding(reg::HeaterBreakOutput) / 10.0;
    s.powerOnSuppression = holding(reg::PowerOnSuppression) != 0;
    if (s.type == HeaterBreak)
        s.value = holding(reg::HeaterBreakValue);
    return s;
}

void Instrument::advance(double dt) {
    if (coils[1]) {
        runner.step(dt, curves[runner.curve()], pv1);
        if (runner.endedByItself())
            commands[reg::ProgramCommand - 1] = ProgramRunner::CmdEnd;
    }
    sv = setValue();
    out = controlOutput(dt, sv, pv1);
    plant.step(dt, out);
    updateReadings(dt);

    AlarmInputs in;
    in.pv = pv1;
    in.sv = sv;
    in.output = out;
    in.heaterCurrent = kHeaterCurrentFull * out / 100.0;
    in.segmentContact = coils[1] && runner.relay(curves[runner.curve()]);
    for (int i = 0; i < 2; ++i)
        alarms[i].step(dt, alarmSetting(i), in);
    refreshReports();
}

void Instrument::refreshReports() {
    const int a1 = alarms[0].active() ? holding(reg::Alarm1Type) : 0;
    const int a2 = alarms[1].active() ? holding(reg::Alarm2Type) : 0;
    liveValues = {to_register(pv1),
                  to_register(out * 10.0),
                  to_register(sv),
                  to_register(pv1),
                  to_register(pv2),
                  commands[reg::Sv1 - 1],
                  commands[reg::Sv2 - 1],
                  static_cast<std::int16_t>(a1),
                  static_cast<std::int16_t>(a2)};
    inputs = {};
    inputs[0] = a1 != 0;
    inputs[1] = a2 != 0;

    const int g = activeGroup();
    const int first = g == 0 ? reg::Pid1 : reg::GroupFirst + 6 * (g - 1);
    const int second = g == 0 ? reg::Pid2 : first + 3;
    pidState = {};
    pidState[0] = static_cast<std::int16_t>(g);
    for (int i = 0; i < 3; ++i) {
        pidState[1 + i] = static_cast<std::int16_t>(holding(first + i));
        pidState[4 + i] = static_cast<std::int16_t>(holding(second + i));
    }

    const CurveWindow& w = curves[runner.curve()];
    const bool running = runner.state() == ProgramRunner::Run ||
                         runner.state() == ProgramRunner::Hold ||
                         runner.state() == ProgramRunner::End;
    programState = {};
    programState[0] = static_cast<std::int16_t>(runner.state());
    programState[1] = to_register(pv1);
    programState[2] = to_register(running ? runner.targetSv(w) : singleSv());
    programState[3] = static_cast<std::int16_t>(runner.segment());
    programState[4] = static_cast<std::int16_t>(runner.segmentLeft(w));
    programState[5] = static_cast<std::int16_t>(runner.totalLeft(w));
    programState[6] = static_cast<std::int16_t>(runner.cycles());
    programState[7] = runner.waiting() ? 1 : 0;
}

} // namespace sim
