// Program start and end.

#include "app/command_options.h"
#include "app/main_window.h"
#include "build_config.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Answered before the toolkit starts, so that they work without a display.
    switch (ssq::app::startRequest(argc, argv)) {
    case ssq::app::StartRequest::Help:
        std::fputs(ssq::app::helpText().c_str(), stdout);
        return 0;
    case ssq::app::StartRequest::Version:
        std::fputs(ssq::app::versionText().c_str(), stdout);
        return 0;
    case ssq::app::StartRequest::Window:
        break;
    }

    QApplication app(argc, argv);
    // The window class (the class part of WM_CLASS) and the desktop entry the
    // installed desktop file names, whatever file name the program runs under.
    QApplication::setApplicationName(QStringLiteral(SSQ_PACKAGE_NAME));
    QApplication::setDesktopFileName(QStringLiteral(SSQ_APP_ID));
    // Files the program writes (the updater) go beside the executable, by
    // relative paths.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    ssq::app::AppConfig config = ssq::app::AppConfig::builtIn();
    // One instance per executable file name and user, wherever the file lies.
    config.instanceMarker =
        QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();

    {
        // The window owns every handler and the values each keeps (the pick
        // formats, the manifest reader): they live exactly as long as it and
        // are released when it goes, the one clean-up of the program, whichever way the run ends
        // (window closed, second instance refused, MainWindow::endProgram).
        ssq::app::MainWindow window(std::move(config));
        if (window.create()) {
            window.show();
            app.exec();
        }
    }
    return 0;
}
