// The count rule over plain rows: which number a cell counts, how the count
// cells are rewritten, when events are let run and when the run stops.

#include "analysis/frequency_counter.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

namespace {

using ssq::analysis::firstNumberIn;
using ssq::analysis::FrequencyCounter;

struct CellCase {
    const char* cell;
    int highest;
    int expected;
};

class FirstNumberIn : public testing::TestWithParam<CellCase> {};

TEST_P(FirstNumberIn, FindsTheFirstSearchTextInAscendingOrder) {
    const CellCase& c = GetParam();
    EXPECT_EQ(firstNumberIn(c.cell, c.highest), c.expected) << '"' << c.cell << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cells, FirstNumberIn,
    testing::Values(CellCase{"01", 33, 1}, CellCase{"33", 33, 33}, CellCase{"16", 16, 16},
                    CellCase{"17", 16, 0},   // beyond the blue search texts
                    CellCase{"34", 33, 0},   // no search text is "34"
                    CellCase{"123", 33, 12}, // "12" comes before "23" in the search
                    CellCase{"231", 33, 23}, // "23"; "31" would come later
                    CellCase{"x05y", 33, 5}, CellCase{"1", 33, 0}, CellCase{"", 33, 0},
                    CellCase{"00", 33, 0}, CellCase{"\xA3\xB0\xA3\xB1", 33, 0})); // full-width 01

// A draw table in memory: row r has cells 3 .. 8 (reds) and 9 (blue).
struct Rows {
    std::vector<std::vector<std::string>> cells;

