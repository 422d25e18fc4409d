#include "history/results_page.h"

#include "text/codec.h"
#include "text/gbk_text.h"

#include <boost/regex.hpp>

#include <cmath>
#include <limits>
#include <locale>

namespace ssq::history {

namespace {

// Each draw of a list page gives ten matches in this order: the date, the
// seven-digit period, six red numbers and the blue number (each the first two
// digits before "</em>" after an "<em" tag), and the sales cell.
constexpr const char* kDrawPattern =
    R"((\d{1,4}-\d{1,2}-\d{1,2})|(\d{7})|<em.*?(\d{2})</em>|<td><strong>(.*?)</strong></td>)";

constexpr int kMatchesPerDraw = 10;

// The kind of match that gives field m (0-based) of a draw.
constexpr MatchKind kindOfField(int m) {
    if (m == 0)
        return MatchKind::Date;
    if (m == 1)
        return MatchKind::Period;
    if (m == kMatchesPerDraw - 1)
        return MatchKind::Sales;
    return MatchKind::Ball;
}

} // namespace

struct DrawExtractor::Impl {
    boost::regex pattern;
};

std::string listPagePath(int page) {
    return "/zhcw/html/ssq/list_" + std::to_string(page) + ".html";
}

std::string decodePage(std::string_view body) {
    if (body.empty())
        return {};
    std::string text = text::utf8To(text::Charset::Gb2312, body);
    if (const auto zero = text.find('\0'); zero != std::string::npos)
        text.resize(zero);
    return text;
}

std::int32_t pageCount(std::string_view pageText) {
    static const std::string kTotal = text::gbk("共");
    static const std::string kPages = text::gbk("页");
    // The count sits between "共<strong>" and "</strong> 页": ten bytes after
    // the first byte of 共 up to ten bytes before the first byte of 页.
    const std::int64_t a = text::find(pageText, kTotal);
    const std::int64_t b = text::find(pageText, kPages);
    const std::int64_t start = a + 10;
    const std::int64_t length = b - a - 20;
    if (start > std::numeric_limits<int>::max() || length > std::numeric_limits<int>::max())
        return 0;
    const double value =
        text::number(text::middle(pageText, static_cast<int>(start), static_cast<int>(length)));
    // Truncate toward zero; a count past the int32 range saturates instead of
    // being undefined.
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::int32_t probedPageCount(std::string_view pageText) {
    const std::int32_t count = pageCount(pageText);
    return count > kMaxListPages ? 0 : count;
}

bool DrawBlocks::add(MatchKind kind, std::string_view text) {
    if (m_full)
        return false;
    if (kind != kindOfField(m_filled)) {
        // A match out of place. Only a stray date or period number before a
        // draw's balls is harmless; anything else broke a draw off.
        const bool beforeBalls =
            m_filled <= 1 && (kind == MatchKind::Date || kind == MatchKind::Period);
        if (!beforeBalls)
            m_result.damaged = true;
        m_filled = 0;
        if (kind != MatchKind::Date)
            return true; // wait for the next date
    }
    m_block[static_cast<std::size_t>(m_filled)] = std::string(text);
    if (++m_filled < kMatchesPerDraw)
        return true;
    m_filled = 0;
    if (m_result.rows.size() == kMaxDrawsPerPage) {
        m_result.damaged = true;
        m_full = true;
        return false;
    }
    m_result.rows.push_back(std::move(m_block));
    m_block = DrawFields();
    return true;
}

PageDraws DrawBlocks::finish() {
    // A draw left incomplete at the end is dropped; one that got past its
    // date and period was a draw, and the page lost it.
    if (m_filled >= 2)
        m_result.damaged = true;
    m_filled = 0;
    return std::move(m_result);
}

DrawExtractor::DrawExtractor() : m_impl(std::make_unique<Impl>()) {
    // The classic locale keeps \d to the ASCII digits and letter case to ASCII,
    // whatever locale the program runs under; mod_s lets "." cross line breaks.
    m_impl->pattern.imbue(std::locale::classic());
    m_impl->pattern.assign(kDrawPattern,
                           boost::regex::perl | boost::regex::icase | boost::regex::mod_s);
}

DrawExtractor::~DrawExtractor() = default;
DrawExtractor::DrawExtractor(DrawExtractor&&) noexcept = default;
DrawExtractor& DrawExtractor::operator=(DrawExtractor&&) noexcept = default;

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool startsWithNoCase(std::string_view text, std::size_t at, std::string_view lowerLiteral) {
    if (text.size() - at < lowerLiteral.size())
        return false;
    for (std::size_t k = 0; k < lowerLiteral.size(); ++k) {
        char c = text[at + k];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerLiteral[k])
            return false;
    }
    return true;
}

// Where a match of the draw pattern can begin. Boost.Regex cannot skip ahead
// for a pattern with the "\d{7}" alternative and would run its whole matcher
// at every byte of the page; this filter hands it only the positions where
// one of the four alternatives can succeed, so the matches found, and their
// order, are the same as those of a plain search-all.
class MatchStarts {
public:
    explicit MatchStarts(std::string_view text) : m_text(text) {
        // The lazy "<em.*?(\d{2})</em>" succeeds from an "<em" exactly when
        // "NN</em>" occurs at or after the end of that "<em"; likewise
        // "<td><strong>(.*?)</strong></td>" needs a later "</strong></td>".
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '<')
                continue;
            if (i >= 2 && isDigit(text[i - 1]) && isDigit(text[i - 2]) &&
                startsWithNoCase(text, i, "</em>"))
                m_lastEmEnd = i - 2;
            if (startsWithNoCase(text, i, "</strong></td>"))
                m_lastCellEnd = i;
        }
    }

    bool canStartAt(std::size_t i) {
        const char c = m_text[i];
        if (isDigit(c)) {
            if (i >= m_runEnd) {
                m_runEnd = i;
                while (m_runEnd < m_text.size() && isDigit(m_text[m_runEnd]))
                    ++m_runEnd;
            }
            // Digits run from i to m_runEnd: seven of them make a period; one
            // to four followed by "-" and a digit may begin a date.
            const std::size_t run = m_runEnd - i;
            return run >= 7 || (run <= 4 && m_runEnd + 1 < m_text.size() &&
                                m_text[m_runEnd] == '-' && isDigit(m_text[m_runEnd + 1]));
        }
        if (c != '<')
            return false;
        if (startsWithNoCase(m_text, i, "<em"))
            return m_lastEmEnd != kNone && m_lastEmEnd >= i + 3;
        if (startsWithNoCase(m_text, i, "<td><strong>"))
            return m_lastCellEnd != kNone && m_lastCellEnd >= i + 12;
        return false;
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::string_view m_text;
    std::size_t m_lastEmEnd = kNone;   // start of the last "NN</em>"
    std::size_t m_lastCellEnd = kNone; // start of the last "</strong></td>"
    std::size_t m_runEnd = 0;          // end of the digit run last measured
};

} // namespace

