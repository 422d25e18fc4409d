// The rules of pick generation without any widget: random source, random
// tickets, clock text and time limit, high-count pick, format set-up.

#include "picks/char_format.h"
#include "picks/high_count.h"
#include "picks/random_picks.h"
#include "picks/random_source.h"
#include "picks/timed_run.h"
#include "text/codec.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace ssq::picks {
namespace {

RandomSource fixedClock(std::uint32_t& counter, std::uint32_t ms) {
    return RandomSource(counter, [ms] { return ms; });
}

// --- random source -------------------------------------------------------

TEST(RandomSource, FirstDrawAfterEachSeedOfTheWorkedExample) {
    const std::pair<std::uint32_t, std::int32_t> cases[] = {
        {1000, 3304}, {1332, 4388}, {1484, 4884}, {1788, 5877},
        {2140, 7026}, {2332, 7653}, {2460, 8071},
    };
    for (const auto& [seed, output] : cases)
        EXPECT_EQ(Lcg(seed).next(), output) << "seed " << seed;
}

TEST(RandomSource, TwoReseedsInOneMillisecondGetDifferentSeeds) {
    std::uint32_t counter = 0;
    RandomSource source = fixedClock(counter, 1000);
    source.reseed();
    EXPECT_EQ(source.between(0, 32767), Lcg(1000).next());
    EXPECT_EQ(counter, 332u);
    source.reseed();
    EXPECT_EQ(source.between(0, 32767), Lcg(1332).next());
    EXPECT_EQ(counter, 484u);
}

TEST(RandomSource, CounterAndSeedWrapAt32Bits) {
    std::uint32_t counter = 0xFFFFFFF0u;
    RandomSource source = fixedClock(counter, 0x20u);
    source.reseed(); // seed 0x10
    EXPECT_EQ(source.between(0, 32767), Lcg(0x10u).next());
    EXPECT_EQ(counter, 100u); // 0xFFFFFFF0 + 0x10 + 100, wrapped
}

TEST(RandomSource, RangeRuleIsLowPlusDrawModuloWidth) {
    std::uint32_t counter = 0;
    RandomSource source = fixedClock(counter, 1000); // first draw 3304
    source.reseed();
    EXPECT_EQ(source.between(1, 33), 1 + 3304 % 33);
}

// --- random tickets ------------------------------------------------------

TEST(RandomPicks, WorkedExampleTicket) {
    std::uint32_t counter = 0;
    RandomSource source = fixedClock(counter, 1000);
    const Ticket ticket = drawTicket(source);
    EXPECT_EQ(randomRedPart(ticket), "05 06 11 13 20 31 ");
    EXPECT_EQ(randomBluePart(ticket), "8\r\n");
    EXPECT_EQ(counter, 1716u);
}

TEST(RandomPicks, EveryTicketIsValidAndEveryNumberCanComeUp) {
    std::uint32_t counter = 0;
    std::uint32_t now = 123456;
    RandomSource source(counter, [&now] { return now += 7; });
    std::set<int> reds;
    std::set<int> blues;
    for (int i = 0; i < 3000; ++i) {
        const Ticket t = drawTicket(source);
        for (std::size_t k = 0; k < 6; ++k) {
            ASSERT_GE(t.reds[k], 1);
            ASSERT_LE(t.reds[k], 33);
            if (k > 0) {
                ASSERT_LT(t.reds[k - 1], t.reds[k]) << "ascending and all different";
            }
            reds.insert(t.reds[k]);
        }
        ASSERT_GE(t.blue, 1);
        ASSERT_LE(t.blue, 16);
        blues.insert(t.blue);
        const std::string red = randomRedPart(t);
        ASSERT_EQ(red.size(), 18u);
        const std::string blue = randomBluePart(t);
        ASSERT_EQ(blue, std::to_string(t.blue) + "\r\n"); // «9», «16»: no leading zero
    }
    EXPECT_EQ(reds.size(), 33u);
    EXPECT_EQ(blues.size(), 16u);
}

// --- timed run -----------------------------------------------------------

TEST(TimedRun, ClockText) {
    const std::pair<double, const char*> cases[] = {
        {0, "00：00：00"},        {3700, "00：00：03"},       {999.9, "00：00：00"},
        {61000, "00：01：01"},    {3599900, "00：59：59"},    {3600000, "01：00：00"},
        {36000000, "10：00：00"}, {360000000, "100：00：00"}, {362439000, "100：40：39"},
    };
    for (const auto& [ms, expected] : cases)
        EXPECT_EQ(clockText(ms), text::gbk(expected)) << ms << " ms";
}

TEST(TimedRun, CaptionCarriesTheClockText) {
    EXPECT_EQ(timedCaption(3700), text::gbk("澜舟号录分析工具  [ 00：00：03 ]"));
}

struct LimitCase {
    std::int32_t ticksBefore; // left over from a run stopped by hand
    std::int32_t limitSeconds;
    std::int32_t ticksToLimit;
    double firstMs;
};

TEST(TimedRun, LimitIsReachedOnTheRightTick) {
    const LimitCase cases[] = {
        {0, 5, 50, 100},   // ticks 1-49 go on, tick 50 stops
        {0, 1, 10, 100},   // exactly 1000 ms
        {30, 5, 20, 3100}, // a hand stop keeps the count
        {0, 0, 1, 100},    // no limit: the first tick stops
        {0, -3, 1, 100},
    };
    for (const LimitCase& c : cases) {
        std::int32_t ticks = c.ticksBefore;
        TimedStep step = advanceTimedRun(ticks, 100, c.limitSeconds);
        EXPECT_DOUBLE_EQ(step.ms, c.firstMs);
        int n = 1;
        while (!step.limitReached && n < 1000) {
            step = advanceTimedRun(ticks, 100, c.limitSeconds);
            ++n;
        }
        EXPECT_EQ(n, c.ticksToLimit) << "limit " << c.limitSeconds << " after " << c.ticksBefore;
        EXPECT_EQ(ticks, 0) << "reaching the limit starts the count again";
    }
}

TEST(TimedRun, CounterWrapsInsteadOfOverflowing) {
    std::int32_t ticks = 2147483647;
    const TimedStep step = advanceTimedRun(ticks, 100, 5);
    EXPECT_EQ(ticks, -2147483647 - 1);
    EXPECT_FALSE(step.limitReached);
}

// --- high-count pick -----------------------------------------------------

// A frequency table of 33 rows in its final shape, with the given counts.
struct Table {
    std::vector<std::array<std::string, 5>> rows;

