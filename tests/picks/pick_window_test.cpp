// Pick generation driven through the real main window: random ticks, the
// timed run, the high-count pick, the pane's menu items and every transition
// of the mode switches. Nothing is fetched: the servers point at a closed
// loopback port. Timer ticks are delivered directly, so no test waits for
// the 100 ms period.

#include "analysis/frequency_table.h"
#include "app/main_window.h"
#include "box_answerer.h"
#include "picks/pick_handlers.h"
#include "picks/pick_pane.h"
#include "platform/period_timer.h"
#include "text/codec.h"
#include "text/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTextBlock>
#include <QtTest>

#include <memory>

using ssq::app::MainWindow;

namespace {

int timedTicksOf(ssq::app::MainWindow& window) {
    auto* handlers = window.findChild<ssq::picks::PickHandlers*>(QStringLiteral("PickHandlers"));
    return handlers ? handlers->timedTicks() : -1;
}

const QString kCompute = QStringLiteral("计算");
const QString kStop = QStringLiteral("停止");

using ssq::testing::BoxAnswerer;

struct Window {
    std::unique_ptr<MainWindow> window;
    ssq::picks::PickPane* pane = nullptr;
    QCheckBox* timed = nullptr;
    QLineEdit* timeEdit = nullptr;
    QCheckBox* random = nullptr;
    QLineEdit* count = nullptr;
    QCheckBox* high = nullptr;
    QPushButton* compute = nullptr;
    ssq::platform::PeriodTimer* timer = nullptr;
    ssq::analysis::FrequencyTable* table = nullptr;
    QAction* copy = nullptr;
    QAction* remove = nullptr;

    Window() {
        ssq::app::AppConfig config;
        config.resultsServer = "http://127.0.0.1:1";
        config.updateServer = "http://127.0.0.1:1";
        window = std::make_unique<MainWindow>(config);
        window->create();
        pane = find<ssq::picks::PickPane>("超级编辑框1随机号码");
        timed = find<QCheckBox>("选择框1计时");
        timeEdit = find<QLineEdit>("编辑框1计时");
        random = find<QCheckBox>("选择框1随机");
        count = find<QLineEdit>("编辑框1注数");
        high = find<QCheckBox>("选择框2高次数");
        compute = find<QPushButton>("按钮1计算");
        timer = find<ssq::platform::PeriodTimer>("时钟1计算");
        table = find<ssq::analysis::FrequencyTable>("超级列表框1红篮球次数");
        copy = find<QAction>("复制");
        remove = find<QAction>("删除");
        // As after the first frequency count.
        compute->setEnabled(true);
    }

