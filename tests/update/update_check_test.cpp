// "检测升级" on the real main window against the real loopback demo server:
// the captions of each outcome, the boxes it shows, the updater file it
// writes, and the whole hand-off to the real updater process.

#include "app/main_window.h"
#include "box_answerer.h"
#include "demo_server.h"
#include "file_fixture.h"
#include "update/package_signature.h"
#include "update/update_checker.h"
#include "update/updater_image.h"
#include "update/updater_launcher.h"
#include "zip_archive.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;
using namespace ssq;

namespace {

const QString kChecking = QStringLiteral("检测升级中...");
const QString kUpToDate = QStringLiteral("未检测到新版本");
const QString kNormal = QStringLiteral("澜舟号录分析工具") + QString(50, QLatin1Char(' ')) +
                        QStringLiteral("版本号：3.2");
const std::string kPackagePath = "/update/ssq-update-3.3.zip";

std::string manifest(const std::string& version, const std::string& notes = "修正若干问题") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><最新版本><版本信息 版本号=\"" + version +
           "\" 升级说明=\"" + notes +
           "\" 下载地址=\"http://127.0.0.1:1/p.zip\" 文件标题=\"标题\" "
           "文件名=\"p.zip\"/></最新版本>";
}

// A newer version whose package lies at url, with the title and file name given.
std::string manifestFor(const std::string& url, const std::string& title,
                        const std::string& fileName, const std::string& signature) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><最新版本><版本信息 版本号=\"3.3\" "
           "升级说明=\"修正若干问题，提高读取速度。\" 下载地址=\"" +
           url + "\" 文件标题=\"" + title + "\" 文件名=\"" + fileName + "\" 签名=\"" + signature +
           "\"/></最新版本>";
}

// The secret half of the key the build's updater trusts (made by the build);
// empty in a build given the publisher's key, whose packages no test can sign.
std::string demoSigningKey() {
    std::ifstream in(SSQ_DEMO_SIGNING_KEY_FILE);
    std::string key;
    std::getline(in, key);
    return key;
}

using ssq::test::readFile;
using ssq::test::snapshot;
using ssq::test::writeFile;

