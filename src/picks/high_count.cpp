#include "picks/high_count.h"

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

constexpr int kRedNumberColumn = 1;
constexpr int kRedCountColumn = 2;
constexpr int kBlueCountColumn = 4;

} // namespace

std::optional<HighCountPick> pickHighCount(int rows, const CellReader& cell,
                                           const std::function<bool()>& letEventsRun) {
    std::vector<Candidate> blues;
    std::vector<Candidate> reds;
    for (int r = 0; r < rows; ++r) {
        std::string blueCount = cell(r, kBlueCountColumn);
        if (!blueCount.empty()) {
            const std::int32_t value = text::toInteger(blueCount);
            blues.push_back({std::move(blueCount), value, std::to_string(r + 1)});
        }
        std::string redCount = cell(r, kRedCountColumn);
        if (!redCount.empty()) {
            const std::int32_t value = text::toInteger(redCount);
            reds.push_back({std::move(redCount), value, cell(r, kRedNumberColumn)});
        }
    }
    if (blues.empty() || reds.size() < 6)
        return std::nullopt;

    HighCountPick pick;

    // A count is matched by its text, as the table holds it.
    const auto highest = std::max_element(blues.begin(), blues.end(),
                                          [](const Candidate& a, const Candidate& b) { return a.count < b.count; });
    const std::string highestText = std::to_string(highest->count);
    for (const Candidate& c : blues)
        if (c.countText == highestText)
            pick.blue = c.number;

    std::vector<std::int32_t> values;
    values.reserve(reds.size());
    for (const Candidate& c : reds)
        values.push_back(c.count);
    std::partial_sort(values.begin(), values.begin() + 6, values.end(), std::greater<>());
    std::vector<std::string> topTexts;
    for (std::size_t i = 0; i < 6; ++i)
        topTexts.push_back(std::to_string(values[i]));

    for (const Candidate& c : reds) {
        if (std::find(topTexts.begin(), topTexts.end(), c.countText) != topTexts.end() &&
            pick.reds.size() < 6)
            pick.reds.push_back(c.number);
        if (letEventsRun && !letEventsRun())
            return std::nullopt;
    }

    // Count texts that are not plain decimal ("010") match no value; such a
    // table cannot give a whole ticket either.
    if (pick.blue.empty() || pick.reds.size() < 6)
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
