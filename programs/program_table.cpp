#include "programs/program_table.h"

namespace {
// clang-format off
constexpr QStringView kWaitType[] = {u"0:禁止 ", u"1:下偏差等待 ", u"2:上偏差等待 ", u"3:偏差带等待 "};
constexpr QStringView kTimeUnit[] = {u"0:小时 ", u"1:分钟 ", u"2:秒 "};
constexpr QStringView kPowerFailure[] = {u"0:来电继续 ", u"1:来电停止 ", u"2:来电从第一段运行 ",
                                         u"3:无偏差继续运行，有偏差停 ", u"4:来电进入暂停 "};
constexpr QStringView kStartValue[] = {u"0:测量值 ", u"1:设定值 "};
constexpr QStringView kCurveEnd[] = {u"0:输出控制为0 ", u"1:保持最后SV控制 "};
constexpr QStringView kRecipe[] = {u"0:0号 ", u"1:1号 ", u"2:2号 ", u"3:3号 ", u"4:4号 ",
                                   u"5:5号 ", u"6:6号 ", u"7:7号 ", u"8:8号 "};
constexpr QStringView kRelay[] = {u"0:OFF ", u"1:ON "};
constexpr QStringView kPidGroup[] = {u"0:系统PID ", u"1:PID1 ", u"2:PID2 ", u"3:PID3",
                                     u"4:PID4 ", u"5:PID5 "};
constexpr QStringView kCurves[] = {u"0 ", u"1 ", u"2 ", u"3 ", u"4 ", u"5 ", u"6 ", u"7 ", u"8 "};

// The value labels show the numbers read, not texts: the lists' entries stand in for both.
constexpr OptionList kCB1{"CB1", kWaitType, kWaitType};
constexpr OptionList kCB2{"CB2", kTimeUnit, kTimeUnit};
constexpr OptionList kCB3{"CB3", kPowerFailure, kPowerFailure};
constexpr OptionList kCB4{"CB4", kStartValue, kStartValue};
constexpr OptionList kCB5{"CB5", kCurveEnd, kCurveEnd};
constexpr OptionList kCB6{"CB6", kRecipe, kRecipe};
constexpr OptionList kCB1A{"CB1A", kRelay, kRelay};
constexpr OptionList kCB1B{"CB1B", kPidGroup, kPidGroup};

constexpr ParamGroup kGroups[] = {{u"功能设定", {}}, {u"当前段设定", {}}};

using program::kHeaderFirst;
using program::kSegmentRow;
constexpr int kSeg = program::kTableFirst; // segment 1 of recipe 0; the editor finds the real one

constexpr ParamRow kRows[] = {
    {0, kHeaderFirst + 0, 0, u"程序等待类型", {}, FieldKind::Option, &kCB1},
    {1, kHeaderFirst + 1, 0, u"等待偏差值", {}, FieldKind::Integer},
    {2, kHeaderFirst + 2, 0, u"曲线时间单位", {}, FieldKind::Option, &kCB2},
    {3, kHeaderFirst + 3, 0, u"程序段数", {}, FieldKind::Integer},
    {4, kHeaderFirst + 4, 0, u"程序次数", {}, FieldKind::Integer},
    {5, kHeaderFirst + 5, 0, u"电源掉电处理", {}, FieldKind::Option, &kCB3},
    {6, kHeaderFirst + 6, 0, u"开始值选择", {}, FieldKind::Option, &kCB4},
    {7, kHeaderFirst + 7, 0, u"曲线结束OUT", {}, FieldKind::Option, &kCB5},
    {8, kHeaderFirst + 8, 0, u"循环段次数", {}, FieldKind::Integer},
    {9, kHeaderFirst + 9, 0, u"循环开始段", {}, FieldKind::Integer},
    {10, kHeaderFirst + 10, 0, u"循环结束段", {}, FieldKind::Integer},
    {11, 0, 0, u"工艺配方", {}, FieldKind::Option, &kCB6}, // shown, writes nothing
    {kSegmentRow + 0, kSeg + 0, 1, u"设定值SV1", {}, FieldKind::Integer, nullptr, "TxtA", "Label13A"},
    {kSegmentRow + 1, kSeg + 1, 1, u"设定时间", {}, FieldKind::Integer, nullptr, "TxtB", "Label13B"},
    {kSegmentRow + 2, kSeg + 2, 1, u"继电器状态", {}, FieldKind::Option, &kCB1A, nullptr, "Label13C"},
    {kSegmentRow + 3, kSeg + 3, 1, u"段PID", {}, FieldKind::Option, &kCB1B, nullptr, "Label13D"},
};
// clang-format on
} // namespace

ParamTable program_table() {
    return {kRows, kGroups};
}

std::span<const QStringView> curve_entries() {
    return kCurves;
}
