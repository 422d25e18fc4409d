#pragma once
// The bundled draw history: a CSV file with the header
// issue,date,r1,r2,r3,r4,r5,r6,b1,sales,pool and one draw a line, oldest first.
// Issues are five digits ("03001": two of the year, three of the draw).

#include "store/draw_record.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ssq::store {

struct SnapshotRead {
    std::vector<DrawRecord> draws; // oldest first, source "snapshot"
    std::string error;             // empty on success; then draws is empty
};

// Reads the whole file or nothing: a damaged line, a draw failing the checks or
// a gap in the periods makes the result empty with the reason in `error`.
SnapshotRead readSnapshotCsv(std::string_view text);

} // namespace ssq::store
