// fetchUrl against the real loopback demo server, misbehaving on request.

#include "demo_server.h"
#include "history/results_page.h"
#include "platform/http_fetch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>
#include <vector>

using ssq::demo::Canned;
using ssq::demo::Options;
using ssq::demo::PageFault;
using ssq::demo::Server;
using ssq::platform::FetchOptions;
using ssq::platform::fetchUrl;

namespace {

const std::string kHistory = std::string(SSQ_SOURCE_DIR) + "/data/ssq_history.csv";
const std::string kManifestPath = "/澜舟号录.xml";

// Short client time-outs, so that a silent server costs about a second.
const FetchOptions kImpatient{1000, 1};

// A watchdog for calls that must give up by themselves: the fetch runs on its
// own thread, and a fetch still blocked after a generous while counts as stuck.
std::string fetchOrFail(const std::string& url, const FetchOptions& options) {
    auto result = std::async(std::launch::async, [=] { return fetchUrl(url, options); });
    if (result.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        ADD_FAILURE() << "fetch of " << url << " did not give up";
        return "<stuck>";
    }
    return result.get();
}

class FetchAgainstDemoServer : public testing::Test {
protected:
    static void SetUpTestSuite() { s_draws = ssq::demo::loadHistory(kHistory); }

    std::unique_ptr<Server> startServer(Options options = {}) {
        options.draws = s_draws;
        auto server = std::make_unique<Server>(std::move(options));
        EXPECT_TRUE(server->start(0));
        return server;
    }

    static std::string page(const Server& server, int n) {
        return server.baseUrl() + ssq::history::listPagePath(n);
    }

    static std::vector<ssq::demo::Draw> s_draws;
};
std::vector<ssq::demo::Draw> FetchAgainstDemoServer::s_draws;

TEST_F(FetchAgainstDemoServer, ListPagesCarryTheHistoryNewestFirst) {
    auto server = startServer();
    ASSERT_EQ(server->pageCount(), 175);
    const std::string first = fetchUrl(page(*server, 1), kImpatient);
    const std::string text = ssq::history::decodePage(first);
    EXPECT_EQ(ssq::history::pageCount(text), 175);
    const auto rows = ssq::history::extractDraws(text);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows.front()[1], s_draws.back().period);

    const auto last = ssq::history::extractDraws(
        ssq::history::decodePage(fetchUrl(page(*server, 175), kImpatient)));
    ASSERT_EQ(last.size(), 13u); // 3493 = 174 * 20 + 13
    EXPECT_EQ(last.back()[1], "2003001");
    EXPECT_EQ(server->requests(ssq::history::listPagePath(1)), 1);
    EXPECT_EQ(server->requests(ssq::history::listPagePath(2)), 0);
}

TEST_F(FetchAgainstDemoServer, BodyIsKeptWhateverTheStatus) {
    Options options;
    options.faults[3] = {PageFault::Kind::NotFound, 0};
    options.files["/teapot"] = Canned{418, "text/plain", "short and stout", false};
    auto server = startServer(std::move(options));
    EXPECT_NE(fetchUrl(page(*server, 3), kImpatient).find("Not Found"), std::string::npos);
    EXPECT_NE(fetchUrl(page(*server, 176), kImpatient).find("Not Found"), std::string::npos);
    EXPECT_NE(
        fetchUrl(server->baseUrl() + "/zhcw/html/ssq/list_01.html", kImpatient).find("Not Found"),
        std::string::npos);
    EXPECT_EQ(fetchUrl(server->baseUrl() + "/teapot", kImpatient), "short and stout");
    EXPECT_EQ(server->requests(ssq::history::listPagePath(3)), 1);
}

TEST_F(FetchAgainstDemoServer, CannedFilesReplaceListPages) {
    Options options;
    options.files[ssq::history::listPagePath(1)] =
        Canned{200, "text/html", "<p>replaced</p>", false};
    auto server = startServer(std::move(options));
    EXPECT_EQ(fetchUrl(page(*server, 1), kImpatient), "<p>replaced</p>");
    EXPECT_NE(fetchUrl(page(*server, 2), kImpatient).find("list_3.html"), std::string::npos);
}

TEST_F(FetchAgainstDemoServer, BodyOverTheLimitGivesEmpty) {
    const std::string body(100, 'x');
    Options options;
    options.files["/big"] = Canned{200, "text/plain", body, false};
    auto server = startServer(std::move(options));
    FetchOptions options99 = kImpatient;
    options99.maxBytes = 99;
    FetchOptions options100 = kImpatient;
    options100.maxBytes = 100;
    EXPECT_EQ(fetchUrl(server->baseUrl() + "/big", options99), "");
    EXPECT_EQ(fetchUrl(server->baseUrl() + "/big", options100), body);
}

