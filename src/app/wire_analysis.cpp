#include "app/main_window.h"

namespace ssq::app {

void MainWindow::wireAnalysis() {}

} // namespace ssq::app

namespace ssq::app {

void MainWindow::fillFrequencyTable() {}

} // namespace ssq::app