bool isExecutable(const fs::path& p) {
    return (fs::status(p).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

// A program stand-in that notes in its current directory that it was started.
std::string standIn(const std::string& word) {
    return "#!/bin/sh\necho " + word + " > started.txt\n";
}

using testing::BoxAnswerer;

// The window, its update checker with the program's ending and the pause
// observed instead of done, and the captions it shows.
struct Session {
    std::unique_ptr<app::MainWindow> window;
    update::UpdateChecker* checker = nullptr;
    QStringList captions;
    QElapsedTimer clock;
    std::vector<qint64> captionTimes;
    std::vector<int> pauses;
    std::vector<int> endings;

    explicit Session(const std::string& updateServer, bool realPause = false) {
        app::AppConfig config;
        config.resultsServer = "http://127.0.0.1:1";
        config.updateServer = updateServer;
        config.fetch.connectTimeoutMs = 2000;
        config.fetch.stallSeconds = 1;
        window = std::make_unique<app::MainWindow>(config);
        checker = window->findChild<update::UpdateChecker*>(QStringLiteral("UpdateChecker"));
        if (!checker)
            throw std::runtime_error("no UpdateChecker");
        checker->launcher().setEndProgram([this](int code) { endings.push_back(code); });
        checker->launcher().setRunDirectory(QDir::currentPath().toStdString());
        if (!realPause)
            checker->setPause([this](int ms) { pauses.push_back(ms); });
        clock.start();
        QObject::connect(window.get(), &QWidget::windowTitleChanged, [this](const QString& title) {
            captions << title;
            captionTimes.push_back(clock.elapsed());
        });
    }
    void check() { window->findChild<QAction*>(QStringLiteral("检测升级"))->trigger(); }
};

std::unique_ptr<demo::Server> serve(std::map<std::string, demo::Canned> files) {
    demo::Options options;
    options.files = std::move(files);
    auto server = std::make_unique<demo::Server>(std::move(options));
    if (!server->start(0))
        throw std::runtime_error("demo server did not start");
    return server;
}

demo::Canned canned(std::string body, int status = 200) {
    demo::Canned c;
    c.body = std::move(body);
    c.status = status;
    c.contentType = "text/xml";
    return c;
}

// Starts the updater written into <program>/升级文件 as the program would,
// from the program folder, on the given display platform.
void startUpdater(QProcess& updater, const fs::path& program, const QStringList& arguments,
                  const QString& platform = QStringLiteral("offscreen")) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", platform);
    updater.setProcessEnvironment(env);
    updater.setWorkingDirectory(QString::fromStdString(program.string()));
    updater.start(QString::fromStdString((program / "升级文件" / "update.exe").string()),
                  arguments);
}

// Runs the updater to its end; gives its exit code (-1: it hung or crashed).
int runUpdater(const fs::path& program, const QStringList& arguments,
               const QString& platform = QStringLiteral("offscreen")) {
    QProcess updater;
    startUpdater(updater, program, arguments, platform);
    if (!updater.waitForFinished(60000)) {
        updater.kill();
        updater.waitForFinished();
        return -1;
    }
    return updater.exitStatus() == QProcess::NormalExit ? updater.exitCode() : -1;
}

} // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void outcomes_data();
    void outcomes();
    void upToDatePauseBlocksTheWindow();
    void ensureUpdaterFile_data();
    void ensureUpdaterFile();
    void handOffEndToEnd_data();
    void handOffEndToEnd();
    void failedHandOffKeepsTheProgram_data();
    void failedHandOffKeepsTheProgram();
    void failedUpdatesRestartTheUnchangedProgram_data();
    void failedUpdatesRestartTheUnchangedProgram();
    void refusedCalls_data();
    void refusedCalls();
    void fatalToolkitErrorRestartsTheProgram();
    void closingStopsTheDownload();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
    fs::path dir() const { return fs::path(m_dir->path().toStdString()); }
};

void UpdateCheckTest::init() {
    // Each test's program runs from a folder of its own.
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
}

void UpdateCheckTest::cleanup() {
    QDir::setCurrent(m_previousDir);
    m_dir.reset();
}

enum class Server { Up, Down };
Q_DECLARE_METATYPE(Server)
Q_DECLARE_METATYPE(BoxAnswerer::Answer)

void UpdateCheckTest::outcomes_data() {
    QTest::addColumn<Server>("server");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("hang");
    QTest::addColumn<BoxAnswerer::Answer>("answer");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("pauses");
    QTest::addColumn<QString>("boxTitle"); // empty: no box
    QTest::addColumn<QString>("boxText");

    using A = BoxAnswerer::Answer;
    const QStringList upToDate{kChecking, kUpToDate, kNormal};
    const QStringList back{kChecking, kNormal};
    const QString offer =
        QStringLiteral("发现有新版本可以更新！\r\n\r\n版本号：3.3\r\n下载说明：修正若干问题");
    const QString noServer = QStringLiteral("未接通升级服务器");
    auto bytes = [](const std::string& s) { return QByteArray::fromStdString(s); };

    QTest::newRow("same version") << Server::Up << bytes(manifest("3.2")) << 200 << false << A::Ok
                                  << upToDate << 1 << QString() << QString();
    QTest::newRow("3.10 reads as 3.1") << Server::Up << bytes(manifest("3.10")) << 200 << false
                                       << A::Ok << upToDate << 1 << QString() << QString();
    QTest::newRow("error page") << Server::Up << QByteArray("<html>Not Found</html>") << 404
                                << false << A::Ok << upToDate << 1 << QString() << QString();
    QTest::newRow("empty answer") << Server::Up << QByteArray() << 200 << false << A::Ok << back
                                  << 0 << QStringLiteral("提示信息") << noServer;
    QTest::newRow("server down") << Server::Down << QByteArray() << 200 << false << A::Ok << back
                                 << 0 << QStringLiteral("提示信息") << noServer;
    QTest::newRow("silent server") << Server::Up << QByteArray() << 200 << true << A::Ok << back
                                   << 0 << QStringLiteral("提示信息") << noServer;
    // These manifests carry no 签名: still read and offered as before; only
    // the updater would refuse the package.
    QTest::newRow("newer, Cancel") << Server::Up << bytes(manifest("3.3")) << 200 << false
                                   << A::Cancel << back << 0 << QStringLiteral("版本升级") << offer;
    QTest::newRow("newer, Escape") << Server::Up << bytes(manifest("3.3")) << 200 << false
                                   << A::Escape << back << 0 << QStringLiteral("版本升级") << offer;
    QTest::newRow("newer, closed") << Server::Up << bytes(manifest("3.3")) << 200 << false
                                   << A::Close << back << 0 << QStringLiteral("版本升级") << offer;
}

