#include "app/app_config.h"

#include "build_config.h"

namespace ssq::app {

AppConfig AppConfig::builtIn() {
    AppConfig config;
    config.resultsServer = SSQ_RESULTS_SERVER;
    config.updateServer = SSQ_UPDATE_SERVER;
    config.selfUpdate = SSQ_SELF_UPDATE != 0;
    return config;
}

} // namespace ssq::app
