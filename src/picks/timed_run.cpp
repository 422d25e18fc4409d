#include "picks/timed_run.h"

#include "build_config.h"
#include "text/codec.h"

#include <cmath>

namespace ssq::picks {
namespace {

std::string part(double value) {
    const auto n = static_cast<long long>(value);
    std::string digits = std::to_string(n);
    return (n >= 0 && n <= 9) ? "0" + digits : digits;
}

} // namespace

std::string clockText(double ms) {
    static const std::string colon = text::gbk("：");
    const double s = std::trunc(ms / 1000.0);
    const double h = std::floor(s / 3600.0);
    const double m = std::floor((s - 3600.0 * h) / 60.0);
    const double sec = s - 3600.0 * h - 60.0 * m;
    return part(h) + colon + part(m) + colon + part(sec);
}

std::string timedCaption(double ms) {
    static const std::string title = text::gbk(SSQ_PRODUCT_TITLE);
    return title + "  [ " + clockText(ms) + " ]";
}

TimedStep advanceTimedRun(std::int32_t& ticks, std::int32_t periodMs, std::int32_t limitSeconds) {
    // The counter is a 32-bit value that wraps rather than overflows.
    ticks = static_cast<std::int32_t>(static_cast<std::uint32_t>(ticks) + 1u);
    TimedStep step;
    step.ms = static_cast<double>(ticks) * periodMs;
    const double limit = static_cast<double>(limitSeconds) * 1000.0;
    step.limitReached = step.ms - limit >= -0.0000001;
    if (step.limitReached)
        ticks = 0;
    return step;
}

} // namespace ssq::picks