void UpdateCheckTest::outcomes() {
    QFETCH(Server, server);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(bool, hang);
    QFETCH(BoxAnswerer::Answer, answer);
    QFETCH(QStringList, captions);
    QFETCH(int, pauses);
    QFETCH(QString, boxTitle);
    QFETCH(QString, boxText);

    demo::Canned answerFile = canned(body.toStdString(), status);
    answerFile.hang = hang;
    auto demo = serve({{"/澜舟号录.xml", answerFile}});
    if (server == Server::Down)
        demo->stop();

    Session session(demo->baseUrl());
    BoxAnswerer boxes(answer, QStringLiteral("版本升级")); // any other box: OK
    bool eventsRan = false;
    QTimer::singleShot(0, [&] { eventsRan = true; });
    session.check();

    QCOMPARE(session.captions, captions);
    QCOMPARE(session.pauses, std::vector<int>(static_cast<std::size_t>(pauses), 3000));
    QVERIFY(session.endings.empty());
    QVERIFY(eventsRan);
    if (boxTitle.isEmpty()) {
        QVERIFY(boxes.seen.empty());
    } else {
        QCOMPARE(boxes.seen.size(), std::size_t{1});
        const auto& box = boxes.seen.front();
        QCOMPARE(box.title, boxTitle);
        QCOMPARE(box.text, boxText);
        QCOMPARE(box.modality, Qt::ApplicationModal);
        QVERIFY(!box.owned);
        if (boxTitle == QStringLiteral("版本升级")) {
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.buttons, QMessageBox::Ok | QMessageBox::Cancel);
        } else {
            QCOMPARE(box.icon, QMessageBox::NoIcon);
        }
    }
    // Written before the server is asked, whatever the answer.
    const fs::path updater = dir() / "升级文件" / "update.exe";
    QVERIFY(fs::is_regular_file(updater));
    QVERIFY(isExecutable(updater));
    const auto image = update::updaterImage();
    QCOMPARE(readFile(updater), std::string(image.begin(), image.end()));
}

void UpdateCheckTest::upToDatePauseBlocksTheWindow() {
    auto demo = serve({{"/澜舟号录.xml", canned(manifest("3.2"))}});
    Session session(demo->baseUrl(), /*realPause=*/true);
    std::vector<qint64> ticks;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ticks.push_back(session.clock.elapsed()); });
    timer.start(20);
    session.check();

    QCOMPARE(session.captions, (QStringList{kChecking, kUpToDate, kNormal}));
    const qint64 shown = session.captionTimes[1];
    const qint64 restored = session.captionTimes[2];
    QVERIFY2(restored - shown >= 2995, qPrintable(QString::number(restored - shown)));
    for (qint64 t : ticks)
        QVERIFY2(t <= shown || t >= restored, "a timer ticked during the pause");
}

void UpdateCheckTest::ensureUpdaterFile_data() {
    QTest::addColumn<QString>("before"); // what lies at 升级文件 before
    QTest::addColumn<bool>("written");   // whether the image is written

    QTest::newRow("nothing there") << "" << true;
    QTest::newRow("folder without the file") << "folder" << true;
    // The updater that runs is always the one the program carries.
    QTest::newRow("empty file replaced") << "empty" << true;
    QTest::newRow("other file replaced") << "other" << true;
    QTest::newRow("image without its run bit replaced") << "image 0644" << true;
    QTest::newRow("link replaced, its target kept") << "link" << true;
    QTest::newRow("the image itself kept") << "image" << false;
    QTest::newRow("a file in the way") << "blocker" << false;
}

