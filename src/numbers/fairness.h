#pragma once
// How the counts of a range compare with a fair draw: expected counts, shares
// and a chi-square goodness-of-fit test. None of it predicts a draw.

#include "numbers/trend.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ssq::numbers {

// The one thing statistics of a fair draw can say about the next draw.
inline constexpr std::string_view kIndependenceNote =
    "每期开奖相互独立：任何出现次数、遗漏或规律都不会让某个号码下一期更容易开出。";

struct NumberFigures {
    int number = 0;
    ColumnFigures figures;
    double share = 0;    // count / draws: the part of the draws holding the number
    double expected = 0; // draws * perDraw / numbers
};

// One row per number (1..33 reds, 1..16 blues) of a trend table's range.
std::vector<NumberFigures> redFigures(const TrendTable& table);
std::vector<NumberFigures> blueFigures(const TrendTable& table);

struct ChiSquare {
    double statistic = 0;
    int degreesOfFreedom = 0;
    double pValue = 1; // chance of a statistic at least this large from a fair draw
};

// Tests counts[n] of `numbers` = counts.size() numbers over `draws` draws of
// `perDraw` different numbers each against equal chances. Pearson's statistic
// is scaled by (numbers - 1) / (numbers - perDraw): drawing without
// replacement makes counts vary less than independent balls would, and
// without the scaling a fair draw of six reds would look too even. nullopt
// without draws or with fewer than two numbers.
std::optional<ChiSquare> fairnessTest(std::span<const int> counts, int draws, int perDraw);

std::optional<ChiSquare> redFairness(const TrendTable& table);
std::optional<ChiSquare> blueFairness(const TrendTable& table);

} // namespace ssq::numbers
