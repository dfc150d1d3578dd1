#pragma once
// The instrument behind its registers: the settings it keeps, the furnace it controls and the
// values it reports. Pure: no Qt, no clock; the caller steps it by simulated seconds.

#include "alarms.h"
#include "autotune.h"
#include "defaults.h"
#include "furnace.h"
#include "pid.h"
#include "program_runner.h"
#include "register_map.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace sim {

// Modbus exception codes the instrument itself answers with.
enum Refusal { Accepted = 0, IllegalAddress = 2, IllegalValue = 3 };

class Instrument {
public:
    explicit Instrument(std::uint64_t seed, const FurnaceParams& furnace = {});

    // Reads `count` items from number `first` into out (register bit patterns; 0/1 for bits).
    // False when the range is not served as a whole.
    bool read(Table table, int first, int count, std::vector<std::uint16_t>* out) const;

    // Whether a write of `value` (a signed register value, or 0/1 for a coil) would be taken.
    Refusal check_write(Table table, int number, int value) const;
    // Applies a write that check_write accepted; false (nothing changed) otherwise.
    bool write(Table table, int number, int value);

    // Advance simulated time by dt seconds.
    void advance(double dt);

    // Keeps the communication settings in the configuration block in step with the line.
    void set_line_settings(int baudCode, int parityCode, int address);
    // Called with the new address after the address register was written.
    std::function<void(int)> onAddressChanged;

    // Convenience views (numbers one-based).
    int holding(int number) const;
    int input(int number) const;
    bool coil(int number) const;
    bool discrete(int number) const;
    const Furnace& furnace() const { return plant; }
    double output() const { return out; }

private:
    std::int16_t* holdingSlot(int number);
    const std::int16_t* holdingSlot(int number) const;
    CurveWindow& selectedCurve();
    const CurveWindow& selectedCurve() const;
    void onCoilWritten(int number, bool on);
    void onHoldingWritten(int number, int value);
    double singleSv() const;
    double setValue() const;
    PidTerms activeTerms(int group) const;
    int activeGroup() const;
    double controlOutput(double dt, double sv, double pv);
    void finishTune();
    void updateReadings(double dt);
    void refreshReports();
    AlarmSetting alarmSetting(int which) const;

    Furnace plant;
    Pid pid;
    AutoTune tune;
    ProgramRunner runner;
    std::array<Alarm, 2> alarms;

    std::array<bool, 16> coils{};
    std::array<std::int16_t, 16> commands{};
    std::array<std::int16_t, 16> alarmSettings{};
    std::array<std::int16_t, 88> configuration{};
    std::array<std::int16_t, 16> pidSettings{};
    std::array<std::int16_t, 32> groupedPid{};
    std::array<CurveWindow, kCurves> curves{};

    std::array<std::int16_t, 16> liveValues{};
    std::array<std::int16_t, 16> pidState{};
    std::array<std::int16_t, 16> programState{};
    std::array<bool, 16> inputs{};

    double pv1 = 0.0; // filtered readings
    double pv2 = 0.0;
    bool haveReadings = false;
    double out = 0.0; // percent
    double sv = 0.0;
};

} // namespace sim
