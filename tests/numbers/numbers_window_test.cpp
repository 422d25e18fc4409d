// The 号码分析 window through the real main window: how it opens, that each
// tab shows what the core computes for the demo history, a ticket copied from
// the pick pane, and export files that read back.
#include "window_fixture.h"

#include "history/draw_table.h"
#include "numbers/bundled_history.h"
#include "numbers/csv.h"
#include "numbers/fairness.h"
#include "numbers/fairness_tab.h"
#include "numbers/hot_cold_tab.h"
#include "numbers/numbers_window.h"
#include "numbers/ticket_tab.h"
#include "numbers/trend_tab.h"
#include "picks/pick_lines.h"
#include "picks/pick_pane.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace ssq;
using numbers::NumbersWindow;

namespace {

std::string readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

std::vector<NumbersWindow*> analysisWindows() {
    std::vector<NumbersWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<NumbersWindow*>(w); window && window->isVisible())
            found.push_back(window);
    return found;
}

// Controls a user reaches, leaving out the parts inside views, combo boxes
// and the tab bar, which Qt names itself.
bool isOwnControl(QWidget* w, QWidget* window) {
    const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                         qobject_cast<QAbstractScrollArea*>(w) || qobject_cast<QTabWidget*>(w);
    if (!control)
        return false;
    for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<QAbstractScrollArea*>(p) || qobject_cast<QComboBox*>(p) ||
            qobject_cast<QTabBar*>(p))
            return false;
    return true;
}

// A main window whose draw table holds the whole demo history.
struct Loaded {
    std::unique_ptr<demo::Server> server = testing::startServer([] {
        demo::Options o;
        o.draws = testing::realHistory();
        return o;
    }());
    std::unique_ptr<app::MainWindow> window = testing::openWindow(*server);
    std::vector<numbers::Draw> history = numbers::bundledHistory().draws;

    NumbersWindow* open() {
        window->show();
        QTest::mouseClick(testing::control<QPushButton>(*window, "读数据按钮"), Qt::LeftButton);
        testing::control<QAction>(*window, "号码分析")->trigger();
        const std::vector<NumbersWindow*> windows = analysisWindows();
        return windows.size() == 1 ? windows.front() : nullptr;
    }
};

} // namespace

class NumbersWindowTest : public QObject {
    Q_OBJECT

private slots:
    void menuItemAndShortcutOpenOneWindow() {
        auto server = testing::startServerOfOldest(40);
        auto window = testing::openWindow(*server);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        auto* menu = testing::control<QMenu>(*window, "菜单");
        QStringList items;
        for (QAction* action : menu->actions())
            items << action->text();
        QCOMPARE(items, (QStringList{"升级", "关于", "号码分析"}));

        QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(analysisWindows().size(), std::size_t{1});
        NumbersWindow* numbers = analysisWindows().front();
        QCOMPARE(numbers->windowTitle(), QStringLiteral("号码分析"));
        QStringList tabs;
        for (int i = 0; i < numbers->tabs()->count(); ++i)
            tabs << numbers->tabs()->tabText(i);
        QCOMPARE(tabs, (QStringList{"走势图", "冷热与遗漏", "随机性检验", "中奖查询"}));
        QVERIFY(numbers->history().empty());
        QVERIFY(numbers->statusText().contains(QStringLiteral("没有开奖数据")));

        for (QWidget* w : numbers->findChildren<QWidget*>())
            if (isOwnControl(w, numbers))
                QVERIFY2(!w->accessibleName().isEmpty(),
                         qPrintable(QStringLiteral("%1 %2 has no accessible name")
                                        .arg(QString::fromUtf8(w->metaObject()->className()),
                                             w->objectName())));

        // Again by the menu item, after the draws came: the same window, reloaded.
        QTest::mouseClick(testing::control<QPushButton>(*window, "读数据按钮"), Qt::LeftButton);
        testing::control<QAction>(*window, "号码分析")->trigger();
        QCOMPARE(analysisWindows().size(), std::size_t{1});
        QCOMPARE(analysisWindows().front(), numbers);
        QCOMPARE(numbers->history().size(), std::size_t{40});
        QCOMPARE(numbers->history().front().period, std::string("2003001"));

        window->close();
        QVERIFY(analysisWindows().empty());
    }

