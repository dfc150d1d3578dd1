#include "params/param_rows.h"

namespace {

constexpr ParamGroup kGroups[] = {
    {u"第一组PID", {}}, {u"第二组PID", {}}, {u"第三组PID", {}},
    {u"第四组PID", {}}, {u"第五组PID", {}},
};

// Five groups of six: proportional band, integral and derivative time of the main output, then
// of the secondary output.
constexpr ParamRow kRows[] = {
    {0, 5121, 0, u"主输出比例带P1", u"0-10000", FieldKind::Integer},
    {1, 5122, 0, u"主输出积分时间I1", u"0-3600", FieldKind::Integer},
    {2, 5123, 0, u"主输出微分时间D1", u"0-360.0", FieldKind::Tenths},
    {3, 5124, 0, u"付输出比例带P2", u"0-10000", FieldKind::Integer},
    {4, 5125, 0, u"付输出积分时间I2", u"0-3600", FieldKind::Integer},
    {5, 5126, 0, u"付输出微分时间D2", u"0-360.0", FieldKind::Tenths},
    {6, 5127, 1, u"主输出比例带P1", u"0-10000", FieldKind::Integer},
    {7, 5128, 1, u"主输出积分时间I1", u"0-3600", FieldKind::Integer},
    {8, 5129, 1, u"主输出微分时间D1", u"0-360.0", FieldKind::Tenths},
    {9, 5130, 1, u"付输出比例带P2", u"0-10000", FieldKind::Integer},
    {10, 5131, 1, u"付输出积分时间I2", u"0-3600", FieldKind::Integer},
    {11, 5132, 1, u"付输出微分时间D2", u"0-360.0", FieldKind::Tenths},
    {12, 5133, 2, u"主输出比例带P1", u"0-10000", FieldKind::Integer},
    {13, 5134, 2, u"主输出积分时间I1", u"0-3600", FieldKind::Integer},
    {14, 5135, 2, u"主输出微分时间D1", u"0-360.0", FieldKind::Tenths},
    {15, 5136, 2, u"付输出比例带P2", u"0-10000", FieldKind::Integer},
    {16, 5137, 2, u"付输出积分时间I2", u"0-3600", FieldKind::Integer},
    {17, 5138, 2, u"付输出微分时间D2", u"0-360.0", FieldKind::Tenths},
    {18, 5139, 3, u"主输出比例带P1", u"0-10000", FieldKind::Integer},
    {19, 5140, 3, u"主输出积分时间I1", u"0-3600", FieldKind::Integer},
    {20, 5141, 3, u"主输出微分时间D1", u"0-360.0", FieldKind::Tenths},
    {21, 5142, 3, u"付输出比例带P2", u"0-10000", FieldKind::Integer},
    {22, 5143, 3, u"付输出积分时间I2", u"0-3600", FieldKind::Integer},
    {23, 5144, 3, u"付输出微分时间D2", u"0-360.0", FieldKind::Tenths},
    {24, 5145, 4, u"主输出比例带P1", u"0-10000", FieldKind::Integer},
    {25, 5146, 4, u"主输出积分时间I1", u"0-3600", FieldKind::Integer},
    {26, 5147, 4, u"主输出微分时间D1", u"0-360.0", FieldKind::Tenths},
    {27, 5148, 4, u"付输出比例带P2", u"0-10000", FieldKind::Integer},
    {28, 5149, 4, u"付输出积分时间I2", u"0-3600", FieldKind::Integer},
    {29, 5150, 4, u"付输出微分时间D2", u"0-360.0", FieldKind::Tenths},
};

} // namespace

ParamTable grouped_pid_table() {
    return {kRows, kGroups};
}
