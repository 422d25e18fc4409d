#include "platform/curl_transfer.h"

namespace ssq::platform {
namespace {

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
    CurlGlobal(const CurlGlobal&) = delete;
    CurlGlobal& operator=(const CurlGlobal&) = delete;
};

} // namespace

CurlHandle newTransfer(const TransferLimits& limits) {
    static CurlGlobal global;
    CurlHandle curl(curl_easy_init());
    if (!curl)
        return curl;
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROXY, ""); // never a proxy from http_proxy and the like
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT,
                     limits.minBytesPerSecond > 0 ? limits.minBytesPerSecond : 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
    if (limits.totalTimeoutMs > 0)
        curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs);
    if (limits.maxBytes > 0)
        curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    return curl;
}

} // namespace ssq::platform
