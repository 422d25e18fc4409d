// Cost of the number analysis over the whole bundled history: the 号码分析
// window opened on every draw, one viewport of the trend chart painted, the
// statistics alone, and 10,000 tickets checked against every draw (the core,
// and the ticket tab with its result page). Reported, never asserted.

#include "numbers/bundled_history.h"
#include "numbers/fairness.h"
#include "numbers/numbers_window.h"
#include "numbers/ticket_check.h"
#include "numbers/ticket_tab.h"
#include "numbers/trend_tab.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <memory>
#include <numeric>
#include <random>

namespace {

using namespace ssq::numbers;

const std::vector<Draw>& history() {
    static const std::vector<Draw> draws = bundledHistory().draws;
    return draws;
}

// 10,000 single tickets as pick-pane lines, the same every run.
std::string tenThousandTickets() {
    std::mt19937 random(2026);
    std::string text;
    std::vector<int> pool(kRedNumbers);
    for (int t = 0; t < 10000; ++t) {
        std::iota(pool.begin(), pool.end(), 1);
        std::shuffle(pool.begin(), pool.end(), random);
        std::sort(pool.begin(), pool.begin() + 6);
        for (int i = 0; i < 6; ++i)
            text += twoDigits(pool[static_cast<std::size_t>(i)]) + " ";
        text += std::to_string(1 + random() % kBlueNumbers) + "\r\n";
    }
    return text;
}

std::unique_ptr<NumbersWindow> openOnAllDraws() {
    auto window = std::make_unique<NumbersWindow>([] { return history(); });
    window->rangeBox()->setCurrentIndex(window->rangeBox()->findData(0));
    window->present();
    QApplication::processEvents();
    return window;
}

// The window made, every draw read, all tabs filled and the chart shown.
void BM_OpenTrendChartOfAllDraws(benchmark::State& state) {
    for (auto _ : state) {
        auto window = openOnAllDraws();
        benchmark::DoNotOptimize(window->trendTab()->model().rowCount());
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["draws"] = static_cast<double>(history().size());
}
BENCHMARK(BM_OpenTrendChartOfAllDraws)->Unit(benchmark::kMillisecond);

// One full viewport of the chart painted, halfway down the history.
void BM_PaintTrendViewport(benchmark::State& state) {
    auto window = openOnAllDraws();
    QTableView* view = window->trendTab()->view();
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
    QApplication::processEvents();
    for (auto _ : state)
        view->viewport()->repaint();
    state.counters["cells"] = static_cast<double>((view->viewport()->height() / 20 + 1) *
                                                  (view->viewport()->width() / 24 + 1));
}
BENCHMARK(BM_PaintTrendViewport)->Unit(benchmark::kMillisecond);

// Omissions, runs, figures and both fairness tests over every draw.
void BM_StatisticsOfAllDraws(benchmark::State& state) {
    for (auto _ : state) {
        const TrendTable table = buildTrend(history());
        benchmark::DoNotOptimize(redFigures(table));
        benchmark::DoNotOptimize(blueFigures(table));
        benchmark::DoNotOptimize(redFairness(table));
        benchmark::DoNotOptimize(blueFairness(table));
    }
}
BENCHMARK(BM_StatisticsOfAllDraws)->Unit(benchmark::kMillisecond);

// 10,000 ticket lines read and checked against every draw.
void BM_CheckTenThousandTicketsAgainstAllDraws(benchmark::State& state) {
    const std::string text = tenThousandTickets();
    std::vector<DrawBits> bits;
    for (const Draw& d : history())
        bits.push_back(drawBits(d));
    for (auto _ : state)
        benchmark::DoNotOptimize(checkTickets(parseTickets(text), bits));
}
BENCHMARK(BM_CheckTenThousandTicketsAgainstAllDraws)->Unit(benchmark::kMillisecond);

// The same through the ticket tab: typed text read, checked, result page and
// level table written.
void BM_TicketTabTenThousandAgainstAllDraws(benchmark::State& state) {
    auto window = openOnAllDraws();
    TicketTab* tab = window->ticketTab();
    tab->input()->setPlainText(QString::fromStdString(tenThousandTickets()));
    tab->periodBox()->setCurrentIndex(0);
    for (auto _ : state)
        tab->check();
}
BENCHMARK(BM_TicketTabTenThousandAgainstAllDraws)->Unit(benchmark::kMillisecond);

} // namespace
