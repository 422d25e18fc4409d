#pragma once
// Comma-separated text as spreadsheet programs read and write it: fields in
// double quotes when they hold a comma, a quote or a line break, quotes doubled.

#include <string>
#include <string_view>
#include <vector>

namespace ssq::numbers {

// Leads every exported file so spreadsheet programs take the text as UTF-8.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// One record closed by CR LF.
std::string csvRecord(const std::vector<std::string>& fields);

// The records of a text, a leading byte-order mark skipped; LF or CR LF ends
// a record outside quotes. A final record without a line break counts; blank
// lines give no record.
std::vector<std::vector<std::string>> parseCsv(std::string_view text);

} // namespace ssq::numbers
