#include "numbers/draw.h"

#include <algorithm>
#include <cstdio>

namespace ssq::numbers {

std::string twoDigits(int number) {
    char text[12];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

std::optional<int> smallNumber(std::string_view text) {
    if (text.empty() || text.size() > 2)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<Draw> makeDraw(std::string_view period, std::string_view date,
                             const std::array<std::string_view, kRedsPerDraw>& reds,
                             std::string_view blue) {
    Draw draw;
    draw.period = period.size() == 5 ? "20" + std::string(period) : std::string(period);
    draw.date = std::string(date);
    for (std::size_t i = 0; i < reds.size(); ++i) {
        const std::optional<int> red = smallNumber(reds[i]);
        if (!red || *red < 1 || *red > kRedNumbers)
            return std::nullopt;
        draw.reds[i] = *red;
    }
    std::sort(draw.reds.begin(), draw.reds.end());
    if (std::adjacent_find(draw.reds.begin(), draw.reds.end()) != draw.reds.end())
        return std::nullopt;
    const std::optional<int> blueNumber = smallNumber(blue);
    if (!blueNumber || *blueNumber < 1 || *blueNumber > kBlueNumbers)
        return std::nullopt;
    draw.blue = *blueNumber;
    return draw;
}

} // namespace ssq::numbers

namespace ssq::numbers {

std::vector<Draw> inPeriodOrder(std::vector<Draw> draws) {
    const auto byPeriod = [](const Draw& a, const Draw& b) {
        return a.period.size() != b.period.size() ? a.period.size() < b.period.size()
                                                  : a.period < b.period;
    };
    std::stable_sort(draws.begin(), draws.end(), byPeriod);
    const auto samePeriod = [](const Draw& a, const Draw& b) { return a.period == b.period; };
    draws.erase(std::unique(draws.begin(), draws.end(), samePeriod), draws.end());
    return draws;
}

} // namespace ssq::numbers
