#pragma once
// The safe unpacking of the downloaded ZIP package.

#include "updater/update_result.h"

#include <cstdint>
#include <filesystem>

namespace ssq::updater {

inline constexpr std::uint64_t kMaxUnpackedBytes = std::uint64_t{1} << 30;

// Unpacks the archive into dir (emptied first). Every entry is checked before
// anything is written: an unsafe entry refuses the whole archive and leaves
// dir empty. Nothing is ever written outside dir.
Result unpackArchive(const std::filesystem::path& archive, const std::filesystem::path& dir);

} // namespace ssq::updater
