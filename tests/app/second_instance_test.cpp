// The single-instance guard of the real program, process against process, on
// a private Xvfb display: the refusal box is answered with a real Enter key
// (xdotool) and the refused process must end with exit code 0.
//
// The program is copied under a file name of this test's own, so that a demo
// run of the program elsewhere on the machine never counts as the first
// instance.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kCaptionStart = QStringLiteral("澜舟号录分析工具");

} // namespace

class SecondInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void secondStartIsRefusedWithExitCodeZero();

private:
    QProcessEnvironment displayEnvironment() const;
    std::unique_ptr<QProcess> start(const QString& program);
    // The id of the visible top-level window of a process, waiting for it.
    QString visibleWindowOf(const QProcess& process);
    QString windowName(const QString& id);
    bool xdotool(const QStringList& args, QString* output = nullptr, int timeoutMs = 10000);

    QProcess m_xvfb;
    QString m_display;
    QTemporaryDir m_dirA;
    QTemporaryDir m_dirB;
    QTemporaryDir m_dataHome;
};

void SecondInstanceTest::initTestCase() {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    QVERIFY2(!xvfb.isEmpty(), "Xvfb is missing (scripts/setup.sh installs it)");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is missing (scripts/setup.sh installs it)");

    // -displayfd 1: Xvfb picks a free display and writes its number to stdout.
    m_xvfb.start(xvfb,
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("1024x640x24")});
    QVERIFY(m_xvfb.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(m_xvfb.canReadLine(), 15000);
    m_display = QLatin1Char(':') + QString::fromLatin1(m_xvfb.readLine().trimmed());

    QVERIFY(m_dirA.isValid() && m_dirB.isValid());
}

void SecondInstanceTest::cleanupTestCase() {
    m_xvfb.terminate();
    m_xvfb.waitForFinished(5000);
}

QProcessEnvironment SecondInstanceTest::displayEnvironment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8")); // window names are UTF-8
    env.remove(QStringLiteral("XAUTHORITY"));
    // The programs keep their draw store here, never in the user's own folder.
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dataHome.path());
    return env;
}

std::unique_ptr<QProcess> SecondInstanceTest::start(const QString& program) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(displayEnvironment());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(program, {});
    process->waitForStarted();
    return process;
}

bool SecondInstanceTest::xdotool(const QStringList& args, QString* output, int timeoutMs) {
    QProcess tool;
    tool.setProcessEnvironment(displayEnvironment());
    tool.start(QStringLiteral("xdotool"), args);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

QString SecondInstanceTest::visibleWindowOf(const QProcess& process) {
    QString ids;
    if (!xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                  QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                  QString::number(process.processId())},
                 &ids, 30000))
        return {};
    return ids.split(QLatin1Char('\n')).value(0);
}

QString SecondInstanceTest::windowName(const QString& id) {
    QString name;
    xdotool({QStringLiteral("getwindowname"), id}, &name);
    return name;
}

void SecondInstanceTest::secondStartIsRefusedWithExitCodeZero() {
    const QString name =
        QStringLiteral("澜舟号录-guard-%1.exe").arg(QCoreApplication::applicationPid());
    const QString programA = m_dirA.filePath(name);
    const QString programB = m_dirB.filePath(name); // same file name, other folder
    const QString renamed =
        m_dirA.filePath(QStringLiteral("renamed-%1.exe").arg(QCoreApplication::applicationPid()));
    for (const QString& copy : {programA, programB, renamed}) {
        QVERIFY(QFile::copy(QStringLiteral(SSQ_PROGRAM), copy));
        QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ExeOwner);
    }

    // The first instance opens its main window.
    auto first = start(programA);
    const QString firstWindow = visibleWindowOf(*first);
    QVERIFY2(!firstWindow.isEmpty(), "the first instance shows no window");
    QVERIFY(windowName(firstWindow).startsWith(kCaptionStart));

    // The second shows the refusal box and waits for it ...
    auto second = start(programB);
    const QString box = visibleWindowOf(*second);
    QVERIFY2(!box.isEmpty(), "the second instance shows no box");
    QCOMPARE(windowName(box), QStringLiteral("提示信息"));
    QCOMPARE(second->state(), QProcess::Running);
    // ... and ends with exit code 0 once Enter has closed it.
    QVERIFY(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), box}));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Return")}));
    QVERIFY2(second->waitForFinished(15000), "the refused instance did not end");
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);

    // The first is undisturbed.
    QCOMPARE(first->state(), QProcess::Running);
    QVERIFY(windowName(firstWindow).startsWith(kCaptionStart));

    // Another file name is another program as far as the guard goes.
    auto other = start(renamed);
    const QString otherWindow = visibleWindowOf(*other);
    QVERIFY(!otherWindow.isEmpty());
    QVERIFY(windowName(otherWindow).startsWith(kCaptionStart));
    other->kill();
    other->waitForFinished();

    // Once the first has ended, the same file name starts normally again.
    first->kill();
    QVERIFY(first->waitForFinished());
    auto again = start(programB);
    const QString againWindow = visibleWindowOf(*again);
    QVERIFY(!againWindow.isEmpty());
    QVERIFY(windowName(againWindow).startsWith(kCaptionStart));
    again->kill();
    again->waitForFinished();
}

QTEST_GUILESS_MAIN(SecondInstanceTest)
#include "second_instance_test.moc"
