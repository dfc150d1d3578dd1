#pragma once
// The instrument's setup as a map of registers, a view of the register catalogue: the
// configuration, alarm, PID and grouped PID registers, and each curve's program window (header
// and 24 segments of four fields). For each register: its block, its name as the screen shows it,
// its kind, how a screen shows its value, whether the console may write it, and the values the
// instrument accepts (a restore writes nothing outside them).
//
// Program registers are kept as if the recipe value were 0 (the segment table from 8209); the
// instrument's own recipe value places them when they are read or written.

#include "registers/catalogue.h"
#include "registers/shown_value.h"

#include <QList>
#include <QString>
#include <optional>
#include <utility>

enum class SetupBlock { Configuration, Alarms, Pid, GroupedPid, Program };

struct MapEntry {
    SetupBlock block;
    int curve = -1;  // 0..8 for program registers
    int reg = 0;     // holding register; program: 8193 + offset, or 8209 + 8 (s - 1) + field
    int segment = 0; // 1..24 for segment fields
    const RegisterInfo* info = nullptr;
    TenthsFormat tenths = TenthsFormat::Shortest; // how the screen shows a tenths value
    bool writable = true;                         // false: shown only (the recipe value)
    bool comms = false;  // address, baud rate, parity: writing them ends the conversation
    int order = 0;       // writes go in increasing order
    qint32 low = -32768; // the values it accepts, as raw register values
    qint32 high = 32767;

    bool accepts(qint32 value) const { return value >= low && value <= high; }

    QString name() const;
    QString shown(qint32 value) const; // as the screen shows it
    // A key that names the register across files: "4097", "curve 3 / 8209".
    QString key() const;
};

const QList<MapEntry>& register_map();
const MapEntry* find_entry(int curve, int reg);
QString block_name(SetupBlock block); // "configuration", "alarms", ...
