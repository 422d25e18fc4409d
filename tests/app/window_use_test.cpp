// The window as people read and use it, driven through the real MainWindow
// against the real loopback demo server: cells and pick lines shown whole in
// the window's font, Chinese button captions, the keyboard (Tab, Menu key,
// Shift+F10), names for a screen reader, and the palette.

#include "box_answerer.h"
#include "history/draw_table.h"
#include "picks/pick_handlers.h"
#include "picks/pick_lines.h"
#include "picks/pick_pane.h"
#include "platform/message_box.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

using ssq::app::MainWindow;
using ssq::testing::control;

namespace {

// What a delegate of `view` has for the text of a cell in `column`: the cell
// less the style's text margin on either side. Longer text is elided.
int textRoom(const QTableView& view, int column) {
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    return view.visualRect(view.model()->index(0, column)).width() - 2 * margin;
}

// Every cell (and header title) of `view` whose text would be elided, as
// "row,column: text"; the first few only.
QStringList elidedCells(const QTableView& view) {
    QStringList cut;
    const QFontMetrics cells(view.font());
    const QFontMetrics titles(view.horizontalHeader()->font());
    const QAbstractItemModel& model = *view.model();
    for (int c = 0; c < model.columnCount(); ++c) {
        if (view.columnWidth(c) <= 1)
            continue; // a column kept out of sight on purpose
        const int room = textRoom(view, c);
        const QString title = model.headerData(c, Qt::Horizontal).toString();
        if (titles.horizontalAdvance(title) > room)
            cut << QStringLiteral("title %1: %2").arg(c).arg(title);
        for (int r = 0; r < model.rowCount() && cut.size() < 10; ++r) {
            const QString text = model.index(r, c).data().toString();
            if (cells.horizontalAdvance(text) > room)
                cut << QStringLiteral("%1,%2: %3").arg(r).arg(c).arg(text);
        }
    }
    return cut;
}

// Runs `step` once the event loop of whatever comes next (a modal box, a popup
// menu) is running.
void whenLoopRuns(std::function<void()> step) {
    QTimer::singleShot(50, std::move(step));
}

struct OpenWindow {
    std::unique_ptr<ssq::demo::Server> server;
    std::unique_ptr<MainWindow> window;

