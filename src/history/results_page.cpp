#include "history/results_page.h"

namespace ssq::history {

struct DrawExtractor::Impl {};

std::string listPagePath(int page) { return "/zhcw/html/ssq/list_" + std::to_string(page) + ".html"; }
std::string decodePage(std::string_view) { return {}; }
std::int32_t pageCount(std::string_view) { return 0; }
DrawExtractor::DrawExtractor() : m_impl(std::make_unique<Impl>()) {}
DrawExtractor::~DrawExtractor() = default;
DrawExtractor::DrawExtractor(DrawExtractor&&) noexcept = default;
DrawExtractor& DrawExtractor::operator=(DrawExtractor&&) noexcept = default;
std::vector<DrawFields> DrawExtractor::extract(std::string_view) const { return {}; }
std::vector<DrawFields> extractDraws(std::string_view pageText) { return DrawExtractor().extract(pageText); }

} // namespace ssq::history
