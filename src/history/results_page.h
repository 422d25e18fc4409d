#pragma once
// Reading the results list pages: pure functions of the page bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ssq::history {

// Ten texts cut out of one draw: date, period, six reds, blue, sales amount,
// copied byte for byte from the page text (empty where a sub-match took no part).
using DrawFields = std::array<std::string, 10>;

// Path of results list page n on the results server ("/zhcw/html/ssq/list_1.html").
std::string listPagePath(int page);

// Page body (UTF-8) -> page text (GB2312 bytes, up to the first zero byte).
// A character GB2312 lacks, or an invalid UTF-8 sequence, becomes one "?".
std::string decodePage(std::string_view body);

// The number of list pages the page text announces; 0 when it holds none.
std::int32_t pageCount(std::string_view pageText);

// No real history comes near this many list pages (it grows by about eight a
// year); a start-up probe that announces more is taken as damaged.
inline constexpr std::int32_t kMaxListPages = 100000;

// The page count of the start-up probe's page text: pageCount(), or 0 when the
// announced count is beyond kMaxListPages.
std::int32_t probedPageCount(std::string_view pageText);

// At most this many draws are taken from one page (a real list page holds 20 to
// 30); a page that holds more counts as damaged.
inline constexpr std::size_t kMaxDrawsPerPage = 200;

// Which alternative of the draw pattern a match came from, in the order of the
// pattern's groups.
enum class MatchKind { Date, Period, Ball, Sales };

// The draws of one page, and whether the page was damaged: a draw broken off
// (its matches not in the order date, period, six reds and blue, sales), or
// more than kMaxDrawsPerPage draws. The draws that were whole are kept either way.
struct PageDraws {
    std::vector<DrawFields> rows;
    bool damaged = false;
};

// Groups the matches of one page, in page order, into draws. A block of ten
// matches is a draw only when its fields come in the expected order; after a
// match out of place the builder waits for the next date. Stray dates and
// seven-digit numbers outside a draw cost nothing; a broken-off draw (one that
// got past its date and period, or balls and sales without them) marks the
// page damaged, and so does a trailing draw left incomplete at the end.
class DrawBlocks {
public:
    // Takes the next match. False once the page has given more draws than
    // kMaxDrawsPerPage: the rest of the page need not be read.
    bool add(MatchKind kind, std::string_view text);
    // The draws taken; call once, after the last match.
    PageDraws finish();

private:
    PageDraws m_result;
    DrawFields m_block;
    int m_filled = 0; // fields of m_block taken so far
    bool m_full = false;
};

// The draw-extraction pattern, compiled once and used for every page of a run.
class DrawExtractor {
public:
    DrawExtractor();
    ~DrawExtractor();
    DrawExtractor(DrawExtractor&&) noexcept;
    DrawExtractor& operator=(DrawExtractor&&) noexcept;

    // The draws of a page in page order, grouped by DrawBlocks. Never throws:
    // if the regex engine gives up on a pathological page, the draws completed
    // before are kept and the page counts as damaged.
    PageDraws read(std::string_view pageText) const;
    // Only the rows of read().
    std::vector<DrawFields> extract(std::string_view pageText) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Convenience for a single page.
std::vector<DrawFields> extractDraws(std::string_view pageText);

} // namespace ssq::history
