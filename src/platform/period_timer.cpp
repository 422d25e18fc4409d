#include "platform/period_timer.h"

namespace ssq::platform {

void PeriodTimer::setPeriod(int ms) {
    if (ms <= 0) {
        stop();
        return;
    }
    start(ms);
}

} // namespace ssq::platform
