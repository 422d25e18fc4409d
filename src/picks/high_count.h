#pragma once
// The high-count pick: the six red numbers and the blue number drawn most
// often, read from the cells of the frequency table.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ssq::picks {

// Cell text of the frequency table (code page 936); the empty text outside it.
using CellReader = std::function<std::string(int row, int column)>;

struct HighCountPick {
    std::vector<std::string> reds; // six number texts as the table holds them, in row order
    std::string blue;              // decimal text of the blue number
};

// Column 1 holds the red number, column 2 its count and column 4 the count of
// blue number row + 1. Among blues sharing the highest count the last row
// wins. Reds: every row whose count is one of the six highest values is
// chosen, in row order, and the first six chosen are taken, so rows with low
// numbers win over higher counts further down. letEventsRun runs after each
// red candidate; when it answers false the walk stops without a pick.
//
// No pick (nullopt) when the table has no blue count or fewer than six red
// counts: there is no ticket to make from it.
std::optional<HighCountPick> pickHighCount(int rows, const CellReader& cell,
                                           const std::function<bool()>& letEventsRun = {});

// «1 3 8 11 17 21 »: each red number text followed by one space.
std::string highCountRedPart(const HighCountPick& pick);

} // namespace ssq::picks
