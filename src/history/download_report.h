#pragma once
// DownloadReport: what a history download tells its user. It counts the pages
// that failed and why, decides when a run has gone on long enough without
// any draw, and words the label text and the list of failed pages.

#include <cstdint>
#include <string>
#include <vector>

namespace ssq::history {

// Why a list page gave no trustworthy draws.
enum class PageFailure {
    NoAnswer,  // no connection, a time-out or a broken transfer
    Status,    // an answer with a status other than 2xx
    TooLarge,  // a body over the fetch's size cap
    Redirects, // too many redirects, or one to a scheme other than http(s)
    NoDraws,   // a page without a single draw
    Damaged,   // a draw broken off, or more draws than a page or a run may give
};

class DownloadReport {
public:
    // A run stops after this many pages in a row that gave no draw.
    static constexpr int kMaxBarrenPages = 10;

    // One page read: how many draws it gave, and why it failed if it did
    // (status is the HTTP status of a PageFailure::Status).
    void pageRead(std::size_t draws);
    void pageFailed(std::int32_t page, std::size_t draws, PageFailure why, long status = 0);

    // True once kMaxBarrenPages pages in a row gave no draw: the run stops.
    bool exhausted() const { return m_barrenInARow >= kMaxBarrenPages; }
    bool anyFailed() const { return !m_failed.empty(); }
    std::size_t failedPages() const { return m_failed.size(); }

    // Code page 936 text of 标签3提示 after a run with failures (or one that
    // stopped): how many draws there are and how many pages failed.
    std::string hintText(std::int32_t totalDraws) const;
    // Code page 936 text of the box that lists the failed pages and why; the
    // first few are named, the rest counted.
    std::string failureList() const;

    static constexpr std::size_t kListedPages = 12;

private:
    struct Failed {
        std::int32_t page;
        PageFailure why;
        long status;
    };
    std::vector<Failed> m_failed;
    int m_barrenInARow = 0;
};

} // namespace ssq::history
