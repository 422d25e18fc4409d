#pragma once
// Random tickets and the text of a random pick line.

#include "history/draw_rules.h"
#include "picks/random_source.h"

#include <array>
#include <cstdint>
#include <string>

namespace ssq::picks {

struct Ticket {
    std::array<std::int32_t, history::RedsPerDraw>
        reds{};            // ascending, six different numbers of 1-33
    std::int32_t blue = 0; // 1-16
};

// One ticket: six reds drawn without repeat from the pool 1..33, then the blue
// of 1..16, reseeding before each of the seven draws.
Ticket drawTicket(RandomSource& source);

// «05 06 11 13 20 31 »: two digits and one space per red, 18 characters.
std::string randomRedPart(const Ticket& ticket);

// «8» CR LF: the blue number without a leading zero and the line break.
std::string randomBluePart(const Ticket& ticket);

} // namespace ssq::picks
