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

// Which sub-match gives field m (0-based) of a block.
constexpr int subMatchOfField(int m) {
    if (m == 0)
        return 1;
    if (m == 1)
        return 2;
    if (m == 9)
        return 4;
    return 3;
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
    const double value = text::number(
        text::middle(pageText, static_cast<int>(start), static_cast<int>(length)));
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

std::vector<DrawFields> DrawExtractor::extract(std::string_view pageText) const {
    std::vector<DrawFields> rows;
    if (!m_impl || pageText.empty())
        return rows;
    const char* const begin = pageText.data();
    const char* const end = begin + pageText.size();
    DrawFields block;
    int inBlock = 0;
    try {
        // Search all: each search starts where the previous match ended.
        boost::cregex_iterator it(begin, end, m_impl->pattern);
        for (const boost::cregex_iterator last; it != last; ++it) {
            const auto& sub = (*it)[subMatchOfField(inBlock)];
            block[static_cast<std::size_t>(inBlock)] = sub.matched ? sub.str() : std::string();
            if (++inBlock == kMatchesPerDraw) {
                rows.push_back(std::move(block));
                block = DrawFields();
                inBlock = 0;
            }
        }
    } catch (const std::exception&) {
        // The engine gave up (complexity or memory limit) on a pathological
        // page: the rows of the blocks completed so far stand, the rest is lost.
    }
    return rows;
}

std::vector<DrawFields> extractDraws(std::string_view pageText) {
    static const DrawExtractor extractor;
    return extractor.extract(pageText);
}

} // namespace ssq::history
