// The checks every stored draw passes, and the checks of a whole answer.

#include "store/draw_check.h"

#include <gtest/gtest.h>

namespace ssq::store {
namespace {

DrawRecord draw(std::int32_t period, std::string date = {}) {
    DrawRecord d;
    d.period = period;
    d.date = date.empty() ? std::to_string(period / 1000) + "-03-01" : date;
    d.reds = {1, 5, 9, 17, 25, 33};
    d.blue = 16;
    d.sales = 0;
    d.pool = 123;
    return d;
}

TEST(DrawCheck, AcceptsPlausibleDrawsAndNamesTheFault) {
    struct Case {
        const char* name;
        void (*change)(DrawRecord&);
        bool ok;
    };
    const Case cases[] = {
        {"plain draw", [](DrawRecord&) {}, true},
        {"leap day",
         [](DrawRecord& d) {
             d.date = "2024-02-29";
             d.period = 2024020;
         },
         true},
        {"amounts missing",
         [](DrawRecord& d) {
             d.sales.reset();
             d.pool.reset();
         },
         true},
        {"year before the game",
         [](DrawRecord& d) {
             d.period = 2002150;
             d.date = "2002-03-01";
         },
         false},
        {"draw number 000", [](DrawRecord& d) { d.period = 2026000; }, false},
        {"six-digit period", [](DrawRecord& d) { d.period = 202601; }, false},
        {"no leap day", [](DrawRecord& d) { d.date = "2026-02-29"; }, false},
        {"day 31 of April", [](DrawRecord& d) { d.date = "2026-04-31"; }, false},
        {"month 13", [](DrawRecord& d) { d.date = "2026-13-01"; }, false},
        {"date with weekday", [](DrawRecord& d) { d.date = "2026-03-01(日)"; }, false},
        {"slashes", [](DrawRecord& d) { d.date = "2026/03/01"; }, false},
        {"date of another year", [](DrawRecord& d) { d.date = "2025-12-30"; }, false},
        {"red 0", [](DrawRecord& d) { d.reds[0] = 0; }, false},
        {"red 34", [](DrawRecord& d) { d.reds[5] = 34; }, false},
        {"red twice", [](DrawRecord& d) { d.reds[1] = 1; }, false},
        {"reds not ascending", [](DrawRecord& d) { std::swap(d.reds[2], d.reds[3]); }, false},
        {"blue 0", [](DrawRecord& d) { d.blue = 0; }, false},
        {"blue 17", [](DrawRecord& d) { d.blue = 17; }, false},
        {"negative sales", [](DrawRecord& d) { d.sales = -1; }, false},
        {"negative pool", [](DrawRecord& d) { d.pool = -5; }, false},
    };
    for (const Case& c : cases) {
        DrawRecord d = draw(2026050);
        c.change(d);
        const auto why = checkDraw(d);
        EXPECT_EQ(!why.has_value(), c.ok) << c.name << ": " << why.value_or("accepted");
    }
}

std::vector<std::int32_t> periods(const std::vector<DrawRecord>& draws) {
    std::vector<std::int32_t> out;
    for (const DrawRecord& d : draws)
        out.push_back(d.period);
    return out;
}

TEST(DrawCheck, AnswerIsSortedDeduplicatedAndWithoutGaps) {
    // Out of order and repeated, across a year end: sorted and cleaned.
    std::vector<DrawRecord> draws = {draw(2026001), draw(2025152), draw(2025151), draw(2026001)};
    EXPECT_FALSE(checkAnswer(draws, 2025150));
    EXPECT_EQ(periods(draws), (std::vector<std::int32_t>{2025151, 2025152, 2026001}));

    struct Case {
        const char* name;
        std::vector<DrawRecord> draws;
        std::int32_t after;
    };
    DrawRecord other = draw(2026002);
    other.blue = 3;
    const Case refusedCases[] = {
        {"gap inside", {draw(2026001), draw(2026003)}, 0},
        {"gap after the stored period", {draw(2026003)}, 2026001},
        {"year skipped", {draw(2028001)}, 2026153},
        {"new year not from 001", {draw(2027002)}, 2026153},
        {"same period, other numbers", {draw(2026002), other}, 2026001},
        {"one bad draw", {draw(2026002), draw(2026003, "2026-02-30")}, 2026001},
    };
    for (const Case& c : refusedCases) {
        std::vector<DrawRecord> copy = c.draws;
        EXPECT_TRUE(checkAnswer(copy, c.after)) << c.name;
        EXPECT_EQ(periods(copy), periods(c.draws)) << c.name << ": left unchanged";
    }
}

} // namespace
} // namespace ssq::store
