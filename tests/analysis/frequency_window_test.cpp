// The frequency table and the frequency count through the real window: the
// start-up fill, the blank-row ticks, the count over hand-made and downloaded
// draw tables, and the gating of 按钮1分析 and 按钮1计算.

#include "analysis/frequency_table.h"
#include "history/draw_table.h"
#include "platform/period_timer.h"
#include "window_fixture.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <map>

using namespace ssq;

namespace {

using Cells = std::map<std::pair<int, int>, std::string>; // (row, column) -> text

struct Window {
    std::unique_ptr<demo::Server> server;
    std::unique_ptr<app::MainWindow> window;
    history::DrawTable* draws;
    analysis::FrequencyTable* table;
    platform::PeriodTimer* blankRowTimer;
    QPushButton* readButton;
    QPushButton* analyseButton;
    QPushButton* computeButton;

    explicit Window(std::size_t drawCount)
        : server(testing::startServerOfOldest(drawCount)), window(testing::openWindow(*server)),
          draws(testing::control<history::DrawTable>(*window, "超级列表框开奖数据")),
          table(testing::control<analysis::FrequencyTable>(*window, "超级列表框1红篮球次数")),
          blankRowTimer(testing::control<platform::PeriodTimer>(*window, "时钟1删除空白")),
          readButton(testing::control<QPushButton>(*window, "读数据按钮")),
          analyseButton(testing::control<QPushButton>(*window, "按钮1分析")),
          computeButton(testing::control<QPushButton>(*window, "按钮1计算")) {
        window->show();
    }

    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Columns 2 and 4 of rows 0-32: every count cell, empty ones left out.
    Cells countCells() const {
        Cells cells;
        for (int row = 0; row < 33; ++row)
            for (int column : {2, 4})
                if (const std::string text = table->cell(row, column); !text.empty())
                    cells[{row, column}] = text;
        return cells;
    }

    void tick() { QMetaObject::invokeMethod(blankRowTimer, "timeout"); }
};

} // namespace

Q_DECLARE_METATYPE(Cells)
using DrawRows = std::vector<std::vector<std::string>>; // six reds and the blue of each draw
Q_DECLARE_METATYPE(DrawRows)

class FrequencyWindowTest : public QObject {
    Q_OBJECT

private slots:
    void columnsExistBeforeAnyRow() {
        app::MainWindow window(app::AppConfig{});
        auto* table = testing::control<analysis::FrequencyTable>(window, "超级列表框1红篮球次数");
        QCOMPARE(table->rows(), 0);
        const QStringList titles{"xh", "红球", "出现次数", "蓝球", "出现次数"};
        const QList<int> widths{1, 50, 60, 50, 60};
        QCOMPARE(table->model()->columnCount(), 5);
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(table->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
            QCOMPARE(table->horizontalHeader()->sectionSize(c), widths[c]);
        }
        QVERIFY(!table->verticalHeader()->isVisible());
        QVERIFY(!table->horizontalHeader()->sectionsMovable());
        QVERIFY(!table->isSortingEnabled());
    }

    void fillThenFiveTicksLeave33Rows() {
        Window w(0);
        QCOMPARE(w.table->rows(), 49);
        using Row = std::vector<std::string>;
        auto rowAt = [&](int r) {
            Row cells;
            for (int c = 0; c < 5; ++c)
                cells.push_back(w.table->cell(r, c));
            return cells;
        };
        QCOMPARE(rowAt(0), (Row{"1", "1", "", "1", ""}));
        QCOMPARE(rowAt(15), (Row{"16", "16", "", "16", ""}));
        QCOMPARE(rowAt(16), (Row{"17", "17", "", "", ""}));
        QCOMPARE(rowAt(32), (Row{"33", "33", "", "", ""}));
        for (int r = 33; r < 49; ++r)
            QCOMPARE(rowAt(r), (Row{"", "", "", "", ""}));
        QCOMPARE(w.blankRowTimer->period(), 500);

        QList<int> counts;
        for (int tick = 0; tick < 5; ++tick) {
            QCOMPARE(w.blankRowTimer->period(), 500); // a blank last row keeps it running
            w.tick();
            counts << w.table->rows();
        }
        QCOMPARE(counts, (QList<int>{41, 37, 35, 34, 33}));
        QCOMPARE(w.blankRowTimer->period(), 0);
        QCOMPARE(rowAt(32), (Row{"33", "33", "", "", ""}));

        // Outside the table: reads are empty, writes and deletions do nothing.
        QCOMPARE(w.table->cell(33, 1), std::string());
        QCOMPARE(w.table->cell(-1, 0), std::string());
        QCOMPARE(w.table->cell(0, 5), std::string());
        w.table->setCell(33, 1, "x");
        w.table->setCell(-1, 1, "x");
        w.table->deleteRow(33);
        w.table->deleteRow(-1);
        QCOMPARE(w.table->rows(), 33);
        QCOMPARE(w.countCells(), Cells{});
    }