    static Rows of(std::vector<std::vector<std::string>> draws) {
        Rows rows;
        for (auto& d : draws) {
            std::vector<std::string> row(10);
            for (std::size_t i = 0; i < d.size() && i < 7; ++i)
                row[3 + i] = d[i];
            rows.cells.push_back(std::move(row));
        }
        return rows;
    }
};

// What a run wrote, cell by cell, in order, and how often it let events run.
struct Recorder {
    std::vector<std::tuple<int, int, std::string>> writes;
    std::map<std::pair<int, int>, std::string> cells;
    int pumps = 0;
    int stopAfterPumps = -1; // -1: never ask to stop
};

FrequencyCounter counterOver(Rows& rows, Recorder& rec) {
    return FrequencyCounter({
        [&rows] { return static_cast<int>(rows.cells.size()); },
        [&rows](int r, int c) -> std::string {
            return rows.cells.at(static_cast<std::size_t>(r)).at(static_cast<std::size_t>(c));
        },
        [&rec](int r, int c, const std::string& t) {
            rec.writes.emplace_back(r, c, t);
            rec.cells[{r, c}] = t;
        },
        [&rec] {
            ++rec.pumps;
            return rec.stopAfterPumps < 0 || rec.pumps < rec.stopAfterPumps;
        },
    });
}

struct CountCase {
    const char* name;
    std::vector<std::vector<std::string>> draws;              // six reds, blue
    std::map<std::pair<int, int>, std::string> expectedCells; // every other cell untouched
};

class CountRun : public testing::TestWithParam<CountCase> {};

TEST_P(CountRun, WritesTheTotalsIntoTheMappedCells) {
    const CountCase& c = GetParam();
    Rows rows = Rows::of(c.draws);
    Recorder rec;
    FrequencyCounter counter = counterOver(rows, rec);
    EXPECT_TRUE(counter.run());
    EXPECT_EQ(rec.cells, c.expectedCells);
    EXPECT_EQ(rec.pumps, 7 * static_cast<int>(c.draws.size())); // after every row of every pass
}

INSTANTIATE_TEST_SUITE_P(
    Draws, CountRun,
    testing::Values(CountCase{"OneDraw",
                              {{"01", "02", "03", "04", "05", "06", "01"}},
                              {{{0, 2}, "1"},
                               {{1, 2}, "1"},
                               {{2, 2}, "1"},
                               {{3, 2}, "1"},
                               {{4, 2}, "1"},
                               {{5, 2}, "1"},
                               {{0, 4}, "1"}}},
                    CountCase{"SameRedInTwoColumns",
                              {{"03", "", "", "", "", "", ""}, {"", "", "", "", "", "03", ""}},
                              {{{2, 2}, "2"}}},
                    CountCase{"RedAndBlueCountApart",
                              {{"05", "", "", "", "", "", "05"}},
                              {{{4, 2}, "1"}, {{4, 4}, "1"}}},
                    CountCase{"MalformedCells",
                              {{"123", "1", "", "34", "ab", "33", "17"}},
                              {{{11, 2}, "1"}, {{32, 2}, "1"}}},
                    CountCase{"FirstAndLastRowsCount",
                              {{"10", "", "", "", "", "", "16"},
                               {"", "", "", "", "", "", ""},
                               {"10", "", "", "", "", "", "16"}},
                              {{{9, 2}, "2"}, {{15, 4}, "2"}}},
                    CountCase{"NoRows", {}, {}}),
    [](const testing::TestParamInfo<CountCase>& p) { return std::string(p.param.name); });

TEST(FrequencyCounter, RewritesACountCellAtEachIncrease) {
    Rows rows = Rows::of({{"07", "", "", "", "", "", "02"},
                          {"07", "", "", "", "", "", "02"},
                          {"", "07", "", "", "", "", ""}});
    Recorder rec;
    FrequencyCounter counter = counterOver(rows, rec);
    ASSERT_TRUE(counter.run());
    using W = std::tuple<int, int, std::string>;
    EXPECT_EQ(rec.writes,
              (std::vector<W>{{6, 2, "1"}, {6, 2, "2"}, {6, 2, "3"}, {1, 4, "1"}, {1, 4, "2"}}));
    EXPECT_EQ(counter.counts().red[6], 3);
    EXPECT_EQ(counter.counts().blue[1], 2);

    // A second run starts again from 0 and ends with the same cells.
    const auto first = rec.cells;
    rec.writes.clear();
    ASSERT_TRUE(counter.run());
    EXPECT_EQ(rec.cells, first);
    EXPECT_EQ(std::get<2>(rec.writes.front()), "1");
}

TEST(FrequencyCounter, StopsAtThePumpThatAsksToStop) {
    Rows rows = Rows::of(
        {{"01", "02", "03", "04", "05", "06", "01"}, {"01", "02", "03", "04", "05", "06", "01"}});
    Recorder rec;
    rec.stopAfterPumps = 3; // the first row of the second red pass
    FrequencyCounter counter = counterOver(rows, rec);
    EXPECT_FALSE(counter.run());
    EXPECT_EQ(rec.pumps, 3);
    using W = std::tuple<int, int, std::string>;
    EXPECT_EQ(rec.writes, (std::vector<W>{{0, 2, "1"}, {0, 2, "2"}, {1, 2, "1"}}));
}

TEST(FrequencyCounter, ReadsTheRowCountAtTheStartOfEachPass) {
    // Rows that arrive while a pass lets events run are counted from the next
    // pass on, as when a download appends rows during a count.
    Rows rows = Rows::of({{"01", "01", "01", "01", "01", "01", "01"}});
    int pumps = 0;
    FrequencyCounter counter({
        [&rows] { return static_cast<int>(rows.cells.size()); },
        [&rows](int r, int c) {
            return rows.cells.at(static_cast<std::size_t>(r)).at(static_cast<std::size_t>(c));
        },
        [](int, int, const std::string&) {},
        [&] {
            if (++pumps == 1)
                rows.cells.push_back(
                    Rows::of({{"01", "01", "01", "01", "01", "01", "01"}}).cells[0]);
            return true;
        },
    });
    ASSERT_TRUE(counter.run());
    EXPECT_EQ(counter.counts().red[0], 1 + 2 * 5); // one row in pass 1, two in passes 2-6
    EXPECT_EQ(counter.counts().blue[0], 2);
}

} // namespace
