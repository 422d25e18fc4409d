#pragma once
// Draw: one drawing of the lottery as the number analysis reads it, and the
// shape of the game its rules are written for.

#include "history/draw_rules.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ssq::numbers {

// The game's shape, as the draw history defines it.
inline constexpr int kRedNumbers = history::RedNumbers;
inline constexpr int kBlueNumbers = history::BlueNumbers;
inline constexpr int kRedsPerDraw = history::RedsPerDraw;

struct Draw {
    std::string period;                   // seven digits, "2003001"
    std::string date;                     // "2003-02-23"
    std::array<int, kRedsPerDraw> reds{}; // ascending, six different numbers of 1..33
    int blue = 0;                         // 1..16
};

// A draw from its cell texts, or nullopt when a number is not a decimal of
// 1..33 (reds) or 1..16 (blue) or a red repeats. A period of five digits
// ("03001") gains the century ("2003001"). Reds come back ascending.
std::optional<Draw> makeDraw(std::string_view period, std::string_view date,
                             const std::array<std::string_view, kRedsPerDraw>& reds,
                             std::string_view blue);

// Oldest first by period, each period once (the first of repeated rows kept).
// Lists that show the newest draw on top, or that read a page twice, give
// the analysis the same history.
std::vector<Draw> inPeriodOrder(std::vector<Draw> draws);

// "01".."99": the two-digit form of a ball number.
std::string twoDigits(int number);

// "1".."99" without sign or spaces; nullopt for anything else.
std::optional<int> smallNumber(std::string_view text);

} // namespace ssq::numbers
