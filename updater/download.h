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
Result download(const std::string& url, const std::filesystem::path& file, const Progress& progress,
                long connectTimeoutMs = 10000, long stallSeconds = 30);

} // namespace ssq::updater
