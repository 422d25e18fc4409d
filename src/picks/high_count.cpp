#include "picks/high_count.h"

#include "analysis/frequency_columns.h"
#include "history/draw_rules.h"
#include "text/gbk_text.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace ssq::picks {
namespace {

struct Candidate {
    std::string countText;
    std::int32_t count = 0;
    std::string number;
};

namespace column = analysis::frequency_column;
constexpr std::size_t kReds = history::RedsPerDraw;

} // namespace

std::optional<HighCountPick> pickHighCount(int rows, const CellReader& cell,
                                           const std::function<bool()>& letEventsRun) {
    std::vector<Candidate> blues;
    std::vector<Candidate> reds;
    for (int r = 0; r < rows; ++r) {
        std::string blueCount = cell(r, column::BlueCount);
        if (!blueCount.empty()) {
            const std::int32_t value = text::toInteger(blueCount);
            blues.push_back({std::move(blueCount), value, std::to_string(r + 1)});
        }
        std::string redCount = cell(r, column::RedCount);
        if (!redCount.empty()) {
            const std::int32_t value = text::toInteger(redCount);
            reds.push_back({std::move(redCount), value, cell(r, column::RedNumber)});
        }
    }
    if (blues.empty() || reds.size() < kReds)
        return std::nullopt;

    HighCountPick pick;

    // A count is matched by its text, as the table holds it.
    const auto highest =
        std::max_element(blues.begin(), blues.end(),
                         [](const Candidate& a, const Candidate& b) { return a.count < b.count; });
    const std::string highestText = std::to_string(highest->count);
    for (const Candidate& c : blues)
        if (c.countText == highestText)
            pick.blue = c.number;

    std::vector<std::int32_t> values;
    values.reserve(reds.size());
    for (const Candidate& c : reds)
        values.push_back(c.count);
    std::partial_sort(values.begin(), values.begin() + kReds, values.end(), std::greater<>());
    std::vector<std::string> topTexts;
    for (std::size_t i = 0; i < kReds; ++i)
        topTexts.push_back(std::to_string(values[i]));

    for (const Candidate& c : reds) {
        if (std::find(topTexts.begin(), topTexts.end(), c.countText) != topTexts.end() &&
            pick.reds.size() < kReds)
            pick.reds.push_back(c.number);
        if (letEventsRun && !letEventsRun())
            return std::nullopt;
    }

    // Count texts that are not plain decimal ("010") match no value; such a
    // table cannot give a whole ticket either.
    if (pick.blue.empty() || pick.reds.size() < kReds)
        return std::nullopt;
    return pick;
}

std::string highCountRedPart(const HighCountPick& pick) {
    std::string part;
    for (const std::string& red : pick.reds) {
        part += red;
        part += ' ';
    }
    return part;
}

} // namespace ssq::picks
