#include "params/param_rows.h"

namespace {

// Frame2, the shared settings, has no caption.
constexpr ParamGroup kGroups[] = {
    {u"PID1 设置", {}},
    {u"PID2 设置", {}},
    {{}, {}},
};

constexpr RowView kRows[] = {
    {0, 4353, 0},  {1, 4354, 0},  {2, 4355, 0},  {3, 4356, 0},  {4, 4357, 0},  {5, 4358, 1},
    {6, 4359, 1},  {7, 4360, 1},  {8, 4361, 1},  {9, 4362, 1},  {10, 4363, 1}, {11, 4364, 2},
    {12, 4365, 2}, {13, 4366, 2}, {14, 4367, 2}, {15, 4368, 2},
};

} // namespace

ParamTable pid_table() {
    static const std::span<const ParamRow> rows = build_rows(kRows);
    return {rows, kGroups};
}
