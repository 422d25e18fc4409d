#pragma once
// A window timer driven by its period: a period of 0 means stopped, any other
// value (milliseconds) means running with that interval.

#include <QTimer>

namespace ssq::platform {

class PeriodTimer : public QTimer {
    Q_OBJECT
public:
    using QTimer::QTimer;
    void setPeriod(int ms);
    int period() const { return isActive() ? interval() : 0; }
};

} // namespace ssq::platform
