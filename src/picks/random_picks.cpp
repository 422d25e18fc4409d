#include "picks/random_picks.h"

#include "history/draw_rules.h"
#include "text/gbk_text.h"

#include <algorithm>

namespace ssq::picks {

Ticket drawTicket(RandomSource& source) {
    using history::RedNumbers;
    std::array<std::int32_t, RedNumbers> pool{};
    for (std::int32_t i = 0; i < RedNumbers; ++i)
        pool[static_cast<std::size_t>(i)] = i + 1;
    std::int32_t left = RedNumbers;

    Ticket ticket;
    for (std::int32_t k = 1; k <= history::RedsPerDraw; ++k) {
        source.reseed();
        const std::int32_t r = source.between(1, left); // the pool holds the numbers not drawn yet
        const auto at = pool.begin() + (r - 1);
        ticket.reds[static_cast<std::size_t>(k - 1)] = *at;
        std::copy(at + 1, pool.begin() + left, at);
        --left;
    }
    std::sort(ticket.reds.begin(), ticket.reds.end());

    source.reseed();
    ticket.blue = source.between(1, history::BlueNumbers);
    return ticket;
}

std::string randomRedPart(const Ticket& ticket) {
    std::string part;
    part.reserve(3 * history::RedsPerDraw);
    for (std::int32_t red : ticket.reds) {
        part += text::twoDigits(red);
        part += ' ';
    }
    return part;
}

std::string randomBluePart(const Ticket& ticket) {
    return std::to_string(ticket.blue) + "\r\n";
}

} // namespace ssq::picks
