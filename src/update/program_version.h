#pragma once
// The program's own version and the window caption that shows it. Start-up
// sets the caption; the update check shows other captions while it works and
// puts this one back.

#include "build_config.h"

#include <string>

namespace ssq::update {

inline constexpr double kProgramVersion = SSQ_PROGRAM_VERSION;

// A published version is newer only when it exceeds kProgramVersion by more
// than this.
inline constexpr double kNewerThreshold = 1e-7;

// The product title, 50 spaces, "版本号：", then the version as text ("3.2"), in
// code page 936.
const std::string& normalCaption();

bool isNewer(double publishedVersion);

} // namespace ssq::update
