#pragma once
// How every HTTP transfer of the program and of its updater is set up, in one
// place: libcurl's global initialisation, the agent string, a direct
// connection (no proxy from the environment), the time-outs and the body cap.
// Callers add only what is their own: the address, headers, where the body
// goes and which answers count.

#include <curl/curl.h>

#include <cstdint>
#include <memory>

namespace ssq::platform {

struct TransferLimits {
    long connectTimeoutMs = 10000; // give up when no connection is made in this time
    long stallSeconds =
        30; // give up when less than minBytesPerSecond arrive on average for this long
    std::uint64_t maxBytes = 0; // refuse a body announced larger than this; 0: no cap
    long totalTimeoutMs = 0;    // give up when the whole transfer takes longer; 0: no limit
    long minBytesPerSecond = 1; // the slowest rate accepted over stallSeconds (a drip is a stall)
};

struct CurlEasyCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlHandle = std::unique_ptr<CURL, CurlEasyCleanup>;

// A fresh easy handle with the shared settings, or null when libcurl cannot
// make one. libcurl's global state is set up on the first call.
CurlHandle newTransfer(const TransferLimits& limits);

} // namespace ssq::platform