    void countOverDrawRows_data() {
        QTest::addColumn<DrawRows>("drawRows");
        QTest::addColumn<Cells>("expected");

        QTest::newRow("one draw 01-06 + 01")
            << DrawRows{{"01", "02", "03", "04", "05", "06", "01"}}
            << Cells{{{0, 2}, "1"}, {{1, 2}, "1"}, {{2, 2}, "1"}, {{3, 2}, "1"},
                     {{4, 2}, "1"}, {{5, 2}, "1"}, {{0, 4}, "1"}};
        QTest::newRow("03 in the first and the last red column")
            << DrawRows{{"03", "10", "11", "12", "13", "14", "02"},
                        {"20", "21", "22", "23", "24", "03", "02"}}
            << Cells{{{2, 2}, "2"},  {{9, 2}, "1"},  {{10, 2}, "1"}, {{11, 2}, "1"},
                     {{12, 2}, "1"}, {{13, 2}, "1"}, {{19, 2}, "1"}, {{20, 2}, "1"},
                     {{21, 2}, "1"}, {{22, 2}, "1"}, {{23, 2}, "1"}, {{1, 4}, "2"}};
        QTest::newRow("123 counts 12, 1 and empty count nothing")
            << DrawRows{{"123", "1", "", "", "", "", "1"}} << Cells{{{11, 2}, "1"}};
    }

    void countOverDrawRows() {
        QFETCH(DrawRows, drawRows);
        QFETCH(Cells, expected);
        Window w(0);
        for (std::size_t i = 0; i < drawRows.size(); ++i) {
            const int r = w.draws->appendRow(std::to_string(i + 1));
            for (int c = 0; c < 7; ++c)
                w.draws->setCell(r, 3 + c, drawRows[i][static_cast<std::size_t>(c)]);
        }
        QVERIFY(!w.computeButton->isEnabled());

        w.click(w.analyseButton);

        QCOMPARE(w.countCells(), expected); // numbers never drawn keep empty cells
        QVERIFY(w.computeButton->isEnabled());
        QVERIFY(w.analyseButton->isEnabled()); // the table was filled: no download
        QCOMPARE(w.server->requests("/zhcw/html/ssq/list_2.html"), 0);
    }

    void countOnEmptyTableDownloadsFirst_data() {
        QTest::addColumn<int>("draws");
        QTest::newRow("47 draws") << 47;
        QTest::newRow("no page to read") << 0;
    }

    void countOnEmptyTableDownloadsFirst() {
        QFETCH(int, draws);
        Window w(static_cast<std::size_t>(draws));
        w.click(w.analyseButton);

        QCOMPARE(w.draws->rows(), draws);
        QCOMPARE(testing::control<QLabel>(*w.window, "标签3提示")->text(),
                 QStringLiteral("提示：双色球数据共有 %1 期 提取完毕！").arg(draws));
        QVERIFY(!w.analyseButton->isEnabled());
        QVERIFY(w.computeButton->isEnabled());
        int reds = 0, blues = 0;
        for (const auto& [at, text] : w.countCells())
            (at.second == 2 ? reds : blues) += std::stoi(text);
        QCOMPARE(reds, 6 * draws);
        QCOMPARE(blues, draws);

        // The next download (nothing left to read) enables it again.
        w.click(w.readButton);
        QVERIFY(w.analyseButton->isEnabled());
    }

    void twoCountsEndEqual() {
        Window w(47);
        w.click(w.readButton);
        w.click(w.analyseButton);
        const Cells first = w.countCells();
        QVERIFY(!first.empty());
        w.click(w.analyseButton);
        QCOMPARE(w.countCells(), first);
        QVERIFY(w.analyseButton->isEnabled());
    }

    // Cell changes are painted at most once a frame, but the last change of a
    // cell in view is always painted.
    void lastChangeOfACellIsPainted() {
        Window w(0);
        w.blankRowTimer->setPeriod(0); // no other repaint than the ones the changes cause
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        struct PaintLog : QObject {
            QList<QRegion> regions;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint)
                    regions << static_cast<QPaintEvent*>(e)->region();
                return false;
            }
        } log;
        w.table->viewport()->installEventFilter(&log);
        const QRect cell = w.table->visualRect(w.table->model()->index(3, 2));
        QVERIFY(w.table->viewport()->rect().contains(cell));

        qsizetype paintsBeforeLastChange = 0;
        for (int n = 1; n <= 200; ++n) {
            paintsBeforeLastChange = log.regions.size();
            w.table->setCell(3, 2, std::to_string(n));
            QCoreApplication::processEvents();
        }
        QTRY_VERIFY(log.regions.size() > paintsBeforeLastChange);
        QVERIFY(log.regions.last().contains(cell));
    }

    // Every count over the real history equals a count made here from the file.
    void fullHistoryCounts() {
        Cells expected;
        std::map<std::pair<int, int>, int> totals;
        for (const auto& cells : testing::historyRows()) {
            for (int i = 2; i < 8; ++i)
                ++totals[{std::stoi(cells[static_cast<std::size_t>(i)]) - 1, 2}];
            ++totals[{std::stoi(cells[8]) - 1, 4}];
        }
        for (const auto& [at, n] : totals)
            expected[at] = std::to_string(n);

        Window w(3493);
        w.click(w.analyseButton);
        QCOMPARE(w.draws->rows(), 3493);
        QCOMPARE(w.countCells(), expected);
    }
};

QTEST_MAIN(FrequencyWindowTest)
#include "frequency_window_test.moc"