    explicit OpenWindow(std::size_t draws)
        : server(ssq::testing::startServerOfOldest(draws)),
          window(ssq::testing::openWindow(*server)) {
        window->show();
        window->activateWindow();
    }
    template <typename T = QWidget> T* at(const char* name) const {
        return control<T>(*window, name);
    }
    void download() const { QTest::mouseClick(at<QPushButton>("读数据按钮"), Qt::LeftButton); }
};

QString accessibleName(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

} // namespace

class WindowUseTest : public QObject {
    Q_OBJECT

private slots:
    void fullHistoryAndFivePicksShowWhole();
    void boxButtonsInChinese();
    void tabGoesThroughEveryControl();
    void keyboardOpensPopupMenus_data();
    void keyboardOpensPopupMenus();
    void screenReaderNames();
    void tablesFollowThePaletteAndThePaneStaysWhite();
};

// The layout's widths were made for the 9 pt Song face: with it every cell of
// the full history fits its column, and five random tickets in 12 pt bold fit
// the pane without scrolling, so the first line is not cut off.
void WindowUseTest::fullHistoryAndFivePicksShowWhole() {
    OpenWindow w(ssq::testing::realHistory().size());
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    w.download();
    auto* table = w.at<QTableView>("超级列表框开奖数据");
    QCOMPARE(table->model()->rowCount(), 3493);
    const QStringList cut = elidedCells(*table);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    // And the counts of the full history in theirs.
    QTest::mouseClick(w.at<QPushButton>("按钮1分析"), Qt::LeftButton);
    auto* counts = w.at<QTableView>("超级列表框1红篮球次数");
    QVERIFY(counts->model()->index(0, 2).data().toString().toInt() > 0);
    const QStringList cutCounts = elidedCells(*counts);
    QVERIFY2(cutCounts.isEmpty(), qPrintable(cutCounts.join(QStringLiteral("; "))));

    auto* pane = w.at<ssq::picks::PickPane>("超级编辑框1随机号码");
    std::uint32_t seeds = 0;
    ssq::picks::RandomSource source(seeds, [] { return 12345u; });
    pane->clear(); // as every tick of a random run starts
    const auto* handlers = w.at<ssq::picks::PickHandlers>("PickHandlers");
    ssq::picks::writeRandomTickets(*pane, 5, source, handlers->redFormat(), handlers->blueFormat());
    QCOMPARE(pane->document()->blockCount(), 6); // five tickets and the empty line after them
    QTRY_COMPARE(pane->verticalScrollBar()->maximum(), 0);
    // No line wraps: each ticket is one line of the pane.
    for (QTextBlock b = pane->document()->begin(); b.isValid(); b = b.next())
        QCOMPARE(b.layout()->lineCount(), 1);
}

void WindowUseTest::boxButtonsInChinese() {
    OpenWindow w(20);
    ssq::testing::BoxAnswerer boxes(ssq::testing::BoxAnswerer::Answer::Cancel);
    ssq::platform::modalBox(QStringLiteral("提示信息"), QStringLiteral("测试"), QMessageBox::NoIcon,
                            QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(boxes.seen.size(), std::size_t{1});
    QStringList captions = boxes.seen.front().buttonTexts;
    captions.sort();
    QStringList expected{QStringLiteral("确定"), QStringLiteral("取消")};
    expected.sort();
    QCOMPARE(captions, expected);
}

// Tab from the first control visits every enabled control once, in reading
// order, and comes back: neither the pick pane nor a list with rows keeps it.
// Shift+Tab goes the same way back.
void WindowUseTest::tabGoesThroughEveryControl() {
    OpenWindow w(47);
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    w.download();
    auto* table = w.at<QTableView>("超级列表框开奖数据");
    table->setCurrentIndex(table->model()->index(3, 2));

    // 按钮1计算 is still disabled (no frequency count yet) and so skipped.
    const QStringList order{
        "读数据按钮",         "超级编辑框1随机号码",   "选择框1计时",   "编辑框1计时",
        "选择框1随机",        "编辑框1注数",           "选择框2高次数", "按钮1分析",
        "超级列表框开奖数据", "超级列表框1红篮球次数", "读数据按钮"};
    w.at("读数据按钮")->setFocus(Qt::OtherFocusReason);
    QStringList forward{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(forward, order);

    QStringList backward{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backward << QApplication::focusWidget()->objectName();
    }
    std::reverse(backward.begin(), backward.end());
    QCOMPARE(backward, order);

    // The pane still takes typing.
    auto* pane = w.at<ssq::picks::PickPane>("超级编辑框1随机号码");
    pane->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(pane, QStringLiteral("ab"));
    QCOMPARE(pane->toPlainText(), QStringLiteral("ab"));
}

void WindowUseTest::keyboardOpensPopupMenus_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("menu");

    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("Menu key on the pane")
        << "超级编辑框1随机号码" << int(Qt::Key_Menu) << none << "复制文本";
    QTest::newRow("Shift+F10 on the pane")
        << "超级编辑框1随机号码" << int(Qt::Key_F10) << shift << "复制文本";
    QTest::newRow("Menu key on a button") << "读数据按钮" << int(Qt::Key_Menu) << none << "菜单";
    QTest::newRow("Shift+F10 in a number box")
        << "编辑框1注数" << int(Qt::Key_F10) << shift << "菜单";
    QTest::newRow("Shift+F10 in the draw list")
        << "超级列表框开奖数据" << int(Qt::Key_F10) << shift << "菜单";
}

// The popup opens over the focused control and holds what its menu holds.
void WindowUseTest::keyboardOpensPopupMenus() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, menu);

