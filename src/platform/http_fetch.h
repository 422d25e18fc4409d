#pragma once
// FetchUrl: a blocking HTTP/1.0 GET on the calling thread.

#include <cstddef>
#include <string>
#include <vector>

namespace ssq::platform {

struct FetchOptions {
    long connectTimeoutMs = 10000;    // give up when no connection is made in this time
    long stallSeconds = 30;           // give up when no byte arrives for this long
    std::size_t maxBytes = 16u << 20; // give up on a body larger than this (a list page is ~20 KB)
    std::string userAgent{};          // empty: the program's own User-Agent
    std::vector<std::string> headers{}; // extra request headers, "Name: value"
};

// The outcome of one GET: whether an answer arrived, its status and body.
struct FetchResult {
    bool answered = false; // false: no connection, time-out, broken transfer, body over maxBytes
    long status = 0;       // HTTP status when answered
    std::string body;
};

// The GET behind fetchUrl, keeping the status code.
FetchResult fetchWithStatus(const std::string& url, const FetchOptions& options = {});

// The body of the answer whatever its status code, or the empty string on any
// failure (no connection, time-out, broken transfer, a body over maxBytes).
// The connection is always direct: no proxy settings are read from the
// environment. The address is UTF-8;
// bytes of 0x80 and above in it are sent percent-encoded.
std::string fetchUrl(const std::string& url, const FetchOptions& options = {});

// Percent-encodes every byte of 0x80 or above (and spaces); the rest is kept.
std::string encodeUrl(const std::string& url);

} // namespace ssq::platform
