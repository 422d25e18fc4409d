#pragma once
// FetchUrl: a blocking HTTP/1.0 GET on the calling thread.

#include <cstddef>
#include <string>
#include <vector>

namespace ssq::platform {

struct FetchOptions {
    long connectTimeoutMs = 10000; // give up when no connection is made in this time
    long stallSeconds =
        30; // give up when less than minBytesPerSecond arrive on average for this long
    std::size_t maxBytes = 16u << 20; // give up on a body larger than this (a list page is ~20 KB)
    std::string userAgent{};          // empty: the program's own User-Agent
    std::vector<std::string> headers{}; // extra request headers, "Name: value"
    long minBytesPerSecond = 100;       // a server that drips a byte now and then counts as stalled
    long totalTimeoutMs = 30000;        // give up when the whole fetch takes longer than this

    // The start-up probe: the window waits for it before it shows, so a few
    // seconds at most.
    static FetchOptions probe() {
        FetchOptions options;
        options.connectTimeoutMs = 3000;
        options.stallSeconds = 3;
        options.totalTimeoutMs = 5000;
        return options;
    }
};

// The outcome of one GET: whether an answer arrived, its status and body, and
// how it failed when none did.
struct FetchResult {
    enum class Error {
        None,      // an answer came, whatever its status
        NoAnswer,  // no connection, a time-out, a broken transfer
        TooLarge,  // a body over maxBytes
        Redirects, // more than kMaxRedirects redirects, or one to another scheme
    };
    bool answered = false; // error == Error::None
    long status = 0;       // HTTP status of the last answer; 0 when none came
    std::string body;      // the body whatever the status; empty when not answered
    Error error = Error::NoAnswer;

    // An answer with a 2xx status.
    bool ok() const { return answered && status >= 200 && status <= 299; }
};

inline constexpr long kMaxRedirects = 5;

// A blocking GET of the address. Redirects are followed, at most
// kMaxRedirects of them and only over http and https; the result is the last
// answer. The connection is always direct: no proxy settings are read from
// the environment. The address is UTF-8; bytes of 0x80 and above in it are
// sent percent-encoded.
FetchResult fetchWithStatus(const std::string& url, const FetchOptions& options = {});

// The body of the answer whatever its status code, or the empty string on any
// failure (no connection, time-out, broken transfer, a body over maxBytes, too
// many redirects): fetchWithStatus() without the status.
std::string fetchUrl(const std::string& url, const FetchOptions& options = {});

// Percent-encodes every byte of 0x80 or above (and spaces); the rest is kept.
std::string encodeUrl(const std::string& url);

} // namespace ssq::platform
