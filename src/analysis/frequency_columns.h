#pragma once
// Columns of the frequency table. Red number n and blue number n share row
// n - 1; counts are decimal text.

namespace ssq::analysis::frequency_column {

inline constexpr int Serial = 0;     // "xh"
inline constexpr int RedNumber = 1;  // "红球"
inline constexpr int RedCount = 2;   // "出现次数"
inline constexpr int BlueNumber = 3; // "蓝球"
inline constexpr int BlueCount = 4;  // "出现次数"

} // namespace ssq::analysis::frequency_column
