#include "store/draw_check.h"

#include <algorithm>

namespace ssq::store {
namespace {

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// "YYYY-MM-DD" of a real day; the year through `year`.
bool readDate(const std::string& date, int& year) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-')
        return false;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (date[i] < '0' || date[i] > '9')
            return false;
    const auto num = [&](std::size_t at, std::size_t len) {
        int v = 0;
        for (std::size_t i = at; i < at + len; ++i)
            v = v * 10 + (date[i] - '0');
        return v;
    };
    year = num(0, 4);
    const int month = num(5, 2), day = num(8, 2);
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1)
        return false;
    const int last = days[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
    return day <= last;
}

std::string periodText(std::int32_t period) {
    return std::to_string(period);
}

} // namespace

std::optional<std::string> checkDraw(const DrawRecord& d) {
    const std::string who = "period " + periodText(d.period) + ": ";
    const int year = periodYear(d.period);
    if (year < 2003 || year > 2099 || periodNumber(d.period) < 1)
        return who + "not a period YYYYNNN";
    int dateYear = 0;
    if (!readDate(d.date, dateYear))
        return who + "not a real date \"" + d.date + "\"";
    if (dateYear != year)
        return who + "date " + d.date + " lies outside the period's year";
    for (std::size_t i = 0; i < d.reds.size(); ++i) {
        if (d.reds[i] < 1 || d.reds[i] > 33)
            return who + "red " + std::to_string(d.reds[i]) + " outside 1..33";
        if (i > 0 && d.reds[i] <= d.reds[i - 1])
            return who + "reds not different and ascending";
    }
    if (d.blue < 1 || d.blue > 16)
        return who + "blue " + std::to_string(d.blue) + " outside 1..16";
    if ((d.sales && *d.sales < 0) || (d.pool && *d.pool < 0))
        return who + "negative amount";
    return std::nullopt;
}

bool followsDirectly(std::int32_t previous, std::int32_t next) {
    if (periodYear(next) == periodYear(previous))
        return next == previous + 1;
    return periodYear(next) == periodYear(previous) + 1 && periodNumber(next) == 1;
}

std::optional<std::string> checkAnswer(std::vector<DrawRecord>& draws, std::int32_t after) {
    for (const DrawRecord& d : draws)
        if (auto why = checkDraw(d))
            return why;
    std::vector<DrawRecord> sorted = draws;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const DrawRecord& a, const DrawRecord& b) { return a.period < b.period; });
    std::vector<DrawRecord> unique;
    unique.reserve(sorted.size());
    for (DrawRecord& d : sorted) {
        if (!unique.empty() && unique.back().period == d.period) {
            if (!unique.back().sameDraw(d) || unique.back().sales != d.sales ||
                unique.back().pool != d.pool)
                return "period " + periodText(d.period) + " given twice with different numbers";
            continue;
        }
        unique.push_back(std::move(d));
    }
    std::int32_t previous = after;
    for (const DrawRecord& d : unique) {
        if (previous != 0 && !followsDirectly(previous, d.period))
            return "gap between period " + periodText(previous) + " and " + periodText(d.period);
        previous = d.period;
    }
    draws = std::move(unique);
    return std::nullopt;
}

} // namespace ssq::store
