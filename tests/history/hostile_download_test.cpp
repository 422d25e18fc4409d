// The history download against hostile results servers: failing pages are
// counted and said while the good draws stay, pages whose fields fail to
// match never shift rows, a page gives at most 200 draws, pages that give
// nothing neither freeze the window nor run on for ever, and an absurd page
// count is no page count.

#include "box_answerer.h"
#include "history/download_report.h"
#include "history/draw_table.h"
#include "history/history_downloader.h"
#include "history/results_page.h"
#include "window_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace ssq;

namespace {

constexpr int kPerPage = 20;

std::string listPath(int page) {
    return "/zhcw/html/ssq/list_" + std::to_string(page) + ".html";
}

// The pages of `draws` (oldest first) as the demo server renders them, newest first.
std::vector<demo::Draw> pageDraws(const std::vector<demo::Draw>& draws, int page) {
    const std::vector<demo::Draw> newest(draws.rbegin(), draws.rend());
    const auto first =
        newest.begin() + std::min<std::ptrdiff_t>((page - 1) * kPerPage, newest.size());
    const auto last = newest.begin() + std::min<std::ptrdiff_t>(page * kPerPage, newest.size());
    return {first, last};
}

demo::Canned htmlPage(std::string body) {
    demo::Canned canned;
    canned.contentType = "text/html; charset=utf-8";
    canned.body = std::move(body);
    return canned;
}

struct Session {
    std::unique_ptr<demo::Server> server;
    std::unique_ptr<app::MainWindow> window;
    history::DrawTable* table;
    QLabel* hint;
    QPushButton* readButton;

    explicit Session(demo::Options options, std::size_t maxBytes = 1u << 20)
        : server(testing::startServer(std::move(options))) {
        app::AppConfig config;
        config.resultsServer = server->baseUrl();
        config.updateServer = server->baseUrl();
        config.fetch.connectTimeoutMs = 2000;
        config.fetch.stallSeconds = 1;
        config.fetch.maxBytes = maxBytes;
        window = std::make_unique<app::MainWindow>(config);
        window->create();
        table = testing::control<history::DrawTable>(*window, "超级列表框开奖数据");
        hint = testing::control<QLabel>(*window, "标签3提示");
        readButton = testing::control<QPushButton>(*window, "读数据按钮");
        window->show();
    }
    void clickRead() { QTest::mouseClick(readButton, Qt::LeftButton); }
    history::HistoryDownloader* downloader() const {
        return testing::control<history::HistoryDownloader>(*window, "HistoryDownloader");
    }
    int requests(int page) const { return server->requests(listPath(page)); }
};

QString failureHint(int draws, int failed, bool stopped = false) {
    return QStringLiteral("提示：已读取 %1 期，%2 页读取失败%3")
        .arg(draws)
        .arg(failed)
        .arg(stopped ? QStringLiteral("，已停止！") : QStringLiteral("！"));
}

} // namespace

class HostileDownloadTest : public QObject {
    Q_OBJECT

private slots:
    void failedPagesAreSaidAndGoodDrawsKept_data();
    void failedPagesAreSaidAndGoodDrawsKept();
    void pagesThatGiveNothingStopTheRun();
    void eventsRunBetweenBarrenPages();
    void absurdPageCountReadsNoPage();
    void drippingProbeHasALimitOfItsOwn();
};

void HostileDownloadTest::failedPagesAreSaidAndGoodDrawsKept_data() {
    QTest::addColumn<int>("breakage"); // which way the pages break, see below
    QTest::addColumn<QList<int>>("failedPages");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("reason");

    // Seven pages of 20 draws.
    QTest::newRow("404 from page 4 on")
        << 0 << QList<int>{4, 5, 6, 7} << 60 << QStringLiteral("服务器答复 404");
    QTest::newRow("no answer on page 2")
        << 1 << QList<int>{2} << 120 << QStringLiteral("无法连接或超时");
    QTest::newRow("connection reset on page 5")
        << 2 << QList<int>{5} << 120 << QStringLiteral("无法连接或超时");
    QTest::newRow("endless body on page 3")
        << 3 << QList<int>{3} << 120 << QStringLiteral("页面过大");
    QTest::newRow("one field fails to match on page 2")
        << 4 << QList<int>{2} << 139 << QStringLiteral("数据损坏");
    QTest::newRow("250 draws on page 6") << 5 << QList<int>{6} << 320 << QStringLiteral("数据损坏");
    QTest::newRow("302 on page 2 followed, a redirect loop on page 3")
        << 6 << QList<int>{3} << 120 << QStringLiteral("重定向过多");
    QTest::newRow("a byte every 0.9 s on page 4")
        << 7 << QList<int>{4} << 120 << QStringLiteral("无法连接或超时");
}

