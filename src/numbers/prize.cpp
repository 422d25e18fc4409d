#include "numbers/prize.h"

#include <bit>

namespace ssq::numbers {
namespace {

// C(n, k) for n up to kMaxTicketReds.
constexpr std::int64_t choose(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    std::int64_t result = 1;
    for (int i = 1; i <= k; ++i)
        result = result * (n - k + i) / i;
    return result;
}

} // namespace

int prizeLevel(int redMatches, bool blueMatch) {
    if (blueMatch) {
        switch (redMatches) {
        case 6:
            return 1;
        case 5:
            return 3;
        case 4:
            return 4;
        case 3:
            return 5;
        default:
            return 6;
        }
    }
    switch (redMatches) {
    case 6:
        return 2;
    case 5:
        return 4;
    case 4:
        return 5;
    default:
        return 0;
    }
}

std::int64_t fixedPrize(int level) {
    switch (level) {
    case 3:
        return 3000;
    case 4:
        return 200;
    case 5:
        return 10;
    case 6:
        return 5;
    default:
        return 0;
    }
}

std::string_view levelName(int level) {
    static constexpr std::string_view kNames[] = {"未中奖", "一等奖", "二等奖", "三等奖",
                                                  "四等奖", "五等奖", "六等奖"};
    return level >= 0 && level <= kPrizeLevels ? kNames[level] : kNames[0];
}

DrawBits drawBits(const Draw& draw) {
    DrawBits bits;
    for (int red : draw.reds)
        bits.reds |= std::uint64_t{1} << red;
    bits.blue = std::uint32_t{1} << draw.blue;
    return bits;
}

TicketChecker::TicketChecker(const Ticket& ticket)
    : m_redCount(static_cast<int>(ticket.reds.size())),
      m_blueCount(static_cast<int>(ticket.blues.size())) {
    for (int red : ticket.reds)
        m_reds |= std::uint64_t{1} << red;
    for (int blue : ticket.blues)
        m_blues |= std::uint32_t{1} << blue;
    m_singles = choose(m_redCount, kRedsPerDraw) * m_blueCount;
}

int TicketChecker::redMatches(DrawBits draw) const {
    return std::popcount(m_reds & draw.reds);
}

void TicketChecker::check(DrawBits draw, LevelCounts& counts) const {
    const int matched = redMatches(draw);
    const bool blueHit = blueMatch(draw);
    if (m_redCount == kRedsPerDraw && m_blueCount == 1) {
        ++counts[prizeLevel(matched, blueHit)];
        return;
    }
    // Of the C(reds, 6) red sets, C(matched, j) × C(others, 6 - j) hold j
    // drawn reds; each goes with every blue of the ticket, the drawn blue
    // (when the ticket has it) making the better level.
    const int others = m_redCount - matched;
    const std::int64_t withBlue = blueHit ? 1 : 0;
    const std::int64_t withoutBlue = m_blueCount - withBlue;
    for (int j = 0; j <= kRedsPerDraw && j <= matched; ++j) {
        const std::int64_t sets = choose(matched, j) * choose(others, kRedsPerDraw - j);
        if (sets == 0)
            continue;
        counts[prizeLevel(j, true)] += sets * withBlue;
        counts[prizeLevel(j, false)] += sets * withoutBlue;
    }
}

LevelCounts checkTicket(const Ticket& ticket, const Draw& draw) {
    LevelCounts counts{};
    TicketChecker(ticket).check(drawBits(draw), counts);
    return counts;
}

LevelCounts checkTicketAgainst(const Ticket& ticket, std::span<const DrawBits> draws) {
    LevelCounts counts{};
    const TicketChecker checker(ticket);
    for (DrawBits draw : draws)
        checker.check(draw, counts);
    return counts;
}

std::int64_t fixedTotal(const LevelCounts& counts) {
    std::int64_t total = 0;
    for (int level = 1; level <= kPrizeLevels; ++level)
        total += counts[level] * fixedPrize(level);
    return total;
}

} // namespace ssq::numbers
