#pragma once
#include <cstdint>

namespace ssq::platform {

// Milliseconds since the system started, truncated to 32 bits (wraps).
std::uint32_t tickCountMs();

} // namespace ssq::platform
