#include "numbers/trend.h"

#include <algorithm>

namespace ssq::numbers {
namespace {

// Running figures of one number while the draws are walked once.
struct ColumnWalk {
    int omission = 0;
    int streak = 0;

    // Steps over one draw; `inRange` adds it to the figures.
    int step(bool drawn, bool inRange, ColumnFigures& figures) {
        omission = drawn ? 0 : omission + 1;
        streak = drawn ? streak + 1 : 0;
        if (inRange) {
            figures.count += drawn ? 1 : 0;
            figures.maxOmission = std::max(figures.maxOmission, omission);
            figures.maxStreak = std::max(figures.maxStreak, streak);
            figures.currentOmission = omission;
        }
        return omission;
    }
};

void finishColumns(std::span<ColumnFigures> columns, std::size_t draws) {
    for (ColumnFigures& c : columns)
        c.averageOmission = static_cast<double>(static_cast<int>(draws) - c.count) / (c.count + 1);
}

} // namespace

TrendTable buildTrend(std::span<const Draw> history, std::size_t first) {
    TrendTable table;
    table.first = std::min(first, history.size());
    table.rows.reserve(history.size() - table.first);
    std::array<ColumnWalk, kRedNumbers> redWalk{};
    std::array<ColumnWalk, kBlueNumbers> blueWalk{};
    for (std::size_t i = 0; i < history.size(); ++i) {
        const Draw& draw = history[i];
        const bool inRange = i >= table.first;
        std::array<bool, kRedNumbers + 1> drawn{};
        for (int red : draw.reds)
            drawn[red] = true;
        TrendRow row;
        for (int n = 1; n <= kRedNumbers; ++n)
            row.redOmission[n - 1] = redWalk[n - 1].step(drawn[n], inRange, table.red[n - 1]);
        for (int n = 1; n <= kBlueNumbers; ++n)
            row.blueOmission[n - 1] =
                blueWalk[n - 1].step(draw.blue == n, inRange, table.blue[n - 1]);
        if (!inRange)
            continue;
        for (int red : draw.reds) {
            row.sum += red;
            row.odd += red % 2;
        }
        const auto [low, high] = std::minmax_element(draw.reds.begin(), draw.reds.end());
        row.span = *high - *low;
        table.rows.push_back(row);
    }
    finishColumns(table.red, table.rows.size());
    finishColumns(table.blue, table.rows.size());
    return table;
}

std::size_t lastDrawsStart(std::size_t size, std::size_t count) {
    return count == 0 || count >= size ? 0 : size - count;
}

std::string oddEvenText(int odd) {
    return std::to_string(odd) + ":" + std::to_string(kRedsPerDraw - odd);
}

} // namespace ssq::numbers
