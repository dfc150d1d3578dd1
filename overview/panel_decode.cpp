#include "panel_decode.h"

namespace {

PanelWord panel_word(const StatusWord& w) {
    return {w.text, w.tint};
}

std::optional<PanelWord> look_up(RegisterTable table, int number, double code) {
    const RegisterInfo* info = find_register(table, number);
    if (!info)
        return std::nullopt;
    if (const auto w = status_word(*info, code))
        return panel_word(*w);
    return std::nullopt;
}

// The word of a bit that is 0 or 1.
PanelWord bit_state(RegisterTable table, int number, int state) {
    return look_up(table, number, state).value_or(PanelWord{});
}

BitField bit_field(const char* field, int index, BitImage source) {
    const auto table =
        source == BitImage::Coils ? RegisterTable::Coil : RegisterTable::DiscreteInput;
    return {field, index, source, bit_state(table, index + 1, 0), bit_state(table, index + 1, 1)};
}

FaultField fault_field(int index) {
    const RegisterInfo* info = find_register(RegisterTable::DiscreteInput, index + 1);
    return {index, info ? info->caption : QStringView()};
}

} // namespace

// Bit k of an image is coil or discrete input k + 1.
const BitField kBitFields[6] = {
    bit_field("D_1RW", 0, BitImage::Coils),         bit_field("D_1RW", 1, BitImage::Coils),
    bit_field("D_1RW", 2, BitImage::Coils),         bit_field("D_1RW", 6, BitImage::Coils),
    bit_field("D_2R", 0, BitImage::DiscreteInputs), bit_field("D_2R", 1, BitImage::DiscreteInputs),
};

const FaultField kFaultFields[4] = {fault_field(4), fault_field(5), fault_field(6), fault_field(7)};

std::optional<Rgb> tint_colour(Tint tint) {
    switch (tint) {
    case Tint::Off:
        return panel_colour::Off;
    case Tint::On:
        return panel_colour::On;
    case Tint::Keep:
        break;
    }
    return std::nullopt;
}

// Alarm 1's type is input register 8, alarm 2's input register 9.
std::optional<PanelWord> alarm_type_word(int alarm, double code) {
    return look_up(RegisterTable::Input, alarm == 1 ? 8 : 9, code);
}

std::optional<PanelWord> program_state_word(qint32 code) {
    return look_up(RegisterTable::Input, 4097, code);
}

std::optional<PanelWord> wait_word(qint32 code) {
    return look_up(RegisterTable::Input, 4104, code);
}

std::optional<PanelWord> command_state_word(double code) {
    return look_up(RegisterTable::Holding, 8, code);
}

PanelWord bit_word(const BitField& field, qint32 bit) {
    return bit == 0 ? field.off : field.on;
}
