#include "app/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ssq::app::MainWindow window(ssq::app::AppConfig::builtIn());
    window.show();
    return app.exec();
}
