#include "app/main_window.h"

namespace ssq::app {

void MainWindow::wirePicks() {}

} // namespace ssq::app

namespace ssq::app {

void MainWindow::setUpPickFormats() {}

} // namespace ssq::app
