#include "updater/download.h"

#include "platform/curl_transfer.h"
#include "platform/http_fetch.h"

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace ssq::updater {
namespace {

constexpr std::uint64_t kMaxDownloadBytes = std::uint64_t{512} << 20;

struct Transfer {
    std::FILE* file = nullptr;
    const Progress* progress = nullptr;
};

std::size_t writeToFile(char* data, std::size_t size, std::size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    return std::fwrite(data, size, count, t->file) * size;
}

int reportProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
    auto* t = static_cast<Transfer*>(user);
    if (!t->progress || !*t->progress)
        return 0;
    return (*t->progress)(static_cast<std::uint64_t>(now), static_cast<std::uint64_t>(total)) ? 0
                                                                                              : 1;
}

} // namespace

Result download(const std::string& url, const fs::path& file, const Progress& progress,
                long connectTimeoutMs, long stallSeconds, long totalTimeoutMs) {
    const platform::CurlHandle curl = platform::newTransfer(
        {connectTimeoutMs, stallSeconds, kMaxDownloadBytes, totalTimeoutMs, kMinBytesPerSecond});
    if (!curl)
        return fail(Failure::Download);
    std::unique_ptr<std::FILE, decltype(&std::fclose)> out(std::fopen(file.c_str(), "wb"),
                                                           std::fclose);
    if (!out)
        return fail(Failure::Download, file.string());

    const std::string address = platform::encodeUrl(url);
    Transfer transfer{out.get(), &progress};
    char error[CURL_ERROR_SIZE] = {};
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    // A package comes over HTTP only; a manifest cannot point at local files.
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, writeToFile);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, reportProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, error);

    const CURLcode rc = curl_easy_perform(h);
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    const bool flushed = std::fflush(out.get()) == 0 && ::fsync(fileno(out.get())) == 0;
    out.reset();
    if (rc != CURLE_OK || status < 200 || status > 299 || !flushed) {
        std::error_code ec;
        fs::remove(file, ec);
        std::string detail = error[0] ? error : curl_easy_strerror(rc);
        if (rc == CURLE_OK)
            detail = "HTTP " + std::to_string(status);
        return fail(Failure::Download, detail);
    }
    return {};
}

} // namespace ssq::updater
