#pragma once
// The package download: one HTTP(S) GET into a file.

#include "updater/update_result.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace ssq::updater {

// Called during the download with the bytes received and the total (0 while
// unknown); returning false cancels the download.
using Progress = std::function<bool(std::uint64_t received, std::uint64_t total)>;

// HTTP(S) GET of url into file. Only a 2xx answer counts; anything else
// removes the file.
// A package that arrives slower than kMinBytesPerSecond over stallSeconds, or
// takes longer than kDownloadTimeLimitMs in all, is a failed download.
inline constexpr long kMinBytesPerSecond = 1024;
inline constexpr long kDownloadTimeLimitMs = 30L * 60 * 1000;

Result download(const std::string& url, const std::filesystem::path& file, const Progress& progress,
                long connectTimeoutMs = 10000, long stallSeconds = 30,
                long totalTimeoutMs = kDownloadTimeLimitMs);

} // namespace ssq::updater
