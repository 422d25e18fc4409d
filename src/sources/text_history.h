#pragma once
// The plain-text history file: one draw a line, fields separated by spaces:
// period, date, six reds ascending, blue, the six reds in drawing order,
// sales, pool, then winners and amount of prize levels 1 to 6.

#include "sources/source_answer.h"

#include <string_view>

namespace ssq::sources {

inline constexpr const char* kTextHistoryPath = "/ssq_asc.txt";

// Every non-empty line must read as a draw; one that does not refuses the
// whole file. The reds in drawing order must be the same six numbers.
SourceAnswer parseTextHistory(std::string_view body);

} // namespace ssq::sources