    OpenWindow w(20);
    QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
    QWidget* focused = w.at(focus.toUtf8().constData());
    focused->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(focused->hasFocus());

    bool looked = false;
    QString opened;
    QPoint openedAt;
    whenLoopRuns([&] {
        looked = true;
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            opened = popup->objectName();
            openedAt = popup->pos();
            popup->close();
        }
    });
    QTest::keyClick(focused, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_VERIFY(looked);
    QCOMPARE(opened, menu);
    // At the height of the control; a popup that would leave the screen on the
    // right is moved left by the toolkit.
    const QRect over(focused->mapToGlobal(QPoint(0, 0)), focused->size());
    QVERIFY2(openedAt.y() >= over.top() && openedAt.y() <= over.bottom() &&
                 openedAt.x() <= over.right(),
             qPrintable(QStringLiteral("opened at %1,%2").arg(openedAt.x()).arg(openedAt.y())));
}

void WindowUseTest::screenReaderNames() {
    OpenWindow w(20);
    const struct {
        const char* control;
        QString name;
    } names[] = {
        {"编辑框1计时", QStringLiteral("计时秒数")},
        {"编辑框1注数", QStringLiteral("注数")},
        {"超级编辑框1随机号码", QStringLiteral("随机号码")},
        {"超级列表框开奖数据", QStringLiteral("开奖数据")},
        {"超级列表框1红篮球次数", QStringLiteral("红蓝球出现次数")},
    };
    for (const auto& n : names)
        QCOMPARE(accessibleName(w.at(n.control)), n.name);

    // 注数： labels its box.
    QAccessibleInterface* count = QAccessible::queryAccessibleInterface(w.at("编辑框1注数"));
    QVERIFY(count);
    bool labelled = false;
    for (const auto& [other, relation] : count->relations(QAccessible::Label))
        labelled = labelled || other->object() == w.at<QLabel>("标签1");
    QVERIFY(labelled);

    // The 1-px first column of the count list keeps its title on screen but is
    // read out as what it holds.
    auto* counts = w.at<QTableView>("超级列表框1红篮球次数");
    QCOMPARE(counts->columnWidth(0), 1);
    QCOMPARE(counts->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("xh"));
    QStringList spoken;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(counts);
    QVERIFY(list);
    for (int i = 0; i < list->childCount(); ++i)
        if (QAccessibleInterface* child = list->child(i);
            child && child->role() == QAccessible::ColumnHeader)
            spoken << child->text(QAccessible::Name);
    QCOMPARE(spoken, QStringList({"序号", "红球", "出现次数", "蓝球", "出现次数"}));
}

// Under a dark palette the lists take its colours; the pick pane keeps black
// on white, where its red and blue read well.
void WindowUseTest::tablesFollowThePaletteAndThePaneStaysWhite() {
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, QColor(0xF0, 0xF0, 0xF0));

    for (const QPalette& theme : {original, dark}) {
        QApplication::setPalette(theme);
        OpenWindow w(20);
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        for (const char* list : {"超级列表框开奖数据", "超级列表框1红篮球次数"}) {
            auto* table = w.at<QTableView>(list);
            QCOMPARE(table->palette().color(QPalette::Base), theme.color(QPalette::Base));
            QCOMPARE(table->palette().color(QPalette::Text), theme.color(QPalette::Text));
        }
        auto* pane = w.at<ssq::picks::PickPane>("超级编辑框1随机号码");
        QCOMPARE(pane->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(pane->palette().color(QPalette::Text), QColor(Qt::black));
        const QImage shot = pane->viewport()->grab().toImage();
        QCOMPARE(QColor(shot.pixel(shot.width() / 2, shot.height() / 2)), QColor(Qt::white));
    }
    QApplication::setPalette(original);
}

QTEST_MAIN(WindowUseTest)
#include "window_use_test.moc"
