#pragma once
// The register image of one instrument: the console's copy of its live data, written by the poll
// cycle and read by every screen and by the record logger. Element types and bounds are fixed.
// A plain value: each instrument object holds one, and a test builds its own.

#include <QtGlobal>
#include <array>

struct RegisterImage {
    std::array<qint32, 501> Raw3X{};    // input registers 1..16 at 0..15
    std::array<float, 301> Val3X{};     // Raw3X, index 1 divided by 10
    std::array<qint32, 101> Val3X33{};  // input registers 33..48; 3 and 6 divided by 10, rounded
    std::array<qint32, 21> Val3X4097{}; // input registers 4097..4112
    std::array<qint32, 501> Raw4X{};    // holding registers 1..16
    std::array<float, 301> Val4X{};     // Raw4X, index 1 divided by 10
    std::array<float, 51>
        Val4X4353{}; // holding registers 4353..4368, tenths where the block has them
    std::array<qint32, 101> Bit1X{}; // discrete inputs 1..8, 0 or 1
    std::array<qint32, 101> Bit0X{}; // coils 1..8, 0 or 1
};

// The program state the poll cycle last read (input register 4097) is 1 (running) or 2 (held):
// a curve selection then changes the curve under the program.
inline bool program_running_or_held(const RegisterImage& image) {
    const qint32 state = image.Val3X4097[0];
    return state == 1 || state == 2;
}
