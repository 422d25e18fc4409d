// Any bytes as a results page body: decoding, the page-count rule and draw
// extraction must neither crash nor read out of bounds, and extraction must
// find exactly the draws of a plain Boost.Regex search-all, never more than
// the per-page cap.

#include "extraction_oracle.h"
#include "history/results_page.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <locale>
#include <string>
#include <string_view>

using ssq::testing::plainSearchAll;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ssq::history::DrawExtractor extractor;
    const std::string_view body(reinterpret_cast<const char*>(data), size);

    const std::string text = ssq::history::decodePage(body);
    if (text.find('\0') != std::string::npos)
        std::abort(); // the page text ends at the first zero byte
    (void)ssq::history::pageCount(text);
    // The rule also meets raw bytes that are not GB2312 at all.
    (void)ssq::history::pageCount(body);

    // Undecoded bytes too: the extractor must cope with any byte text.
    for (const std::string& input : {text, std::string(body)}) {
        const auto read = extractor.read(input);
        if (read.rows.size() > ssq::history::kMaxDrawsPerPage)
            std::abort();
        ssq::history::PageDraws expected;
        try {
            expected = plainSearchAll(input);
        } catch (const std::exception&) {
            continue; // the plain search gave up; nothing to compare with
        }
        if (read.rows != expected.rows || read.damaged != expected.damaged)
            std::abort();
    }
    return 0;
}
