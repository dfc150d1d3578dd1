#pragma once
// The program editor's fields as a view of the register catalogue: the header fields of the
// program window (register 8193 + offset; k = offset, value label Label3(k)) and the four fields
// of the current segment (k = 100 + offset within the segment record).

#include "params/param_rows.h"
#include "registers/program_window.h"

#include <QStringView>
#include <span>

namespace program {
constexpr int kSegmentRow = 100; // k of the segment fields: 100 + offset in the record
} // namespace program

ParamTable program_table();                   // groups: 0 "功能设定", 1 "当前段设定"
std::span<const QStringView> curve_entries(); // Combo4: "0 " to "8 "
