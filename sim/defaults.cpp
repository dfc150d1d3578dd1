#include "defaults.h"

namespace sim {
namespace {

constexpr RegisterValue kHolding[] = {
    // commands
    {reg::Sv1, 600},
    {reg::Sv2, 300},
    // alarm 1: high limit at 1100; alarm 2: 50 below the set value; heater break
    {257, 1100},
    {258, 2},
    {259, 0},
    {260, 50},
    {261, 2},
    {262, 0},
    {263, 50},
    {264, 300},
    // configuration
    {4097, 0}, // PID control
    {4098, 1},
    {4099, 1},
    {4100, 1},  // panel switches allowed
    {4101, 1},  // segment programs available
    {4102, 0},  // Celsius
    {4103, 10}, // input filter 1.0 s
    {4104, 0},  // single output
    {4105, 0},  // classic PID
    {4106, 1300},
    {4107, 0}, // set value limits
    {4109, 0}, // main input K
    {4110, 1300},
    {4111, 0},
    {4112, 0},  // no decimals
    {4120, 11}, // auxiliary input PT100
    {4121, 850},
    {4122, -200},
    {4129, 800},
    {4130, 750}, // sensor switch-over points
    {4137, 3},   // output 1 thyristor, heating
    {4140, 1000},
    {4141, 0}, // output 1 limits 100.0 / 0.0 %
    {4145, 1},
    {4146, 1}, // output 2 relay, cooling
    {4148, 1000},
    {4149, 0},
    {4154, 1300},
    {4155, 0}, // retransmission range
    {4157, 1},
    {4158, 0},
    {4159, 1},
    {4160, 0}, // 9600, none, address 1 (set from the options)
    {4161, 1},
    {4162, 4},
    {4163, 1}, // alarm 1 high, alarm 2 low deviation, power-on suppression
    // main input correction points: electrical value, display value (a straight line)
    {4169, 0},
    {4170, 0},
    {4171, 2857},
    {4172, 186},
    {4173, 5714},
    {4174, 371},
    {4175, 8571},
    {4176, 557},
    {4177, 11429},
    {4178, 743},
    {4179, 14286},
    {4180, 929},
    {4181, 17143},
    {4182, 1114},
    {4183, 20000},
    {4184, 1300},
    // PID: output 1 band 100, I 300 s, D 10.0 s; output 2 (cooling) band 150, I 400 s, D 5.0 s
    {4353, 100},
    {4354, 300},
    {4355, 100},
    {4356, 2},
    {4357, 20},
    {4358, 150},
    {4359, 400},
    {4360, 50},
    {4361, 2},
    {4362, 20},
    {4363, 5},
    {4364, 4},
    {4365, 0},
    {4366, 600},
    {4367, 10},
    {4368, 10},
    // five PID groups: P1 I1 D1 P2 I2 D2, gentler towards higher temperatures
    {5121, 60},
    {5122, 200},
    {5123, 60},
    {5124, 120},
    {5125, 300},
    {5126, 30},
    {5127, 80},
    {5128, 240},
    {5129, 80},
    {5130, 140},
    {5131, 320},
    {5132, 40},
    {5133, 100},
    {5134, 300},
    {5135, 100},
    {5136, 160},
    {5137, 360},
    {5138, 50},
    {5139, 130},
    {5140, 360},
    {5141, 120},
    {5142, 180},
    {5143, 400},
    {5144, 60},
    {5145, 160},
    {5146, 420},
    {5147, 150},
    {5148, 200},
    {5149, 450},
    {5150, 70},
};

// A firing profile: ramp and soak steps, in minutes; curve c scales the top temperature.
struct Step {
    int sv;
    int minutes;
    int relay;
    int group;
};
constexpr Step kProfile[] = {
    {200, 10, 0, 1}, {200, 10, 0, 1}, {600, 20, 1, 2}, {600, 30, 1, 2},
    {900, 20, 1, 3}, {900, 30, 1, 3}, {400, 30, 0, 0}, {100, 20, 0, 0},
};

} // namespace

std::span<const RegisterValue> default_holding_registers() {
    return kHolding;
}

CurveWindow default_curve(int c) {
    CurveWindow w{};
    w[reg::WaitType] = 0;
    w[reg::WaitDeviation] = 10;
    w[reg::TimeUnit] = 1; // minutes
    w[reg::SegmentCount] = static_cast<std::int16_t>(std::size(kProfile));
    w[reg::RunCount] = 1;
    w[reg::HoldLastSv] = 1;
    w[reg::LoopStart] = 1;
    w[reg::LoopEnd] = 1;
    const int top = 900 + 40 * c; // curve 0 tops at 900, curve 8 at 1220
    for (int s = 1; s <= static_cast<int>(std::size(kProfile)); ++s) {
        const Step& step = kProfile[s - 1];
        const int base = kHeaderSize + kSegmentSize * (s - 1);
        w[base + reg::SegSv] = static_cast<std::int16_t>(step.sv == 900 ? top : step.sv);
        w[base + reg::SegTime] = static_cast<std::int16_t>(step.minutes);
        w[base + reg::SegRelay] = static_cast<std::int16_t>(step.relay);
        w[base + reg::SegPidGroup] = static_cast<std::int16_t>(step.group);
    }
    return w;
}

} // namespace sim
