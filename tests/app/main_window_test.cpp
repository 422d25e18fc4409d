// The application shell driven through the real MainWindow: start-up sequence,
// controls at creation, number edit boxes, popup menus, the single-instance
// guard within one process, and the About box countdown.

#include "app/main_window.h"
#include "box_answerer.h"
#include "demo_server.h"
#include "history/history_downloader.h"
#include "platform/info_box.h"
#include "platform/period_timer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using ssq::app::AppConfig;
using ssq::app::MainWindow;
using ssq::platform::PeriodTimer;

namespace {

// The page count the download would read next, as the probe at start-up left it.
int pageCountOf(ssq::app::MainWindow& window) {
    auto* downloader =
        window.findChild<ssq::history::HistoryDownloader*>(QStringLiteral("HistoryDownloader"));
    return downloader ? downloader->pageCount() : -1;
}

const QString kCaption =
    QStringLiteral("澜舟号录分析工具") + QString(50, u' ') + QStringLiteral("版本号：3.2");

// An address where nothing listens: a demo server's port, after it stopped.
std::string deadServer() {
    static const std::string url = [] {
        ssq::demo::Server server(ssq::demo::Options{});
        server.start(0);
        std::string base = server.baseUrl();
        server.stop();
        return base;
    }();
    return url;
}

AppConfig configFor(const std::string& resultsServer, const QString& marker = {}) {
    AppConfig config;
    config.resultsServer = resultsServer;
    config.updateServer = resultsServer;
    config.fetch.connectTimeoutMs = 2000;
    config.fetch.stallSeconds = 2;
    config.instanceMarker = marker.toStdString();
    return config;
}

std::unique_ptr<MainWindow> openWindow(const std::string& resultsServer = deadServer()) {
    auto window = std::make_unique<MainWindow>(configFor(resultsServer));
    if (!window->create())
        qFatal("window refused without a marker");
    return window;
}

template <typename T> T* control(const QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

PeriodTimer* timer(const QWidget& window, const QString& name) {
    return control<PeriodTimer>(window, name);
}

// Runs `step` once the event loop of whatever call comes next (a modal box, a
// popup menu) is running.
void whenLoopRuns(std::function<void()> step, int delayMs = 0) {
    QTimer::singleShot(delayMs, std::move(step));
}

QWidget* topLevelTitled(const QString& title) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == title)
            return w;
    return nullptr;
}

void tickTimer(PeriodTimer* t) {
    QMetaObject::invokeMethod(t, "timeout", Qt::DirectConnection);
}

QString instanceMarker(const char* tag) {
    return QStringLiteral("ssq-shell-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QLatin1String(tag));
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void controlsAtCreation();
    void captionAndPageCount_data();
    void captionAndPageCount();
    void numberEdits_data();
    void numberEdits();
    void numberEditHidesSelectionWithoutFocus();
    void popupMenus_data();
    void popupMenus();
    void secondInstanceRefused();
    void aboutBoxCountsDownAndClosesItself();
    void aboutBoxClosedEarlyKeepsTheCount();
    void infoBoxClosesItself();
};

void MainWindowTest::controlsAtCreation() {
    auto window = openWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    // Name, kind, parent and text of every control.
    struct Expected {
        const char* name;
        const char* parent;
        QString text; // "-" where the control shows no text of its own
    };
    const Expected expected[] = {
        {"读数据按钮", nullptr, QStringLiteral("读取双色球数据")},
        {"标签3提示", nullptr, QString()},
        {"超级编辑框1随机号码", nullptr, QString()},
        {"分组框1", nullptr, QString()},
        {"选择框1计时", "分组框1", QStringLiteral("计时")},
        {"编辑框1计时", "分组框1", QString()},
        {"选择框1随机", "分组框1", QStringLiteral("随机")},
        {"标签1", "分组框1", QStringLiteral("注数：")},
        {"编辑框1注数", "分组框1", QStringLiteral("5")},
        {"选择框2高次数", "分组框1", QStringLiteral("高次数")},
        {"按钮1分析", "分组框1", QStringLiteral("分析号码")},
        {"按钮1计算", "分组框1", QStringLiteral("计算")},
        {"进度条1", nullptr, QStringLiteral("-")},
        {"超级列表框开奖数据", nullptr, QStringLiteral("-")},
        {"超级列表框1红篮球次数", nullptr, QStringLiteral("-")},
    };
    for (const Expected& e : expected) {
        const QString name = QString::fromUtf8(e.name);
        auto* w = control<QWidget>(*window, name);
        QVERIFY2(w->isVisible(), e.name);
        // Only the start-up sequence's last step changes an enabled state.
        QCOMPARE(w->isEnabled(), name != QStringLiteral("按钮1计算"));
        QCOMPARE(w->parentWidget()->objectName(),
                 e.parent ? QString::fromUtf8(e.parent) : QString());
        if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            QCOMPARE(button->text(), e.text);
            QCOMPARE(button->isChecked(), false);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            QCOMPARE(label->text(), e.text);
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            QCOMPARE(edit->text(), e.text);
        } else if (auto* pane = qobject_cast<QTextEdit*>(w)) {
            QCOMPARE(pane->toPlainText(), e.text);
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            QCOMPARE(group->title(), e.text);
        }
    }
    QCOMPARE(control<QProgressBar>(*window, QStringLiteral("进度条1"))->value(), 0);
    auto* draws = control<QTableView>(*window, QStringLiteral("超级列表框开奖数据"));
    QCOMPARE(draws->model()->rowCount(), 0);
    for (const char* list : {"超级列表框开奖数据", "超级列表框1红篮球次数"})
        QVERIFY2(
            !control<QTableView>(*window, QString::fromUtf8(list))->verticalHeader()->isVisible(),
            list);

    QVERIFY(window->findChildren<QMenuBar*>().isEmpty());
    // The layout is absolute: the window cannot be resized.
    QCOMPARE(window->minimumSize(), window->maximumSize());

    // Timers: only the blank-row timer runs after start-up.
    QCOMPARE(timer(*window, QStringLiteral("时钟1计算"))->period(), 0);
    QCOMPARE(timer(*window, QStringLiteral("时钟1关于"))->period(), 0);
    QCOMPARE(window->aboutCountdown(), 6);
}

