#include "panel_decode.h"

#include <iterator>

namespace {

struct CodeWord {
    int code;
    PanelWord word;
};

constexpr CodeWord kAlarm1[] = {
    {0, {u"1无报警", Tint::Off}},    {1, {u"上限报警1", Tint::On}},
    {2, {u"下限报警1", Tint::On}},   {3, {u"上偏差报警1", Tint::On}},
    {4, {u"下偏差报警1", Tint::On}}, {5, {u"偏差带报警1", Tint::On}},
    {6, {u"断线报警1", Tint::On}},   {7, {u"段动作1EN", Tint::On}},
};

constexpr CodeWord kAlarm2[] = {
    {0, {u"2无报警", Tint::Off}},    {1, {u"上限报警2", Tint::On}},
    {2, {u"下限报警2", Tint::On}},   {3, {u"上偏差报警2", Tint::On}},
    {4, {u"下偏差报警2", Tint::On}}, {5, {u"偏差带报警2", Tint::On}},
    {6, {u"断线报警2", Tint::On}},   {7, {u"段动作2EN", Tint::On}},
};

constexpr CodeWord kProgramState[] = {
    {0, {u"停止"}},
    {1, {u"运行"}},
    {2, {u"暂停"}},
    {4, {u"结束"}},
};

constexpr CodeWord kWait[] = {
    {0, {u"无等待"}},
    {1, {u"偏差等待"}},
};

constexpr CodeWord kCommandState[] = {
    {0, {u"停止"}}, {1, {u"运行"}}, {2, {u"暂停"}}, {4, {u"结束"}}, {8, {u"复位"}}, {16, {u"休眠"}},
};

template <std::size_t N> std::optional<PanelWord> look_up(const CodeWord (&table)[N], double code) {
    // Float image values carry whole codes exactly; 3.5 is no code.
    for (const auto& e : table)
        if (static_cast<double>(e.code) == code)
            return e.word;
    return std::nullopt;
}

} // namespace

const BitField kBitFields[6] = {
    {"D_1RW", 0, BitImage::Coils, {u"手动"}, {u"自动"}},
    {"D_1RW", 1, BitImage::Coils, {u"单点SV", Tint::Off}, {u"程序运行", Tint::On}},
    {"D_1RW", 2, BitImage::Coils, {u"SV1", Tint::Off}, {u"SV2", Tint::On}},
    {"D_1RW", 6, BitImage::Coils, {u"主整定关", Tint::Off}, {u"主自整定开", Tint::On}},
    {"D_2R", 0, BitImage::DiscreteInputs, {u"报警一OFF", Tint::Off}, {u"报警一ON", Tint::On}},
    {"D_2R", 1, BitImage::DiscreteInputs, {u"报警二OFF", Tint::Off}, {u"报警二ON", Tint::On}},
};

const FaultField kFaultFields[4] = {
    {4, u"PV1开路"},
    {5, u"PV1短路"},
    {6, u"PV2开路"},
    {7, u"PV2短路"},
};

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

std::optional<PanelWord> alarm_type_word(int alarm, double code) {
    return alarm == 1 ? look_up(kAlarm1, code) : look_up(kAlarm2, code);
}

std::optional<PanelWord> program_state_word(qint32 code) {
    return look_up(kProgramState, code);
}

std::optional<PanelWord> wait_word(qint32 code) {
    return look_up(kWait, code);
}

std::optional<PanelWord> command_state_word(double code) {
    return look_up(kCommandState, code);
}

PanelWord bit_word(const BitField& field, qint32 bit) {
    return bit == 0 ? field.off : field.on;
}
