// The number-analysis core against hand-worked tables.
#include "numbers/bundled_history.h"
#include "numbers/csv.h"
#include "numbers/fairness.h"
#include "numbers/history_file.h"
#include "numbers/prize.h"
#include "numbers/table_csv.h"
#include "numbers/ticket.h"
#include "numbers/ticket_check.h"
#include "numbers/trend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace ssq::numbers {
namespace {

Draw draw(std::array<int, 6> reds, int blue, std::string period = "2026001") {
    return {std::move(period), "2026-01-01", reds, blue};
}

// Five draws worked by hand below.
std::vector<Draw> smallHistory() {
    return {draw({1, 2, 3, 4, 5, 6}, 1, "2026001"), draw({1, 2, 3, 4, 5, 7}, 1, "2026002"),
            draw({1, 8, 9, 10, 11, 12}, 2, "2026003"), draw({2, 8, 9, 10, 11, 13}, 1, "2026004"),
            draw({3, 8, 14, 15, 16, 17}, 3, "2026005")};
}

std::vector<int> redColumn(const TrendTable& t, int number) {
    std::vector<int> column;
    for (const TrendRow& row : t.rows)
        column.push_back(row.redOmission[number - 1]);
    return column;
}

TEST(Trend, OmissionsAndColumnFiguresOfAWholeHistory) {
    const std::vector<Draw> history = smallHistory();
    const TrendTable t = buildTrend(history);
    ASSERT_EQ(t.rows.size(), 5u);
    EXPECT_EQ(redColumn(t, 1), (std::vector<int>{0, 0, 0, 1, 2}));
    EXPECT_EQ(redColumn(t, 2), (std::vector<int>{0, 0, 1, 0, 1}));
    EXPECT_EQ(redColumn(t, 8), (std::vector<int>{1, 2, 0, 0, 0}));
    EXPECT_EQ(redColumn(t, 33), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(t.rows[2].blueOmission[0], 1);
    EXPECT_EQ(t.rows[4].blueOmission[15], 5);

    struct Case {
        int number;
        int count;
        double average;
        int maxOmission;
        int maxStreak;
        int current;
    };
    const Case reds[] = {{1, 3, 0.5, 2, 3, 2},
                         {2, 3, 0.5, 1, 2, 1},
                         {8, 3, 0.5, 2, 3, 0},
                         {33, 0, 5.0, 5, 0, 5},
                         {17, 1, 2.0, 4, 1, 0}};
    for (const Case& c : reds) {
        SCOPED_TRACE(c.number);
        const ColumnFigures& f = t.red[c.number - 1];
        EXPECT_EQ(f.count, c.count);
        EXPECT_DOUBLE_EQ(f.averageOmission, c.average);
        EXPECT_EQ(f.maxOmission, c.maxOmission);
        EXPECT_EQ(f.maxStreak, c.maxStreak);
        EXPECT_EQ(f.currentOmission, c.current);
    }
    EXPECT_EQ(t.blue[0].count, 3);
    EXPECT_EQ(t.blue[0].maxStreak, 2);
}

TEST(Trend, SumSpanAndOddEvenPerDraw) {
    const TrendTable t = buildTrend(smallHistory());
    const int expected[][3] = {{21, 5, 3}, {22, 6, 4}, {51, 11, 3}, {53, 11, 3}, {73, 14, 3}};
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        EXPECT_EQ(t.rows[i].sum, expected[i][0]) << i;
        EXPECT_EQ(t.rows[i].span, expected[i][1]) << i;
        EXPECT_EQ(t.rows[i].odd, expected[i][2]) << i;
    }
    EXPECT_EQ(oddEvenText(4), "4:2");
}

TEST(Trend, ARangeCarriesOmissionsInButCountsOnlyItsOwnDraws) {
    const std::vector<Draw> history = smallHistory();
    const TrendTable t = buildTrend(history, lastDrawsStart(history.size(), 2));
    ASSERT_EQ(t.first, 3u);
    EXPECT_EQ(redColumn(t, 1), (std::vector<int>{1, 2}));
    EXPECT_EQ(redColumn(t, 33), (std::vector<int>{4, 5}));
    EXPECT_EQ(t.red[0].count, 0);
    EXPECT_DOUBLE_EQ(t.red[0].averageOmission, 2.0);
    EXPECT_EQ(t.red[7].count, 2);
    EXPECT_EQ(t.red[7].maxStreak, 3); // the run began before the range and counts whole
    EXPECT_EQ(t.red[32].maxOmission, 5);

    EXPECT_EQ(lastDrawsStart(5, 0), 0u);
    EXPECT_EQ(lastDrawsStart(5, 30), 0u);
    EXPECT_TRUE(buildTrend({}).rows.empty());
}

TEST(Trend, DrawsTakeThePeriodOrderWhateverTheListOrder) {
    std::vector<Draw> newestFirst = smallHistory();
    std::reverse(newestFirst.begin(), newestFirst.end());
    newestFirst.push_back(newestFirst[1]); // a row read twice
    const std::vector<Draw> ordered = inPeriodOrder(newestFirst);
    ASSERT_EQ(ordered.size(), 5u);
    for (std::size_t i = 0; i < ordered.size(); ++i)
        EXPECT_EQ(ordered[i].period, smallHistory()[i].period);
}

TEST(Fairness, ExpectedCountsAndShares) {
    const TrendTable t = buildTrend(smallHistory());
    const std::vector<NumberFigures> reds = redFigures(t);
    ASSERT_EQ(reds.size(), 33u);
    EXPECT_DOUBLE_EQ(reds[0].expected, 5.0 * 6 / 33);
    EXPECT_DOUBLE_EQ(reds[0].share, 0.6);
    const std::vector<NumberFigures> blues = blueFigures(t);
    ASSERT_EQ(blues.size(), 16u);
    EXPECT_EQ(blues[15].number, 16);
    EXPECT_DOUBLE_EQ(blues[15].expected, 5.0 / 16);
}

TEST(Fairness, ChiSquareAgainstWorkedValues) {
    // One ball a draw: Pearson's statistic as it stands; with two degrees of
    // freedom the tail is exp(-x / 2).
    const int oneBall[] = {10, 20, 30};
    const std::optional<ChiSquare> plain = fairnessTest(oneBall, 60, 1);
    ASSERT_TRUE(plain);
    EXPECT_DOUBLE_EQ(plain->statistic, 10.0);
    EXPECT_EQ(plain->degreesOfFreedom, 2);
    EXPECT_NEAR(plain->pValue, 0.006737946999085467, 1e-12);

    // Two different numbers of four a draw: Pearson's 1.0 scaled by 3 / 2;
    // the tail of three degrees of freedom worked from erfc.
    const int twoOfFour[] = {3, 1, 2, 2};
    const std::optional<ChiSquare> scaled = fairnessTest(twoOfFour, 4, 2);
    ASSERT_TRUE(scaled);
    EXPECT_DOUBLE_EQ(scaled->statistic, 1.5);
    EXPECT_EQ(scaled->degreesOfFreedom, 3);
    EXPECT_NEAR(scaled->pValue, 0.6822703303362125, 1e-10);

    EXPECT_FALSE(fairnessTest(oneBall, 0, 1));
    EXPECT_FALSE(redFairness(buildTrend({})));
}

TEST(Fairness, ScaledStatisticOfSimulatedFairDrawsCentresOnTheDegreesOfFreedom) {
    // Without the scaling a fair six-of-33 draw would average 27 / 32 of the
    // degrees of freedom; the scaled statistic averages the degrees of freedom.
    std::mt19937 random(12345);
    std::vector<int> pool(33);
    double total = 0;
    const int trials = 400;
    for (int trial = 0; trial < trials; ++trial) {
        std::vector<Draw> history;
        for (int d = 0; d < 300; ++d) {
            std::iota(pool.begin(), pool.end(), 1);
            std::shuffle(pool.begin(), pool.end(), random);
            std::array<int, 6> reds{};
            std::copy_n(pool.begin(), 6, reds.begin());
            std::sort(reds.begin(), reds.end());
            history.push_back(draw(reds, 1));
        }
        total += redFairness(buildTrend(history))->statistic;
    }
    EXPECT_NEAR(total / trials, 32.0, 1.5);
}

TEST(Prize, LevelOfEveryMatch) {
    struct Case {
        int reds;
        bool blue;
        int level;
    };
    const Case cases[] = {{6, true, 1},  {6, false, 2}, {5, true, 3},  {5, false, 4}, {4, true, 4},
                          {4, false, 5}, {3, true, 5},  {3, false, 0}, {2, true, 6},  {1, true, 6},
                          {0, true, 6},  {2, false, 0}, {1, false, 0}, {0, false, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(prizeLevel(c.reds, c.blue), c.level) << c.reds << (c.blue ? "+blue" : "");
    const std::int64_t prizes[] = {0, 0, 0, 3000, 200, 10, 5};
    for (int level = 0; level <= kPrizeLevels; ++level)
        EXPECT_EQ(fixedPrize(level), prizes[level]) << level;
}

Ticket ticketOf(std::string_view line) {
    const TicketLine parsed = parseTicket(line);
    EXPECT_TRUE(parsed.ok()) << line << ": " << parsed.error;
    return parsed.ticket;
}

TEST(Prize, CompoundTicketsCountTheirSingleTickets) {
    const Draw drawn = draw({1, 2, 3, 4, 5, 6}, 7);
    // Seven reds holding all six drawn, with the blue: 7 single tickets.
    const Ticket seven = ticketOf("01 02 03 04 05 06 09 + 07");
    EXPECT_EQ(TicketChecker(seven).singleTickets(), 7);
    const LevelCounts sevenCounts = checkTicket(seven, drawn);
    EXPECT_EQ(sevenCounts, (LevelCounts{0, 1, 0, 6, 0, 0, 0}));
    EXPECT_EQ(fixedTotal(sevenCounts), 18000);

    // Eight reds with five drawn, two blues with the drawn one: 56 tickets.
    const Ticket eight = ticketOf("01 02 03 04 05 10 11 12 + 07 08");
    const LevelCounts eightCounts = checkTicket(eight, drawn);
    EXPECT_EQ(eightCounts, (LevelCounts{10, 0, 0, 3, 18, 25, 0}));
    EXPECT_EQ(fixedTotal(eightCounts), 12850);
    EXPECT_EQ(TicketChecker(ticketOf("01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 "
                                     "+ 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16"))
                  .singleTickets(),
              38760 * 16);
}

TEST(Prize, CompoundCountsAgreeWithEveryExpandedSingleTicket) {
    std::mt19937 random(7);
    std::vector<int> pool(33);
    for (int trial = 0; trial < 200; ++trial) {
        std::iota(pool.begin(), pool.end(), 1);
        std::shuffle(pool.begin(), pool.end(), random);
        Ticket ticket;
        const int redCount = 6 + static_cast<int>(random() % 6);
        ticket.reds.assign(pool.begin(), pool.begin() + redCount);
        std::sort(ticket.reds.begin(), ticket.reds.end());
        for (int b = 1; b <= 16; ++b)
            if (random() % 4 == 0 || (b == 16 && ticket.blues.empty()))
                ticket.blues.push_back(b);
        std::shuffle(pool.begin(), pool.end(), random);
        std::array<int, 6> reds{};
        std::copy_n(pool.begin(), 6, reds.begin());
        std::sort(reds.begin(), reds.end());
        const Draw drawn = draw(reds, 1 + static_cast<int>(random() % 16));

        LevelCounts expanded{};
        std::vector<bool> pick(ticket.reds.size(), false);
        std::fill(pick.end() - 6, pick.end(), true);
        do {
            int matched = 0;
            for (std::size_t i = 0; i < pick.size(); ++i)
                if (pick[i] && std::count(reds.begin(), reds.end(), ticket.reds[i]))
                    ++matched;
            for (int blue : ticket.blues)
                ++expanded[prizeLevel(matched, blue == drawn.blue)];
        } while (std::next_permutation(pick.begin(), pick.end()));
        ASSERT_EQ(checkTicket(ticket, drawn), expanded) << ticketText(ticket);
    }
}

TEST(Ticket, LinesPeopleTypeAndThePickPaneWrites) {
    struct Case {
        const char* line;
        std::vector<int> reds;
        std::vector<int> blues;
    };
    const Case cases[] = {
        {"01 02 03 04 05 06 + 07", {1, 2, 3, 4, 5, 6}, {7}},
        {"01 02 03 04 05 06 07", {1, 2, 3, 4, 5, 6}, {7}},
        {"05 06 11 13 20 31 8\r", {5, 6, 11, 13, 20, 31}, {8}}, // a random pick line
        {"1 3 8 11 17 21 16", {1, 3, 8, 11, 17, 21}, {16}},     // a high-count line
        {"33,1,2,3,4,5＋7", {1, 2, 3, 4, 5, 33}, {7}},
        {"01、02、03、04、05、06 | 07", {1, 2, 3, 4, 5, 6}, {7}},
        {"\t01 02 03 04 05 06 07 + 16 01", {1, 2, 3, 4, 5, 6, 7}, {1, 16}},
    };
    for (const Case& c : cases) {
        const TicketLine t = parseTicket(c.line);
        ASSERT_TRUE(t.ok()) << c.line << ": " << t.error;
        EXPECT_EQ(t.ticket.reds, c.reds) << c.line;
        EXPECT_EQ(t.ticket.blues, c.blues) << c.line;
    }
    EXPECT_EQ(ticketText(ticketOf("6 5 4 3 2 1 7")), "01 02 03 04 05 06 + 07");
}

TEST(Ticket, BadLinesNameTheirFault) {
    struct Case {
        const char* line;
        const char* reason;
    };
    const Case cases[] = {
        {"01 02 03 04 05 + 07", "红球不足 6 个"},
        {"01 02 03 04 05 06 34 + 01", "红球 34 超出 1–33"},
        {"00 02 03 04 05 06 + 01", "红球 00 超出 1–33"},
        {"01 01 02 03 04 05 + 07", "红球 01 重复"},
        {"01 02 03 04 05 06 + 17", "蓝球 17 超出 1–16"},
        {"01 02 03 04 05 06 + 07 07", "蓝球 07 重复"},
        {"01 02 03 04 05 06 + 07 + 08", "“+”只能有一个"},
        {"01 02 03 04 05 06 07 08", "没有“+”时须是 6 个红球加 1 个蓝球"},
        {"01 02 03 04 05 06 +", "缺少蓝球"},
        {"01 02 03 04 05 06 + 07a", "无法识别的字符“a”"},
        {"一 02 03 04 05 06 + 07", "无法识别的字符“一”"},
        {"001 02 03 04 05 06 + 07", "“001”不是一两位数字"},
        {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 + 1", "红球超过 20 个"},
    };
    for (const Case& c : cases) {
        const TicketLine t = parseTicket(c.line);
        EXPECT_NE(t.error.find(c.reason), std::string::npos) << c.line << " gave: " << t.error;
        EXPECT_TRUE(t.ticket.reds.empty() && t.ticket.blues.empty()) << c.line;
    }
}

TEST(Ticket, CheckReportKeepsBadLinesAndAddsUpGoodOnes) {
    const std::vector<Draw> history = smallHistory();
    std::vector<DrawBits> bits;
    for (const Draw& d : history)
        bits.push_back(drawBits(d));
    const TicketReport report = checkTickets(
        parseTickets("01 02 03 04 05 06 + 01\r\n\r\nbad line\n01 02 03 04 05 06 07 + 03"), bits);
    ASSERT_EQ(report.results.size(), 3u);
    EXPECT_EQ(report.results[1].line.lineNumber, 3u);
    EXPECT_FALSE(report.results[1].line.ok());
    EXPECT_EQ(report.badLines, 1);
    // The single ticket: 6+blue in draw 1, 5+blue in draw 2, 1+no blue, 1+blue, 1+no blue.
    EXPECT_EQ(report.results[0].counts, (LevelCounts{2, 1, 0, 1, 0, 0, 1}));
    EXPECT_EQ(report.results[0].fixedPrizes, 3005);
    EXPECT_EQ(report.singleTickets, 1 + 7);
    std::int64_t all = 0;
    for (std::int64_t n : report.counts)
        all += n;
    EXPECT_EQ(all, 8 * 5); // every single ticket against every draw
}

TEST(Csv, QuotedFieldsAndByteOrderMarkReadBack) {
    const std::vector<std::string> fields{"a,b", "say \"hi\"", "two\r\nlines", "", "期号"};
    const std::string text = std::string(kUtf8Bom) + csvRecord(fields) + csvRecord({"x"}) + "\n";
    const auto records = parseCsv(text);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], fields);
    EXPECT_EQ(records[1], std::vector<std::string>{"x"});
    EXPECT_EQ(parseCsv("a,b\nc,d"),
              (std::vector<std::vector<std::string>>{{"a", "b"}, {"c", "d"}}));
}

TEST(HistoryFile, ReadsBundledAndExportedFormsAndReportsBadLines) {
    const char* text = "issue,date,r1,r2,r3,r4,r5,r6,b1,sales,pool\r\n"
                       "03001,2003-02-23,10,11,12,13,26,28,11,10307806,2097070\r\n"
                       "03002,2003-02-27,4,9,19,20,21,34,12,1,2\r\n"
                       "03003,2003-03-02\r\n"
                       "3x004,2003-03-06,4,6,7,10,13,25,3,1,2\r\n"
                       "2003005,2003-03-09,26,5,8,9,12,15,9,1,2\r\n";
    const HistoryFile file = readHistoryCsv(text);
    ASSERT_EQ(file.draws.size(), 2u);
    EXPECT_EQ(file.draws[0].period, "2003001");
    EXPECT_EQ(file.draws[1].reds, (std::array<int, 6>{5, 8, 9, 12, 15, 26}));
    ASSERT_EQ(file.errors.size(), 3u);
    EXPECT_TRUE(file.errors[0].starts_with("第 3 行")) << file.errors[0];

    const std::string exported = historyCsv(file.draws);
    EXPECT_TRUE(exported.starts_with(kUtf8Bom));
    const HistoryFile again = readHistoryCsv(exported);
    EXPECT_TRUE(again.errors.empty());
    ASSERT_EQ(again.draws.size(), 2u);
    EXPECT_EQ(again.draws[1].period, "2003005");
    EXPECT_EQ(again.draws[1].reds, file.draws[1].reds);
    EXPECT_EQ(again.draws[1].blue, 9);
}

TEST(HistoryFile, TheBundledHistoryReadsWhole) {
    const HistoryFile file = bundledHistory();
    EXPECT_TRUE(file.errors.empty());
    ASSERT_GT(file.draws.size(), 3000u);
    EXPECT_EQ(file.draws.front().period, "2003001");
}

TEST(TableCsv, TablesParseBackToTheirFigures) {
    const std::vector<Draw> history = smallHistory();
    const TrendTable t = buildTrend(history, 1);
    const auto trend = parseCsv(trendCsv(history, t));
    ASSERT_EQ(trend.size(), 1 + 4 + 4u);
    ASSERT_EQ(trend[0].size(), 2 + 33 + 3 + 16u);
    EXPECT_EQ(trend[1][0], "2026002");
    EXPECT_EQ(trend[3][2 + 0], "1");   // red 1 missing in the fourth draw
    EXPECT_EQ(trend[1][2 + 33], "22"); // 和值
    EXPECT_EQ(trend[1][2 + 35], "4:2");
    EXPECT_EQ(trend[5][0], "出现次数");
    EXPECT_EQ(trend[5][2 + 7], "3"); // red 8

    const auto figures = parseCsv(figuresCsv(t));
    ASSERT_EQ(figures.size(), 1 + 33 + 16u);
    EXPECT_EQ(figures[1],
              (std::vector<std::string>{"01", "红", "2", "0.5000", "0.73", "2", "0.67", "2", "3"}));
    const auto fairness = parseCsv(fairnessCsv(t));
    ASSERT_EQ(fairness.size(), 3u);
    EXPECT_EQ(fairness[2][3], "15");
}

} // namespace
} // namespace ssq::numbers
