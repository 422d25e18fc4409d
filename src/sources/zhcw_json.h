#pragma once
// The zhcw JSON service: a page of draws by period range.

#include "sources/source_answer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ssq::sources {

inline constexpr const char* kZhcwPath = "/port/client_json.php";

// Path and query of one page of the draws startIssue..endIssue; `tt` is the
// random number the service's own pages send.
std::string zhcwPageQuery(std::int32_t startIssue, std::int32_t endIssue, int pageNum, int pageSize,
                          const std::string& tt);

// One answer: resCode "000000", `pages`, and `data[]` rows with issue,
// openTime, frontWinningNum, backWinningNum, saleMoney, prizePoolMoney.
SourceAnswer parseZhcwPage(std::string_view body);

} // namespace ssq::sources
