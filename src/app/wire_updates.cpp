#include "app/main_window.h"

#include "platform/info_box.h"
#include "update/update_checker.h"

#include <QAction>
#include <QCoreApplication>

namespace ssq::app {

void MainWindow::wireUpdates() {
    if (!m_config.selfUpdate) {
        // An installed program's files belong to the package manager: the
        // command only says so, asks no server and writes nothing.
        connect(m_checkUpdateAction, &QAction::triggered, this, [] {
            platform::infoBox(
                QStringLiteral("本程序由系统的软件包管理器安装，请通过软件包管理器升级。"));
        });
        return;
    }
    // Parent-owned and findable as "UpdateChecker": tests replace how the
    // program ends and where it runs from.
    auto* checker = new update::UpdateChecker(
        this, m_config.updateServer, m_config.fetch, m_pump.callback(),
        update::UpdaterLauncher(QCoreApplication::applicationDirPath().toStdString(),
                                [this](int) { endProgram(); }),
        this);
    connect(m_checkUpdateAction, &QAction::triggered, checker, &update::UpdateChecker::check);
}

} // namespace ssq::app
