#include "app/main_window.h"

namespace ssq::app {

void MainWindow::wireShell() {}

} // namespace ssq::app
