#pragma once
// Checking typed tickets: every line against one draw or against every draw
// of a history, with the totals a reader wants at the end.

#include "numbers/prize.h"
#include "numbers/ticket.h"

#include <span>
#include <vector>

namespace ssq::numbers {

struct TicketResult {
    TicketLine line;
    LevelCounts counts{};         // single tickets per level, summed over the draws checked
    std::int64_t fixedPrizes = 0; // yuan of levels 3 to 6
};

struct TicketReport {
    std::vector<TicketResult> results; // one per non-blank line, bad lines included
    LevelCounts counts{};              // all good lines together
    std::int64_t fixedPrizes = 0;
    std::int64_t singleTickets = 0; // single tickets the good lines stand for
    int badLines = 0;
};

// Checks every good line against every draw given (one draw for a chosen
// period, the whole history otherwise).
TicketReport checkTickets(std::vector<TicketLine> lines, std::span<const DrawBits> draws);

} // namespace ssq::numbers
