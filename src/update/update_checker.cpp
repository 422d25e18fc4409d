#include "update/update_checker.h"

#include "platform/info_box.h"
#include "platform/message_box.h"
#include "text/codec.h"
#include "text/qt_text.h"
#include "update/program_version.h"
#include "update/version_check.h"

#include <QWidget>

#include <chrono>
#include <thread>

namespace ssq::update {

UpdateChecker::UpdateChecker(QWidget* window, std::string updateServer, platform::FetchOptions fetch,
                             platform::LetEventsRun letEventsRun,
                             UpdaterLauncher launcher, QObject* parent)
    : QObject(parent), m_window(window), m_updateServer(std::move(updateServer)), m_fetch(fetch),
      m_letEventsRun(std::move(letEventsRun)), m_launcher(std::move(launcher)),
      m_pause([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }) {
    setObjectName(QStringLiteral("UpdateChecker"));
}

void UpdateChecker::setCaption(const std::string& gbkText) { m_window->setWindowTitle(text::toQString(gbkText)); }

void UpdateChecker::check() {
    setCaption(text::gbk("检测升级中..."));
    m_launcher.ensureUpdaterFile();

    const std::string body = platform::fetchUrl(m_updateServer + "/澜舟号录.xml", m_fetch);
    if (body.empty()) {
        platform::infoBox(QStringLiteral("未接通升级服务器"));
        setCaption(normalCaption());
        return;
    }

    m_reader.load(manifestText(body));
    if (isNewer(publishedVersion(m_reader))) {
        const auto answer = platform::modalBox(QStringLiteral("版本升级"), text::toQString(offerText(m_reader)),
                                               QMessageBox::Information,
                                               QMessageBox::Ok | QMessageBox::Cancel);
        if (answer == QMessageBox::Ok) {
            m_launcher.launchUpdater(m_reader); // the program ends here
            return;
        }
        setCaption(normalCaption());
    } else {
        setCaption(text::gbk("未检测到新版本"));
        m_pause(kUpToDatePauseMs);
        setCaption(normalCaption());
    }
    if (m_letEventsRun)
        m_letEventsRun();
}

} // namespace ssq::update
