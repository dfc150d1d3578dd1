#pragma once
// The row tables of the parameter screens, written as data: which register a row edits, its name
// and hint captions, its field kind and, for option rows, the list entries and the texts the value
// label shows for each code. Each screen's table sits beside its form (config_table.cpp,
// alarm_table.cpp, pid_table.cpp, grouped_pid_table.cpp); the row builder makes the controls.

#include <QStringView>
#include <span>

enum class FieldKind { Integer, Tenths, Option };

// An option list: its entries in list order (code = position) and, per code, the text its value
// label shows. Both exactly as the instrument's screens have them, blanks included.
struct OptionList {
    const char* editor; // "Combo0" ... "Combo32"
    std::span<const QStringView> entries;
    std::span<const QStringView> shown;
};

struct ParamRow {
    int k;            // index of the value label D_4W(k) (and of the entry box T_3RW(k))
    int reg;          // holding register written and refreshed; 0: bound to none
    int group;        // the tab or frame the row stands in, from 0
    QStringView name; // the name label
    QStringView hint; // the hint label; empty: none
    FieldKind kind;
    const OptionList* options = nullptr; // option rows only
    const char* editorName = nullptr;    // an entry box with a name of its own (not T_3RW(k))
    const char* valueName = nullptr;     // a value label with a name of its own (not D_4W(k))
};

// A tab (CONFIG1) or frame (the other screens): its caption and, on CONFIG1, the section title of
// the frame inside the tab.
struct ParamGroup {
    QStringView caption;
    QStringView title;
};

struct ParamTable {
    std::span<const ParamRow> rows;
    std::span<const ParamGroup> groups;
};

ParamTable config_table();      // CONFIG1: 12 tabs, the configuration rows and Combo16
ParamTable alarm_table();       // ALM1: 3 frames, 8 rows
ParamTable pid_table();         // PIDC: 3 frames, 16 rows
ParamTable grouped_pid_table(); // PID1: 5 frames of 6 rows
