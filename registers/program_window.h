#pragma once
// The program window: the instrument shows the selected curve's program at fixed registers, its
// header from 8193 and its recipe's segment table from 8209 + 128 x recipe, eight registers a
// segment of which the first four are its fields. Register 7 selects the curve.

namespace program {
constexpr int kHeaderFirst = 8193; // 0x2001
constexpr int kHeaderSize = 16;
constexpr int kTableFirst = 8209;  // 0x2011, with the recipe value 0
constexpr int kRecipeStride = 128; // the table of recipe R starts 128 x R further on
constexpr int kMaxRecipe = 8;      // recipes 0 to 8 ("0:0号 " to "8:8号 ")
constexpr int kSegments = 24;
constexpr int kSegmentSize = 8;
constexpr int kSegmentFields = 4;
constexpr int kHeaderFields = 12;     // 8193..8204 carry a meaning; the rest of the header none
constexpr int kSegmentCountIndex = 3; // header offsets of the number of segments
constexpr int kStartChoiceIndex = 6;  // of the start value selection
constexpr int kLoopStartIndex = 9;    // of the loop's first and last segment
constexpr int kLoopEndIndex = 10;
constexpr int kRecipeIndex = 11; // of the recipe value R
constexpr int kCurveRegister = 7;

// Register of field `offset` (0..3) of segment s (1..24) in the table of recipe R.
constexpr int segment_register(int recipe, int s, int offset) {
    return kTableFirst + kRecipeStride * recipe + kSegmentSize * (s - 1) + offset;
}

// Whether a holding register lies in the program window (any recipe's segment table).
constexpr bool in_window(int reg) {
    const bool header = reg >= kHeaderFirst && reg < kHeaderFirst + kHeaderSize;
    const int table = reg - kTableFirst;
    const bool segments = table >= 0 && table < kRecipeStride * (kMaxRecipe + 1) &&
                          table % kRecipeStride < kSegments * kSegmentSize;
    return header || segments;
}
} // namespace program
