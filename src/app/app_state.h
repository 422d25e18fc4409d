#pragma once
// AppState: the program-wide values the window's handlers share.

#include "picks/char_format.h"
#include "update/manifest_reader.h"

#include <cstdint>

namespace ssq::app {

struct AppState {
    std::int32_t pageCount = 0;      // list pages to read; the download sets it back to 0
    std::int32_t drawSerial = 0;     // serial of the last appended draw row; never reset
    std::int32_t aboutCountdown = 0; // set to 6 at start-up
    std::int32_t timedTicks = 0;     // ticks of a timed run
    // Formats of the pick lines; the window's creation sets them up once.
    picks::CharFormat redFormat = picks::startFormat();
    picks::CharFormat blueFormat = picks::startFormat();
    std::uint32_t seedCounter = 0;   // random source's seed counter; never reset, wraps
    // The version manifest the last update check loaded; the hand-off reads it.
    update::ManifestReader manifest;
};

} // namespace ssq::app
