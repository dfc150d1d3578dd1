#include "params/param_rows.h"

namespace {

// Frame2, the shared settings, has no caption.
constexpr ParamGroup kGroups[] = {
    {u"PID1 设置", {}},
    {u"PID2 设置", {}},
    {{}, {}},
};

constexpr ParamRow kRows[] = {
    {0, 4353, 0, u"输出1比例带", u"0-10000工程量", FieldKind::Integer},
    {1, 4354, 0, u"输出1积分时间", u"0-3600 S", FieldKind::Integer},
    {2, 4355, 0, u"输出1微分时间", u"0-360.0 S", FieldKind::Tenths},
    {3, 4356, 0, u"输出1控制回差", u"0-2000 LSB", FieldKind::Integer},
    {4, 4357, 0, u"输出1开关控制周期", u"0.1~200.0 S", FieldKind::Tenths},
    {5, 4358, 1, u"输出2比例带", u"0-10000工程量", FieldKind::Integer},
    {6, 4359, 1, u"输出2积分时间", u"0-3600 S", FieldKind::Integer},
    {7, 4360, 1, u"输出2微分时间", u"0-360.0 S", FieldKind::Tenths},
    {8, 4361, 1, u"输出2控制回差", u"0-2000 LSB", FieldKind::Integer},
    {9, 4362, 1, u"输出2开关控制周期", u"0.1~200.0 S", FieldKind::Tenths},
    {10, 4363, 1, u"冷却死区", u"0-1000", FieldKind::Integer},
    {11, 4364, 2, u"微分滤波系数", u"1-10", FieldKind::Integer},
    {12, 4365, 2, u"双PID切换设定", u"0-5", FieldKind::Integer},
    {13, 4366, 2, u"双PID值切换值", u"-10000--30000", FieldKind::Integer},
    {14, 4367, 2, u"上过冲抑制", u"1.0--4.0", FieldKind::Tenths},
    {15, 4368, 2, u"下过冲抑制", u"1.0--4.0", FieldKind::Tenths},
};

} // namespace

ParamTable pid_table() {
    return {kRows, kGroups};
}
