#pragma once
// What a draw is, and where a row of the draw table holds each of its parts.
// Every subsystem that reads draws or writes numbers takes them from here.

namespace ssq::history {

inline constexpr int RedNumbers = 33;  // reds are drawn from 1 .. 33
inline constexpr int BlueNumbers = 16; // the blue from 1 .. 16
inline constexpr int RedsPerDraw = 6;  // six different reds, one blue

// Columns of a draw row: serial, date, period, six reds, blue, sales amount.
namespace draw_column {
inline constexpr int Serial = 0;
inline constexpr int Date = 1;
inline constexpr int Period = 2;
inline constexpr int FirstRed = 3; // 红球1 .. 红球6 are columns 3 .. 8
inline constexpr int Blue = FirstRed + RedsPerDraw;
inline constexpr int Sales = Blue + 1;
inline constexpr int Count = Sales + 1;
} // namespace draw_column

} // namespace ssq::history
