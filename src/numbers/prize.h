#pragma once
// Prize levels of a ticket against a draw, with 复式 tickets counted as the
// single tickets they stand for.
//
//   level 1: 6 reds + blue (floating)    level 4: 5 reds, or 4 reds + blue (200)
//   level 2: 6 reds (floating)           level 5: 4 reds, or 3 reds + blue (10)
//   level 3: 5 reds + blue (3,000)       level 6: blue with 0–2 reds (5)

#include "numbers/draw.h"
#include "numbers/ticket.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace ssq::numbers {

inline constexpr int kPrizeLevels = 6;

// 1..6, or 0 for no prize.
int prizeLevel(int redMatches, bool blueMatch);

// The fixed amount of a level in yuan; 0 for levels 1 and 2, whose amount
// floats with each draw's sales, and for no prize.
std::int64_t fixedPrize(int level);

// "一等奖" .. "六等奖", "未中奖" for 0.
std::string_view levelName(int level);

// Single tickets per level, index 0 holding those without a prize.
using LevelCounts = std::array<std::int64_t, kPrizeLevels + 1>;

// The draw's numbers as bit sets: bit n set for number n.
struct DrawBits {
    std::uint64_t reds = 0;
    std::uint32_t blue = 0;
};
DrawBits drawBits(const Draw& draw);

// A ticket made ready to check against many draws.
class TicketChecker {
public:
    explicit TicketChecker(const Ticket& ticket);

    // Single tickets the ticket stands for: C(reds, 6) × blues.
    std::int64_t singleTickets() const { return m_singles; }

    // Adds the single tickets of each level against one draw to `counts`.
    void check(DrawBits draw, LevelCounts& counts) const;

    // Reds and blue of the ticket that the draw holds.
    int redMatches(DrawBits draw) const;
    bool blueMatch(DrawBits draw) const { return (m_blues & draw.blue) != 0; }

private:
    std::uint64_t m_reds = 0;
    std::uint32_t m_blues = 0;
    int m_redCount = 0;
    int m_blueCount = 0;
    std::int64_t m_singles = 0;
};

LevelCounts checkTicket(const Ticket& ticket, const Draw& draw);

// Against every draw: the counts of all draws added up.
LevelCounts checkTicketAgainst(const Ticket& ticket, std::span<const DrawBits> draws);

// The fixed prizes of the counts in yuan (levels 3 to 6).
std::int64_t fixedTotal(const LevelCounts& counts);

} // namespace ssq::numbers
