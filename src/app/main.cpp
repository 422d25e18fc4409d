// Program start and end.

#include "app/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Files the program writes (the updater) go beside the executable, by
    // relative paths.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    ssq::app::AppConfig config = ssq::app::AppConfig::builtIn();
    // One instance per executable file name and user, wherever the file lies.
    config.instanceMarker = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();

    {
        // The window owns AppState: the pick formats and the manifest reader
        // live exactly as long as it and are released when it goes, the one
        // clean-up of the program, whichever way the run ends (window closed,
        // second instance refused, MainWindow::endProgram).
        ssq::app::MainWindow window(std::move(config));
        if (window.create()) {
            window.show();
            app.exec();
        }
    }
    return 0;
}
