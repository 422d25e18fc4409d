#include "analysis/frequency_counter.h"

namespace ssq::analysis {
namespace {

// "01" .. "33": the search texts in ascending order.
constexpr std::array<std::array<char, 2>, RedNumbers> searchTexts = [] {
    std::array<std::array<char, 2>, RedNumbers> texts{};
    for (int n = 1; n <= RedNumbers; ++n)
        texts[static_cast<std::size_t>(n - 1)] = {static_cast<char>('0' + n / 10),
                                                  static_cast<char>('0' + n % 10)};
    return texts;
}();

} // namespace

int firstNumberIn(std::string_view cell, int highest) {
    if (cell.size() < 2)
        return 0;
    for (int n = 1; n <= highest && n <= RedNumbers; ++n) {
        const auto& t = searchTexts[static_cast<std::size_t>(n - 1)];
        if (cell.find(std::string_view(t.data(), t.size())) != std::string_view::npos)
            return n;
    }
    return 0;
}

bool FrequencyCounter::run() {
    m_counts = {};
    for (int c = 0; c < history::RedsPerDraw; ++c)
        if (!pass(history::draw_column::FirstRed + c, RedNumbers, m_counts.red.data(),
                  frequency_column::RedCount))
            return false;
    return pass(history::draw_column::Blue, BlueNumbers, m_counts.blue.data(),
                frequency_column::BlueCount);
}

bool FrequencyCounter::pass(int column, int highest, std::int32_t* counters, int countColumn) {
    const int rows = m_access.drawRows();
    for (int r = 0; r < rows; ++r) {
        if (const int n = firstNumberIn(m_access.drawCell(r, column), highest); n > 0) {
            std::int32_t& counter = counters[n - 1];
            ++counter;
            m_access.setCountCell(n - 1, countColumn, std::to_string(counter));
        }
        if (!m_access.letEventsRun())
            return false;
    }
    return true;
}

} // namespace ssq::analysis
