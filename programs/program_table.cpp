#include "programs/program_table.h"

namespace {

constexpr ParamGroup kGroups[] = {{u"功能设定", {}}, {u"当前段设定", {}}};

using program::kHeaderFirst;
using program::kSegmentRow;
constexpr int kSeg = program::kTableFirst; // segment 1 of recipe 0; the editor finds the real one

// clang-format off
constexpr RowView kRows[] = {
    {0, kHeaderFirst + 0, 0, "CB1"},
    {1, kHeaderFirst + 1, 0},
    {2, kHeaderFirst + 2, 0, "CB2"},
    {3, kHeaderFirst + 3, 0},
    {4, kHeaderFirst + 4, 0},
    {5, kHeaderFirst + 5, 0, "CB3"},
    {6, kHeaderFirst + 6, 0, "CB4"},
    {7, kHeaderFirst + 7, 0, "CB5"},
    {8, kHeaderFirst + 8, 0},
    {9, kHeaderFirst + 9, 0},
    {10, kHeaderFirst + 10, 0},
    {11, kHeaderFirst + 11, 0, "CB6"}, // the recipe: shown, writes nothing
    {kSegmentRow + 0, kSeg + 0, 1, nullptr, {}, 0, "TxtA", "Label13A"},
    {kSegmentRow + 1, kSeg + 1, 1, nullptr, {}, 0, "TxtB", "Label13B"},
    {kSegmentRow + 2, kSeg + 2, 1, "CB1A", {}, 0, nullptr, "Label13C"},
    {kSegmentRow + 3, kSeg + 3, 1, "CB1B", {}, 0, nullptr, "Label13D"},
};
// clang-format on
} // namespace

ParamTable program_table() {
    static const std::span<const ParamRow> rows = build_rows(kRows);
    return {rows, kGroups};
}

std::span<const QStringView> curve_entries() {
    return holding_register(program::kCurveRegister)->options->entries;
}
