#pragma once
// Trend figures: for every draw of a range, the omission of each red and blue
// number (draws since it last came) and the red sum, span and odd count; for
// every number, its count, average and maximum omission and longest run.

#include "numbers/draw.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace ssq::numbers {

struct TrendRow {
    std::array<int, kRedNumbers> redOmission{};   // index n - 1; 0 where n was drawn
    std::array<int, kBlueNumbers> blueOmission{}; // index n - 1; 0 where n was drawn
    int sum = 0;                                  // 和值: the six reds added
    int span = 0;                                 // 跨度: highest red minus lowest
    int odd = 0;                                  // odd reds; 6 - odd are even
};

struct ColumnFigures {
    int count = 0;              // 出现次数: draws of the range holding the number
    double averageOmission = 0; // 平均遗漏: (draws - count) / (count + 1), the mean gap
    int maxOmission = 0;        // 最大遗漏: the longest gap shown in the range
    int maxStreak = 0;          // 最大连出: the longest run of draws in a row holding it
    int currentOmission = 0;    // 当前遗漏: the omission at the range's last draw
};

struct TrendTable {
    std::size_t first = 0;      // index in the history of the range's first draw
    std::vector<TrendRow> rows; // one per draw of the range, oldest first
    std::array<ColumnFigures, kRedNumbers> red{};
    std::array<ColumnFigures, kBlueNumbers> blue{};
};

// The range is history[first..] (oldest first). Omissions count from the
// start of the whole history, so a range's first row already shows how long
// each number has been missing; a number never drawn before counts from the
// first draw of the history. The column figures cover the range only.
TrendTable buildTrend(std::span<const Draw> history, std::size_t first = 0);

// Index of the first of the last `count` draws of a history of `size` draws;
// a count of 0 or more than the size means all draws.
std::size_t lastDrawsStart(std::size_t size, std::size_t count);

// "4:2": odd to even reds.
std::string oddEvenText(int odd);

} // namespace ssq::numbers
