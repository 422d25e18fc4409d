// update.exe: replaces the program's files with those of an update package and
// starts the program again.
//
//   update.exe 验证参数 <package address> <title> 运行 <program file> <file name> <notes>
//   <signature>
//
// The program writes this file into "升级文件" beside itself and starts it
// with these arguments (UTF-8, one per value) as it ends. Any other call is
// refused (exit code 1). A failed or cancelled update exits with 2; a package
// whose signature is missing or not made with the built-in public key is a
// failed one, and is never opened. Whatever the call, the program is started
// again at the end if its file is there (see programToRestart), also after a
// refusal or a fatal error of the toolkit.

#include "build_config.h"
#include "update_public_key.h"
#include "updater/updater_core.h"
#include "updater/updater_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace ssq::updater;

namespace {

// How long a failure stays on screen before the unchanged program starts again.
constexpr int kFailureShownMs = 3000;
// The refusal closes itself too, so that an updater started wrongly never
// waits for ever with nobody to answer it (the program has ended by then).
constexpr int kRefusalShownMs = 5000;

QString utf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString failureText(const Result& r) {
    QString text;
    switch (r.failure) {
    case Failure::None:
        return {};
    case Failure::Download:
        text = QStringLiteral("升级包下载失败");
        break;
    case Failure::Signature:
        text = QStringLiteral("升级包签名无效，升级已停止");
        break;
    case Failure::Damaged:
        text = QStringLiteral("升级包已损坏");
        break;
    case Failure::UnsafeEntry:
        text = QStringLiteral("升级包含有不安全的文件，升级已停止");
        break;
    case Failure::TooLarge:
        text = QStringLiteral("升级包过大，升级已停止");
        break;
    case Failure::Install:
        text = QStringLiteral("文件无法写入，升级已停止");
        break;
    }
    if (!r.detail.empty())
        text += QStringLiteral("（") + utf8(r.detail) + QStringLiteral("）");
    return text + QStringLiteral("。程序未作改动。");
}

// The program to start again, found when it is started (an update may have
// just written it); whichever way the updater ends, it starts it at most once.
struct Restart {
    Folders folders;
    std::vector<std::string> arguments;
    bool done = false;
};
Restart g_restart;

bool restartProgram() {
    if (g_restart.done)
        return false;
    g_restart.done = true;
    const fs::path program =
        programToRestart(g_restart.folders, g_restart.arguments, SSQ_PROGRAM_FILE);
    return !program.empty() && startDetached(program, g_restart.folders.programDir);
}

// A fatal error of the toolkit (no display, no platform plugin) ends the
// updater at once; the program, which has already ended, starts again first.
QtMessageHandler g_previousHandler = nullptr;
void restartOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (g_previousHandler)
        g_previousHandler(type, context, message);
    if (type == QtFatalMsg)
        restartProgram();
}

// SIGTERM, SIGINT and SIGHUP close the window as its close button does, so a
// session that ends or a kill without -9 still restarts the unchanged program.
int g_signalPipe[2] = {-1, -1};
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &byte, 1);
}
void closeOnSignals(QWidget& window) {
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        while (::read(g_signalPipe[0], &byte, 1) > 0) {
        }
        window.close();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

fs::path ownFolder(const char* argv0) {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
    return fs::absolute(argv0 ? argv0 : ".", ec).parent_path();
}

} // namespace

int main(int argc, char* argv[]) {
    // Every argument is the program's: Qt sees none of them, so that a value
    // with a leading dash (a title "-platform") is never taken for a Qt option.
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const Folders folders = foldersFor(ownFolder(argc > 0 ? argv[0] : nullptr));
    g_restart = Restart{folders, arguments};
    g_previousHandler = qInstallMessageHandler(restartOnFatal);
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    // Closing the window does not end the updater: it ends by itself once the
    // program has been started again, also after a failed update. It ends with
    // exit(), since quit() would first ask the window, which refuses to close.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::optional<Call> call = readArguments(arguments);
    if (!call) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("提示信息"),
                        QStringLiteral("程序调用参数错误！"), QMessageBox::Ok);
        QTimer::singleShot(kRefusalShownMs, &box, [&box] { box.done(QMessageBox::Ok); });
        box.exec();
        restartProgram();
        return 1;
    }

    UpdaterWindow window(utf8(call->title));
    closeOnSignals(window);
    bool cancelled = false;
    QObject::connect(&window, &UpdaterWindow::cancelRequested, [&cancelled] { cancelled = true; });
    window.show();

    int exitCode = 0;
    QTimer::singleShot(0, &window, [&] {
        const Result result = runUpdate(
            *call, folders, SSQ_UPDATE_PUBLIC_KEY,
            [&](std::uint64_t received, std::uint64_t total) {
                window.setProgress(received, total);
                QCoreApplication::processEvents();
                return !cancelled;
            },
            [&](Stage stage) {
                switch (stage) {
                case Stage::Downloading:
                    window.setStatus(QStringLiteral("正在下载升级包..."));
                    break;
                case Stage::Unpacking:
                    // Past the download the files are written in moments: no more stopping.
                    window.setCancellable(false);
                    window.setStatus(QStringLiteral("正在解压升级包..."));
                    break;
                case Stage::Installing:
                    window.setStatus(QStringLiteral("正在更新程序文件..."));
                    break;
                }
                QCoreApplication::processEvents();
            });
        window.setCancellable(false);
        if (result) {
            window.setStatus(QStringLiteral("升级完成。"));
            if (!restartProgram())
                exitCode = 3;
            QCoreApplication::exit(0);
            return;
        }
        // The program's files are as they were: say why, then start it again
        // (at once when the user stopped the download).
        exitCode = 2;
        if (cancelled) {
            restartProgram();
            QCoreApplication::exit(0);
            return;
        }
        window.setStatus(failureText(result));
        QTimer::singleShot(kFailureShownMs, &window, [] {
            restartProgram();
            QCoreApplication::exit(0);
        });
    });
    app.exec();
    return exitCode;
}
