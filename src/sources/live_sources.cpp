#include "sources/live_sources.h"

#include "sources/cwl_json.h"
#include "sources/text_history.h"
#include "sources/zhcw_json.h"
#include "store/draw_check.h"

#include <algorithm>
#include <functional>
#include <random>

namespace ssq::sources {
namespace {

constexpr const char* kBrowserAgent = "Mozilla/5.0 (Windows NT 10.0; Win64; x64) "
                                      "AppleWebKit/537.36 (KHTML, like Gecko) "
                                      "Chrome/124.0.0.0 Safari/537.36";

std::string randomTt() {
    std::mt19937 engine{std::random_device{}()};
    return "0." + std::to_string(std::uniform_int_distribution<long>(100000000, 999999999)(engine));
}

struct Outcome {
    bool ok = false;
    std::string error;
    std::vector<store::DrawRecord> draws;
};

// One GET of a source: a 200 answer parsed, or the reason it is refused.
SourceAnswer askPage(const std::string& url, const platform::FetchOptions& options,
                     const std::function<SourceAnswer(std::string_view)>& parse,
                     SourceAttempt& attempt) {
    ++attempt.requests;
    const platform::FetchResult result = platform::fetchWithStatus(url, options);
    if (!result.answered)
        return refused("no answer");
    if (result.status != 200)
        return refused("HTTP status " + std::to_string(result.status));
    return parse(result.body);
}

// Pages 1.. of a paged JSON source, at most kMaxPagesPerSource of them.
Outcome askPaged(const std::function<std::string(int page)>& urlOf,
                 const platform::FetchOptions& options,
                 const std::function<SourceAnswer(std::string_view)>& parse,
                 SourceAttempt& attempt) {
    Outcome outcome;
    for (int page = 1;; ++page) {
        SourceAnswer answer = askPage(urlOf(page), options, parse, attempt);
        if (!answer.ok) {
            outcome.error = answer.error;
            return outcome;
        }
        outcome.draws.insert(outcome.draws.end(), answer.draws.begin(), answer.draws.end());
        if (page >= answer.pages || answer.draws.empty())
            break;
        if (page >= kMaxPagesPerSource) {
            outcome.error = "more than " + std::to_string(kMaxPagesPerSource) + " pages";
            return outcome;
        }
    }
    outcome.ok = true;
    return outcome;
}

Outcome askOne(SourceId id, const SourceServers& servers, const platform::FetchOptions& base,
               std::int32_t after, std::int32_t until, SourceAttempt& attempt) {
    const platform::FetchOptions options = sourceFetchOptions(id, base);
    // Numerically after the stored period: the next draw of the same year, or
    // any draw of a later year.
    const std::int32_t first = after + 1;
    switch (id) {
    case SourceId::Zhcw: {
        const std::string tt = randomTt();
        return askPaged(
            [&](int page) {
                return servers.zhcw + zhcwPageQuery(first, until, page, kPageSize, tt);
            },
            options, parseZhcwPage, attempt);
    }
    case SourceId::Cwl:
        return askPaged(
            [&](int page) { return servers.cwl + cwlPageQuery(first, until, page, kPageSize); },
            options, parseCwlPage, attempt);
    case SourceId::Text: {
        const SourceAnswer answer =
            askPage(servers.text + kTextHistoryPath, options, parseTextHistory, attempt);
        return Outcome{answer.ok, answer.error, answer.draws};
    }
    }
    return {};
}

} // namespace

platform::FetchOptions sourceFetchOptions(SourceId id, platform::FetchOptions base) {
    base.userAgent = kBrowserAgent;
    switch (id) {
    case SourceId::Zhcw:
        base.headers.push_back("Referer: https://www.zhcw.com/kjxx/ssq/");
        break;
    case SourceId::Cwl:
        base.headers.push_back("Referer: https://www.cwl.gov.cn/ygkj/wqkjgg/ssq/");
        base.headers.push_back("X-Requested-With: XMLHttpRequest");
        break;
    case SourceId::Text:
        break;
    }
    return base;
}

Refresh askSources(const SourceServers& servers, const platform::FetchOptions& fetch,
                   std::int32_t after, int untilYear) {
    Refresh refresh;
    const std::int32_t until = std::max(untilYear, store::periodYear(after)) * 1000 + 999;
    for (SourceId id : {SourceId::Zhcw, SourceId::Cwl, SourceId::Text}) {
        SourceAttempt attempt;
        attempt.id = id;
        Outcome outcome = askOne(id, servers, fetch, after, until, attempt);
        if (outcome.ok) {
            // Only what lies after the stored history counts; the text file
            // always holds all of it.
            std::erase_if(outcome.draws,
                          [after](const store::DrawRecord& d) { return d.period <= after; });
            if (auto why = store::checkAnswer(outcome.draws, after)) {
                outcome.ok = false;
                outcome.error = *why;
            }
        }
        attempt.answered = outcome.ok;
        attempt.error = outcome.error;
        attempt.newDraws = outcome.ok ? static_cast<int>(outcome.draws.size()) : 0;
        refresh.attempts.push_back(attempt);
        refresh.anyAnswered = refresh.anyAnswered || outcome.ok;
        if (outcome.ok && !outcome.draws.empty()) {
            refresh.draws = std::move(outcome.draws);
            refresh.from = id;
            break;
        }
    }
    return refresh;
}

const char* sourceName(SourceId id) {
    switch (id) {
    case SourceId::Zhcw:
        return "中彩网";
    case SourceId::Cwl:
        return "中国福利彩票网";
    case SourceId::Text:
        return "开奖历史文本";
    }
    return "";
}

} // namespace ssq::sources
