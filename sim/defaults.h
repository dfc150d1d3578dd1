#pragma once
// What a new instrument holds: plausible settings for a 1300 degree furnace with a K-type main
// sensor and a PT100 load sensor, and nine stored curves.

#include "register_map.h"

#include <array>
#include <cstdint>
#include <span>

namespace sim {

struct RegisterValue {
    int number;
    int value;
};

// Holding registers that do not start at 0 (every other served register does).
std::span<const RegisterValue> default_holding_registers();

using CurveWindow = std::array<std::int16_t, kWindowSize>;

// Curve c (0..8): header and segment table at recipe value 0.
CurveWindow default_curve(int c);

} // namespace sim