TEST_F(FetchAgainstDemoServer, ProxyVariablesAreIgnored) {
    auto server = startServer();
    // A proxy that refuses every connection: a fetch through it would fail.
    setenv("http_proxy", "http://127.0.0.1:1", 1);
    setenv("HTTP_PROXY", "http://127.0.0.1:1", 1);
    setenv("all_proxy", "http://127.0.0.1:1", 1);
    const std::string body = fetchUrl(page(*server, 1), kImpatient);
    unsetenv("http_proxy");
    unsetenv("HTTP_PROXY");
    unsetenv("all_proxy");
    EXPECT_NE(body.find("list_2.html"), std::string::npos);
}

TEST_F(FetchAgainstDemoServer, ConnectionRefusedGivesEmpty) {
    int port = 0;
    {
        auto server = startServer();
        port = server->port();
    }
    EXPECT_EQ(fetchOrFail("http://127.0.0.1:" + std::to_string(port) + "/zhcw/html/ssq/list_1.html",
                          kImpatient),
              "");
}

TEST_F(FetchAgainstDemoServer, SilentServerGivesEmptyWithinTheTimeOut) {
    Options options;
    options.faults[1] = {PageFault::Kind::Hang, 0};
    options.faults[2] = {PageFault::Kind::Stall, 0};
    options.files["/hung.xml"] = Canned{200, "text/xml", "<never/>", true};
    auto server = startServer(std::move(options));
    // All three at once: each costs the client's stall time-out.
    auto hang = std::async(std::launch::async, fetchOrFail, page(*server, 1), kImpatient);
    auto stall = std::async(std::launch::async, fetchOrFail, page(*server, 2), kImpatient);
    auto canned =
        std::async(std::launch::async, fetchOrFail, server->baseUrl() + "/hung.xml", kImpatient);
    EXPECT_EQ(hang.get(), "");
    EXPECT_EQ(stall.get(), "");
    EXPECT_EQ(canned.get(), "");
    // The server goes on answering the other pages meanwhile.
    EXPECT_FALSE(fetchUrl(page(*server, 3), kImpatient).empty());
}

TEST_F(FetchAgainstDemoServer, NonAsciiPathArrivesPercentEncoded) {
    Options options;
    options.files[kManifestPath] = Canned{200, "text/xml", "<manifest/>", false};
    auto server = startServer(std::move(options));
    EXPECT_EQ(fetchUrl(server->baseUrl() + kManifestPath, kImpatient), "<manifest/>");
    EXPECT_EQ(server->requests(kManifestPath), 1);
    const std::vector<std::string> targets = server->targets();
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0], "/%E6%BE%9C%E8%88%9F%E5%8F%B7%E5%BD%95.xml");
}

