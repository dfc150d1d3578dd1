#pragma once
// What the overview's commands write: the three entry boxes with their ranges and scaling, the
// four toggles with their coils, and the two lists whose entries carry their code at the head.
// Plain data and functions, checked without a window.

#include <QStringList>
#include <QStringView>
#include <optional>

struct EntryRule {
    int index;           // T_3RW(index)
    const char* button;  // its companion button
    QStringView caption; // the button's caption
    int reg;             // holding register written
    double min, max;     // accepted range of the number typed, bounds included
    double scale;        // register value = number × scale, rounded half to even
};
extern const EntryRule kEntryRules[3];

// The register value of a typed entry; empty when the text holds no number or the number is
// outside the range (nothing may be written then).
std::optional<qint32> entry_value(const EntryRule& rule, QStringView text);
QString entry_range_text(const EntryRule& rule); // "0 … 100"

struct ToggleRule {
    const char* button;
    QStringView caption;
    int coil; // one-based; its polled state is Bit0X[coil - 1]
};
extern const ToggleRule kToggleRules[4];
constexpr int kAutoTuneCoil = 7; // "主自整定"

struct ListRule {
    const char* combo;
    const char* button;
    QStringView caption;
    int reg;
    QStringList entries;
};
const ListRule& program_state_list(); // Combo3 / Command13 -> holding register 8
const ListRule& curve_list();         // Combo4 / Command27 -> holding register 7