    template <typename T> T* find(const char* name) {
        T* child = window->findChild<T*>(QString::fromUtf8(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }

    // One tick of 时钟1计算, as the timer delivers it.
    void tick() {
        if (!QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection))
            qFatal("cannot deliver a tick");
    }

    // The counts of the worked high-count example: pick «1 3 8 11 17 21 » + «12».
    void fillCounts() {
        while (table->rows() < 33)
            table->appendRow();
        const int reds[34] = {0,  10, 5, 12, 5,  5, 5, 5, 15, 5, 5, 12, 5, 5,  5, 5, 5,
                              10, 5,  5, 5,  15, 5, 5, 5, 5,  9, 5, 5,  5, 10, 5, 5, 5};
        for (int n = 1; n <= 33; ++n) {
            table->setCell(n - 1, 1, std::to_string(n));
            table->setCell(n - 1, 2, std::to_string(reds[n]));
        }
        for (int k = 1; k <= 16; ++k) {
            const int c = k == 2 ? 20 : (k == 7 || k == 12) ? 25 : k == 16 ? 18 : 10;
            table->setCell(k - 1, 4, std::to_string(c));
        }
    }

    QString caption() const { return window->windowTitle(); }
};

const QString kHighCountLine = QStringLiteral("1 3 8 11 17 21 12");

// Every line a valid random pick: six different ascending reds of 01-33 and a
// blue of 1-16 without a leading zero; the pane ends with a line break.
void verifyRandomLines(const ssq::picks::PickPane& pane, int expectedLines) {
    const QString text = pane.toPlainText();
    QVERIFY2(expectedLines == 0 ? text.isEmpty() : text.endsWith(QLatin1Char('\n')),
             qPrintable(text));
    QStringList lines = text.split(QLatin1Char('\n'));
    lines.removeLast();
    if (expectedLines == 0)
        return;
    QCOMPARE(lines.size(), expectedLines);
    static const QRegularExpression shape(QStringLiteral("^((\\d\\d) ){6}([1-9]|1[0-6])$"));
    for (const QString& line : lines) {
        QVERIFY2(shape.match(line).hasMatch(), qPrintable(line));
        const QStringList parts = line.split(QLatin1Char(' '));
        int previous = 0;
        for (int i = 0; i < 6; ++i) {
            const int red = parts[i].toInt();
            QVERIFY2(red > previous && red <= 33, qPrintable(line));
            previous = red;
        }
    }
}

} // namespace

class PickWindowTest : public QObject {
    Q_OBJECT
private slots:
    void formatsAreSetUpAtStart();
    void randomTicksWriteTheAskedNumberOfTickets_data();
    void randomTicksWriteTheAskedNumberOfTickets();
    void timedRunStopsAtItsLimit_data();
    void timedRunStopsAtItsLimit();
    void timeEditHintOnFocus();
    void highCountPick_data();
    void highCountPick();
    void eventsDuringTheHighCountWalkLeaveOneLine();
    void copyPutsPlainTextOnTheClipboard();
    void copyWithoutSelectionShowsAMessage();
    void deleteRemovesTheSelection();
    void modeSwitches_data();
    void modeSwitches();
};

void PickWindowTest::formatsAreSetUpAtStart() {
    Window w;
    w.random->click();
    w.tick();
    // The first 18 characters bold red 12 pt, then the blue number bold blue.
    QTextCursor c(w.pane->document());
    for (int pos = 1; pos <= 18; ++pos) {
        c.setPosition(pos);
        QCOMPARE(c.charFormat().foreground().color(), QColor(255, 0, 0));
        QCOMPARE(c.charFormat().fontPointSize(), 12.0);
        QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    }
    c.setPosition(19);
    QCOMPARE(c.charFormat().foreground().color(), QColor(0, 0, 255));
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
}

void PickWindowTest::randomTicksWriteTheAskedNumberOfTickets_data() {
    QTest::addColumn<QString>("countText");
    QTest::addColumn<int>("lines");
    QTest::newRow("default") << QStringLiteral("5") << 5;
    QTest::newRow("9") << QStringLiteral("9") << 9;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("0") << QStringLiteral("0") << 0;
    QTest::newRow("negative") << QStringLiteral("-") << 0;
}

void PickWindowTest::randomTicksWriteTheAskedNumberOfTickets() {
    QFETCH(QString, countText);
    QFETCH(int, lines);
    Window w;
    QCOMPARE(w.count->text(), QStringLiteral("5"));
    w.random->click();
    w.compute->click();
    QCOMPARE(w.timer->period(), 100);
    w.count->setText(countText);
    for (int i = 0; i < 3; ++i) {
        w.tick();
        verifyRandomLines(*w.pane, lines);
    }
    // A stop keeps the tickets of the last tick.
    const QString last = w.pane->toPlainText();
    w.compute->click();
    QCOMPARE(w.timer->period(), 0);
    QCOMPARE(w.pane->toPlainText(), last);
}

void PickWindowTest::timedRunStopsAtItsLimit_data() {
    QTest::addColumn<QString>("limit");
    QTest::addColumn<int>("handTicks"); // ticks of a run stopped by hand first
    QTest::addColumn<int>("ticks");     // further ticks up to the limit
    QTest::newRow("5 s") << QStringLiteral("5") << 0 << 50;
    QTest::newRow("1 s") << QStringLiteral("1") << 0 << 10;
    QTest::newRow("5 s after a hand stop at 3 s") << QStringLiteral("5") << 30 << 20;
}

void PickWindowTest::timedRunStopsAtItsLimit() {
    QFETCH(QString, limit);
    QFETCH(int, handTicks);
    QFETCH(int, ticks);
    Window w;
    QSignalSpy limitReached(w.window->findChild<QObject*>(QStringLiteral("PickHandlers")),
                            SIGNAL(timeLimitReached()));
    QVERIFY(limitReached.isValid());
    w.timeEdit->setText(limit);

    if (handTicks > 0) {
        w.random->click();
        w.compute->click(); // Running
        w.timed->click();   // timed from the next tick on
        for (int i = 0; i < handTicks; ++i)
            w.tick();
        w.compute->click(); // stopped by hand: the count stays
        QCOMPARE(w.timer->period(), 0);
        w.compute->click(); // and on again, still timed
    } else {
        w.timed->click(); // Running by 计时
    }
    QCOMPARE(w.timer->period(), 100);

    for (int i = 1; i <= ticks; ++i) {
        if (i == ticks)
            w.pane->clear();
        w.tick();
        const double ms = 100.0 * (handTicks + i);
        const int s = int(ms / 1000);
        const QString expected =
            QStringLiteral("澜舟号录分析工具  [ 00：00：%1 ]").arg(s, 2, 10, QLatin1Char('0'));
        QCOMPARE(w.caption(), expected);
        if (i < ticks) {
            QCOMPARE(w.timer->period(), 100);
            QCOMPARE(limitReached.count(), 0);
        }
    }
    // The last tick sounds the alert, stops the timer and still writes.
    QCOMPARE(limitReached.count(), 1);
    QCOMPARE(w.timer->period(), 0);
    QVERIFY(!w.timer->isActive()); // no further tick comes
    verifyRandomLines(*w.pane, 5);
    QCOMPARE(timedTicksOf(*w.window), 0);
    if (handTicks > 0) {
        // Halted by limit: one press only puts "计算" back.
        QCOMPARE(w.compute->text(), kStop);
        QVERIFY(!w.high->isEnabled());
    } else {
        QCOMPARE(w.compute->text(), kCompute);
        QVERIFY(w.high->isEnabled());
    }
}

void PickWindowTest::timeEditHintOnFocus() {
    Window w;
    QCOMPARE(w.timeEdit->toolTip(), QString());
    for (int i = 0; i < 2; ++i) {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(w.timeEdit, &in);
        QCOMPARE(w.timeEdit->toolTip(), QStringLiteral("秒"));
    }
}

void PickWindowTest::highCountPick_data() {
    QTest::addColumn<bool>("counts");
    QTest::addColumn<QString>("countText");
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QString>("message");
    QTest::newRow("one line") << true << QStringLiteral("1") << kHighCountLine << QString();
    QTest::newRow("5 still one line") << true << QStringLiteral("5") << kHighCountLine << QString();
    QTest::newRow("minus sign alone")
        << true << QStringLiteral("-") << QString() << QStringLiteral("提示信息|生成注数不能为零");
    QTest::newRow("0") << true << QStringLiteral("0") << QString()
                       << QStringLiteral("提示信息|生成注数不能为零");
    QTest::newRow("empty") << true << QString() << QString()
                           << QStringLiteral("提示信息|生成注数不能为零");
    QTest::newRow("no counts yet") << false << QStringLiteral("1") << QString() << QString();
}

void PickWindowTest::highCountPick() {
    QFETCH(bool, counts);
    QFETCH(QString, countText);
    QFETCH(QString, pane);
    QFETCH(QString, message);
    Window w;
    if (counts)
        w.fillCounts();
    w.pane->insertText("typed by the user");
    w.count->setText(countText);
    for (int press = 0; press < 2; ++press) {
        BoxAnswerer closer;
        w.compute->click();
        QVERIFY(w.high->isChecked());
        QCOMPARE(w.pane->toPlainText(), pane);
        QCOMPARE(closer.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    }
    if (pane.isEmpty())
        return;
    // Reds in the red format, the blue number in the blue one, no line break.
    QCOMPARE(w.pane->document()->blockCount(), 1);
    QTextCursor c(w.pane->document());
    c.setPosition(15);
    QCOMPARE(c.charFormat().foreground().color(), QColor(255, 0, 0));
    c.setPosition(16);
    QCOMPARE(c.charFormat().foreground().color(), QColor(0, 0, 255));
}

void PickWindowTest::eventsDuringTheHighCountWalkLeaveOneLine() {
    // A run by 计时 goes on while 高次数 is chosen; its tick and a second press
    // arrive while the walk lets events run.
    Window w;
    w.fillCounts();
    w.timeEdit->setText(QStringLiteral("10"));
    w.timed->click();
    w.high->click();
    QTimer::singleShot(0, w.compute, [&w] {
        w.tick();
        w.compute->click();
    });
    w.compute->click();
    QCOMPARE(w.pane->toPlainText(), kHighCountLine);
    // The next tick replaces it with one random ticket (the count reads «1»).
    w.tick();
    verifyRandomLines(*w.pane, 1);
}

void PickWindowTest::copyPutsPlainTextOnTheClipboard() {
    Window w;
    w.random->click();
    w.tick();
    QTextCursor c = w.pane->textCursor();
    c.setPosition(3);
    c.setPosition(24, QTextCursor::KeepAnchor); // across the first line break
    w.pane->setTextCursor(c);
    const QString lines = w.pane->toPlainText();
    const QString expected = lines.mid(3, 21).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));

