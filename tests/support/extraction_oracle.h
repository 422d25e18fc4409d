#pragma once
// The oracle of draw extraction, shared by the extraction test and the fuzz
// target: the rows a plain Boost.Regex search-all over the whole text gives.
// The extractor skips ahead to likely match starts and must find exactly
// these. The pattern is written out here on purpose, apart from the
// extractor's, so that a change of either shows.

#include "history/results_page.h"

#include <boost/regex.hpp>

#include <locale>
#include <string>
#include <vector>

namespace ssq::testing {

inline std::vector<history::DrawFields> plainSearchAll(const std::string& text) {
    static const boost::regex pattern = [] {
        boost::regex re;
        re.imbue(std::locale::classic());
        re.assign(
            R"((\d{1,4}-\d{1,2}-\d{1,2})|(\d{7})|<em.*?(\d{2})</em>|<td><strong>(.*?)</strong></td>)",
            boost::regex::perl | boost::regex::icase | boost::regex::mod_s);
        return re;
    }();
    static const int subMatch[10] = {1, 2, 3, 3, 3, 3, 3, 3, 3, 4};
    std::vector<history::DrawFields> rows;
    history::DrawFields block;
    int m = 0;
    for (boost::sregex_iterator it(text.begin(), text.end(), pattern), last; it != last; ++it) {
        const auto& sub = (*it)[subMatch[m]];
        block[static_cast<std::size_t>(m)] = sub.matched ? sub.str() : std::string();
        if (++m == 10) {
            rows.push_back(block);
            m = 0;
        }
    }
    return rows;
}

} // namespace ssq::testing