    Table(const std::map<int, int>& redCounts, const std::map<int, int>& blueCounts) {
        for (int n = 1; n <= 33; ++n) {
            std::array<std::string, 5> row{std::to_string(n), std::to_string(n), "", "", ""};
            if (n <= 16)
                row[3] = std::to_string(n);
            if (auto it = redCounts.find(n); it != redCounts.end())
                row[2] = std::to_string(it->second);
            if (auto it = blueCounts.find(n); it != blueCounts.end())
                row[4] = std::to_string(it->second);
            rows.push_back(row);
        }
    }
    CellReader reader() const {
        return [this](int r, int c) {
            return (r >= 0 && r < static_cast<int>(rows.size()))
                       ? rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]
                       : std::string();
        };
    }
};

std::map<int, int> everyNumber(int count, int last) {
    std::map<int, int> m;
    for (int n = 1; n <= last; ++n)
        m[n] = count;
    return m;
}

std::map<int, int> with(std::map<int, int> base, const std::map<int, int>& changes) {
    for (const auto& [n, c] : changes)
        base[n] = c;
    return base;
}

struct HighCountCase {
    const char* name;
    std::map<int, int> reds;
    std::map<int, int> blues;
    const char* redPart;
    const char* blue;
};

class HighCount : public testing::TestWithParam<HighCountCase> {};

