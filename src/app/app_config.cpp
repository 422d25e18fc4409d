#include "app/app_config.h"

#include "build_config.h"

#include <QStandardPaths>

namespace ssq::app {

AppConfig AppConfig::builtIn() {
    AppConfig config;
    config.resultsServer = SSQ_RESULTS_SERVER;
    config.updateServer = SSQ_UPDATE_SERVER;
    config.selfUpdate = SSQ_SELF_UPDATE != 0;
    config.sources = {SSQ_ZHCW_SERVER, SSQ_CWL_SERVER, SSQ_TEXT_SERVER};
    // ~/.local/share/<organisation>/<program>/draws.sqlite on Linux.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!folder.isEmpty())
        config.storePath = (folder + QStringLiteral("/draws.sqlite")).toStdString();
    return config;
}

} // namespace ssq::app