void MainWindowTest::captionAndPageCount_data() {
    QTest::addColumn<bool>("serverUp");
    QTest::addColumn<int>("pageCount");
    QTest::newRow("full history on the demo server") << true << 175;
    QTest::newRow("server down: the window opens all the same") << false << 0;
}

void MainWindowTest::captionAndPageCount() {
    QFETCH(bool, serverUp);
    QFETCH(int, pageCount);

    ssq::demo::Options options;
    options.draws = ssq::demo::loadHistory(SSQ_SOURCE_DIR "/data/ssq_history.csv");
    QCOMPARE(options.draws.size(), std::size_t{3493});
    options.perPage = 20;
    ssq::demo::Server server(std::move(options));
    QVERIFY(server.start(0));
    const std::string url = serverUp ? server.baseUrl() : deadServer();

    MainWindow window(configFor(url));
    QCOMPARE(pageCountOf(window), 0);
    QCOMPARE(server.requests("/zhcw/html/ssq/list_1.html"), 0); // nothing before create()
    QVERIFY(window.create());

    QCOMPARE(window.windowTitle(), kCaption);
    QCOMPARE(window.windowTitle().count(u' '), 50);
    QCOMPARE(pageCountOf(window), pageCount);
    QCOMPARE(server.requests("/zhcw/html/ssq/list_1.html"), serverUp ? 1 : 0);
    if (serverUp)
        QCOMPARE(server.pageCount(), pageCount);
}

