// The draw history through the real window with a local draw store in a
// temporary folder, against the real demo server: list pages answering (the
// run unchanged, its rows stored), list pages gone and each live source in
// turn, every source down, and a later click after new draws were published.

#include "box_answerer.h"
#include "history/draw_table.h"
#include "store/draw_store.h"
#include "window_fixture.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace ssq;
using demo::LiveSource;
using demo::SourceFault;

namespace {

// Made-up draws after the bundled history, which ends at 2026096.
demo::Draw madeUp(int period) {
    demo::Draw d;
    d.period = std::to_string(period);
    d.date = "2026-09-" + std::to_string(10 + period % 10);
    d.reds = {2, 7, 13, 19 + period % 5, 28, 31};
    d.blue = 1 + period % 16;
    d.sales = "3" + std::to_string(period); // 8 digits
    d.pool = "900000000";
    return d;
}

std::vector<demo::Draw> madeUpRange(int first, int last) {
    std::vector<demo::Draw> draws;
    for (int p = first; p <= last; ++p)
        draws.push_back(madeUp(p));
    return draws;
}

struct StoredWindow {
    QTemporaryDir folder;
    std::unique_ptr<demo::Server> server;
    std::unique_ptr<app::MainWindow> window;
    history::DrawTable* table = nullptr;
    QLabel* hint = nullptr;
    QProgressBar* progress = nullptr;

    // A server of the real history plus `published`, list pages served or not.
    StoredWindow(const std::vector<demo::Draw>& published, bool listPages,
                 std::vector<demo::Draw> listDraws = {}) {
        demo::Options options;
        if (listDraws.empty()) {
            options.draws = testing::realHistory();
            options.draws.insert(options.draws.end(), published.begin(), published.end());
        } else {
            options.draws = std::move(listDraws);
        }
        options.listPages = listPages;
        server = testing::startServer(std::move(options));
        app::AppConfig config;
        config.resultsServer = server->baseUrl();
        config.updateServer = server->baseUrl();
        config.sources = {server->baseUrl(), server->baseUrl(), server->baseUrl()};
        config.storePath = folder.filePath(QStringLiteral("data/draws.sqlite")).toStdString();
        config.fetch.connectTimeoutMs = 2000;
        config.fetch.stallSeconds = 1;
        window = std::make_unique<app::MainWindow>(config);
        window->create();
        table = testing::control<history::DrawTable>(*window, "超级列表框开奖数据");
        hint = testing::control<QLabel>(*window, "标签3提示");
        progress = testing::control<QProgressBar>(*window, "进度条1");
    }

    void clickRead() {
        QTest::mouseClick(testing::control<QPushButton>(*window, "读数据按钮"), Qt::LeftButton);
    }
    // Serials run from 1, newest first, periods without repeats.
    QString orderProblem() const {
        for (int r = 0; r < table->rows(); ++r) {
            if (table->cell(r, 0) != std::to_string(r + 1))
                return QStringLiteral("row %1: serial").arg(r);
            if (r > 0 && std::stoi(table->cell(r, 2)) >= std::stoi(table->cell(r - 1, 2)))
                return QStringLiteral("row %1: period not older").arg(r);
        }
        return {};
    }
};

} // namespace

class StoredHistoryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void listPagesRunUnchangedAndRowsStored() {
        // Three pages' worth would do; one page of made-up newer draws shows
        // that the rows reach the store.
        StoredWindow w({}, true, madeUpRange(2026097, 2026099));
        w.clickRead();
        QCOMPARE(w.hint->text(), QStringLiteral("提示：双色球数据共有 3 期 提取完毕！"));
        QCOMPARE(w.table->rows(), 3);
        store::DrawStore* stored = w.window->drawStore();
        QCOMPARE(stored->count(), 3493 + 3);
        QCOMPARE(stored->latestPeriod(), 2026099);
        QCOMPARE(stored->draws(store::Order::NewestFirst).front().source,
                 std::string("list pages"));
        // A second click adds nothing and shows the same total, as before.
        w.clickRead();
        QCOMPARE(w.table->rows(), 3);
        QCOMPARE(w.hint->text(), QStringLiteral("提示：双色球数据共有 3 期 提取完毕！"));
        QCOMPARE(w.server->requests("/port/client_json.php"), 0);
    }

    void listPagesGoneEachSourceInTurn_data() {
        QTest::addColumn<int>("brokenSources");
        QTest::addColumn<QString>("sourceName");
        QTest::newRow("zhcw") << 0 << QStringLiteral("中彩网");
        QTest::newRow("cwl") << 1 << QStringLiteral("中国福利彩票网");
        QTest::newRow("text file") << 2 << QStringLiteral("开奖历史文本");
    }
    void listPagesGoneEachSourceInTurn() {
        QFETCH(int, brokenSources);
        QFETCH(QString, sourceName);
        StoredWindow w(madeUpRange(2026097, 2026100), false);
        if (brokenSources > 0)
            w.server->setSourceFault(LiveSource::Zhcw, SourceFault::Forbidden);
        if (brokenSources > 1)
            w.server->setSourceFault(LiveSource::Cwl, SourceFault::HtmlPage);
        testing::BoxAnswerer boxes;
        w.clickRead();
        QCOMPARE(w.hint->text(),
                 QStringLiteral("提示：共 3,497 期，最新 2026100 期（来源：本地历史 + %1 4 期）")
                     .arg(sourceName));
        QVERIFY(boxes.seen.empty());
        QCOMPARE(w.table->rows(), 3497);
        QCOMPARE(w.orderProblem(), QString());
        QCOMPARE(w.progress->value(), 3497);
        QCOMPARE(w.progress->maximum(), 3497);
        // The newest row as a list page would show it; the oldest from the bundled history.
        const std::vector<std::string> newest{"2026-09-10", "2026100", "02", "07", "13",
                                              "19",         "28",      "31", "05", "32,026,100"};
        for (int c = 1; c <= 10; ++c)
            QCOMPARE(w.table->cell(0, c), newest[static_cast<std::size_t>(c - 1)]);
        const std::vector<std::string> oldest = testing::historyRows().front();
        for (int c = 1; c <= 10; ++c)
            QCOMPARE(w.table->cell(3496, c), oldest[static_cast<std::size_t>(c - 1)]);
    }

    void allSourcesDownShowsStoredHistoryAndSaysSo() {
        StoredWindow w(madeUpRange(2026097, 2026097), false);
        w.server->setSourceFault(LiveSource::Zhcw, SourceFault::ErrorCode);
        w.server->setSourceFault(LiveSource::Cwl, SourceFault::Forbidden);
        w.server->setSourceFault(LiveSource::Text, SourceFault::Truncated);
        testing::BoxAnswerer boxes;
        w.clickRead();
        QCOMPARE(
            w.hint->text(),
            QStringLiteral("提示：无法连接开奖服务器，显示本地历史 3,493 期，截至 2026096 期"));
        QVERIFY(!w.hint->text().contains(QStringLiteral("提取完毕")));
        QCOMPARE(w.table->rows(), 3493);
        QCOMPARE(w.orderProblem(), QString());
        QTRY_COMPARE(boxes.seen.size(), std::size_t(1));
        QVERIFY(boxes.seen[0].text.contains(QStringLiteral("无法连接开奖服务器")));
    }

    void laterClickAsksOnlyForNewDrawsAndReplacesTheRows() {
        StoredWindow w(madeUpRange(2026097, 2026098), false);
        w.clickRead();
        QCOMPARE(w.table->rows(), 3495);
        w.server->publish({madeUp(2026099)});
        w.clickRead();
        QCOMPARE(w.table->rows(), 3496);
        QCOMPARE(w.orderProblem(), QString());
        QCOMPARE(w.table->cell(0, 2), std::string("2026099"));
        const std::vector<std::string> targets = w.server->targets();
        QVERIFY(targets.back().find("startIssue=2026099") != std::string::npos);
        // Nothing new: one request per source at most, and the label says so.
        const int before = static_cast<int>(w.server->targets().size());
        w.clickRead();
        QCOMPARE(w.table->rows(), 3496);
        QVERIFY(static_cast<int>(w.server->targets().size()) - before <= 1 + 3);
        QVERIFY(w.hint->text().contains(QStringLiteral("服务器无新开奖")));
    }

    void serverBackRunsTheListPages() {
        StoredWindow w({}, false, madeUpRange(2026097, 2026098));
        w.server->setListPages(true);
        w.clickRead();
        QCOMPARE(w.hint->text(), QStringLiteral("提示：双色球数据共有 2 期 提取完毕！"));
        QCOMPARE(w.table->rows(), 2);
    }
};

QTEST_MAIN(StoredHistoryWindowTest)
#include "stored_history_window_test.moc"
