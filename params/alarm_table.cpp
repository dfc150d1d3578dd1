#include "params/param_rows.h"

namespace {

constexpr ParamGroup kGroups[] = {
    {u"ALARM1", {}},
    {u"ALARM2", {}},
    {u"加热器断线报警", {}},
};

constexpr ParamRow kRows[] = {
    {256, 257, 0, u"报警1设定值/偏差值", u"-10000~ 30000", FieldKind::Integer},
    {257, 258, 0, u"报警1动作回差", u"0 - 2000 LSB", FieldKind::Integer},
    {258, 259, 0, u"报警1动作延迟时间", u"0 - 600 S", FieldKind::Integer},
    {259, 260, 1, u"报警2设定值/偏差值", u"-10000~ 30000", FieldKind::Integer},
    {260, 261, 1, u"报警2动作回差", u"0 - 2000 LSB", FieldKind::Integer},
    {261, 262, 1, u"报警2动作延迟时间", u"0 - 600 S", FieldKind::Integer},
    {262, 263, 2, u"加热器断线报警值", u"-10000~ 30000", FieldKind::Integer},
    {263, 264, 2, u"加热器断线判断输出值", u"0.0% ~ 100.0%", FieldKind::Tenths},
};

} // namespace

ParamTable alarm_table() {
    return {kRows, kGroups};
}