void UpdateCheckTest::ensureUpdaterFile() {
    QFETCH(QString, before);
    QFETCH(bool, written);
    const fs::path folder = dir() / "升级文件";
    const fs::path file = folder / "update.exe";
    if (before == "folder")
        fs::create_directory(folder);
    else if (before == "empty")
        writeFile(file, "");
    else if (before == "other")
        writeFile(file, "#!/bin/sh\necho an older updater\n", fs::perms(0700));
    else if (before == "blocker")
        writeFile(folder, "not a folder");
    else if (before.startsWith("image")) {
        const auto image = update::updaterImage();
        writeFile(file, std::string(image.begin(), image.end()),
                  before == "image" ? fs::perms(0755) : fs::perms(0644));
    } else if (before == "link") {
        writeFile(dir() / "elsewhere.exe", "#!/bin/sh\necho not ours\n", fs::perms(0755));
        fs::create_directory(folder);
        fs::create_symlink(dir() / "elsewhere.exe", file);
    }
    const auto previous = snapshot(dir());
    struct stat was {};
    ::stat(file.c_str(), &was);

    update::UpdaterLauncher launcher(dir().string(), [](int) {});
    launcher.ensureUpdaterFile();

    const auto image = update::updaterImage();
    QVERIFY(image.size() > 0);
    if (written) {
        QVERIFY(fs::is_regular_file(fs::symlink_status(file)));
        QCOMPARE(readFile(file), std::string(image.begin(), image.end()));
        QVERIFY(isExecutable(file));
        QCOMPARE(snapshot(folder).size(), std::size_t{1}); // nothing left beside it
        if (before == "link")
            QCOMPARE(readFile(dir() / "elsewhere.exe"), std::string("#!/bin/sh\necho not ours\n"));
    } else {
        QCOMPARE(snapshot(dir()), previous);
        struct stat is {};
        ::stat(file.c_str(), &is);
        QCOMPARE(is.st_ino, was.st_ino); // not even written again
    }
}

void UpdateCheckTest::handOffEndToEnd_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("plain values") << QStringLiteral("澜舟号录分析工具3.3")
                                  << QStringLiteral("ssq-update-3.3.zip");
    // Each value is one argument: a space or an empty value shifts nothing.
    QTest::newRow("spaces, no file name") << QStringLiteral("A B C") << QString();
    // A leading dash is a value, never an option of the updater's toolkit.
    QTest::newRow("leading dashes") << QStringLiteral("-platform") << QStringLiteral("-style");
}

