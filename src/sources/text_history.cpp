#include "sources/text_history.h"

#include "sources/json_fields.h"
#include "store/number_text.h"

#include <algorithm>
#include <vector>

namespace ssq::sources {
namespace {

std::vector<std::string_view> splitSpaces(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        std::size_t end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t')
            ++end;
        if (end > at)
            fields.push_back(line.substr(at, end - at));
        at = end;
    }
    return fields;
}

} // namespace

SourceAnswer parseTextHistory(std::string_view body) {
    SourceAnswer answer;
    std::size_t lineNo = 0, at = 0;
    while (at < body.size()) {
        std::size_t end = body.find('\n', at);
        if (end == std::string_view::npos)
            end = body.size();
        std::string_view line = body.substr(at, end - at);
        at = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::vector<std::string_view> f = splitSpaces(line);
        if (f.empty())
            continue;
        const std::string who = "line " + std::to_string(lineNo) + ": ";
        // period, date, 6 reds, blue, 6 reds drawn, sales, pool; prize fields may follow.
        if (f.size() < 17)
            return refused(who + "too few fields");
        store::DrawRecord d;
        if (!readPeriod(f[0], d.period))
            return refused(who + "no period");
        d.date = std::string(f[1]);
        std::array<int, 6> drawn{};
        for (std::size_t i = 0; i < 6; ++i)
            if (!readBall(f[2 + i], d.reds[i]) || !readBall(f[9 + i], drawn[i]))
                return refused(who + "numbers unreadable");
        if (!readBall(f[8], d.blue))
            return refused(who + "blue unreadable");
        std::sort(drawn.begin(), drawn.end());
        if (drawn != d.reds)
            return refused(who + "reds in drawing order differ from the sorted reds");
        if (!store::readAmount(f[15], d.sales) || !store::readAmount(f[16], d.pool))
            return refused(who + "amount unreadable");
        d.source = "text";
        answer.draws.push_back(std::move(d));
    }
    answer.ok = true;
    return answer;
}

} // namespace ssq::sources
