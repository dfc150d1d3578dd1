#pragma once
// The instrument's setup as a map of registers, taken from the screens' own row tables (one
// source): the configuration, alarm, PID and grouped PID rows, and each curve's program window
// (header and 24 segments of four fields). For each register: its block, its name as the screen
// shows it, its kind, how a screen shows its value, and whether the console may write it.
//
// Program registers are kept as if the recipe value were 0 (the segment table from 8209); the
// instrument's own recipe value places them when they are read or written.

#include "params/field_rules.h"
#include "params/param_rows.h"

#include <QList>
#include <QString>

enum class SetupBlock { Configuration, Alarms, Pid, GroupedPid, Program };

struct MapEntry {
    SetupBlock block;
    int curve = -1;  // 0..8 for program registers
    int reg = 0;     // holding register; program: 8193 + offset, or 8209 + 8 (s - 1) + field
    int segment = 0; // 1..24 for segment fields
    const ParamRow* row = nullptr;
    ScreenRules rules;    // how the screen shows the value
    bool writable = true; // false: shown only (the recipe value)
    bool comms = false;   // address, baud rate, parity: writing them ends the conversation
    int order = 0;        // writes go in increasing order

    QString name() const;
    QString shown(qint32 value) const; // as the screen shows it
    // A key that names the register across files: "4097", "curve 3 / 8209".
    QString key() const;
};

const QList<MapEntry>& register_map();
const MapEntry* find_entry(int curve, int reg);
QString block_name(SetupBlock block); // "configuration", "alarms", ...
