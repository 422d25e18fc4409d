#include "platform/event_pump.h"

#include <QCoreApplication>

namespace ssq::platform {

bool EventPump::letEventsRun() {
    if (!m_closing)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !m_closing;
}

} // namespace ssq::platform
