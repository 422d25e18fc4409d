#pragma once
// Writing pick lines into the pane: the red part in the red format, then the
// blue part in the blue format, appended at the caret.

#include "picks/char_format.h"
#include "picks/high_count.h"
#include "picks/random_source.h"

#include <cstdint>

namespace ssq::picks {

class PickPane;

// Appends `count` random tickets, one line each closed by CR LF, as one batch.
// Nothing is written for a count of 0 or less.
void writeRandomTickets(PickPane& pane, std::int32_t count, RandomSource& source,
                        const CharFormat& red, const CharFormat& blue);

// Appends the high-count line, with no line break after the blue number.
void writeHighCountPick(PickPane& pane, const HighCountPick& pick, const CharFormat& red,
                        const CharFormat& blue);

} // namespace ssq::picks
