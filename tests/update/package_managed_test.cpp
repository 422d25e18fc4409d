// A build whose files the package manager owns: "检测升级" on the real window
// only says so. It asks no server (a newer version is published), creates no
// updater folder or file, and leaves the caption alone.

#include "app/main_window.h"
#include "box_answerer.h"
#include "demo_server.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <filesystem>

namespace fs = std::filesystem;
using namespace ssq;

class PackageManagedTest : public QObject {
    Q_OBJECT
private slots:
    void checkOnlyTellsAndWritesNothing();
};

void PackageManagedTest::checkOnlyTellsAndWritesNothing() {
    // The updater would go beside the program or into the current directory.
    QTemporaryDir workDir;
    QVERIFY(workDir.isValid());
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QStringList programFiles = programDir.entryList(QDir::AllEntries | QDir::Hidden);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(workDir.path());

    demo::Server server(demo::Options{});
    QVERIFY(server.start(0));

    app::AppConfig config;
    config.resultsServer = "http://127.0.0.1:1";
    config.updateServer = server.baseUrl();
    config.selfUpdate = false;
    app::MainWindow window(config);
    const QString caption = window.windowTitle();

    testing::BoxAnswerer boxes;
    window.findChild<QAction*>(QStringLiteral("检测升级"))->trigger();

    QCOMPARE(boxes.texts(),
             QStringList{QStringLiteral(
                 "提示信息|本程序由系统的软件包管理器安装，请通过软件包管理器升级。")});
    QCOMPARE(window.windowTitle(), caption);
    QVERIFY(server.targets().empty());
    QVERIFY(fs::is_empty(workDir.path().toStdString()));
    QCOMPARE(programDir.entryList(QDir::AllEntries | QDir::Hidden), programFiles);
    QVERIFY(window.findChild<QObject*>(QStringLiteral("UpdateChecker")) == nullptr);
    QDir::setCurrent(previous);
}

QTEST_MAIN(PackageManagedTest)
#include "package_managed_test.moc"
