// The adapter that asks the live sources, against the real loopback demo
// server answering in the three formats, with its faults.

#include "demo_server.h"
#include "sources/cwl_json.h"
#include "sources/live_sources.h"
#include "sources/text_history.h"
#include "sources/zhcw_json.h"

#include <gtest/gtest.h>

namespace ssq::sources {
namespace {

using demo::LiveSource;
using demo::SourceFault;

// Three made-up draws after the bundled history (2026096 is its last).
std::vector<demo::Draw> published() {
    std::vector<demo::Draw> draws;
    for (int i = 0; i < 3; ++i) {
        demo::Draw d;
        d.period = std::to_string(2026097 + i);
        d.date = "2026-08-2" + std::to_string(3 + 2 * i);
        d.reds = {3, 8 + i, 15, 21, 27, 32};
        d.blue = 5 + i;
        d.sales = "35000000" + std::to_string(i);
        d.pool = i == 2 ? "" : "700000000";
        draws.push_back(d);
    }
    return draws;
}

class LiveSourcesTest : public testing::Test {
protected:
    void SetUp() override {
        demo::Options options;
        options.draws = demo::loadHistory(SSQ_SOURCE_DIR "/data/ssq_history.csv");
        for (const demo::Draw& d : published())
            options.draws.push_back(d);
        m_server = std::make_unique<demo::Server>(std::move(options));
        ASSERT_TRUE(m_server->start());
        const std::string base = m_server->baseUrl();
        m_servers = {base, base, base};
        m_fetch.stallSeconds = 1;
        m_fetch.connectTimeoutMs = 2000;
    }

    Refresh ask(std::int32_t after) { return askSources(m_servers, m_fetch, after, 2026); }

