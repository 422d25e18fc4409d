#pragma once
// The checks every draw passes before it is stored, and the checks of a whole
// answer of a source (no gaps, no contradicting duplicates).

#include "store/draw_record.h"

#include <optional>
#include <string>
#include <vector>

namespace ssq::store {

// Why the draw is not a plausible draw, or nothing when it is: period YYYYNNN
// (years 2003..2099, draw 001..999), a real calendar date in the period's
// year, six different reds 1..33 ascending, blue 1..16, sales and pool not
// negative.
std::optional<std::string> checkDraw(const DrawRecord& draw);

// True when `next` can directly follow `previous`: the next number of the same
// year, or draw 001 of the next year.
bool followsDirectly(std::int32_t previous, std::int32_t next);

// Puts an answer of a source in period order and checks it as a whole: every
// draw passes checkDraw, repeats of a period are dropped when they agree and
// fail the answer when they do not, and periods follow each other without a
// gap, the first one directly after `after` (0: no such bound). On failure the
// draws are left unchanged and the reason is returned.
std::optional<std::string> checkAnswer(std::vector<DrawRecord>& draws, std::int32_t after);

} // namespace ssq::store
