#include "app/main_window.h"

#include "update/update_checker.h"

#include <QAction>
#include <QCoreApplication>

namespace ssq::app {

void MainWindow::wireUpdates() {
    // Parent-owned and findable as "UpdateChecker": tests replace how the
    // program ends and where it runs from.
    auto* checker = new update::UpdateChecker(
        this, m_config.updateServer, m_config.fetch, m_state.manifest, m_pump.callback(),
        update::UpdaterLauncher(QCoreApplication::applicationDirPath().toStdString(),
                                [this](int) { endProgram(); }),
        this);
    connect(m_checkUpdateAction, &QAction::triggered, checker, &update::UpdateChecker::check);
}

} // namespace ssq::app
