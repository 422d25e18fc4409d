// The local draw store and the stored history through the real window:
// storing the 3,493 bundled draws in a fresh store file (one transaction),
// showing them all in the draw table from a click on "读取双色球数据" when the
// list pages are gone (events run after every row), and a refresh when no
// source has anything new, with the requests it costs as a counter.

#include "app/main_window.h"
#include "demo_server.h"
#include "history/draw_table.h"
#include "sources/live_sources.h"
#include "store/draw_store.h"
#include "store/snapshot_csv.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

const std::vector<ssq::store::DrawRecord>& bundledDraws() {
    static const std::vector<ssq::store::DrawRecord> draws = [] {
        std::ifstream in(SSQ_SOURCE_DIR "/data/ssq_history.csv", std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return ssq::store::readSnapshotCsv(text.str()).draws;
    }();
    return draws;
}

void BM_StoreBundledHistory(benchmark::State& state) {
    QTemporaryDir folder;
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path =
            folder.filePath(QStringLiteral("s%1.sqlite").arg(n++)).toStdString();
        ssq::store::DrawStore store(path);
        state.ResumeTiming();
        const ssq::store::MergeResult result = store.merge(bundledDraws(), "snapshot");
        if (result.added != 3493)
            state.SkipWithError("not all draws stored");
    }
    state.counters["draws"] = 3493;
}
BENCHMARK(BM_StoreBundledHistory)->Unit(benchmark::kMillisecond)->UseRealTime();

// A demo server without list pages, whose live sources know only the bundled draws.
ssq::demo::Server& server() {
    static const std::unique_ptr<ssq::demo::Server> s = [] {
        ssq::demo::Options options;
        options.draws = ssq::demo::loadHistory(SSQ_SOURCE_DIR "/data/ssq_history.csv");
        options.listPages = false;
        auto started = std::make_unique<ssq::demo::Server>(std::move(options));
        if (!started->start(0))
            throw std::runtime_error("demo server did not start");
        return started;
    }();
    return *s;
}

std::unique_ptr<ssq::app::MainWindow> openWindow(const QTemporaryDir& folder) {
    ssq::app::AppConfig config;
    config.resultsServer = server().baseUrl();
    config.updateServer = server().baseUrl();
    config.sources = {server().baseUrl(), server().baseUrl(), server().baseUrl()};
    config.storePath = folder.filePath(QStringLiteral("draws.sqlite")).toStdString();
    auto window = std::make_unique<ssq::app::MainWindow>(config);
    window->create();
    window->show();
    window->drawStore(); // opened and seeded before the timing
    QApplication::processEvents();
    return window;
}

// The live sources alone, asked after the latest bundled draw: the part of a
// click that the network takes.
void BM_RefreshNothingNew(benchmark::State& state) {
    const std::string base = server().baseUrl();
    int requests = 0;
    for (auto _ : state) {
        const ssq::sources::Refresh refresh =
            ssq::sources::askSources({base, base, base}, {}, 2026096, 2026);
        requests = 0;
        for (const ssq::sources::SourceAttempt& a : refresh.attempts)
            requests += a.requests;
        if (!refresh.draws.empty() || !refresh.anyAnswered)
            state.SkipWithError("expected nothing new");
    }
    state.counters["requests"] = requests;
}
BENCHMARK(BM_RefreshNothingNew)->Unit(benchmark::kMillisecond)->UseRealTime();

void clickRead(ssq::app::MainWindow& window) {
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("读数据按钮")), Qt::LeftButton);
}

void BM_ShowStoredHistory(benchmark::State& state) {
    QTemporaryDir folder;
    auto window = openWindow(folder);
    auto* table = window->findChild<ssq::history::DrawTable*>(QStringLiteral("超级列表框开奖数据"));
    int rows = 0;
    std::size_t requests = 0;
    for (auto _ : state) {
        const std::size_t before = server().targets().size();
        clickRead(*window); // returns when the label is written
        requests = server().targets().size() - before;
        rows = table->rows();
    }
    state.counters["rows"] = rows;
    // The list-page probe plus one request per source with nothing new.
    state.counters["requests"] = static_cast<double>(requests);
}
BENCHMARK(BM_ShowStoredHistory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