    // Before the draw table holds anything, the window analyses the local
    // store, which the bundled history seeds.
    void emptyTableFallsBackOnTheStoredHistory() {
        auto server = testing::startServerOfOldest(40);
        QTemporaryDir folder;
        app::AppConfig config;
        config.resultsServer = server->baseUrl();
        config.updateServer = server->baseUrl();
        config.storePath = folder.filePath(QStringLiteral("draws.sqlite")).toStdString();
        app::MainWindow window(config);
        window.create();
        testing::control<QAction>(window, "号码分析")->trigger();
        QCOMPARE(analysisWindows().size(), std::size_t{1});
        const std::vector<numbers::Draw> expected = numbers::bundledHistory().draws;
        const std::vector<numbers::Draw>& shown = analysisWindows().front()->history();
        QCOMPARE(shown.size(), expected.size());
        QCOMPARE(shown.front().period, expected.front().period);
        QCOMPARE(shown.back().reds, expected.back().reds);
        QCOMPARE(shown.back().blue, expected.back().blue);
        window.close();
    }

    void tabsAgreeWithTheCoreOverTheDemoHistory() {
        Loaded loaded;
        NumbersWindow* window = loaded.open();
        QVERIFY(window);
        QCOMPARE(window->history().size(), loaded.history.size());
        window->rangeBox()->setCurrentIndex(window->rangeBox()->findData(0)); // 全部
        const numbers::TrendTable core = numbers::buildTrend(loaded.history);

        const numbers::TrendModel& trend = window->trendTab()->model();
        const int draws = static_cast<int>(loaded.history.size());
        QCOMPARE(trend.rowCount(), draws + numbers::kFigureRows);
        const numbers::Draw& last = loaded.history.back();
        QCOMPARE(trend.text(draws - 1, 0).toStdString(), last.period);
        for (int red = 1; red <= numbers::kRedNumbers; ++red) {
            const int omission = core.rows.back().redOmission[red - 1];
            QCOMPARE(trend.text(draws - 1, numbers::trend_column::FirstRed + red - 1),
                     omission == 0 ? QString::fromStdString(numbers::twoDigits(red))
                                   : QString::number(omission));
            QCOMPARE(trend.text(draws, numbers::trend_column::FirstRed + red - 1),
                     QString::number(core.red[red - 1].count));
        }
        QCOMPARE(trend.text(draws - 1, numbers::trend_column::Sum),
                 QString::number(core.rows.back().sum));

        QTableWidget* hotCold = window->hotColdTab()->table();
        QCOMPARE(hotCold->rowCount(), numbers::kRedNumbers + numbers::kBlueNumbers);
        hotCold->sortItems(numbers::hot_cold_column::Count, Qt::DescendingOrder);
        int highest = 0;
        for (const numbers::ColumnFigures& f : core.red)
            highest = std::max(highest, f.count);
        QCOMPARE(hotCold->item(0, numbers::hot_cold_column::Count)->data(Qt::DisplayRole).toInt(),
                 highest);
        for (int row = 0; row < hotCold->rowCount(); ++row) {
            const QString label = hotCold->item(row, numbers::hot_cold_column::Number)->text();
            const int number = label.mid(2).toInt();
            const numbers::ColumnFigures& f = label.startsWith(QStringLiteral("红"))
                                                  ? core.red[number - 1]
                                                  : core.blue[number - 1];
            QCOMPARE(
                hotCold->item(row, numbers::hot_cold_column::Count)->data(Qt::DisplayRole).toInt(),
                f.count);
            QCOMPARE(
                hotCold->item(row, numbers::hot_cold_column::Max)->data(Qt::DisplayRole).toInt(),
                f.maxOmission);
        }

        QCOMPARE(window->fairnessTab()->redText(),
                 numbers::fairnessLine(QStringLiteral("红球（%1 期）").arg(draws),
                                       numbers::redFairness(core)));
        QCOMPARE(window->fairnessTab()->blueText(),
                 numbers::fairnessLine(QStringLiteral("蓝球（%1 期）").arg(draws),
                                       numbers::blueFairness(core)));

        // The last 30: the chart keeps 30 draw rows, omissions still counted from the start.
        window->rangeBox()->setCurrentIndex(window->rangeBox()->findData(30));
        QCOMPARE(trend.rowCount(), 30 + numbers::kFigureRows);
        QCOMPARE(trend.table().rows.back().redOmission, core.rows.back().redOmission);
    }

