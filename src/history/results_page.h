#pragma once
// Reading the results list pages: pure functions of the page bytes.

#include <array>
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

// The draw-extraction pattern, compiled once and used for every page of a run.
class DrawExtractor {
public:
    DrawExtractor();
    ~DrawExtractor();
    DrawExtractor(DrawExtractor&&) noexcept;
    DrawExtractor& operator=(DrawExtractor&&) noexcept;

    // The draws of a page in page order: one row per complete block of ten
    // matches, leftover matches dropped. Never throws: if the regex engine gives
    // up on a pathological page, the rows of the blocks completed before are kept.
    std::vector<DrawFields> extract(std::string_view pageText) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Convenience for a single page.
std::vector<DrawFields> extractDraws(std::string_view pageText);

} // namespace ssq::history
