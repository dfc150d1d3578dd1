#include "registers/entries.h"
#include "registers/program_window.h"

#include <array>

// The program window's registers: the header fields of the selected curve's program and the four
// fields of each of its 24 segments, kept at their places for the recipe value 0.

namespace {

using namespace entries;

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

// The program editor's value labels show the numbers read, not texts: the entries stand in for
// both.
constexpr OptionTexts kWaitTypeList{kWaitType, kWaitType};
constexpr OptionTexts kTimeUnitList{kTimeUnit, kTimeUnit};
constexpr OptionTexts kPowerFailureList{kPowerFailure, kPowerFailure};
constexpr OptionTexts kStartValueList{kStartValue, kStartValue};
constexpr OptionTexts kCurveEndList{kCurveEnd, kCurveEnd};
constexpr OptionTexts kRecipeList{kRecipe, kRecipe};
constexpr OptionTexts kRelayList{kRelay, kRelay};
constexpr OptionTexts kPidGroupList{kPidGroup, kPidGroup};

using program::kHeaderFirst;
using program::kSegments;

// The counts state no hint; their ranges are the program's own: 24 segments, a loop from and to
// one of them (0: none).
constexpr RegisterInfo kHeader[] = {
    option(kHeaderFirst + 0, u"程序等待类型", {}, kWaitTypeList, 0, 3),
    integer(kHeaderFirst + 1, u"等待偏差值", {}),
    option(kHeaderFirst + 2, u"曲线时间单位", {}, kTimeUnitList, 0, 2),
    integer(kHeaderFirst + 3, u"程序段数", {}, 0, kSegments),
    integer(kHeaderFirst + 4, u"程序次数", {}),
    option(kHeaderFirst + 5, u"电源掉电处理", {}, kPowerFailureList, 0, 4),
    option(kHeaderFirst + 6, u"开始值选择", {}, kStartValueList, 0, 1),
    option(kHeaderFirst + 7, u"曲线结束OUT", {}, kCurveEndList, 0, 1),
    integer(kHeaderFirst + 8, u"循环段次数", {}),
    integer(kHeaderFirst + 9, u"循环开始段", {}, 0, kSegments),
    integer(kHeaderFirst + 10, u"循环结束段", {}, 0, kSegments),
    shown_only(option(kHeaderFirst + 11, u"工艺配方", {}, kRecipeList, 0, program::kMaxRecipe)),
};

constexpr RegisterInfo kSegmentField[] = {
    integer(0, u"设定值SV1", {}),
    integer(1, u"设定时间", {}),
    option(2, u"继电器状态", {}, kRelayList, 0, 1),
    option(3, u"段PID", {}, kPidGroupList, 0, 5),
};
// clang-format on

constexpr auto kWindow = [] {
    std::array<RegisterInfo, std::size(kHeader) + kSegments * std::size(kSegmentField)> all{};
    std::size_t i = 0;
    for (RegisterInfo e : kHeader) {
        e.window = Window::Curve;
        all[i++] = e;
    }
    for (int s = 1; s <= kSegments; ++s)
        for (RegisterInfo e : kSegmentField) {
            e.number = program::segment_register(0, s, e.number);
            e.segment = s;
            e.window = Window::CurveAndRecipe;
            all[i++] = e;
        }
    return all;
}();

} // namespace

std::span<const RegisterInfo> program_window_registers() {
    return kWindow;
}