TEST_F(FetchAgainstDemoServer, ManyConcurrentFetchesBesideHungOnes) {
    Options options;
    options.faults[1] = {PageFault::Kind::Hang, 0};
    auto server = startServer(std::move(options));
    const FetchOptions patient{5000, 60};
    // Requests that never end hold connections for the whole test.
    std::vector<std::future<std::string>> hung;
    for (int i = 0; i < 8; ++i)
        hung.push_back(std::async(std::launch::async, [url = page(*server, 1), patient] {
            return fetchUrl(url, patient);
        }));
    std::vector<std::future<std::string>> fetches;
    for (int n = 2; n <= 65; ++n)
        fetches.push_back(std::async(std::launch::async, [url = page(*server, n), patient] {
            return fetchUrl(url, patient);
        }));
    for (int n = 2; n <= 65; ++n) {
        const std::string body = fetches[static_cast<std::size_t>(n - 2)].get();
        EXPECT_EQ(ssq::history::extractDraws(ssq::history::decodePage(body)).size(), 20u)
            << "page " << n;
    }
    // Stopping releases the hung requests: they end with the server's last word.
    server.reset();
    for (auto& f : hung) {
        ASSERT_EQ(f.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        EXPECT_EQ(f.get(), "server stopped\n");
    }
}

TEST_F(FetchAgainstDemoServer, StopReleasesAStalledTransfer) {
    Options options;
    options.faults[1] = {PageFault::Kind::Stall, 0};
    auto server = startServer(std::move(options));
    auto stalled = std::async(std::launch::async, [url = page(*server, 1)] {
        return fetchUrl(url, FetchOptions{5000, 60});
    });
    while (server->requests(ssq::history::listPagePath(1)) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    server->stop();
    ASSERT_EQ(stalled.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(stalled.get(), ""); // a cut-off body is a failed transfer
}

// A watchdog for fetch() as for fetchUrl().
ssq::platform::FetchResult fetchResultOrFail(const std::string& url, const FetchOptions& options) {
    auto result = std::async(std::launch::async,
                             [=] { return ssq::platform::fetchWithStatus(url, options); });
    if (result.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        ADD_FAILURE() << "fetch of " << url << " did not give up";
        return {};
    }
    return result.get();
}

Canned redirect(const std::string& to) {
    Canned canned;
    canned.status = 302;
    canned.headers["Location"] = to;
    return canned;
}

// The status comes with the body, redirects are followed up to five times
// over http only, and each way of failing is told apart.
TEST_F(FetchAgainstDemoServer, ResultTellsStatusRedirectsAndFailures) {
    using Error = ssq::platform::FetchResult::Error;
    Options options;
    options.faults[3] = {PageFault::Kind::NotFound, 0};
    options.files["/hop0"] = redirect("/hop1");
    for (int i = 1; i < 5; ++i)
        options.files["/hop" + std::to_string(i)] = redirect("/hop" + std::to_string(i + 1));
    options.files["/hop5"] = Canned{200, "text/plain", "arrived", false};
    options.files["/loop"] = redirect("/loop");
    options.files["/local"] = redirect("file:///etc/passwd");
    Canned endless{200, "text/plain", std::string(1000, 'x'), false};
    endless.endless = true;
    options.files["/endless"] = endless;
    Canned reset{200, "text/plain", std::string(100000, 'x'), false};
    reset.reset = true;
    options.files["/reset"] = reset;
    auto server = startServer(std::move(options));
    const std::string base = server->baseUrl();
    FetchOptions capped = kImpatient;
    capped.maxBytes = 1 << 20;

    struct Case {
        std::string path;
        Error error;
        long status;
        std::string bodyStart;
    };
    const std::vector<Case> cases = {
        {ssq::history::listPagePath(2), Error::None, 200, "<!DOCTYPE"},
        {ssq::history::listPagePath(3), Error::None, 404, "<html><head><title>404"},
        {"/hop0", Error::None, 200, "arrived"}, // five redirects
        {"/hop1", Error::None, 200, "arrived"},
        {"/loop", Error::Redirects, 302, ""},
        {"/local", Error::Redirects, 302, ""}, // never a file
        {"/endless", Error::TooLarge, 200, ""},
        {"/reset", Error::NoAnswer, 200, ""},
    };
    for (const Case& c : cases) {
        const auto result = fetchResultOrFail(base + c.path, capped);
        EXPECT_EQ(result.error, c.error) << c.path;
        EXPECT_EQ(result.status, c.status) << c.path;
        EXPECT_EQ(result.body.substr(0, c.bodyStart.size()), c.bodyStart) << c.path;
        EXPECT_EQ(result.ok(), c.error == Error::None && c.status == 200) << c.path;
    }
    // fetchUrl keeps its word: the body whatever the status, empty on failure.
    EXPECT_NE(fetchUrl(base + ssq::history::listPagePath(3), capped).find("Not Found"),
              std::string::npos);
    EXPECT_EQ(fetchUrl(base + "/loop", capped), "");
    EXPECT_EQ(server->requests("/hop5"), 2);
}

// A server that never stalls outright but sends too little: one byte every
// 0.9 s, the stall limit alone never fires. The minimum rate ends it, and so
// does the overall limit for a body that comes just fast enough.
TEST_F(FetchAgainstDemoServer, DripFeedEndsAtTheMinimumRateOrTheOverallLimit) {
    Options options;
    Canned drip{200, "text/html", std::string(4000, 'x'), false};
    drip.dripMs = 900;
    options.files["/drip"] = drip;
    Canned steady{200, "text/html", std::string(4000, 'x'), false};
    steady.dripMs = 20; // about 50 bytes a second
    options.files["/steady"] = steady;
    auto server = startServer(std::move(options));

    FetchOptions rate = kImpatient; // at least 100 bytes a second over 1 s
    EXPECT_EQ(fetchResultOrFail(server->baseUrl() + "/drip", rate).error,
              ssq::platform::FetchResult::Error::NoAnswer);

    FetchOptions overall = kImpatient;
    overall.minBytesPerSecond = 1;
    overall.totalTimeoutMs = 1000;
    EXPECT_EQ(fetchResultOrFail(server->baseUrl() + "/steady", overall).error,
              ssq::platform::FetchResult::Error::NoAnswer);
}

TEST(DemoServer, SecondServerCannotTakeABusyPort) {
    Server first{Options{}};
    ASSERT_TRUE(first.start(0));
    Server second{Options{}};
    EXPECT_FALSE(second.start(first.port()));
}

TEST(EncodeUrl, EncodesHighBytesAndSpacesOnly) {
    EXPECT_EQ(ssq::platform::encodeUrl("http://127.0.0.1:1/a b/号.xml?x=1"),
              "http://127.0.0.1:1/a%20b/%E5%8F%B7.xml?x=1");
}

} // namespace
