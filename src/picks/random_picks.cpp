#include "picks/random_picks.h"

#include "text/gbk_text.h"

#include <algorithm>

namespace ssq::picks {

Ticket drawTicket(RandomSource& source) {
    std::array<std::int32_t, 33> pool{};
    for (std::int32_t i = 0; i < 33; ++i)
        pool[static_cast<std::size_t>(i)] = i + 1;
    std::int32_t left = 33;

    Ticket ticket;
    for (std::int32_t k = 1; k <= 6; ++k) {
        source.reseed();
        const std::int32_t r = source.between(1, 34 - k); // the pool holds 34 - k numbers
        const auto at = pool.begin() + (r - 1);
        ticket.reds[static_cast<std::size_t>(k - 1)] = *at;
        std::copy(at + 1, pool.begin() + left, at);
        --left;
    }
    std::sort(ticket.reds.begin(), ticket.reds.end());

    source.reseed();
    ticket.blue = source.between(1, 16);
    return ticket;
}

std::string randomRedPart(const Ticket& ticket) {
    std::string part;
    part.reserve(18);
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
