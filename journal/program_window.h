#pragma once
// The instrument's program window as the journal sees it: holding registers 8193.. show the curve
// selected in holding register 7, its header at 8193 to 8208 and its segment table from
// 8209 + 128 × R, R being the recipe value of 8204. The same register number holds another curve's
// value after a curve selection (and another segment after a recipe change), so what the console
// knew of it belongs to the curve (and recipe) it was read or written under.

namespace program_window {

inline constexpr int kCurveRegister = 7;
inline constexpr int kFirst = 8193;
inline constexpr int kHeaderSize = 16;
inline constexpr int kRecipeRegister = 8204;
inline constexpr int kTableFirst = kFirst + kHeaderSize;
inline constexpr int kRecipeStride = 128;
inline constexpr int kSegments = 24;
inline constexpr int kSegmentSize = 8;
inline constexpr int kMaxCurve = 8;
inline constexpr int kMaxRecipe = 8;
// The end of the table placed by the highest recipe value.
inline constexpr int kLast =
    kTableFirst + kRecipeStride * kMaxRecipe + kSegments * kSegmentSize - 1;

inline bool in_window(int number) {
    return number >= kFirst && number <= kLast;
}
inline bool in_header(int number) {
    return number >= kFirst && number < kTableFirst;
}

} // namespace program_window
