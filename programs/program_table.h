#pragma once
// The program editor's fields as data: the header fields of the program window (register 8193 +
// offset; k = offset, value label Label3(k)) and the four fields of the current segment (k = 100 +
// offset within the segment record), with their captions and lists.

#include "params/param_rows.h"

#include <QStringView>
#include <span>

namespace program {
constexpr int kHeaderFirst = 8193; // 0x2001
constexpr int kHeaderSize = 16;
constexpr int kTableFirst = 8209;  // 0x2011, with the recipe value 0
constexpr int kRecipeStride = 128; // the table of recipe R starts 128 x R further on
constexpr int kMaxRecipe = 8;      // recipes 0 to 8 ("0:0号 " to "8:8号 ")
constexpr int kSegments = 24;
constexpr int kSegmentSize = 8;
constexpr int kRecipeIndex = 11;     // header offset of the recipe value R
constexpr int kStartChoiceIndex = 6; // header offset of the start value selection
constexpr int kSegmentRow = 100;     // k of the segment fields: 100 + offset in the record
constexpr int kCurveRegister = 7;

// Register of field `offset` (0..3) of segment s (1..24) in the table of recipe R.
constexpr int segment_register(int recipe, int s, int offset) {
    return kTableFirst + kRecipeStride * recipe + kSegmentSize * (s - 1) + offset;
}
} // namespace program

ParamTable program_table();                   // groups: 0 "功能设定", 1 "当前段设定"
std::span<const QStringView> curve_entries(); // Combo4: "0 " to "8 "
