#pragma once
// The live sources of newer draws, asked in a fixed order: the zhcw JSON
// service, the welfare-lottery centre's JSON service, the plain-text history
// file. Each is asked only for the draws after the latest stored period, with
// the headers its pages send, and a handful of requests at most.

#include "platform/http_fetch.h"
#include "store/draw_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ssq::sources {

enum class SourceId { Zhcw, Cwl, Text };

struct SourceServers {
    std::string zhcw; // base addresses, "https://jc.zhcw.com"
    std::string cwl;
    std::string text;
};

// How one source fared.
struct SourceAttempt {
    SourceId id = SourceId::Zhcw;
    bool answered = false; // a valid answer arrived (possibly with nothing new)
    std::string error;     // why not, when !answered
    int requests = 0;
    int newDraws = 0;
};

struct Refresh {
    std::vector<store::DrawRecord> draws; // checked, oldest first, after `after`
    bool anyAnswered = false;             // at least one source gave a valid answer
    SourceId from = SourceId::Zhcw;       // the source of `draws`, when not empty
    std::vector<SourceAttempt> attempts;  // in asking order
};

// Most pages asked of one source in one refresh.
inline constexpr int kMaxPagesPerSource = 3;
// Draws asked for per page of the JSON services.
inline constexpr int kPageSize = 100;

// The headers a source's own pages send (browser User-Agent, Referer, ...).
platform::FetchOptions sourceFetchOptions(SourceId id, platform::FetchOptions base);

// Asks the sources in order for the draws after `after` (a stored period)
// up to the end of `untilYear`, and stops at the first one that brings new
// draws that pass the checks as a whole (no gap after `after`). A source that
// answers with an error, a refused status, a malformed body or draws failing
// the checks gives nothing, and the next one is asked.
Refresh askSources(const SourceServers& servers, const platform::FetchOptions& fetch,
                   std::int32_t after, int untilYear);

// Short name of a source for the window ("中彩网"), UTF-8.
const char* sourceName(SourceId id);

} // namespace ssq::sources
