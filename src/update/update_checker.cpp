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

namespace {

QString handOffFailureText(UpdaterLauncher::HandOff failure) {
    if (failure == UpdaterLauncher::HandOff::NoUpdaterFile)
        return QStringLiteral("升级程序无法写入程序目录，未能升级！");
    return QStringLiteral("升级程序无法启动，未能升级！");
}

} // namespace

UpdateChecker::UpdateChecker(QWidget* window, std::string updateServer,
                             platform::FetchOptions fetch, platform::LetEventsRun letEventsRun,
                             UpdaterLauncher launcher, QObject* parent)
    : QObject(parent), m_window(window), m_updateServer(std::move(updateServer)), m_fetch(fetch),
      m_letEventsRun(std::move(letEventsRun)), m_launcher(std::move(launcher)),
      m_pause([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }) {
    setObjectName(QStringLiteral("UpdateChecker"));
}

void UpdateChecker::setCaption(const std::string& gbkText) {
    m_window->setWindowTitle(text::toQString(gbkText));
}

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
        const auto answer =
            platform::modalBox(QStringLiteral("版本升级"), text::toQString(offerText(m_reader)),
                               QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel);
        if (answer == QMessageBox::Ok) {
            const UpdaterLauncher::HandOff handOff = m_launcher.launchUpdater(m_reader);
            if (handOff == UpdaterLauncher::HandOff::Started)
                return; // the program ends
            // The program stays, and says why nothing happens.
            platform::modalBox(QStringLiteral("提示信息"), handOffFailureText(handOff),
                               QMessageBox::Warning);
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