    void ticketCopiedFromThePickPaneChecks() {
        Loaded loaded;
        NumbersWindow* window = loaded.open();
        QVERIFY(window);

        auto* pane = testing::control<picks::PickPane>(*loaded.window, "超级编辑框1随机号码");
        std::uint32_t seeds = 0;
        picks::RandomSource source(seeds, [] { return 12345u; });
        picks::writeRandomTickets(*pane, 3, source, picks::startFormat(), picks::startFormat());
        pane->selectAll();
        testing::control<QAction>(*loaded.window, "复制")->trigger();

        numbers::TicketTab* tickets = window->ticketTab();
        tickets->input()->setPlainText(QString());
        tickets->input()->paste();
        tickets->input()->appendPlainText(QStringLiteral("01 02 03 04 05 + 06"));
        tickets->periodBox()->setCurrentIndex(1); // the newest period
        tickets->check();

        const numbers::TicketReport& report = tickets->report();
        QCOMPARE(report.results.size(), std::size_t{4});
        QCOMPARE(report.badLines, 1);
        const std::vector<numbers::TicketLine> pasted =
            numbers::parseTickets(QApplication::clipboard()->text().toStdString());
        QCOMPARE(pasted.size(), std::size_t{3});
        for (std::size_t i = 0; i < 3; ++i) {
            QVERIFY2(report.results[i].line.ok(), report.results[i].line.error.c_str());
            QCOMPARE(report.results[i].counts,
                     numbers::checkTicket(pasted[i].ticket, loaded.history.back()));
        }
        QVERIFY(tickets->resultHtml().contains(QStringLiteral("红球不足 6 个")));

        // Against every draw: each single ticket is counted once per draw.
        tickets->periodBox()->setCurrentIndex(0);
        tickets->check();
        std::int64_t all = 0;
        for (std::int64_t n : tickets->report().counts)
            all += n;
        QCOMPARE(all, static_cast<std::int64_t>(3 * loaded.history.size()));
    }

    void exportFilesReadBack() {
        Loaded loaded;
        NumbersWindow* window = loaded.open();
        QVERIFY(window);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());

        QVERIFY(window->exportHistory(dir.filePath("开奖数据.csv")));
        const std::string historyFile = readAll(dir.filePath("开奖数据.csv"));
        QVERIFY(historyFile.starts_with(numbers::kUtf8Bom));
        const numbers::HistoryFile back = numbers::readHistoryCsv(historyFile);
        QVERIFY(back.errors.empty());
        QCOMPARE(back.draws.size(), loaded.history.size());
        QCOMPARE(back.draws.back().reds, loaded.history.back().reds);
        QCOMPARE(back.draws.back().blue, loaded.history.back().blue);

        window->rangeBox()->setCurrentIndex(window->rangeBox()->findData(50));
        QVERIFY(window->trendTab()->exportCsv(dir.filePath("trend.csv")));
        const auto trend = numbers::parseCsv(readAll(dir.filePath("trend.csv")));
        QCOMPARE(trend.size(), std::size_t{1 + 50 + numbers::kFigureRows});
        QCOMPARE(trend[50][0], loaded.history.back().period);

        QVERIFY(window->hotColdTab()->exportCsv(dir.filePath("hot.csv")));
        const auto hot = numbers::parseCsv(readAll(dir.filePath("hot.csv")));
        QCOMPARE(hot.size(), std::size_t{1 + 33 + 16});
        const numbers::TrendTable last50 =
            numbers::buildTrend(loaded.history, loaded.history.size() - 50);
        QCOMPARE(hot[1][2], std::to_string(last50.red[0].count));

        QVERIFY(window->fairnessTab()->exportCsv(dir.filePath("chi.csv")));
        QCOMPARE(numbers::parseCsv(readAll(dir.filePath("chi.csv"))).size(), std::size_t{3});

        window->ticketTab()->input()->setPlainText(QStringLiteral("01 02 03 04 05 06 + 07\nbad"));
        window->ticketTab()->check();
        QVERIFY(window->ticketTab()->exportCsv(dir.filePath("tickets.csv")));
        const auto tickets = numbers::parseCsv(readAll(dir.filePath("tickets.csv")));
        QCOMPARE(tickets.size(), std::size_t{4});
        QCOMPARE(tickets[2][1], std::string("bad"));
        QVERIFY(!tickets[2][2].empty());

        QVERIFY(window->trendTab()->savePng(dir.filePath("trend.png")));
        const QImage image(dir.filePath("trend.png"));
        QVERIFY(!image.isNull());
        QCOMPARE(image.height(), (1 + 50 + numbers::kFigureRows) * 20);

        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("trend.pdf"));
        QVERIFY(window->trendTab()->print(printer));
        QVERIFY(readAll(dir.filePath("trend.pdf")).starts_with("%PDF"));

        // A folder that does not exist: a failure, not a silent success.
        QVERIFY(!window->exportHistory(dir.filePath("no/such/folder/x.csv")));
    }
};

QTEST_MAIN(NumbersWindowTest)
#include "numbers_window_test.moc"
