#pragma once
// FrequencyCounter: how often each red number 1-33 and each blue number 1-16
// occurs in the draw rows, written as decimal text into the frequency table
// while it counts. Pure: the rows and the count cells are reached through
// accessors, so it runs over a table widget and over plain data alike.

#include "analysis/frequency_columns.h"
#include "history/draw_rules.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ssq::analysis {

using history::BlueNumbers;
using history::RedNumbers;

// The number n (1 .. highest) whose two-digit text ("01" .. ) is the first of
// the ascending search texts to occur anywhere in cell, byte for byte; 0 when
// none does. "123" gives 12, "1" and "" give 0.
int firstNumberIn(std::string_view cell, int highest);

// Answers whether the run may go on; the window's pump answers false once the
// window is closing.
using LetEventsRun = std::function<bool()>;

struct FrequencyCounts {
    std::array<std::int32_t, RedNumbers> red{};   // [n - 1]
    std::array<std::int32_t, BlueNumbers> blue{}; // [k - 1]
};

class FrequencyCounter {
public:
    struct Access {
        std::function<int()> drawRows; // read at the start of each pass
        std::function<std::string(int row, int column)> drawCell;
        std::function<void(int row, int column, const std::string& text)> setCountCell;
        LetEventsRun letEventsRun; // after every row of every pass
    };

    explicit FrequencyCounter(Access access) : m_access(std::move(access)) {}

    // Six red passes (columns 3 .. 8) and the blue pass (column 9). Each time a
    // counter grows, its count cell is rewritten with the new total, so the
    // cell of a number that never occurs keeps what it held. Returns false when
    // letEventsRun asked to stop; the counts written until then stay.
    bool run();

    // The totals of the last run (all 0 before it).
    const FrequencyCounts& counts() const { return m_counts; }

private:
    bool pass(int column, int highest, std::int32_t* counters, int countColumn);

    Access m_access;
    FrequencyCounts m_counts;
};

} // namespace ssq::analysis
