#pragma once
// The draw history as a CSV file: the bundled history
// (issue,date,r1..r6,b1[,sales,pool], five-digit periods) and the program's
// own export (期号,日期,红球1..红球6,蓝球, seven-digit periods) both read back.

#include "numbers/draw.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ssq::numbers {

struct HistoryFile {
    std::vector<Draw> draws;         // the good lines, in file order
    std::vector<std::string> errors; // "第 N 行：reason" for each line left out
};

// Reads every line that holds a draw; a first line that does not start with a
// digit is the column names. A bad line is reported and left out, never
// allowed to stop the lines after it.
HistoryFile readHistoryCsv(std::string_view text);

// UTF-8 with a byte-order mark: the column names, then one draw a line with
// two-digit numbers.
std::string historyCsv(std::span<const Draw> draws);

} // namespace ssq::numbers
