#pragma once
// The words and colours of the live status panel: which code or bit gives which word (the
// register catalogue's words) and which background goes with it. Plain data and functions, so the
// tables can be checked without a window.

#include "registers/catalogue.h"

#include <QColor>
#include <QStringView>
#include <optional>

struct Rgb {
    int r, g, b;
    QColor color() const { return QColor(r, g, b); }
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

namespace panel_colour {
constexpr Rgb Off{192, 255, 255};          // light cyan: a state word that is "off"
constexpr Rgb On{255, 192, 192};           // light red: a state word that is "on"
constexpr Rgb MainValue{255, 192, 255};    // light magenta: design background of D_3W
constexpr Rgb AlarmBit{255, 224, 192};     // light orange: design background of D_2R
constexpr Rgb Field{192, 255, 255};        // light cyan: every other value field
constexpr Rgb EntryFocus{255, 255, 192};   // light yellow (0xC0FFFF) while an entry box has focus
constexpr Rgb EntryIdle{255, 255, 255};    // white after it
constexpr Rgb EntryRefused{255, 140, 140}; // an entry the instrument must not get
} // namespace panel_colour

struct PanelWord {
    QStringView text;
    Tint tint = Tint::Keep;
    friend bool operator==(const PanelWord&, const PanelWord&) = default;
};

// Keep: the background stays as it is; otherwise it becomes the "off" or "on" colour.
std::optional<Rgb> tint_colour(Tint tint);

// Alarm type of alarm 1 (D_3W(7)) or alarm 2 (D_3W(8)); empty for a code outside the table, which
// leaves word and colour as they were.
std::optional<PanelWord> alarm_type_word(int alarm, double code);
std::optional<PanelWord> program_state_word(qint32 code); // D3XX(0)
std::optional<PanelWord> wait_word(qint32 code);          // D3XX(7)
std::optional<PanelWord> command_state_word(double code); // D_4W(7)

// The bit fields: D_1RW(k) from Bit0X[k], D_2R(k) from Bit1X[k].
enum class BitImage { Coils, DiscreteInputs };
struct BitField {
    const char* field; // "D_1RW" or "D_2R"
    int index;         // field index, also the bit image index
    BitImage source;
    PanelWord off; // shown while the bit is 0
    PanelWord on;  // shown for any other value
};
extern const BitField kBitFields[6];
PanelWord bit_word(const BitField& field, qint32 bit);

// The fault fields D_2R(4..7): shown, light red, with their caption while Bit1X[k] is 1; hidden
// otherwise.
struct FaultField {
    int index;
    QStringView caption;
};
extern const FaultField kFaultFields[4];