void HostileDownloadTest::failedPagesAreSaidAndGoodDrawsKept() {
    QFETCH(int, breakage);
    QFETCH(QList<int>, failedPages);
    QFETCH(int, rows);
    QFETCH(QString, reason);

    demo::Options options;
    options.draws = testing::oldestDraws(7 * kPerPage);
    options.perPage = kPerPage;
    const auto page = [&](int n) {
        return demo::renderListPage(pageDraws(options.draws, n), n, 7, 140);
    };
    switch (breakage) {
    case 0:
        for (int n = 4; n <= 7; ++n)
            options.faults[n] = {demo::PageFault::Kind::NotFound, 0};
        break;
    case 1:
        options.faults[2] = {demo::PageFault::Kind::Hang, 0};
        break;
    case 2: {
        demo::Canned reset = htmlPage(page(5));
        reset.reset = true;
        options.files[listPath(5)] = reset;
        break;
    }
    case 3: {
        demo::Canned endless = htmlPage(page(3));
        endless.endless = true;
        options.files[listPath(3)] = endless;
        break;
    }
    case 4: {
        // The sales cell of the page's third draw is written another way:
        // only that draw goes, and the draws after it keep their fields.
        std::string body = page(2);
        std::size_t at = std::string::npos;
        for (int k = 0; k < 3; ++k)
            at = body.find("<td><strong>", at + 1);
        body.replace(at, 12, "<td><b>");
        options.files[listPath(2)] = htmlPage(body);
        break;
    }
    case 5: {
        std::vector<demo::Draw> many;
        while (many.size() < 250)
            for (const demo::Draw& d : pageDraws(options.draws, 6))
                many.push_back(d);
        many.resize(250);
        options.files[listPath(6)] = htmlPage(demo::renderListPage(many, 6, 7, 140));
        break;
    }
    case 6: {
        demo::Canned moved;
        moved.status = 302;
        moved.headers["Location"] = "/moved/list_2.html";
        options.files[listPath(2)] = moved;
        options.files["/moved/list_2.html"] = htmlPage(page(2));
        demo::Canned loop;
        loop.status = 302;
        loop.headers["Location"] = listPath(3);
        options.files[listPath(3)] = loop;
        break;
    }
    case 7: {
        demo::Canned drip = htmlPage(page(4));
        drip.dripMs = 900;
        options.files[listPath(4)] = drip;
        break;
    }
    }
    Session s(std::move(options));
    QCOMPARE(s.downloader()->pageCount(), 7);

    testing::BoxAnswerer boxes;
    s.clickRead();

    QCOMPARE(s.table->rows(), rows);
    QCOMPARE(s.downloader()->drawSerial(), rows);
    QCOMPARE(s.table->cell(rows - 1, 0), std::to_string(rows));
    // The first page's draws are always there, in order.
    const auto first = pageDraws(testing::oldestDraws(7 * kPerPage), 1);
    for (int r = 0; r < kPerPage; ++r)
        QCOMPARE(s.table->cell(r, 2), first[static_cast<std::size_t>(r)].period);
    // Every row is a whole draw: a date, a seven-digit period and balls of two digits.
    for (int r = 0; r < rows; ++r) {
        QCOMPARE(s.table->cell(r, 2).size(), std::size_t{7});
        for (int c = 3; c <= 9; ++c)
            QCOMPARE(s.table->cell(r, c).size(), std::size_t{2});
    }
    QCOMPARE(s.hint->text(), failureHint(rows, static_cast<int>(failedPages.size())));
    QCOMPARE(boxes.seen.size(), std::size_t{1});
    for (int n : failedPages)
        QVERIFY2(boxes.seen[0].text.contains(QStringLiteral("第 %1 页：%2").arg(n).arg(reason)),
                 qPrintable(boxes.seen[0].text));
    QCOMPARE(s.downloader()->pageCount(), 0);
}

