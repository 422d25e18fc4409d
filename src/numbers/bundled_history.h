#pragma once
// The draw history shipped inside the program (data/ssq_history.csv at build
// time), for readers that have no draw table to ask.

#include "numbers/history_file.h"

#include <string_view>

namespace ssq::numbers {

// The file's bytes, unchanged.
std::string_view bundledHistoryCsv();

// The file read by readHistoryCsv.
HistoryFile bundledHistory();

} // namespace ssq::numbers
