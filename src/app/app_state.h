#pragma once
// AppState: the program-wide values the window's handlers share.

#include <cstdint>

namespace ssq::app {

struct AppState {
    std::int32_t pageCount = 0;      // list pages to read; the download sets it back to 0
    std::int32_t drawSerial = 0;     // serial of the last appended draw row; never reset
    std::int32_t aboutCountdown = 0; // set to 6 at start-up
    std::int32_t timedTicks = 0;     // ticks of a timed run
};

} // namespace ssq::app
