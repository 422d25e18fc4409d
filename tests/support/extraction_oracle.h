#pragma once
// The oracle of draw extraction, shared by the extraction test and the fuzz
// target: the draws a plain Boost.Regex search-all over the whole text gives.
// The extractor skips ahead to likely match starts and must find exactly
// these. The pattern is written out here on purpose, apart from the
// extractor's, so that a change of either shows.

#include "history/results_page.h"

#include <boost/regex.hpp>

#include <locale>
#include <string>
#include <vector>

namespace ssq::testing {

// Grouped into draws by the same DrawBlocks the extractor uses.
inline history::PageDraws plainSearchAll(const std::string& text) {
    static const boost::regex pattern = [] {
        boost::regex re;
        re.imbue(std::locale::classic());
        re.assign(
            R"((\d{1,4}-\d{1,2}-\d{1,2})|(\d{7})|<em.*?(\d{2})</em>|<td><strong>(.*?)</strong></td>)",
            boost::regex::perl | boost::regex::icase | boost::regex::mod_s);
        return re;
    }();
    history::DrawBlocks blocks;
    for (boost::sregex_iterator it(text.begin(), text.end(), pattern), last; it != last; ++it) {
        int group = 1;
        while (!(*it)[group].matched)
            ++group;
        if (!blocks.add(static_cast<history::MatchKind>(group - 1), (*it)[group].str()))
            break;
    }
    return blocks.finish();
}

inline bool sameDraws(const history::PageDraws& a, const history::PageDraws& b) {
    return a.rows == b.rows && a.damaged == b.damaged;
}

} // namespace ssq::testing
