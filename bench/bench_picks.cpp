// Cost of random picks: one tick of 时钟1计算 through the real window with the
// ticket count typed into 编辑框1注数, and the pane work alone for counts the
// one-character box cannot hold (100 to 10,000 tickets), to show that a tick
// grows in proportion to its tickets. Reported, never asserted.

#include "app/main_window.h"
#include "picks/char_format.h"
#include "picks/pick_handlers.h"
#include "picks/pick_lines.h"
#include "picks/pick_pane.h"
#include "picks/random_picks.h"
#include "picks/random_source.h"
#include "platform/period_timer.h"
#include "platform/tick_count.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The core alone: seven reseeds and draws and the two texts of one ticket.
void BM_DrawTicket(benchmark::State& state) {
    std::uint32_t counter = 0;
    ssq::picks::RandomSource source(counter, ssq::platform::tickCountMs);
    for (auto _ : state) {
        const ssq::picks::Ticket t = ssq::picks::drawTicket(source);
        benchmark::DoNotOptimize(ssq::picks::randomRedPart(t));
        benchmark::DoNotOptimize(ssq::picks::randomBluePart(t));
    }
}
BENCHMARK(BM_DrawTicket);

std::unique_ptr<ssq::app::MainWindow> makeWindow() {
    ssq::app::AppConfig config;
    config.resultsServer = "http://127.0.0.1:1"; // closed: start-up fetches nothing
    config.updateServer = config.resultsServer;
    auto window = std::make_unique<ssq::app::MainWindow>(config);
    window->create();
    window->show();
    QCoreApplication::processEvents();
    return window;
}

// One tick as the timer delivers it: clear the pane, read the count, write
// the tickets; the pane is shown, so the view follows the caret as it does
// for the user.
void BM_WindowTick(benchmark::State& state) {
    auto window = makeWindow();
    window->findChild<QCheckBox*>(QStringLiteral("选择框1随机"))->click();
    window->findChild<QLineEdit*>(QStringLiteral("编辑框1注数"))
        ->setText(QString::number(state.range(0)));
    auto* timer = window->findChild<ssq::platform::PeriodTimer*>(QStringLiteral("时钟1计算"));
    for (auto _ : state)
        QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WindowTick)->Arg(5)->Arg(9)->Unit(benchmark::kMicrosecond);

// Clear, then N lines in the window's two pick formats; with repaint, also the
// repaint that follows the tick on screen.
void paneTicks(benchmark::State& state, bool repaint) {
    auto window = makeWindow();
    auto* pane = window->findChild<ssq::picks::PickPane*>(QStringLiteral("超级编辑框1随机号码"));
    const auto* handlers =
        window->findChild<ssq::picks::PickHandlers*>(QStringLiteral("PickHandlers"));
    std::uint32_t counter = 0;
    ssq::picks::RandomSource source(counter, ssq::platform::tickCountMs);
    const auto count = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        pane->clear();
        ssq::picks::writeRandomTickets(*pane, count, source, handlers->redFormat(),
                                       handlers->blueFormat());
        if (repaint)
            pane->viewport()->repaint();
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same pane work as a tick for larger counts.
void BM_PaneTick(benchmark::State& state) {
    paneTicks(state, false);
}
BENCHMARK(BM_PaneTick)
    ->Arg(9)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);

// As above, and then the repaint.
void BM_PaneTickAndRepaint(benchmark::State& state) {
    paneTicks(state, true);
}
BENCHMARK(BM_PaneTickAndRepaint)
    ->Arg(9)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);

} // namespace
