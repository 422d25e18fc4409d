#pragma once
// The timed run: elapsed time counted in timer ticks, its clock text and the
// caption that shows it, and the time-limit rule.

#include <cstdint>
#include <string>

namespace ssq::picks {

// «hh：mm：ss» (full-width colons, code page 936) of a time in milliseconds:
// whole seconds, truncated; each part at least two digits, hours as many as
// they need (100 hours give «100：00：00»).
std::string clockText(double ms);

// «<product title>  [ hh：mm：ss ]», the window caption during a timed run.
std::string timedCaption(double ms);

struct TimedStep {
    double ms = 0;             // elapsed time after this tick
    bool limitReached = false; // the run stops at this tick (its tickets are still written)
};

// One timed tick: counts the tick, derives the elapsed time from the tick
// count and the timer period, and compares it with the limit in seconds. Only
// reaching the limit sets the counter back to 0; a run stopped by hand keeps
// its count, so the next timed run goes on from it.
TimedStep advanceTimedRun(std::int32_t& ticks, std::int32_t periodMs, std::int32_t limitSeconds);

} // namespace ssq::picks
