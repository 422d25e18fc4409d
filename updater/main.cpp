// update.exe: replaces the program's files with those of an update package and
// starts the program again.
//
//   update.exe 验证参数 <package address> <title> 运行 <program file> <file name> <notes>
//   <signature>
//
// The program writes this file into "升级文件" beside itself and starts it
// with these arguments (UTF-8, one per value) as it ends. Any other call is
// refused (exit code 1). A failed update exits with 2 after starting the unchanged program;
// a package whose signature is missing or not made with the built-in public key
// is one, and is never opened.

#include "update_public_key.h"
#include "updater/updater_core.h"
#include "updater/updater_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

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

// Starts the program without waiting for it, from the program's folder.
bool startProgram(const Folders& folders, const std::string& programFile) {
    const fs::path program = programToStart(folders, programFile);
    if (program.empty())
        return false;
    QProcess process;
    process.setProgram(QString::fromStdString(program.string()));
    process.setWorkingDirectory(QString::fromStdString(folders.programDir.string()));
    return process.startDetached();
}

fs::path ownFolder() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
    return fs::path(QCoreApplication::applicationDirPath().toStdString());
}

} // namespace

int main(int argc, char* argv[]) {
    // Every argument is the program's: Qt sees none of them, so that a value
    // with a leading dash (a title "-platform") is never taken for a Qt option.
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    // Closing the window does not end the updater: it ends by itself once the
    // program has been started again, also after a failed update.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::optional<Call> call = readArguments(arguments);
    if (!call) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("提示信息"),
                        QStringLiteral("程序调用参数错误！"), QMessageBox::Ok);
        QTimer::singleShot(kRefusalShownMs, &box, [&box] { box.done(QMessageBox::Ok); });
        box.exec();
        return 1;
    }

    const Folders folders = foldersFor(ownFolder());
    UpdaterWindow window(utf8(call->title));
    window.show();

    int exitCode = 0;
    QTimer::singleShot(0, &window, [&] {
        const Result result = runUpdate(
            *call, folders, SSQ_UPDATE_PUBLIC_KEY,
            [&](std::uint64_t received, std::uint64_t total) {
                window.setProgress(received, total);
                QCoreApplication::processEvents();
                return true;
            },
            [&](Stage stage) {
                switch (stage) {
                case Stage::Downloading:
                    window.setStatus(QStringLiteral("正在下载升级包..."));
                    break;
                case Stage::Unpacking:
                    window.setStatus(QStringLiteral("正在解压升级包..."));
                    break;
                case Stage::Installing:
                    window.setStatus(QStringLiteral("正在更新程序文件..."));
                    break;
                }
                QCoreApplication::processEvents();
            });
        if (result) {
            window.setStatus(QStringLiteral("升级完成。"));
            if (!startProgram(folders, call->programFile))
                exitCode = 3;
            QCoreApplication::quit();
            return;
        }
        // The program's files are as they were: say why, then start it again.
        exitCode = 2;
        window.setStatus(failureText(result));
        QTimer::singleShot(kFailureShownMs, &window, [&] {
            startProgram(folders, call->programFile);
            QCoreApplication::quit();
        });
    });
    app.exec();
    return exitCode;
}