    std::unique_ptr<demo::Server> m_server;
    SourceServers m_servers;
    platform::FetchOptions m_fetch;
};

std::vector<std::int32_t> periods(const Refresh& r) {
    std::vector<std::int32_t> out;
    for (const store::DrawRecord& d : r.draws)
        out.push_back(d.period);
    return out;
}

TEST_F(LiveSourcesTest, FirstSourceGivesTheNewDrawsWithItsOwnHeaders) {
    const Refresh r = ask(2026096);
    ASSERT_EQ(periods(r), (std::vector<std::int32_t>{2026097, 2026098, 2026099}));
    EXPECT_EQ(r.from, SourceId::Zhcw);
    ASSERT_EQ(r.attempts.size(), 1u) << "later sources are not asked";
    EXPECT_EQ(r.attempts[0].requests, 1);
    const store::DrawRecord& last = r.draws.back();
    EXPECT_EQ(last.reds, (std::array<int, 6>{3, 10, 15, 21, 27, 32}));
    EXPECT_EQ(last.blue, 7);
    EXPECT_EQ(last.sales, 350000002);
    EXPECT_FALSE(last.pool.has_value());
    EXPECT_EQ(m_server->lastHeader(kZhcwPath, "Referer"), "https://www.zhcw.com/kjxx/ssq/");
    EXPECT_NE(m_server->lastHeader(kZhcwPath, "User-Agent").find("Mozilla/5.0"), std::string::npos);
    const std::string target = m_server->targets().back();
    EXPECT_NE(target.find("startIssue=2026097"), std::string::npos) << target;
}

TEST_F(LiveSourcesTest, EachSourceInTurnWhenTheOnesBeforeFail) {
    struct Case {
        const char* name;
        SourceFault zhcw, cwl;
        SourceId from;
    };
    const Case cases[] = {
        {"zhcw forbidden", SourceFault::Forbidden, SourceFault::None, SourceId::Cwl},
        {"zhcw HTML page", SourceFault::HtmlPage, SourceFault::None, SourceId::Cwl},
        {"zhcw resCode error", SourceFault::ErrorCode, SourceFault::None, SourceId::Cwl},
        {"zhcw truncated", SourceFault::Truncated, SourceFault::None, SourceId::Cwl},
        {"zhcw bad draw", SourceFault::BadDraw, SourceFault::None, SourceId::Cwl},
        {"zhcw gap", SourceFault::Gap, SourceFault::None, SourceId::Cwl},
        {"zhcw hangs", SourceFault::Hang, SourceFault::None, SourceId::Cwl},
        {"zhcw duplicates", SourceFault::Duplicates, SourceFault::None, SourceId::Zhcw},
        {"zhcw out of order", SourceFault::OutOfOrder, SourceFault::None, SourceId::Zhcw},
        {"both JSON down", SourceFault::Forbidden, SourceFault::ErrorCode, SourceId::Text},
        {"cwl gap", SourceFault::Forbidden, SourceFault::Gap, SourceId::Text},
        {"cwl out of order", SourceFault::Forbidden, SourceFault::OutOfOrder, SourceId::Cwl},
    };
    for (const Case& c : cases) {
        m_server->setSourceFault(LiveSource::Zhcw, c.zhcw);
        m_server->setSourceFault(LiveSource::Cwl, c.cwl);
        const Refresh r = ask(2026096);
        EXPECT_EQ(periods(r), (std::vector<std::int32_t>{2026097, 2026098, 2026099})) << c.name;
        EXPECT_EQ(r.from, c.from) << c.name;
        EXPECT_EQ(r.draws.back().blue, 7) << c.name;
        EXPECT_EQ(r.attempts.size(), static_cast<std::size_t>(c.from) + 1) << c.name;
        for (std::size_t i = 0; i + 1 < r.attempts.size(); ++i)
            EXPECT_FALSE(r.attempts[i].answered) << c.name << ": " << i;
    }
    EXPECT_EQ(m_server->lastHeader(kCwlPath, "X-Requested-With"), "XMLHttpRequest");
    EXPECT_EQ(m_server->lastHeader(kCwlPath, "Referer"), "https://www.cwl.gov.cn/ygkj/wqkjgg/ssq/");
}

TEST_F(LiveSourcesTest, NothingNewAsksEachSourceOnceAndAllDownIsSaid) {
    const Refresh none = ask(2026099);
    EXPECT_TRUE(none.anyAnswered);
    EXPECT_TRUE(none.draws.empty());
    ASSERT_EQ(none.attempts.size(), 3u);
    for (const SourceAttempt& a : none.attempts) {
        EXPECT_TRUE(a.answered);
        EXPECT_EQ(a.requests, 1);
    }

    m_server->setSourceFault(LiveSource::Zhcw, SourceFault::Truncated);
    m_server->setSourceFault(LiveSource::Cwl, SourceFault::HtmlPage);
    m_server->setSourceFault(LiveSource::Text, SourceFault::BadDraw);
    const Refresh down = ask(2026096);
    EXPECT_FALSE(down.anyAnswered);
    EXPECT_TRUE(down.draws.empty());
    EXPECT_EQ(down.attempts.size(), 3u);
}

TEST_F(LiveSourcesTest, LongAbsencesArePagedUpToALimit) {
    // 2026096 - 150 draws back: two pages of 100 from each JSON service.
    const Refresh two = ask(2025100);
    ASSERT_FALSE(two.draws.empty());
    EXPECT_EQ(two.draws.front().period, 2025101);
    EXPECT_EQ(two.draws.back().period, 2026099);
    EXPECT_EQ(two.attempts.at(0).requests, 2);
    // Years behind: more pages than allowed, so the JSON services give up and
    // the text file (one request) brings everything.
    const Refresh far = ask(2020001);
    ASSERT_FALSE(far.draws.empty());
    EXPECT_EQ(far.from, SourceId::Text);
    EXPECT_EQ(far.draws.front().period, 2020002);
    EXPECT_EQ(far.attempts.at(0).requests, kMaxPagesPerSource);
}

} // namespace
} // namespace ssq::sources
