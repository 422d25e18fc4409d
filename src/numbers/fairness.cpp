#include "numbers/fairness.h"

#include <boost/math/distributions/chi_squared.hpp>

namespace ssq::numbers {
namespace {

template <std::size_t N>
std::vector<NumberFigures> figuresOf(const std::array<ColumnFigures, N>& columns, std::size_t draws,
                                     int perDraw) {
    std::vector<NumberFigures> rows;
    rows.reserve(N);
    const double n = static_cast<double>(draws);
    for (std::size_t i = 0; i < N; ++i) {
        NumberFigures row;
        row.number = static_cast<int>(i) + 1;
        row.figures = columns[i];
        row.share = draws == 0 ? 0 : columns[i].count / n;
        row.expected = n * perDraw / static_cast<double>(N);
        rows.push_back(row);
    }
    return rows;
}

template <std::size_t N>
std::optional<ChiSquare> testColumns(const std::array<ColumnFigures, N>& columns, std::size_t draws,
                                     int perDraw) {
    std::array<int, N> counts{};
    for (std::size_t i = 0; i < N; ++i)
        counts[i] = columns[i].count;
    return fairnessTest(counts, static_cast<int>(draws), perDraw);
}

} // namespace

std::vector<NumberFigures> redFigures(const TrendTable& table) {
    return figuresOf(table.red, table.rows.size(), kRedsPerDraw);
}

std::vector<NumberFigures> blueFigures(const TrendTable& table) {
    return figuresOf(table.blue, table.rows.size(), 1);
}

std::optional<ChiSquare> fairnessTest(std::span<const int> counts, int draws, int perDraw) {
    const auto numbers = static_cast<int>(counts.size());
    if (draws <= 0 || numbers < 2 || perDraw < 1 || perDraw >= numbers)
        return std::nullopt;
    const double expected = static_cast<double>(draws) * perDraw / numbers;
    double pearson = 0;
    for (int count : counts) {
        const double d = count - expected;
        pearson += d * d / expected;
    }
    ChiSquare result;
    result.statistic = pearson * (numbers - 1) / (numbers - perDraw);
    result.degreesOfFreedom = numbers - 1;
    const boost::math::chi_squared distribution(result.degreesOfFreedom);
    result.pValue = boost::math::cdf(boost::math::complement(distribution, result.statistic));
    return result;
}

std::optional<ChiSquare> redFairness(const TrendTable& table) {
    return testColumns(table.red, table.rows.size(), kRedsPerDraw);
}

std::optional<ChiSquare> blueFairness(const TrendTable& table) {
    return testColumns(table.blue, table.rows.size(), 1);
}

} // namespace ssq::numbers
