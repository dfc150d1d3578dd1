#pragma once
// The register catalogue: every register and coil the console knows, once, as data. For each its
// table and number, the instrument's caption and hint, how its value is scaled and shown (an
// integer, tenths, an option list, a status word with the words of its codes, a bit), the values
// the instrument accepts, whether the console may write it, whether writing it ends the
// conversation (address, baud rate, parity) and whether it is a window onto the selected curve and
// recipe (the program window). The screens' row tables, the overview's words, the program window's
// layout and the instrument-file map are views of it.

#include <QStringView>
#include <QtGlobal>
#include <optional>
#include <span>

enum class FieldKind { Integer, Tenths, Option };

enum class RegisterTable { Coil, DiscreteInput, Input, Holding };

// An option list: its entries in list order (code = position) and, per code, the text a value
// label shows. Both exactly as the instrument's screens have them, blanks included.
struct OptionTexts {
    std::span<const QStringView> entries;
    std::span<const QStringView> shown;
};

// Whether a word marks its state as off (a normal state), on (an alarm, a mode switched on) or
// neither: the overview colours its field by it.
enum class Tint { Keep, Off, On };

// One word of a status register or bit: the word shown for a code.
struct StatusWord {
    int code;
    QStringView text;
    Tint tint = Tint::Keep;
};

enum class Window {
    None,
    Curve,          // the header of the selected curve's program (register 7 selects it)
    CurveAndRecipe, // a segment field, in the table of the curve's recipe (as if the recipe were 0)
};

struct RegisterInfo {
    RegisterTable table;
    int number; // one-based, as passed to the link
    QStringView caption;
    QStringView hint;
    FieldKind kind = FieldKind::Integer;
    const OptionTexts* options = nullptr; // option registers only
    std::span<const StatusWord> words;    // status words and bits: the word of each code
    qint32 low = -32768;                  // the values the instrument accepts, as raw values
    qint32 high = 32767;
    bool writable = true; // false: shown only
    bool comms = false;   // address, baud rate, parity: writing them ends the conversation
    Window window = Window::None;
    int segment = 0; // segment fields: the segment 1..24

    bool accepts(qint32 value) const { return value >= low && value <= high; }
};

// The whole catalogue, each table in increasing register number.
std::span<const RegisterInfo> register_catalogue();
const RegisterInfo* find_register(RegisterTable table, int number);
const RegisterInfo* holding_register(int number);

// The word for a code of a status register; empty for a code outside its table. Float image
// values carry whole codes exactly; 3.5 is no code.
std::optional<StatusWord> status_word(const RegisterInfo& info, double code);
// A bit's word: 0 gives the first, any other value the second.
std::optional<StatusWord> bit_word(const RegisterInfo& info, qint32 bit);
