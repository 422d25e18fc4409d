#include "app/app_config.h"

#include "build_config.h"

namespace ssq::app {

AppConfig AppConfig::builtIn() { return AppConfig{SSQ_RESULTS_SERVER, SSQ_UPDATE_SERVER, {}}; }

} // namespace ssq::app
