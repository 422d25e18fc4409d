#pragma once
// The safe unpacking of the downloaded ZIP package.

#include "updater/update_result.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace ssq::updater {

inline constexpr std::uint64_t kMaxUnpackedBytes = std::uint64_t{1} << 30;
// A package holds the program's few files: more entries than this, or a
// folder nested deeper than this, refuse the whole archive.
inline constexpr std::int64_t kMaxEntries = 10000;
inline constexpr std::size_t kMaxFolderDepth = 16;

// Unpacks the archive into dir (emptied first). Every entry is checked before
// anything is written: an unsafe entry refuses the whole archive and leaves
// dir empty. Nothing is ever written outside dir.
Result unpackArchive(const std::filesystem::path& archive, const std::filesystem::path& dir);

} // namespace ssq::updater
