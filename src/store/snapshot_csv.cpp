#include "store/snapshot_csv.h"

#include "store/draw_check.h"
#include "store/number_text.h"

namespace ssq::store {
namespace {

std::vector<std::string_view> splitLine(std::string_view line) {
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        cells.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return cells;
        start = comma + 1;
    }
}

} // namespace

SnapshotRead readSnapshotCsv(std::string_view text) {
    SnapshotRead result;
    std::size_t lineNo = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || (lineNo == 1 && line.substr(0, 5) == "issue"))
            continue;
        const auto fail = [&](const std::string& why) {
            result.draws.clear();
            result.error = "line " + std::to_string(lineNo) + ": " + why;
            return result;
        };
        const std::vector<std::string_view> c = splitLine(line);
        if (c.size() != 11)
            return fail("expected 11 fields");
        DrawRecord d;
        std::int64_t issue = 0;
        if (c[0].size() != 5 || !readDigits(c[0], issue))
            return fail("issue is not five digits");
        d.period = static_cast<std::int32_t>(2000000 + issue);
        d.date = std::string(c[1]);
        std::int64_t n = 0;
        for (std::size_t i = 0; i < 6; ++i) {
            if (!readDigits(c[2 + i], n, 2))
                return fail("red is not a number");
            d.reds[i] = static_cast<int>(n);
        }
        if (!readDigits(c[8], n, 2))
            return fail("blue is not a number");
        d.blue = static_cast<int>(n);
        if (!readAmount(c[9], d.sales) || !readAmount(c[10], d.pool))
            return fail("amount is not a number");
        d.source = "snapshot";
        result.draws.push_back(std::move(d));
    }
    if (auto why = checkAnswer(result.draws, 0)) {
        result.draws.clear();
        result.error = *why;
    }
    return result;
}

} // namespace ssq::store
