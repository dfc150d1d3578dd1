#include "params/param_rows.h"

namespace {

constexpr ParamGroup kGroups[] = {
    {u"ALARM1", {}},
    {u"ALARM2", {}},
    {u"加热器断线报警", {}},
};

constexpr RowView kRows[] = {
    {256, 257, 0}, {257, 258, 0}, {258, 259, 0}, {259, 260, 1},
    {260, 261, 1}, {261, 262, 1}, {262, 263, 2}, {263, 264, 2},
};

} // namespace

ParamTable alarm_table() {
    static const std::span<const ParamRow> rows = build_rows(kRows);
    return {rows, kGroups};
}