void UpdateCheckTest::handOffEndToEnd() {
    QFETCH(QString, title);
    QFETCH(QString, fileName);
    // A program folder whose path holds a space and Chinese characters; the
    // program runs from it, so the updater is written and started there.
    const fs::path program = dir() / "号录 程序";
    writeFile(program / "澜舟号录.exe", standIn("old"), fs::perms(0755));
    writeFile(program / "keep.txt", "kept");
    QDir::setCurrent(QString::fromStdString(program.string()));

    const std::string key = demoSigningKey();
    if (key.empty())
        QSKIP("built with the publisher's key: no test can sign a package");
    demo::Canned package;
    package.body = demo::makeZip({{"澜舟号录.exe", standIn("new"), S_IFREG | 0755},
                                  {"docs/readme.txt", "3.3", std::nullopt}});
    auto demo = serve({{kPackagePath, package}});
    const std::string url = demo->baseUrl() + kPackagePath;
    auto updates = serve(
        {{"/澜舟号录.xml", canned(manifestFor(url, title.toStdString(), fileName.toStdString(),
                                              update::signPackage(key, package.body)))}});

    Session session(updates->baseUrl());
    BoxAnswerer boxes;
    session.check();

    QCOMPARE(session.endings, std::vector<int>{0});
    QCOMPARE(session.captions, QStringList{kChecking});
    QCOMPARE(boxes.seen.size(), std::size_t{1});
    QCOMPARE(
        boxes.seen.front().text,
        QStringLiteral(
            "发现有新版本可以更新！\r\n\r\n版本号：3.3\r\n下载说明：修正若干问题，提高读取速度。"));

    // The updater downloads, installs and starts the new program in the program folder.
    const fs::path started = program / "started.txt";
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(started) && readFile(started) == "new\n", 60000);
    QCOMPARE(demo->requests(kPackagePath), 1);
    QCOMPARE(readFile(program / "docs" / "readme.txt"), std::string("3.3"));
    QCOMPARE(readFile(program / "keep.txt"), std::string("kept"));
    QVERIFY(isExecutable(program / "澜舟号录.exe"));
    // Only the updater itself stays in its folder.
    QTRY_COMPARE_WITH_TIMEOUT(snapshot(program / "升级文件").size(), std::size_t{1}, 10000);
    QVERIFY(fs::exists(program / "升级文件" / "update.exe"));
}

void UpdateCheckTest::failedHandOffKeepsTheProgram_data() {
    QTest::addColumn<QString>("before"); // what lies at 升级文件 before the check
    QTest::addColumn<QString>("text");

    const QString notWritten = QStringLiteral("升级程序无法写入程序目录，未能升级！");
    // Like a read-only program folder: the updater file cannot be written. (An
    // update.exe that is no program, or lacks its run bit, is written again
    // from the carried image: see ensureUpdaterFile.)
    QTest::newRow("a file named 升级文件 in the way") << "blocker" << notWritten;
    QTest::newRow("a folder named update.exe") << "folder" << notWritten;
}

// An accepted offer whose updater cannot run: a warning says so, the caption
// comes back and the program goes on.
void UpdateCheckTest::failedHandOffKeepsTheProgram() {
    QFETCH(QString, before);
    QFETCH(QString, text);
    const fs::path folder = dir() / "升级文件";
    if (before == "blocker")
        writeFile(folder, "not a folder");
    else
        writeFile(folder / "update.exe" / "inside.txt", "a folder, not the updater");

    auto updates = serve({{"/澜舟号录.xml", canned(manifest("3.3"))}});
    Session session(updates->baseUrl());
    BoxAnswerer boxes;
    bool eventsRan = false;
    QTimer::singleShot(0, [&] { eventsRan = true; });
    session.check();

    QVERIFY(session.endings.empty());
    QCOMPARE(session.captions, (QStringList{kChecking, kNormal}));
    QVERIFY(eventsRan);
    QCOMPARE(boxes.seen.size(), std::size_t{2});
    QCOMPARE(boxes.seen[0].title, QStringLiteral("版本升级"));
    const auto& warning = boxes.seen[1];
    QCOMPARE(warning.title, QStringLiteral("提示信息"));
    QCOMPARE(warning.text, text);
    QCOMPARE(warning.icon, QMessageBox::Warning);
    QCOMPARE(warning.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!warning.owned);
}