void MainWindowTest::numberEdits_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("start");  // set by the program, not filtered
    QTest::addColumn<QString>("typed");  // typed key by key
    QTest::addColumn<QString>("pasted"); // pasted with Ctrl+V after the typing
    QTest::addColumn<QString>("whileFocused");
    QTest::addColumn<QString>("afterLeaving");

    const QString count = QStringLiteral("编辑框1注数");
    const QString time = QStringLiteral("编辑框1计时");
    QTest::newRow("注数: a letter is refused") << count << "5"
                                               << "a"
                                               << ""
                                               << "5"
                                               << "5";
    QTest::newRow("注数: a letter into the empty box is refused") << count << ""
                                                                  << "a"
                                                                  << ""
                                                                  << ""
                                                                  << "";
    QTest::newRow("注数: 7 into the empty box, second digit refused") << count << ""
                                                                      << "78"
                                                                      << ""
                                                                      << "7"
                                                                      << "7";
    QTest::newRow("注数: a lone minus becomes empty") << count << ""
                                                      << "-"
                                                      << ""
                                                      << "-"
                                                      << "";
    QTest::newRow("注数: 0 becomes empty") << count << ""
                                           << "0"
                                           << ""
                                           << "0"
                                           << "";
    QTest::newRow("注数: backspace edits") << count << "5"
                                           << "\b3"
                                           << ""
                                           << "3"
                                           << "3";
    // \x03 is Home, \x7f the Delete key (whose text is DEL on X11), \x01 is Alt+A.
    QTest::newRow("注数: delete edits") << count << "5"
                                        << "\x03\x7f"
                                        << ""
                                        << ""
                                        << "";
    QTest::newRow("注数: a letter with Alt is refused") << count << ""
                                                        << "\x01"
                                                        << ""
                                                        << ""
                                                        << "";
    QTest::newRow("注数: pasted text is cut to one character") << count << ""
                                                               << ""
                                                               << "98"
                                                               << "9"
                                                               << "9";
    QTest::newRow("计时: 99999 fits, a sixth digit is refused") << time << ""
                                                                << "999999"
                                                                << ""
                                                                << "99999"
                                                                << "99999";
    QTest::newRow("计时: 00 becomes empty") << time << ""
                                            << "00"
                                            << ""
                                            << "00"
                                            << "";
    QTest::newRow("计时: leading zeros dropped") << time << ""
                                                 << "007"
                                                 << ""
                                                 << "007"
                                                 << "7";
    QTest::newRow("计时: negative number kept") << time << ""
                                                << "-12"
                                                << ""
                                                << "-12"
                                                << "-12";
    QTest::newRow("计时: cut at the first non-digit") << time << ""
                                                      << "1-2"
                                                      << ""
                                                      << "1-2"
                                                      << "1";
    QTest::newRow("计时: double minus is no number") << time << ""
                                                     << "--5"
                                                     << ""
                                                     << "--5"
                                                     << "";
    QTest::newRow("计时: letters, spaces, dot and full-width digits refused")
        << time << "" << QStringLiteral("1a ．２.3") << ""
        << "13"
        << "13";
    QTest::newRow("计时: pasted text is cut to five characters") << time << ""
                                                                 << ""
                                                                 << "1234567"
                                                                 << "12345"
                                                                 << "12345";
    QTest::newRow("计时: pasted text is not filtered, only read as a number on leaving")
        << time << ""
        << ""
        << "12ab"
        << "12ab"
        << "12";
    QTest::newRow("计时: paste after typing keeps the limit") << time << ""
                                                              << "12"
                                                              << "3456"
                                                              << "12345"
                                                              << "12345";
}

void MainWindowTest::numberEdits() {
    QFETCH(QString, box);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, whileFocused);
    QFETCH(QString, afterLeaving);

    auto window = openWindow();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    auto* edit = control<QLineEdit>(*window, box);
    edit->setText(start);
    edit->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    edit->end(false);
    for (const QChar c : typed) {
        if (c == u'\b') {
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else if (c == u'\x03') {
            QTest::keyClick(edit, Qt::Key_Home);
        } else if (c == u'\x7f') {
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_Delete, QString(c), Qt::NoModifier);
        } else if (c == u'\x01') {
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_A, QStringLiteral("a"),
                                Qt::AltModifier);
        } else {
            const Qt::Key key = c >= u'0' && c <= u'9' ? Qt::Key(Qt::Key_0 + (c.unicode() - u'0'))
                                : c == u'-'            ? Qt::Key_Minus
                                                       : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, edit, key, QString(c), Qt::NoModifier);
        }
    }
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(edit->text(), whileFocused);

    auto* other = control<QPushButton>(*window, QStringLiteral("读数据按钮"));
    other->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!edit->hasFocus());
    QCOMPARE(edit->text(), afterLeaving);
}

void MainWindowTest::numberEditHidesSelectionWithoutFocus() {
    auto window = openWindow();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto* edit = control<QLineEdit>(*window, QStringLiteral("编辑框1计时"));
    auto* other = control<QPushButton>(*window, QStringLiteral("读数据按钮"));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());

    edit->setText(QStringLiteral("12345"));
    const QImage plain = edit->grab().toImage();
    edit->selectAll();
    QVERIFY(edit->hasSelectedText());
    QCOMPARE(edit->grab().toImage(), plain);

    // With the focus the same selection shows.
    edit->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    const QImage selected = edit->grab().toImage();
    edit->deselect();
    QVERIFY(edit->grab().toImage() != selected);
}

void MainWindowTest::popupMenus_data() {
    QTest::addColumn<QString>("where"); // object name of the control pressed, "" = window
    QTest::addColumn<QPoint>("at");     // in that widget (the pane: its viewport)
    QTest::addColumn<QString>("menu");  // the popup that opens, "" = none
    QTest::addColumn<QStringList>("items");

    // "号码分析" comes after the original items, which keep their order.
    const QStringList mainItems{QStringLiteral("升级"), QStringLiteral("关于"),
                                QStringLiteral("号码分析")};
    const QStringList copyItems{QStringLiteral("复制"), QStringLiteral("删除")};
    QTest::newRow("window background, top") << "" << QPoint(350, 60) << "菜单" << mainItems;
    QTest::newRow("window background, left of the button")
        << "" << QPoint(30, 100) << "菜单" << mainItems;
    QTest::newRow("pick pane") << "超级编辑框1随机号码" << QPoint(20, 20) << "复制文本"
                               << copyItems;
    QTest::newRow("a button is no background")
        << "读数据按钮" << QPoint(10, 10) << "" << QStringList();
    QTest::newRow("a label is a child control too")
        << "标签3提示" << QPoint(10, 10) << "" << QStringList();
}

