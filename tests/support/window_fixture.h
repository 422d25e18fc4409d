#pragma once
// Shared set-up of the window tests: a real loopback demo server and a real
// MainWindow pointed at it, plus what the rows of the draw table must hold.

#include "app/main_window.h"
#include "demo_server.h"

#include <QObject>
#include <QString>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace ssq::testing {

inline std::string groupThousands(const std::string& digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

inline const char* historyFile() {
    return SSQ_SOURCE_DIR "/data/ssq_history.csv";
}

inline std::vector<demo::Draw> realHistory() {
    return demo::loadHistory(historyFile());
}

// The draws of the history file read here, apart from the demo server's own
// reader: date, period, six reds, blue and sales as the draw table shows them
// (columns 1 .. 10), oldest first.
inline std::vector<std::vector<std::string>> historyRows() {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(historyFile());
    std::string line;
    std::getline(in, line); // the column names
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');)
            f.push_back(cell);
        if (f.size() < 10)
            continue;
        std::vector<std::string> row{f[1], "20" + f[0]};
        for (int i = 2; i <= 8; ++i)
            row.push_back((f[i].size() == 1 ? "0" : "") + f[i]);
        row.push_back(groupThousands(f[9]));
        rows.push_back(std::move(row));
    }
    return rows;
}

// The first `count` draws of the real history (oldest first).
inline std::vector<demo::Draw> oldestDraws(std::size_t count) {
    std::vector<demo::Draw> all = realHistory();
    all.resize(std::min(count, all.size()));
    return all;
}

// A demo server on a free loopback port.
inline std::unique_ptr<demo::Server> startServer(demo::Options options) {
    auto server = std::make_unique<demo::Server>(std::move(options));
    if (!server->start(0))
        throw std::runtime_error("demo server did not start");
    return server;
}

// A demo server serving the first `count` draws of the real history.
inline std::unique_ptr<demo::Server> startServerOfOldest(std::size_t count) {
    demo::Options options;
    options.draws = oldestDraws(count);
    return startServer(std::move(options));
}

// The window against that server with short client time-outs, after the
// window-creation sequence (page-count probe, frequency table fill, ...).
inline std::unique_ptr<app::MainWindow> openWindow(const demo::Server& server) {
    app::AppConfig config;
    config.resultsServer = server.baseUrl();
    config.updateServer = server.baseUrl();
    config.fetch.connectTimeoutMs = 2000;
    config.fetch.stallSeconds = 1;
    auto window = std::make_unique<app::MainWindow>(config);
    window->create();
    return window;
}

template <typename T> T* control(const QObject& window, const char* objectName) {
    T* found = window.findChild<T*>(QString::fromUtf8(objectName));
    if (!found)
        throw std::runtime_error(std::string("no control ") + objectName);
    return found;
}

} // namespace ssq::testing