void UpdateCheckTest::failedUpdatesRestartTheUnchangedProgram_data() {
    QTest::addColumn<QByteArray>("package"); // empty: 404
    QTest::addColumn<QString>("signature");  // "good": the trusted key's signature of the package
    const std::string key = demoSigningKey();
    auto sign = [&](const std::string& bytes) {
        return QString::fromStdString(update::signPackage(key, bytes));
    };
    auto bytes = [](const std::string& b) { return QByteArray::fromStdString(b); };
    // The archive ends in a comment, so that a flipped byte there leaves an
    // archive that still unpacks and installs: only the signature tells.
    std::string good = demo::makeZip({{"澜舟号录.exe", standIn("new"), S_IFREG | 0755},
                                      {"docs/readme.txt", std::string(3000, 'd'), std::nullopt}});
    const std::string comment = "release 3.3";
    good[good.size() - 2] = static_cast<char>(comment.size()); // the end record's comment length
    good += comment;
    const QString signIt = QStringLiteral("good");
    QTest::newRow("zip slip") << bytes(demo::makeZip(
                                     {{"澜舟号录.exe", standIn("new"), S_IFREG | 0755},
                                      {"../../../escaped.txt", "x", std::nullopt}}))
                              << signIt;
    QTest::newRow("truncated archive") << bytes(good.substr(0, good.size() - 40)) << signIt;
    QTest::newRow("not found") << QByteArray() << signIt;
    // Packages that would install, but are not signed as the updater trusts.
    std::string flipped = good;
    flipped.back() ^= 0x01;
    QTest::newRow("a flipped byte") << bytes(flipped) << sign(good);
    QTest::newRow("another key") << bytes(good)
                                 << QString::fromStdString(update::signPackage(
                                        update::generateSigningKeys().secretKey, good));
    QTest::newRow("no signature") << bytes(good) << QString();
    QTest::newRow("another package's signature")
        << bytes(good) << sign(demo::makeZip({{"澜舟号录.exe", standIn("other"), S_IFREG | 0755}}));
}

void UpdateCheckTest::failedUpdatesRestartTheUnchangedProgram() {
    QFETCH(QByteArray, package);
    QFETCH(QString, signature);
    const std::string key = demoSigningKey();
    if (key.empty())
        QSKIP("built with the publisher's key: no test can sign a package");
    if (signature == QStringLiteral("good"))
        signature = QString::fromStdString(update::signPackage(key, package.toStdString()));
    // <tmp>/outer/program: a zip-slip entry aims two levels above e_update's parent.
    const fs::path program = dir() / "outer" / "program";
    writeFile(program / "澜舟号录.exe", standIn("old"), fs::perms(0755));
    writeFile(program / "keep.txt", "kept");
    update::ensureUpdaterFile(program, update::updaterImage());

    std::map<std::string, demo::Canned> files;
    if (!package.isEmpty()) {
        demo::Canned c;
        c.body = package.toStdString();
        files["/hostile.zip"] = c;
    }
    auto demo = serve(files);
    const auto before = snapshot(dir());

    const int exitCode = runUpdater(
        program,
        {QStringLiteral("验证参数"), QString::fromStdString(demo->baseUrl() + "/hostile.zip"),
         QStringLiteral("标题"), QStringLiteral("运行"), QStringLiteral("澜舟号录.exe"),
         QStringLiteral("hostile.zip"), QStringLiteral("说明"), signature});
    QCOMPARE(exitCode, 2); // failed, said so, and started the program again

    const fs::path started = program / "started.txt";
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(started) && readFile(started) == "old\n", 10000);
    auto after = snapshot(dir());
    after.erase("outer/program/started.txt");
    QCOMPARE(after, before); // no file changed, none written outside, archive and e_update gone
}

QStringList updaterCall(const std::string& url) {
    return {QStringLiteral("验证参数"), QString::fromStdString(url),    QStringLiteral("标题"),
            QStringLiteral("运行"),     QStringLiteral("澜舟号录.exe"), QStringLiteral("p.zip"),
            QStringLiteral("说明")};
}

void UpdateCheckTest::refusedCalls_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("program"); // the program file in the folder; empty: none
    QTest::addColumn<QString>("started"); // the file started again; empty: none
    const QString own = QStringLiteral("澜舟号录.exe");
    const QString renamed = QStringLiteral("号录.exe");
    QTest::newRow("five arguments")
        << QStringList{"验证参数", "URL", "标题", "运行", own} << own << own;
    QTest::newRow("other first argument")
        << QStringList{"验证", "URL", "标题", "运行", renamed, "f"} << renamed << renamed;
    // Without a usable program argument, the program's own file name.
    QTest::newRow("no arguments") << QStringList{} << own << own;
    QTest::newRow("a path, not a file name")
        << QStringList{"验证", "URL", "标题", "运行", "../program/澜舟号录.exe"} << own << own;
    // Nothing else is ever started: a renamed program known to no argument stays put.
    QTest::newRow("program not named") << QStringList{"验证参数"} << renamed << QString();
    QTest::newRow("named program missing")
        << QStringList{"验证", "URL", "标题", "运行", renamed, "f"} << QString() << QString();
}

