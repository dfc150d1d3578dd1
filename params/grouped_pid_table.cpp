#include "params/param_rows.h"

namespace {

constexpr ParamGroup kGroups[] = {
    {u"第一组PID", {}}, {u"第二组PID", {}}, {u"第三组PID", {}},
    {u"第四组PID", {}}, {u"第五组PID", {}},
};

// Five groups of six: proportional band, integral and derivative time of the main output, then
// of the secondary output.
constexpr RowView kRows[] = {
    {0, 5121, 0},  {1, 5122, 0},  {2, 5123, 0},  {3, 5124, 0},  {4, 5125, 0},  {5, 5126, 0},
    {6, 5127, 1},  {7, 5128, 1},  {8, 5129, 1},  {9, 5130, 1},  {10, 5131, 1}, {11, 5132, 1},
    {12, 5133, 2}, {13, 5134, 2}, {14, 5135, 2}, {15, 5136, 2}, {16, 5137, 2}, {17, 5138, 2},
    {18, 5139, 3}, {19, 5140, 3}, {20, 5141, 3}, {21, 5142, 3}, {22, 5143, 3}, {23, 5144, 3},
    {24, 5145, 4}, {25, 5146, 4}, {26, 5147, 4}, {27, 5148, 4}, {28, 5149, 4}, {29, 5150, 4},
};

} // namespace

ParamTable grouped_pid_table() {
    static const std::span<const ParamRow> rows = build_rows(kRows);
    return {rows, kGroups};
}
