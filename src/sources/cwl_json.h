#pragma once
// The welfare-lottery centre's JSON service: draw notices by period range.

#include "sources/source_answer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ssq::sources {

inline constexpr const char* kCwlPath = "/cwl_admin/front/cwlkj/search/kjxx/findDrawNotice";

// Path and query of one page of the draws issueStart..issueEnd.
std::string cwlPageQuery(std::int32_t issueStart, std::int32_t issueEnd, int pageNo, int pageSize);

// One answer: state 0, `pageCount`, and `result[]` rows with code, date
// ("2023-10-15(日)"), red ("01,02,11,19,25,29"), blue, sales, poolmoney.
SourceAnswer parseCwlPage(std::string_view body);

} // namespace ssq::sources