// A refused call fetches nothing; the program that started the updater, if
// its file is there, starts again so the user is not left without it.
void UpdateCheckTest::refusedCalls() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, program);
    QFETCH(QString, started);
    const fs::path folder = dir() / "program";
    fs::create_directories(folder);
    if (!program.isEmpty())
        writeFile(folder / program.toStdString(), standIn(program.toStdString()), fs::perms(0755));
    update::ensureUpdaterFile(folder, update::updaterImage());
    auto demo = serve({});
    arguments.replaceInStrings(QStringLiteral("URL"),
                               QString::fromStdString(demo->baseUrl() + kPackagePath));
    const auto before = snapshot(dir());

    QCOMPARE(runUpdater(folder, arguments), 1); // "程序调用参数错误！" closes itself
    QCOMPARE(demo->requests(kPackagePath), 0);
    auto after = snapshot(dir());
    if (started.isEmpty()) {
        QTest::qWait(500); // a start, were there one, would have written by now
        QCOMPARE(snapshot(dir()), before);
        return;
    }
    const fs::path note = folder / "started.txt";
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(note) && readFile(note) == started.toStdString() + "\n",
                             10000);
    after = snapshot(dir());
    after.erase("program/started.txt");
    QCOMPARE(after, before);
}

// The toolkit cannot start (no such display platform) and ends the updater;
// the program has ended by then, so it is started again first.
void UpdateCheckTest::fatalToolkitErrorRestartsTheProgram() {
    const fs::path program = dir() / "program";
    writeFile(program / "澜舟号录.exe", standIn("old"), fs::perms(0755));
    update::ensureUpdaterFile(program, update::updaterImage());
    auto demo = serve({});

    QCOMPARE(runUpdater(program, updaterCall(demo->baseUrl() + kPackagePath),
                        QStringLiteral("no-such-platform")),
             -1);
    const fs::path started = program / "started.txt";
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(started) && readFile(started) == "old\n", 10000);
    QCOMPARE(demo->requests(kPackagePath), 0);
}

// A package that drips in far slower than it could ever finish: closing the
// updater's window (here as a session's end does, by SIGTERM) stops the
// download, leaves every file as it was and starts the unchanged program.
void UpdateCheckTest::closingStopsTheDownload() {
    const fs::path program = dir() / "program";
    writeFile(program / "澜舟号录.exe", standIn("old"), fs::perms(0755));
    writeFile(program / "keep.txt", "kept");
    update::ensureUpdaterFile(program, update::updaterImage());
    demo::Canned slow;
    slow.body = demo::makeZip(
        {{"澜舟号录.exe", standIn("new") + std::string(100000, '#'), S_IFREG | 0755}});
    slow.dripMs = 100; // 10 bytes a second: hours for the whole package
    auto demo = serve({{kPackagePath, slow}});
    const auto before = snapshot(dir());

    QProcess updater;
    startUpdater(updater, program, updaterCall(demo->baseUrl() + kPackagePath));
    QTRY_VERIFY_WITH_TIMEOUT(demo->requests(kPackagePath) == 1, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(program / "升级文件" / "update-package.zip"), 10000);
    const fs::path started = program / "started.txt";
    QVERIFY(!fs::exists(started));

    updater.terminate();
    // Well before the download's own stall limit (30 s) could end it.
    QVERIFY(updater.waitForFinished(20000));
    QCOMPARE(updater.exitStatus(), QProcess::NormalExit);
    QCOMPARE(updater.exitCode(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(started) && readFile(started) == "old\n", 10000);
    auto after = snapshot(dir());
    after.erase("program/started.txt");
    QCOMPARE(after, before); // the partial package removed, nothing else changed
}

QTEST_MAIN(UpdateCheckTest)
#include "update_check_test.moc"
