#pragma once
// HistoryDownloader: the command behind 读数据按钮 ("读取双色球数据"). It reads
// list pages 1 .. P of the results server, appends one row per extracted draw
// to the DrawTable, advances 进度条1 once per page, reports the total in
// 标签3提示 and enables 按钮1分析. Every row it appends is also kept in the
// local draw store. When the results server gave no pages and no list-page
// run has completed, a run asks the live sources for newer draws instead and
// shows the whole stored history, saying honestly where it came from.

#include "history/results_page.h"
#include "platform/event_pump.h"
#include "platform/http_fetch.h"
#include "sources/live_sources.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

namespace ssq::history {

class DrawTable;
}
namespace ssq::store {
class DrawStore;
}
namespace ssq::history {

class HistoryDownloader : public QObject {
    Q_OBJECT
public:
    struct Controls {
        DrawTable* table = nullptr;
        QProgressBar* progress = nullptr;
        QLabel* hint = nullptr;
        QPushButton* analyseButton = nullptr;
    };

    // Where draws are kept and where newer ones are asked for. Without a store
    // the command reads list pages only.
    struct LocalHistory {
        // The opened store (seeded on first use), or null when there is none.
        std::function<store::DrawStore*()> store;
        sources::SourceServers sources;
        // The year up to which newer periods are asked for (the current year).
        std::function<int()> currentYear;
        // Says that no results server could be reached (an InfoBox).
        std::function<void()> noServerBox;
    };

    enum class Outcome {
        Finished, // every page was tried, or the run gave up on barren pages
        Refused,  // a run was already going on; nothing was touched
        Stopped,  // the window is closing; the run ended at an event pump
    };

    HistoryDownloader(std::string resultsServer, platform::FetchOptions fetch, Controls controls,
                      platform::LetEventsRun letEventsRun, LocalHistory local = {},
                      QObject* parent = nullptr);

    // A run takes at most this many draws; pages beyond count as damaged.
    static constexpr std::int32_t kMaxDrawsPerRun = 100000;

    // Runs the download. Pending window events run after every appended row
    // and after every page; a second start while a run lets events run is
    // refused, so rows of two runs never interleave. After Stopped no control
    // is touched again.
    //
    // Pages that fail (no answer, a status other than 2xx, a body over the
    // cap, no draw, a damaged page) keep the draws they gave and are counted: the label then says
    // how many draws were read and how many pages failed instead of the completion text, and an
    // InfoBox lists the failed pages. The run stops early after DownloadReport::kMaxBarrenPages
    // pages in a row without a draw.
    Outcome run();
    bool running() const { return m_running; }

    // The list pages the next run reads; the page-count probe at start-up sets
    // it, and a finished run sets it back to 0, so the pages are read once.
    std::int32_t pageCount() const { return m_pageCount; }
    void setPageCount(std::int32_t pages) { m_pageCount = pages; }
    // The serial of the last appended row; never reset.
    std::int32_t drawSerial() const { return m_drawSerial; }

private:
    Outcome readListPages();
    Outcome showStoredHistory();
    void keep(const std::vector<DrawFields>& pageDraws);

    std::string m_resultsServer;
    platform::FetchOptions m_fetch;
    Controls m_controls;
    platform::LetEventsRun m_letEventsRun;
    bool m_running = false;
    std::int32_t m_pageCount = 0;
    std::int32_t m_drawSerial = 0;
    LocalHistory m_local;
    bool m_listRunDone = false; // a list-page run completed in this process
};

} // namespace ssq::history
