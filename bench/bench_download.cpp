// End-to-end timing of the full history through the real window: 175 list
// pages / 3,493 draws from the loopback demo server, from the click on
// "读取双色球数据" to the completion label, and the frequency count over them
// from the click on "分析号码" to 按钮1计算 enabled. The window is shown (on
// the offscreen platform unless another is chosen), so every repaint the
// user would get is paid for. Resident memory is reported as counters.

#include "app/main_window.h"
#include "demo_server.h"
#include "history/draw_table.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

namespace {

// VmRSS / VmHWM of this process in MiB.
double statusMiB(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::stod(line.substr(std::string(key).size())) / 1024.0;
    return 0;
}

ssq::demo::Server& server() {
    static const std::unique_ptr<ssq::demo::Server> s = [] {
        ssq::demo::Options options;
        options.draws = ssq::demo::loadHistory(SSQ_SOURCE_DIR "/data/ssq_history.csv");
        auto started = std::make_unique<ssq::demo::Server>(std::move(options));
        if (!started->start(0))
            throw std::runtime_error("demo server did not start");
        return started;
    }();
    return *s;
}

std::unique_ptr<ssq::app::MainWindow> openWindow() {
    ssq::app::AppConfig config;
    config.resultsServer = server().baseUrl();
    config.updateServer = server().baseUrl();
    auto window = std::make_unique<ssq::app::MainWindow>(config);
    window->create();
    window->show();
    QApplication::processEvents();
    return window;
}

template <typename T> T* control(ssq::app::MainWindow& window, const char* name) {
    return window.findChild<T*>(QString::fromUtf8(name));
}

void reportMemory(benchmark::State& state) {
    state.counters["rss_MiB"] = statusMiB("VmRSS:");
    state.counters["peak_rss_MiB"] = statusMiB("VmHWM:");
}

void BM_DownloadFullHistory(benchmark::State& state) {
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = openWindow();
        auto* read = control<QPushButton>(*window, "读数据按钮");
        auto* hint = control<QLabel>(*window, "标签3提示");
        state.ResumeTiming();

        QTest::mouseClick(read, Qt::LeftButton); // returns when the label is written

        state.PauseTiming();
        if (hint->text().isEmpty())
            state.SkipWithError("the download did not finish");
        rows = control<ssq::history::DrawTable>(*window, "超级列表框开奖数据")->rows();
        reportMemory(state);
        window.reset();
        state.ResumeTiming();
    }
    state.counters["pages"] = server().pageCount();
    state.counters["rows"] = rows;
}
BENCHMARK(BM_DownloadFullHistory)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_CountFullHistory(benchmark::State& state) {
    auto window = openWindow();
    QTest::mouseClick(control<QPushButton>(*window, "读数据按钮"), Qt::LeftButton);
    auto* analyse = control<QPushButton>(*window, "按钮1分析");
    auto* compute = control<QPushButton>(*window, "按钮1计算");
    for (auto _ : state) {
        QTest::mouseClick(analyse, Qt::LeftButton); // returns when the count has ended
        if (!compute->isEnabled())
            state.SkipWithError("the count did not finish");
    }
    state.counters["rows"] =
        control<ssq::history::DrawTable>(*window, "超级列表框开奖数据")->rows();
    reportMemory(state);
}
BENCHMARK(BM_CountFullHistory)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
