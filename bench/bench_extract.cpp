// Decoding and draw extraction of results list pages in the results server's
// markup: one 20-draw page, and the whole history page by page.

#include "demo_server.h"
#include "history/results_page.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<ssq::demo::Draw>& history() {
    static const std::vector<ssq::demo::Draw> draws =
        ssq::demo::loadHistory(std::string(SSQ_SOURCE_DIR) + "/data/ssq_history.csv");
    return draws;
}

// The list pages the demo server would serve, newest draws first.
std::vector<std::string> listPages() {
    const auto& draws = history();
    const std::vector<ssq::demo::Draw> newestFirst(draws.rbegin(), draws.rend());
    const int total = static_cast<int>(newestFirst.size());
    const int pages = (total + 19) / 20;
    std::vector<std::string> out;
    for (int page = 1; page <= pages; ++page) {
        const auto first = newestFirst.begin() + (page - 1) * 20;
        const auto last = newestFirst.begin() + std::min(page * 20, total);
        out.push_back(ssq::demo::renderListPage({first, last}, page, pages, total));
    }
    return out;
}

const std::string& firstPage() {
    static const std::string page = listPages().front();
    return page;
}

const std::vector<std::string>& allPages() {
    static const std::vector<std::string> pages = listPages();
    return pages;
}

void report(benchmark::State& state, std::size_t bytes, std::size_t rows) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["draws"] = static_cast<double>(rows);
}

void BM_DecodePage(benchmark::State& state) {
    const std::string& body = firstPage();
    for (auto _ : state)
        benchmark::DoNotOptimize(ssq::history::decodePage(body));
    report(state, body.size(), 0);
}
BENCHMARK(BM_DecodePage);

void BM_ExtractPage(benchmark::State& state) {
    const std::string text = ssq::history::decodePage(firstPage());
    const ssq::history::DrawExtractor extractor;
    std::size_t rows = 0;
    for (auto _ : state) {
        auto r = extractor.extract(text);
        rows = r.size();
        benchmark::DoNotOptimize(r);
    }
    report(state, firstPage().size(), rows);
}
BENCHMARK(BM_ExtractPage);

void BM_DecodeAndExtractPage(benchmark::State& state) {
    const std::string& body = firstPage();
    const ssq::history::DrawExtractor extractor;
    std::size_t rows = 0;
    for (auto _ : state) {
        auto r = extractor.extract(ssq::history::decodePage(body));
        rows = r.size();
        benchmark::DoNotOptimize(r);
    }
    report(state, body.size(), rows);
}
BENCHMARK(BM_DecodeAndExtractPage);

// Every page of the history, one after the other, as a download reads them.
void BM_DecodeAndExtractWholeHistory(benchmark::State& state) {
    const ssq::history::DrawExtractor extractor;
    std::size_t rows = 0, bytes = 0;
    for (auto _ : state) {
        rows = bytes = 0;
        for (const std::string& body : allPages()) {
            auto r = extractor.extract(ssq::history::decodePage(body));
            rows += r.size();
            bytes += body.size();
            benchmark::DoNotOptimize(r);
        }
    }
    report(state, bytes, rows);
}
BENCHMARK(BM_DecodeAndExtractWholeHistory)->Unit(benchmark::kMillisecond);

// A hostile page: a real page followed by 100 KB of "<em" tags that never close.
// A plain search-all retries the lazy "<em.*?" from each of them to the end of
// the text (quadratic; Boost.Regex gives up after seconds with a complexity
// error); the extractor rules them out at once.
void BM_ExtractUnclosedEmTags(benchmark::State& state) {
    std::string text = ssq::history::decodePage(firstPage());
    for (int i = 0; i < 100000 / 3; ++i)
        text += "<em";
    const ssq::history::DrawExtractor extractor;
    std::size_t rows = 0;
    for (auto _ : state) {
        auto r = extractor.extract(text);
        rows = r.size();
        benchmark::DoNotOptimize(r);
    }
    report(state, text.size(), rows);
}
BENCHMARK(BM_ExtractUnclosedEmTags);

// A compiled pattern per page, as a caller without a long-lived extractor would pay.
void BM_CompilePattern(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ssq::history::DrawExtractor());
}
BENCHMARK(BM_CompilePattern);

} // namespace

BENCHMARK_MAIN();