    w.copy->trigger();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data);
    QCOMPARE(data->text(), expected);
    QVERIFY(!data->hasHtml());
}

void PickWindowTest::copyWithoutSelectionShowsAMessage() {
    Window w;
    w.random->click();
    w.tick();
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    BoxAnswerer closer;
    w.copy->trigger();
    QCOMPARE(closer.texts(), QStringList{QStringLiteral("提示信息|未选择文本")});
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
}

void PickWindowTest::deleteRemovesTheSelection() {
    Window w;
    w.random->click();
    w.tick();
    const QString before = w.pane->toPlainText();
    BoxAnswerer closer;
    w.remove->trigger(); // nothing selected: nothing happens, no message
    QCOMPARE(w.pane->toPlainText(), before);

    QTextCursor c = w.pane->textCursor();
    c.setPosition(0);
    c.setPosition(6, QTextCursor::KeepAnchor);
    w.pane->setTextCursor(c);
    w.remove->trigger();
    QCOMPARE(w.pane->toPlainText(), before.mid(6));
    QCOMPARE(closer.texts(), QStringList());
    c.setPosition(1);
    QCOMPARE(c.charFormat().foreground().color(), QColor(255, 0, 0));
}

// --- mode switches -----------------------------------------------------------

namespace {

enum From { Idle, IdleRandom, Running, RunningTimed, RunningByTimer, RunningByTimerHigh, Halted };
enum Event { Press, ClickTimed, ClickTimedEmpty, ClickRandom, ClickHigh, TicksToLimit };
enum Pane { AnyPane, Unchanged, HighCountLine };
constexpr int No = 0, Yes = 1, Either = -1;

// Brings a fresh window into a state of the run. The time limit is «1»
// (ten ticks) wherever a run is timed. Ticks are only delivered while the
// timer runs, as the real timer does.
void enter(Window& w, From from) {
    switch (from) {
    case Idle:
        break;
    case IdleRandom:
        w.random->click();
        break;
    case Running:
        w.random->click();
        w.compute->click();
        break;
    case RunningTimed:
        enter(w, Running);
        w.timeEdit->setText(QStringLiteral("1"));
        w.timed->click();
        break;
    case RunningByTimer:
        w.timeEdit->setText(QStringLiteral("1"));
        w.timed->click();
        break;
    case RunningByTimerHigh:
        enter(w, RunningByTimer);
        w.high->click();
        break;
    case Halted:
        enter(w, RunningTimed);
        while (w.timer->period() != 0)
            w.tick();
        return;
    }
    // One tick of a running timer, so that the pane holds tickets to keep or replace.
    if (w.timer->period() != 0)
        w.tick();
}

} // namespace

