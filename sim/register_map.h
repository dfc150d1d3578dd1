#pragma once
// Which registers, coils and inputs the instrument answers for. Numbers are one-based, as the
// console passes them (number n is protocol address n - 1).

#include <array>
#include <cstdint>
#include <optional>

namespace sim {

enum class Table { Coils, DiscreteInputs, InputRegisters, HoldingRegisters };

enum class Area {
    Coils,         // coils 1..16; 9..16 read as 0 and refuse writes
    Inputs,        // discrete inputs 1..16
    LiveValues,    // input registers 1..16
    PidState,      // input registers 33..48
    ProgramState,  // input registers 4097..4112
    Commands,      // holding registers 1..16
    AlarmSettings, // holding registers 257..272
    Configuration, // holding registers 4097..4184
    PidSettings,   // holding registers 4353..4368
    GroupedPid,    // holding registers 5121..5152
    ProgramWindow, // holding registers 8193..9424, the curve selected by holding register 7
};

struct Block {
    Table table;
    Area area;
    int first;
    int count;
    bool writable;
};

// The program window: a 16-register header, then room for the 192-register segment table at
// 8209 + 128 * R for every recipe value R = 0..8.
inline constexpr int kWindowFirst = 8193;
inline constexpr int kHeaderSize = 16;
inline constexpr int kSegments = 24;
inline constexpr int kSegmentSize = 8;
inline constexpr int kTableSize = kSegments * kSegmentSize; // 192
inline constexpr int kRecipeStride = 128;
inline constexpr int kMaxRecipe = 8;
inline constexpr int kWindowSize = kHeaderSize + kRecipeStride * kMaxRecipe + kTableSize; // 1232
inline constexpr int kCurves = 9;

inline constexpr std::array<Block, 11> kBlocks{{
    {Table::Coils, Area::Coils, 1, 16, true},
    {Table::DiscreteInputs, Area::Inputs, 1, 16, false},
    {Table::InputRegisters, Area::LiveValues, 1, 16, false},
    {Table::InputRegisters, Area::PidState, 33, 16, false},
    {Table::InputRegisters, Area::ProgramState, 4097, 16, false},
    {Table::HoldingRegisters, Area::Commands, 1, 16, true},
    {Table::HoldingRegisters, Area::AlarmSettings, 257, 16, true},
    {Table::HoldingRegisters, Area::Configuration, 4097, 88, true},
    {Table::HoldingRegisters, Area::PidSettings, 4353, 16, true},
    {Table::HoldingRegisters, Area::GroupedPid, 5121, 32, true},
    {Table::HoldingRegisters, Area::ProgramWindow, kWindowFirst, kWindowSize, true},
}};

// The block that holds numbers first .. first + count - 1 entirely, if any.
std::optional<Block> find_block(Table table, int first, int count);

// Register of field `offset` of segment s (1..24) of the table placed by recipe value r.
constexpr int segment_register(int recipe, int segment, int offset) {
    return kWindowFirst + kHeaderSize + kRecipeStride * recipe + kSegmentSize * (segment - 1) +
           offset;
}

// Registers the instrument itself acts on, by number.
namespace reg {
// holding registers
inline constexpr int ManualOutput = 2; // tenths of a percent
inline constexpr int Sv1 = 3;
inline constexpr int Sv2 = 4;
inline constexpr int Curve = 7;
inline constexpr int ProgramCommand = 8;
inline constexpr int Alarm1Value = 257; // then hysteresis, delay
inline constexpr int Alarm2Value = 260;
inline constexpr int HeaterBreakValue = 263;
inline constexpr int HeaterBreakOutput = 264; // tenths of a percent
inline constexpr int ControlType = 4097;
inline constexpr int FilterTime = 4103; // tenths of a second
inline constexpr int SvHigh = 4106;
inline constexpr int SvLow = 4107;
inline constexpr int Pv1Offset = 4115;
inline constexpr int Pv2Offset = 4126;
inline constexpr int OutputHigh = 4140; // tenths of a percent
inline constexpr int OutputLow = 4141;
inline constexpr int BaudCode = 4157;
inline constexpr int ParityCode = 4158;
inline constexpr int Address = 4159;
inline constexpr int ResponseDelay = 4160; // ms
inline constexpr int Alarm1Type = 4161;
inline constexpr int Alarm2Type = 4162;
inline constexpr int PowerOnSuppression = 4163;
inline constexpr int Pid1 = 4353;         // P band, I s, D tenths of s, hysteresis
inline constexpr int Pid2 = 4358;         // the secondary output's P, I, D
inline constexpr int PidGroupMode = 4365; // 0 the system PID, 1..5 a group
inline constexpr int GroupFirst = 5121;   // group g at 5121 + 6 (g - 1): P1 I1 D1 P2 I2 D2
// program header offsets
inline constexpr int WaitType = 0;
inline constexpr int WaitDeviation = 1;
inline constexpr int TimeUnit = 2;
inline constexpr int SegmentCount = 3;
inline constexpr int RunCount = 4;
inline constexpr int StartFromSv = 6;
inline constexpr int HoldLastSv = 7;
inline constexpr int LoopCount = 8;
inline constexpr int LoopStart = 9;
inline constexpr int LoopEnd = 10;
inline constexpr int Recipe = 11;
// segment record offsets
inline constexpr int SegSv = 0;
inline constexpr int SegTime = 1;
inline constexpr int SegRelay = 2;
inline constexpr int SegPidGroup = 3;
} // namespace reg

} // namespace sim
