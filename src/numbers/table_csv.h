#pragma once
// The analysis tables as CSV files (UTF-8 with a byte-order mark, CR LF),
// numbers only in the figure cells so a spreadsheet can compute with them.

#include "numbers/fairness.h"
#include "numbers/ticket_check.h"
#include "numbers/trend.h"

#include <span>
#include <string>

namespace ssq::numbers {

// "3.14" with `decimals` places, no locale.
std::string fixedText(double value, int decimals);

// One row per draw of the range: period, date, the omission of reds 01..33
// (0 where drawn), 和值, 跨度, 奇偶比, blues 01..16; then the rows 出现次数,
// 平均遗漏, 最大遗漏 and 最大连出.
std::string trendCsv(std::span<const Draw> history, const TrendTable& table);

// One row per red, then per blue: count, share, expected count and omissions.
std::string figuresCsv(const TrendTable& table);

// One row each for the reds and the blue: draws, statistic, degrees of freedom, p.
std::string fairnessCsv(const TrendTable& table);

// One row per line: the line, its fault or the single tickets per level and
// the fixed prizes; a last row of totals.
std::string ticketReportCsv(const TicketReport& report);

} // namespace ssq::numbers