TEST_P(HighCount, Pick) {
    const HighCountCase& c = GetParam();
    const Table table(c.reds, c.blues);
    const auto pick = pickHighCount(33, table.reader());
    ASSERT_TRUE(pick.has_value());
    EXPECT_EQ(highCountRedPart(*pick), c.redPart);
    EXPECT_EQ(pick->blue, c.blue);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, HighCount,
    testing::Values(
        HighCountCase{
            "worked_example",
            with(everyNumber(5, 33),
                 {{1, 10}, {3, 12}, {8, 15}, {11, 12}, {17, 10}, {21, 15}, {26, 9}, {30, 10}}),
            with(everyNumber(10, 16), {{2, 20}, {7, 25}, {12, 25}, {16, 18}}), "1 3 8 11 17 21 ",
            "12"},
        // Low numbers come first in the walk and win over higher counts further down.
        HighCountCase{"low_rows_first",
                      with(everyNumber(3, 33),
                           {{25, 20}, {26, 18}, {27, 16}, {28, 14}, {29, 12}, {1, 10}, {2, 10}}),
                      everyNumber(4, 16), "1 2 25 26 27 28 ", "16"},
        HighCountCase{"single_draw",
                      {{4, 1}, {9, 1}, {15, 1}, {22, 1}, {27, 1}, {33, 1}},
                      {{6, 1}},
                      "4 9 15 22 27 33 ",
                      "6"},
        // Equal top values each take a place of their own, and a number shared
        // by two of them is still written once.
        HighCountCase{
            "shared_highest_red",
            with(everyNumber(3, 33), {{5, 30}, {20, 30}, {7, 25}, {9, 25}, {12, 22}, {30, 21}}),
            with(everyNumber(2, 16), {{3, 9}, {9, 9}}), "5 7 9 12 20 30 ", "9"}),
    [](const testing::TestParamInfo<HighCountCase>& row) { return row.param.name; });

TEST(HighCountRules, NotEnoughCountsGiveNoPick) {
    const std::map<int, int> fiveReds{{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}};
    const struct {
        const char* name;
        Table table;
        int rows;
    } cases[] = {
        {"no counts at all", Table({}, {}), 33},
        {"no blue count", Table(everyNumber(4, 33), {}), 33},
        {"five red counts", Table(fiveReds, {{1, 1}}), 33},
        {"no rows", Table(everyNumber(4, 33), everyNumber(4, 16)), 0},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(pickHighCount(c.rows, c.table.reader()).has_value()) << c.name;
}

TEST(HighCountRules, CountTextsThatAreNotPlainDecimalMatchNoValue) {
    Table table(everyNumber(4, 33), {{1, 1}});
    table.rows[0][4] = "01"; // value 1, but its text is not «1»
    EXPECT_FALSE(pickHighCount(33, table.reader()).has_value());
}

TEST(HighCountRules, EventsRunAfterEachRedCandidateAndClosingStopsTheWalk) {
    const Table table(everyNumber(4, 30), {{1, 1}});
    int calls = 0;
    ASSERT_TRUE(pickHighCount(33, table.reader(), [&calls] { return ++calls > 0; }).has_value());
    EXPECT_EQ(calls, 30);

    calls = 0;
    EXPECT_FALSE(pickHighCount(33, table.reader(), [&calls] { return ++calls < 3; }).has_value());
    EXPECT_EQ(calls, 3);
}

// --- formats -------------------------------------------------------------

TEST(CharFormats, StartAndSetUp) {
    CharFormat red = startFormat();
    CharFormat blue = startFormat();
    EXPECT_EQ(red, (CharFormat{text::gbk("宋体"), 9, 0, 0, kAutomaticColour}));
    setUpPickFormats(red, blue);
    EXPECT_EQ(red, (CharFormat{text::gbk("宋体"), 12, 0, style::kBold, 0x000000FFu}));
    EXPECT_EQ(blue, (CharFormat{text::gbk("宋体"), 12, 0, style::kBold, 0x00FF0000u}));
}

} // namespace
} // namespace ssq::picks
