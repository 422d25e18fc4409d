#include "app/main_window.h"

namespace ssq::app {

void MainWindow::wireHistory() {}

} // namespace ssq::app
