#pragma once
// ZIP archives made in memory: the demo server's update package, and the
// archives of the update tests, hostile ones included.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ssq::demo {

struct ZipEntry {
    std::string name;                      // stored exactly as given ("../x", "/etc/x", "a\\b")
    std::string data;                      // the content, or the target of a link
    std::optional<std::uint32_t> unixMode; // full st_mode (S_IFLNK | 0777 for a link)
    bool legacyName =
        false; // name bytes in a local code page, without the UTF-8 flag (Windows tools)
};

// The bytes of the archive; throws std::runtime_error when libzip fails.
std::string makeZip(const std::vector<ZipEntry>& entries);

} // namespace ssq::demo