void MainWindowTest::popupMenus() {
    QFETCH(QString, where);
    QFETCH(QPoint, at);
    QFETCH(QString, menu);
    QFETCH(QStringList, items);

    auto window = openWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    QWidget* target = window.get();
    if (!where.isEmpty()) {
        target = control<QWidget>(*window, where);
        if (auto* pane = qobject_cast<QTextEdit*>(target))
            target = pane->viewport();
    }

    bool looked = false;
    QString opened;
    QStringList texts;
    QPoint openedAt;
    whenLoopRuns(
        [&] {
            looked = true;
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                opened = popup->objectName();
                openedAt = popup->pos();
                for (QAction* a : popup->actions())
                    texts << a->text();
                popup->close();
            }
        },
        100);
    QTest::mousePress(target, Qt::RightButton, {}, at);
    QTRY_VERIFY(looked);
    QTest::mouseRelease(target, Qt::RightButton, {}, at);

    QCOMPARE(opened, menu);
    QCOMPARE(texts, items);
    if (!menu.isEmpty())
        QCOMPARE(openedAt, target->mapToGlobal(at)); // at the mouse pointer
    QVERIFY(!QApplication::activePopupWidget());

    // The submenu of "升级".
    if (menu == QStringLiteral("菜单")) {
        auto* upgrade = control<QMenu>(*window, QStringLiteral("升级"));
        QCOMPARE(upgrade->actions().size(), 1);
        QCOMPARE(upgrade->actions().front()->text(), QStringLiteral("检测升级"));
        QCOMPARE(control<QMenu>(*window, QStringLiteral("菜单"))->actions().front()->menu(),
                 upgrade);
    }
}

void MainWindowTest::secondInstanceRefused() {
    const QString marker = instanceMarker("guard");
    ssq::demo::Server server(ssq::demo::Options{});
    QVERIFY(server.start(0));
    const char* probed = "/zhcw/html/ssq/list_1.html";
    auto first = std::make_unique<MainWindow>(configFor(server.baseUrl(), marker));
    QVERIFY(first->create());
    QCOMPARE(server.requests(probed), 1);

    // The second window with the same marker shows the refusal box and stops.
    auto boxes = std::make_unique<ssq::testing::BoxAnswerer>();
    MainWindow second(configFor(server.baseUrl(), marker));
    QVERIFY(!second.create());
    QCOMPARE(boxes->seen.size(), std::size_t{1});
    const auto& box = boxes->seen.front();
    QCOMPARE(box.title, QStringLiteral("提示信息"));
    QCOMPARE(box.text, QStringLiteral("程序已运行，请确定！"));
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!box.owned);
    QCOMPARE(box.modality, Qt::ApplicationModal);
    boxes.reset();
    // No later start-up step ran.
    QCOMPARE(server.requests(probed), 1);
    QVERIFY(second.windowTitle() != kCaption);
    QCOMPARE(second.aboutCountdown(), 0);
    QVERIFY(control<QPushButton>(second, QStringLiteral("按钮1计算"))->isEnabled());

    // The first instance is undisturbed; once it is gone a new start is allowed,
    // and a different marker never collides.
    QCOMPARE(first->windowTitle(), kCaption);
    MainWindow other(configFor(deadServer(), instanceMarker("other")));
    QVERIFY(other.create());
    first.reset();
    MainWindow third(configFor(deadServer(), marker));
    QVERIFY(third.create());
}

