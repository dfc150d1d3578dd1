#pragma once
// The row tables of the parameter screens, as views of the register catalogue: a screen's table
// names the registers it shows and adds its own layout (tab or frame, the names of its editors
// and labels); the caption, hint, kind and list of a row are the catalogue's. Each screen's table
// sits beside its form (config_table.cpp, alarm_table.cpp, pid_table.cpp,
// grouped_pid_table.cpp); the row builder makes the controls.

#include "registers/catalogue.h"

#include <QStringView>
#include <span>

// An option list as a screen has it: its editor's name, and the catalogue's entries (code =
// position) and the texts its value label shows for each code.
struct OptionList {
    const char* editor; // "Combo0" ... "Combo32"
    std::span<const QStringView> entries;
    std::span<const QStringView> shown;
};

struct ParamRow {
    int k;            // index of the value label D_4W(k) (and of the entry box T_3RW(k))
    int reg;          // holding register written and refreshed; 0: bound to none, or shown only
    int group;        // the tab or frame the row stands in, from 0
    QStringView name; // the name label
    QStringView hint; // the hint label; empty: none
    FieldKind kind;
    const OptionList* options = nullptr; // option rows only
    const char* editorName = nullptr;    // an entry box with a name of its own (not T_3RW(k))
    const char* valueName = nullptr;     // a value label with a name of its own (not D_4W(k))
};

// A row as its screen's table writes it: the catalogue's holding register and the screen's own
// layout. A control bound to no register (reg 0) names its caption and the register whose list
// it shows.
struct RowView {
    int k;
    int reg;
    int group;
    const char* list = nullptr; // option rows: the list's editor name
    QStringView caption = {};   // rows bound to no register only
    int listOf = 0;             // rows bound to no register only
    const char* editorName = nullptr;
    const char* valueName = nullptr;
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

// The rows of a view, built once from the catalogue and kept for the program's life.
std::span<const ParamRow> build_rows(std::span<const RowView> views);

ParamTable config_table();      // CONFIG1: 12 tabs, the configuration rows and Combo16
ParamTable alarm_table();       // ALM1: 3 frames, 8 rows
ParamTable pid_table();         // PIDC: 3 frames, 16 rows
ParamTable grouped_pid_table(); // PID1: 5 frames of 6 rows