// A probe that announces many pages of which none gives a draw: the run gives
// up after ten in a row and says so.
void HostileDownloadTest::pagesThatGiveNothingStopTheRun() {
    demo::Options options; // no draws: every list page but the first is a 404
    options.files[listPath(1)] = htmlPage(demo::renderListPage({}, 1, history::kMaxListPages, 0));
    Session s(std::move(options));
    QCOMPARE(s.downloader()->pageCount(), history::kMaxListPages);

    testing::BoxAnswerer boxes;
    s.clickRead();

    const int limit = history::DownloadReport::kMaxBarrenPages;
    QCOMPARE(s.requests(limit), 1);
    QCOMPARE(s.requests(limit + 1), 0);
    QCOMPARE(s.table->rows(), 0);
    QCOMPARE(s.hint->text(), failureHint(0, limit, true));
    QCOMPARE(boxes.seen.size(), std::size_t{1});
    QVERIFY(boxes.seen[0].text.contains(QStringLiteral("第 1 页：没有开奖数据")));
    QVERIFY(boxes.seen[0].text.contains(QStringLiteral("读取已停止")));
}

// Events run after every page, also after pages without a draw: a timer fires
// in the middle of the run, and closing the window ends it at once.
void HostileDownloadTest::eventsRunBetweenBarrenPages() {
    demo::Options options;
    options.files[listPath(1)] = htmlPage(demo::renderListPage({}, 1, history::kMaxListPages, 0));
    Session s(std::move(options));
    auto* downloader = s.window->findChild<history::HistoryDownloader*>();
    QVERIFY(downloader);

    bool ranDuringTheRun = false;
    int pagesWhenTimerRan = -1;
    QTimer::singleShot(0, s.window.get(), [&] {
        ranDuringTheRun = downloader->running();
        pagesWhenTimerRan = s.requests(2);
        s.window->close();
    });
    s.clickRead();

    QVERIFY(ranDuringTheRun);
    QCOMPARE(pagesWhenTimerRan, 0); // after page 1, before page 2
    QCOMPARE(s.requests(2), 0);     // the run ended with the window
    QVERIFY(!downloader->running());
    QVERIFY(s.hint->text().isEmpty());
}

// A page count beyond any real history is a damaged probe: nothing is read.
void HostileDownloadTest::absurdPageCountReadsNoPage() {
    demo::Options options;
    options.draws = testing::oldestDraws(kPerPage);
    options.files[listPath(1)] =
        htmlPage(demo::renderListPage(pageDraws(options.draws, 1), 1, 2147483647, 20));
    Session s(std::move(options));
    QCOMPARE(s.downloader()->pageCount(), 0);

    s.clickRead();
    QCOMPARE(s.requests(1), 1); // the probe only
    QCOMPARE(s.requests(2), 0);
    QCOMPARE(s.table->rows(), 0);
}

// A results server that sends a byte every 0.9 s: the probe gives up at its
// own short limit, however patient the limits of the list pages are, and the
// window opens with no page count.
void HostileDownloadTest::drippingProbeHasALimitOfItsOwn() {
    demo::Options options;
    options.draws = testing::oldestDraws(kPerPage);
    demo::Canned drip = htmlPage(demo::renderListPage(pageDraws(options.draws, 1), 1, 1, 20));
    drip.dripMs = 900;
    options.files[listPath(1)] = drip;
    auto server = testing::startServer(std::move(options));

    app::AppConfig config;
    config.resultsServer = server->baseUrl();
    config.updateServer = server->baseUrl();
    config.fetch.stallSeconds = 3600; // would wait for the whole drip
    config.fetch.minBytesPerSecond = 1;
    config.fetch.totalTimeoutMs = 3600 * 1000;
    config.probeFetch.totalTimeoutMs = 500;
    app::MainWindow window(config);
    QVERIFY(window.create());
    QCOMPARE(testing::control<history::HistoryDownloader>(window, "HistoryDownloader")->pageCount(),
             0);
    QCOMPARE(server->requests(listPath(1)), 1);
}

QTEST_MAIN(HostileDownloadTest)
#include "hostile_download_test.moc"
