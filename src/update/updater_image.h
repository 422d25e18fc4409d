#pragma once
// UpdaterImage: the complete file of the updater program (update.exe), carried
// inside the program's own executable and written out unchanged.

#include <span>

namespace ssq::update {

std::span<const char> updaterImage();

} // namespace ssq::update
