#pragma once
// "Let pending window events run" for the long loops of the handlers.

#include <functional>

namespace ssq::platform {

// Core code receives the pump as a plain callback: it runs the events already
// queued and answers whether the loop that asked may go on.
using LetEventsRun = std::function<bool()>;

// The pump of the main window. Once the window has been closed the program is
// ending: every pump answers false from then on, so that a download or count
// stops at its next pump and touches no widget that is going away.
class EventPump {
public:
    bool letEventsRun();
    void markClosing() { m_closing = true; }
    bool closing() const { return m_closing; }
    LetEventsRun callback() {
        return [this] { return letEventsRun(); };
    }

private:
    bool m_closing = false;
};

} // namespace ssq::platform