std::vector<DrawFields> DrawExtractor::extract(std::string_view pageText) const {
    return read(pageText).rows;
}

PageDraws DrawExtractor::read(std::string_view pageText) const {
    DrawBlocks blocks;
    if (!m_impl || pageText.empty())
        return blocks.finish();
    const char* const begin = pageText.data();
    const char* const end = begin + pageText.size();
    bool gaveUp = false;
    try {
        // Search all: the leftmost match, then the next one from where it
        // ended. At each position the pattern is tried anchored, as a search
        // would try it there.
        MatchStarts starts(pageText);
        boost::match_results<const char*> match;
        std::size_t i = 0;
        while (i < pageText.size()) {
            if (!starts.canStartAt(i)) {
                ++i;
                continue;
            }
            const auto flags =
                boost::match_continuous | (i > 0 ? boost::match_prev_avail : boost::match_default);
            if (!boost::regex_search(begin + i, end, match, m_impl->pattern, flags)) {
                ++i;
                continue;
            }
            // Exactly one of the four groups took part: the one of the
            // alternative that matched.
            int group = 1;
            while (group < 4 && !match[group].matched)
                ++group;
            const auto& sub = match[group];
            const std::string_view field(sub.first,
                                         static_cast<std::size_t>(sub.second - sub.first));
            if (!blocks.add(static_cast<MatchKind>(group - 1), field))
                break;
            i = static_cast<std::size_t>(match[0].second - begin); // never an empty match
        }
    } catch (const std::exception&) {
        // The engine gave up (complexity or memory limit) on a pathological
        // page: the draws completed so far stand, the rest is lost.
        gaveUp = true;
    }
    PageDraws result = blocks.finish();
    result.damaged = result.damaged || gaveUp;
    return result;
}

std::vector<DrawFields> extractDraws(std::string_view pageText) {
    static const DrawExtractor extractor;
    return extractor.extract(pageText);
}

} // namespace ssq::history