// The About box left alone, on the real 1000 ms timer: the count runs 5 .. 0
// in the box's text, and the Enter posted at 0 closes it.
void MainWindowTest::aboutBoxCountsDownAndClosesItself() {
    auto window = openWindow();
    auto* aboutTimer = timer(*window, QStringLiteral("时钟1关于"));
    auto* about = control<QAction>(*window, QStringLiteral("关于"));

    QString opening;
    int periodAtOpening = -1;
    bool plainBox = false;
    whenLoopRuns([&] {
        auto* box = qobject_cast<QMessageBox*>(topLevelTitled(QStringLiteral("关于作者")));
        if (!box)
            return;
        opening = box->text();
        periodAtOpening = aboutTimer->period();
        plainBox = box->icon() == QMessageBox::NoIcon &&
                   box->standardButtons() == QMessageBox::StandardButtons(QMessageBox::Ok) &&
                   box->parentWidget() == nullptr && box->windowModality() == Qt::ApplicationModal;
    });
    // Connected after the window's own handler: sees the text each tick left.
    QStringList shown;
    connect(aboutTimer, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(topLevelTitled(QStringLiteral("关于作者"))))
            shown << box->text();
    });
    // Should the Enter not close the box, it would wait for ever.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [] {
        if (auto* box = qobject_cast<QMessageBox*>(topLevelTitled(QStringLiteral("关于作者"))))
            box->done(QMessageBox::Ok);
    });
    guard.start(15000);

    about->trigger(); // returns when the box has closed
    QVERIFY2(guard.isActive(), "the box was not closed by the countdown");
    guard.stop();

    const QRegularExpression form(QStringLiteral("^(.+)\r\n\r\n QQ：(\\d+)$"));
    const QRegularExpressionMatch parts = form.match(opening);
    QVERIFY2(parts.hasMatch(), qPrintable(opening));
    QCOMPARE(periodAtOpening, 1000);
    QVERIFY(plainBox);
    QStringList expected;
    for (int n = 5; n >= 0; --n)
        expected << parts.captured(1) + QStringLiteral("   (%1)\r\n\r\n QQ：").arg(n) +
                        parts.captured(2);
    QCOMPARE(shown, expected);
    QCOMPARE(window->aboutCountdown(), 6);
    QCOMPARE(aboutTimer->period(), 0);
}

// OK pressed while the count 3 shows: the next tick stops the timer and keeps
// the count, so the next box starts at 2 and closes at its third tick.
void MainWindowTest::aboutBoxClosedEarlyKeepsTheCount() {
    auto window = openWindow();
    auto* aboutTimer = timer(*window, QStringLiteral("时钟1关于"));
    auto* about = control<QAction>(*window, QStringLiteral("关于"));
    auto countIn = [](const QString& text) {
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("   \\((\\d+)\\)\r\n")).match(text);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    };
    auto box = [] {
        return qobject_cast<QMessageBox*>(topLevelTitled(QStringLiteral("关于作者")));
    };

    int shownBeforeOk = -1;
    whenLoopRuns([&] {
        for (int i = 0; i < 3; ++i)
            tickTimer(aboutTimer);
        if (QMessageBox* b = box()) {
            shownBeforeOk = countIn(b->text());
            b->button(QMessageBox::Ok)->click();
        }
    });
    about->trigger();
    QCOMPARE(shownBeforeOk, 3);
    QCOMPARE(aboutTimer->period(), 1000); // the closed box is found missing only at the next tick
    tickTimer(aboutTimer);
    QCOMPARE(aboutTimer->period(), 0);
    QCOMPARE(window->aboutCountdown(), 3);

    QList<int> counts;
    bool openAfterSecondTick = false;
    whenLoopRuns([&] {
        for (int i = 0; i < 3; ++i) {
            tickTimer(aboutTimer);
            if (QMessageBox* b = box())
                counts << countIn(b->text());
            if (i == 1)
                openAfterSecondTick = box() != nullptr;
        }
    });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [&] {
        if (QMessageBox* b = box())
            b->done(QMessageBox::Ok);
    });
    guard.start(5000);
    about->trigger(); // closed by the Enter the third tick posted
    QVERIFY2(guard.isActive(), "the posted Enter did not close the box");
    guard.stop();
    QCOMPARE(counts, (QList<int>{2, 1, 0}));
    QVERIFY(openAfterSecondTick);
    QCOMPARE(window->aboutCountdown(), 6);
    QCOMPARE(aboutTimer->period(), 0);
}

// The InfoBox the other handlers show: no owner, no icon, OK, and it goes away
// on its own.
void MainWindowTest::infoBoxClosesItself() {
    ssq::testing::BoxAnswerer boxes(ssq::testing::BoxAnswerer::Answer::Leave);
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->done(QMessageBox::Ok);
    });
    guard.start(10000);
    ssq::platform::infoBox(QStringLiteral("未选择文本"));
    QVERIFY2(guard.isActive(), "the box did not close by itself");
    QCOMPARE(boxes.seen.size(), std::size_t{1});
    const auto& box = boxes.seen.front();
    QCOMPARE(box.title, QStringLiteral("提示信息"));
    QCOMPARE(box.text, QStringLiteral("未选择文本"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!box.owned);
    QCOMPARE(box.modality, Qt::ApplicationModal);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
