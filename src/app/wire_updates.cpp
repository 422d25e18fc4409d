#include "app/main_window.h"

namespace ssq::app {

void MainWindow::wireUpdates() {}

} // namespace ssq::app