void PickWindowTest::modeSwitches_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("event");
    QTest::addColumn<int>("period");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("highEnabled");
    QTest::addColumn<int>("highTicked");
    QTest::addColumn<int>("randomTicked");
    QTest::addColumn<int>("timedTicked");
    QTest::addColumn<QString>("count"); // "*": not looked at
    QTest::addColumn<int>("pane");
    QTest::addColumn<QString>("message");

    const QString any = QStringLiteral("*");
    const QString noTime = QStringLiteral("提示信息|时间不能为空");
    QTestData& (*row)(const char*) = QTest::newRow;

    // Presses of 按钮1计算.
    row("Idle random, press: Running") << int(IdleRandom) << int(Press) << 100 << kStop << false
                                       << No << Yes << No << any << int(AnyPane) << QString();
    row("Idle, press: high-count pick") << int(Idle) << int(Press) << 0 << kCompute << true << Yes
                                        << No << No << any << int(HighCountLine) << QString();
    row("Running, press: Idle, tickets kept")
        << int(Running) << int(Press) << 0 << kCompute << true << No << Yes << No << any
        << int(Unchanged) << QString();
    row("Running by 计时 random, press: Running")
        << int(RunningByTimer) << int(Press) << 100 << kStop << false << No << Yes << Yes << any
        << int(AnyPane) << QString();
    row("Running by 计时 high, press: high-count line")
        << int(RunningByTimerHigh) << int(Press) << 100 << kCompute << true << Yes << No << Yes
        << any << int(HighCountLine) << QString();
    row("Halted, press: Idle, nothing written")
        << int(Halted) << int(Press) << 0 << kCompute << true << No << Yes << Yes << any
        << int(Unchanged) << QString();
    // 选择框1计时 with a limit.
    row("Idle, 计时: Running by 计时") << int(Idle) << int(ClickTimed) << 100 << kCompute << true
                                       << No << Yes << Yes << any << int(Unchanged) << QString();
    row("Halted, 计时: Running") << int(Halted) << int(ClickTimed) << 100 << kStop << false << No
                                 << Yes << Yes << any << int(Unchanged) << QString();
    row("Running, 计时: same") << int(Running) << int(ClickTimed) << 100 << kStop << false << No
                               << Yes << Yes << any << int(Unchanged) << QString();
    row("Running by 计时, 计时: same")
        << int(RunningByTimer) << int(ClickTimed) << 100 << kCompute << true << No << Yes << Yes
        << any << int(Unchanged) << QString();
    // 选择框1计时 without a limit: message, run goes on untimed.
    row("Idle, 计时 empty") << int(Idle) << int(ClickTimedEmpty) << 0 << kCompute << true << No
                            << Yes << No << any << int(Unchanged) << noTime;
    row("Running, 计时 empty") << int(Running) << int(ClickTimedEmpty) << 100 << kStop << false
                               << No << Yes << No << any << int(Unchanged) << noTime;
    row("Running by 计时, 计时 empty")
        << int(RunningByTimer) << int(ClickTimedEmpty) << 100 << kCompute << true << No << Yes << No
        << any << int(Unchanged) << noTime;
    row("Halted, 计时 empty") << int(Halted) << int(ClickTimedEmpty) << 0 << kStop << false << No
                              << Yes << No << any << int(Unchanged) << noTime;
    // 选择框1随机 from anywhere: same state, count «5».
    row("Idle, 随机") << int(Idle) << int(ClickRandom) << 0 << kCompute << true << No << Yes << No
                      << QStringLiteral("5") << int(Unchanged) << QString();
    row("Running, 随机") << int(Running) << int(ClickRandom) << 100 << kStop << false << No << Yes
                         << No << QStringLiteral("5") << int(Unchanged) << QString();
    row("Running by 计时 high, 随机")
        << int(RunningByTimerHigh) << int(ClickRandom) << 100 << kCompute << true << No << Yes
        << Yes << QStringLiteral("5") << int(Unchanged) << QString();
    row("Halted, 随机") << int(Halted) << int(ClickRandom) << 0 << kStop << false << No << Yes
                        << Yes << QStringLiteral("5") << int(Unchanged) << QString();
    // 选择框2高次数 while enabled: same state, count «1»; disabled: nothing.
    row("Idle, 高次数") << int(IdleRandom) << int(ClickHigh) << 0 << kCompute << true << Yes << No
                        << No << QStringLiteral("1") << int(Unchanged) << QString();
    row("Running by 计时, 高次数")
        << int(RunningByTimer) << int(ClickHigh) << 100 << kCompute << true << Yes << No << Yes
        << QStringLiteral("1") << int(Unchanged) << QString();
    row("Running, 高次数 disabled")
        << int(Running) << int(ClickHigh) << 100 << kStop << false << No << Yes << No
        << QStringLiteral("5") << int(Unchanged) << QString();
    // The time limit.
    row("Running timed, limit: Halted")
        << int(RunningTimed) << int(TicksToLimit) << 0 << kStop << false << No << Yes << Yes << any
        << int(AnyPane) << QString();
    row("Running by 计时, limit: Idle")
        << int(RunningByTimer) << int(TicksToLimit) << 0 << kCompute << true << No << Yes << Yes
        << any << int(AnyPane) << QString();
}

