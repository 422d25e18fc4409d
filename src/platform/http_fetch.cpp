#include "platform/http_fetch.h"

#include "platform/curl_transfer.h"

#include <memory>

namespace ssq::platform {
namespace {

struct Body {
    std::string bytes;
    std::size_t limit;
    bool overLimit = false;
};

std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* body = static_cast<Body*>(user);
    if (body->bytes.size() + size * count > body->limit) {
        body->overLimit = true;
        return 0; // ends the transfer as failed, also when no size was announced
    }
    body->bytes.append(data, size * count);
    return size * count;
}

} // namespace

std::string encodeUrl(const std::string& url) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(url.size());
    for (unsigned char c : url) {
        if (c >= 0x80 || c == ' ') {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::string fetchUrl(const std::string& url, const FetchOptions& options) {
    FetchResult result = fetchWithStatus(url, options);
    return result.answered ? std::move(result.body) : std::string();
}

FetchResult fetchWithStatus(const std::string& url, const FetchOptions& options) {
    FetchResult result;
    const CurlHandle curl =
        newTransfer({options.connectTimeoutMs, options.stallSeconds, options.maxBytes,
                     options.totalTimeoutMs, options.minBytesPerSecond});
    if (!curl)
        return result;
    const std::string address = encodeUrl(url);
    Body body{{}, options.maxBytes};
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Accept: */*");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    for (const std::string& header : options.headers)
        headers = curl_slist_append(headers, header.c_str());
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headerList(headers,
                                                                           curl_slist_free_all);
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headerList.get());
    // The program's own agent string stays unless a source needs a browser's.
    if (!options.userAgent.empty())
        curl_easy_setopt(h, CURLOPT_USERAGENT, options.userAgent.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
    const CURLcode rc = curl_easy_perform(h);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &result.status);
    switch (rc) {
    case CURLE_OK:
        result.error = FetchResult::Error::None;
        result.answered = true;
        result.body = std::move(body.bytes);
        break;
    case CURLE_FILESIZE_EXCEEDED:
        result.error = FetchResult::Error::TooLarge;
        break;
    case CURLE_TOO_MANY_REDIRECTS:
    case CURLE_UNSUPPORTED_PROTOCOL:
        result.error = FetchResult::Error::Redirects;
        break;
    default:
        result.error = body.overLimit ? FetchResult::Error::TooLarge : FetchResult::Error::NoAnswer;
        break;
    }
    return result;
}

} // namespace ssq::platform
