#include "registers/entries.h"

// The registers the poll cycle reads for the overview and the ones its commands write: the live
// values, the status words with the words of their codes, the mode coils and the alarm and fault
// inputs. A status word leaves its field as it was for a code outside its table.

namespace {

using namespace entries;

// clang-format off
constexpr StatusWord kAlarm1[] = {
    {0, u"1无报警", Tint::Off},    {1, u"上限报警1", Tint::On},
    {2, u"下限报警1", Tint::On},   {3, u"上偏差报警1", Tint::On},
    {4, u"下偏差报警1", Tint::On}, {5, u"偏差带报警1", Tint::On},
    {6, u"断线报警1", Tint::On},   {7, u"段动作1EN", Tint::On},
};
constexpr StatusWord kAlarm2[] = {
    {0, u"2无报警", Tint::Off},    {1, u"上限报警2", Tint::On},
    {2, u"下限报警2", Tint::On},   {3, u"上偏差报警2", Tint::On},
    {4, u"下偏差报警2", Tint::On}, {5, u"偏差带报警2", Tint::On},
    {6, u"断线报警2", Tint::On},   {7, u"段动作2EN", Tint::On},
};
constexpr StatusWord kProgramState[] = {{0, u"停止"}, {1, u"运行"}, {2, u"暂停"}, {4, u"结束"}};
constexpr StatusWord kWait[] = {{0, u"无等待"}, {1, u"偏差等待"}};
constexpr StatusWord kCommandState[] = {
    {0, u"停止"}, {1, u"运行"}, {2, u"暂停"}, {4, u"结束"}, {8, u"复位"}, {16, u"休眠"},
};

// Bits: the word while it is 0, then the word for any other value.
constexpr StatusWord kAutoManual[] = {{0, u"手动"}, {1, u"自动"}};
constexpr StatusWord kProgramRun[] = {{0, u"单点SV", Tint::Off}, {1, u"程序运行", Tint::On}};
constexpr StatusWord kSetValue2[] = {{0, u"SV1", Tint::Off}, {1, u"SV2", Tint::On}};
constexpr StatusWord kAutoTune[] = {{0, u"主整定关", Tint::Off}, {1, u"主自整定开", Tint::On}};
constexpr StatusWord kAlarm1On[] = {{0, u"报警一OFF", Tint::Off}, {1, u"报警一ON", Tint::On}};
constexpr StatusWord kAlarm2On[] = {{0, u"报警二OFF", Tint::Off}, {1, u"报警二ON", Tint::On}};
// A fault shows its caption while its bit is 1 and nothing otherwise.
constexpr StatusWord kPv1Open[] = {{1, u"PV1开路", Tint::On}};
constexpr StatusWord kPv1Short[] = {{1, u"PV1短路", Tint::On}};
constexpr StatusWord kPv2Open[] = {{1, u"PV2开路", Tint::On}};
constexpr StatusWord kPv2Short[] = {{1, u"PV2短路", Tint::On}};

constexpr QStringView kCurves[] = {u"0 ", u"1 ", u"2 ", u"3 ", u"4 ", u"5 ", u"6 ", u"7 ", u"8 "};
constexpr OptionTexts kCurveList{kCurves, kCurves};

constexpr auto Input = RegisterTable::Input;
constexpr auto Coil = RegisterTable::Coil;
constexpr auto Discrete = RegisterTable::DiscreteInput;

constexpr RegisterInfo input(int n, QStringView caption, FieldKind kind = FieldKind::Integer) {
    return {Input, n, caption, {}, kind, nullptr, {}, -32768, 32767, false};
}

constexpr RegisterInfo bit(RegisterTable table, int n, QStringView caption,
                           std::span<const StatusWord> words) {
    return {table, n, caption, {}, FieldKind::Integer, nullptr, words, 0, 1,
            table == RegisterTable::Coil};
}

// The alarm type words and the alarm inputs have no caption of their own on the overview: their
// words are their captions.
constexpr RegisterInfo kLive[] = {
    bit(Coil, 1, u"手动", kAutoManual),
    bit(Coil, 2, u"单点/程序", kProgramRun),
    bit(Coil, 3, u"SV1/2", kSetValue2),
    bit(Coil, 7, u"主自整定", kAutoTune),
    bit(Discrete, 1, {}, kAlarm1On),
    bit(Discrete, 2, {}, kAlarm2On),
    bit(Discrete, 5, u"PV1开路", kPv1Open),
    bit(Discrete, 6, u"PV1短路", kPv1Short),
    bit(Discrete, 7, u"PV2开路", kPv2Open),
    bit(Discrete, 8, u"PV2短路", kPv2Short),
    input(1, u"当前PV"),
    input(2, u"输出OP", FieldKind::Tenths),
    input(3, u"SV当前值"),
    input(4, u"PV1值"),
    input(5, u"PV2值"),
    input(6, u"SV1值"),
    input(7, u"SV2值"),
    with_words(kAlarm1, input(8, {})),
    with_words(kAlarm2, input(9, {})),
    input(33, u"当前PID组"),
    input(34, u"主比例带"),
    input(35, u"主积分"),
    input(36, u"主微分", FieldKind::Tenths), // shown rounded to a whole number
    input(37, u"副比例带"),
    input(38, u"副积分"),
    input(39, u"副微分", FieldKind::Tenths),
    with_words(kProgramState, input(4097, u"程序状态")),
    input(4098, u"当前PV"),
    input(4099, u"目标SV"),
    input(4100, u"当前段号"),
    input(4101, u"段剩余时间"),
    input(4102, u"总剩余时间"),
    input(4103, u"循环次数"),
    with_words(kWait, input(4104, u"偏差等待状态")),
    tenths(2, u"OP值", {}, 0, 1000), // the manual output, 0 to 100.0 %
    integer(3, u"SV1值", {}, -10000, 30000),
    integer(4, u"SV2值", {}, -10000, 30000),
    option(7, u"曲线选择", {}, kCurveList, 0, 8), // selects the curve the program window shows
    with_words(kCommandState, integer(8, u"程序状态", {})),
};
// clang-format on

} // namespace

std::span<const RegisterInfo> live_registers() {
    return kLive;
}
