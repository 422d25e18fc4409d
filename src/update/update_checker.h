#pragma once
// UpdateChecker: the handler of "检测升级". It reads the version manifest from
// the update server and offers a newer version; an accepted offer hands over
// to the updater and ends the program. The window caption shows its progress:
//   "检测升级中..." while it works, then one of
//   - NormalCaption after the "未接通升级服务器" message (empty answer);
//   - NormalCaption at once after a declined offer;
//   - "未检测到新版本" for 3000 ms (the window does not respond), then NormalCaption;
//   - the program ends (accepted offer, updater started);
//   - NormalCaption after a warning box (accepted offer, but the updater file
//     is missing or would not start); the program goes on.
// Except after the server failure, pending window events run at its end.

#include "platform/event_pump.h"
#include "platform/http_fetch.h"
#include "update/manifest_reader.h"
#include "update/updater_launcher.h"

#include <QObject>

#include <functional>
#include <string>

class QWidget;

namespace ssq::update {

class UpdateChecker : public QObject {
    Q_OBJECT
public:
    // window: whose caption the check uses. updateServer: base address
    // ("http://host:port").
    UpdateChecker(QWidget* window, std::string updateServer, platform::FetchOptions fetch,
                  platform::LetEventsRun letEventsRun, UpdaterLauncher launcher,
                  QObject* parent = nullptr);

    void check();

    UpdaterLauncher& launcher() { return m_launcher; }
    // The manifest the last check loaded; the hand-off reads it.
    const ManifestReader& manifest() const { return m_reader; }

    // The blocking pause of the up-to-date outcome; by default the thread sleeps.
    using Pause = std::function<void(int milliseconds)>;
    void setPause(Pause pause) { m_pause = std::move(pause); }

    static constexpr int kUpToDatePauseMs = 3000;

private:
    void setCaption(const std::string& gbkText);

    QWidget* m_window;
    std::string m_updateServer;
    platform::FetchOptions m_fetch;
    ManifestReader m_reader;
    platform::LetEventsRun m_letEventsRun;
    UpdaterLauncher m_launcher;
    Pause m_pause;
};

} // namespace ssq::update
