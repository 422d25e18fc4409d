#pragma once
// DrawRecord: one draw as the store keeps it, whichever source gave it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace ssq::store {

struct DrawRecord {
    std::int32_t period = 0;   // seven digits: year and draw number, 2026096
    std::string date;          // "YYYY-MM-DD"
    std::array<int, 6> reds{}; // ascending
    int blue = 0;
    std::optional<std::int64_t> sales; // yuan; empty where the source lacks it
    std::optional<std::int64_t> pool;  // yuan; empty where the source lacks it
    std::string source;                // which source gave it ("snapshot", "zhcw", ...)
    std::string storedAt;              // when it was stored, UTC "YYYY-MM-DDTHH:MM:SSZ"

    // The drawn numbers and date agree (sales, pool and provenance aside).
    bool sameDraw(const DrawRecord& other) const {
        return period == other.period && date == other.date && reds == other.reds &&
               blue == other.blue;
    }
};

// Period arithmetic on the seven-digit form.
inline int periodYear(std::int32_t period) {
    return period / 1000;
}
inline int periodNumber(std::int32_t period) {
    return period % 1000;
}

} // namespace ssq::store
