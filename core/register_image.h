#pragma once
// The register image: the console's only copy of the instrument's live data, written by the poll
// cycle and read by every screen and by the record logger. Element types and bounds are fixed.
// Beside it, LinkSet: the link settings and the staging slots of register writes.

#include <QtGlobal>
#include <array>

extern std::array<qint32, 501> Raw3X;    // input registers 1..16 at 0..15
extern std::array<float, 301> Val3X;     // Raw3X, index 1 divided by 10
extern std::array<qint32, 101> Val3X33;  // input registers 33..48; 3 and 6 divided by 10, rounded
extern std::array<qint32, 21> Val3X4097; // input registers 4097..4112
extern std::array<qint32, 501> Raw4X;    // holding registers 1..16
extern std::array<float, 301> Val4X;     // Raw4X, index 1 divided by 10
extern std::array<float, 51>
    Val4X4353; // holding registers 4353..4368, tenths where the block has them
extern std::array<qint32, 101> Bit1X; // discrete inputs 1..8, 0 or 1
extern std::array<qint32, 101> Bit0X; // coils 1..8, 0 or 1

// LinkSet slots: 0 port, 1 baud code, 2 parity code, 3 instrument address, 20 result of opening;
// 19, 21, 24 stage the value of a single-register write.
extern std::array<qint32, 501> LinkSet;

namespace linkslot {
constexpr int Port = 0;
constexpr int Baud = 1;
constexpr int Parity = 2;
constexpr int Address = 3;
constexpr int OptionValue = 19;
constexpr int OpenResult = 20;
constexpr int ConfigValue = 21;
constexpr int OverviewValue = 24;
} // namespace linkslot

// Zero-fills the image and LinkSet, as at program start.
void ResetRegisterImage();
