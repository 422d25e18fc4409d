// Drives the real main window as a user would and saves what the screen
// shows: after the full history download, after the count, and after a random
// run of five tickets stopped by hand. The demo server runs in this process on
// a free loopback port, so the pictures never depend on anything else.
//   ssq-window-screens OUT_DIR

#include "app/main_window.h"
#include "demo_server.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

void waitMs(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void click(const QWidget& window, const char* name) {
    auto* button = window.findChild<QAbstractButton*>(QString::fromUtf8(name));
    if (button)
        button->click();
    else
        std::fprintf(stderr, "no control %s\n", name);
}

bool save(const QWidget& window, const QString& file) {
    waitMs(300); // let the last repaint reach the screen
    // The whole screen, so the window frame and anything around it show too.
    const QPixmap shot = window.screen()->grabWindow(0);
    const bool saved = shot.save(file);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(file));
    return saved;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ssq-window-screens OUT_DIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    ssq::demo::Options options;
    options.draws = ssq::demo::loadHistory(SSQ_SOURCE_DIR "/data/ssq_history.csv");
    ssq::demo::Server server(std::move(options));
    if (!server.start(0)) {
        std::fprintf(stderr, "the demo server did not start\n");
        return 1;
    }
    ssq::app::AppConfig config;
    config.resultsServer = server.baseUrl();
    config.updateServer = server.baseUrl();
    ssq::app::MainWindow window(config);
    if (!window.create())
        return 1;
    window.show();
    waitMs(1000); // the blank rows of the count list go

    bool ok = save(window, out + QStringLiteral("/1-start.png"));
    click(window, "读数据按钮"); // returns when the download has ended
    ok = save(window, out + QStringLiteral("/2-downloaded.png")) && ok;
    click(window, "按钮1分析");
    click(window, "选择框1随机");
    click(window, "按钮1计算");
    waitMs(1500);
    click(window, "按钮1计算"); // 停止: the last five tickets stay
    ok = save(window, out + QStringLiteral("/3-random-run.png")) && ok;
    return ok ? 0 : 1;
}