void PickWindowTest::modeSwitches() {
    QFETCH(int, from);
    QFETCH(int, event);
    QFETCH(int, period);
    QFETCH(QString, caption);
    QFETCH(bool, highEnabled);
    QFETCH(int, highTicked);
    QFETCH(int, randomTicked);
    QFETCH(int, timedTicked);
    QFETCH(QString, count);
    QFETCH(int, pane);
    QFETCH(QString, message);

    Window w;
    w.fillCounts();
    enter(w, static_cast<From>(from));
    const QString paneBefore = w.pane->toPlainText();
    const int ticksBefore = timedTicksOf(*w.window);

    {
        BoxAnswerer closer;
        switch (static_cast<Event>(event)) {
        case Press:
            w.compute->click();
            break;
        case ClickTimed:
            if (w.timeEdit->text().isEmpty())
                w.timeEdit->setText(QStringLiteral("10"));
            w.timed->click();
            break;
        case ClickTimedEmpty:
            w.timeEdit->clear();
            w.timed->click();
            break;
        case ClickRandom:
            w.random->click();
            break;
        case ClickHigh:
            w.high->click();
            break;
        case TicksToLimit:
            for (int i = 0; i < 10 && w.timer->period() != 0; ++i)
                w.tick();
            break;
        }
        QCOMPARE(closer.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    QCOMPARE(w.timer->period(), period);
    QCOMPARE(w.compute->text(), caption);
    QCOMPARE(w.high->isEnabled(), highEnabled);
    if (highTicked != Either)
        QCOMPARE(w.high->isChecked(), highTicked == Yes);
    if (randomTicked != Either)
        QCOMPARE(w.random->isChecked(), randomTicked == Yes);
    if (timedTicked != Either)
        QCOMPARE(w.timed->isChecked(), timedTicked == Yes);
    if (count != QStringLiteral("*"))
        QCOMPARE(w.count->text(), count);
    if (pane == Unchanged)
        QCOMPARE(w.pane->toPlainText(), paneBefore);
    else if (pane == HighCountLine)
        QCOMPARE(w.pane->toPlainText(), kHighCountLine);
    if (!message.isEmpty())
        QCOMPARE(w.window->focusWidget(), w.timeEdit); // the focus it gets back
    if (event != TicksToLimit)
        QCOMPARE(timedTicksOf(*w.window), ticksBefore); // the switches never count
}

QTEST_MAIN(PickWindowTest)
#include "pick_window_test.moc"
