// Closing the main window while a loop that lets events run is under way: the
// loop ends at its next pump, no control is touched afterwards (the ASan
// build checks the memory side) and the message loop returns exit code 0.

#include "analysis/frequency_table.h"
#include "history/draw_table.h"
#include "history/history_downloader.h"
#include "window_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace ssq;

namespace {

struct Window {
    std::unique_ptr<demo::Server> server;
    std::unique_ptr<app::MainWindow> window;
    history::DrawTable* draws;
    analysis::FrequencyTable* counts;

    explicit Window(std::size_t drawCount)
        : server(testing::startServerOfOldest(drawCount)), window(testing::openWindow(*server)),
          draws(testing::control<history::DrawTable>(*window, "超级列表框开奖数据")),
          counts(testing::control<analysis::FrequencyTable>(*window, "超级列表框1红篮球次数")) {
        window->show();
    }

    // Clicks `button` from inside the message loop, as the user would, and
    // runs that loop until the program would end.
    int runClicking(const char* button) {
        QPushButton* target = testing::control<QPushButton>(*window, button);
        QTimer::singleShot(0, target, [target] { QTest::mouseClick(target, Qt::LeftButton); });
        // Fails the test instead of hanging it if closing never ends the loop.
        QTimer::singleShot(20000, window.get(), [] { QApplication::exit(99); });
        return QApplication::exec();
    }

    void closeSoon() { QTimer::singleShot(0, window.get(), &QWidget::close); }
};

} // namespace

class WindowClosingTest : public QObject {
    Q_OBJECT

private slots:
    void closingEndsTheDownload() {
        Window w(47);
        QObject::connect(w.draws->model(), &QAbstractItemModel::rowsInserted, w.window.get(),
                         [&](const QModelIndex&, int first, int) {
                             if (first == 29)
                                 w.closeSoon(); // runs at the pump after row 30
                         });

        QCOMPARE(w.runClicking("读数据按钮"), 0);

        QCOMPARE(w.draws->rows(), 30);
        QCOMPARE(testing::control<history::HistoryDownloader>(*w.window, "HistoryDownloader")
                     ->drawSerial(),
                 30);
        QCOMPARE(testing::control<QProgressBar>(*w.window, "进度条1")->value(), 1);
        QVERIFY(testing::control<QLabel>(*w.window, "标签3提示")->text().isEmpty());
        QCOMPARE(w.server->requests("/zhcw/html/ssq/list_3.html"), 0); // no page after the close
    }

    void closingEndsTheCount() {
        Window w(47); // the count downloads first, then counts
        int writes = 0;
        QObject::connect(w.counts->model(), &QAbstractItemModel::dataChanged, w.window.get(),
                         [&](const QModelIndex& at) {
                             if (at.column() == 2 && ++writes == 50)
                                 w.closeSoon();
                         });

        QCOMPARE(w.runClicking("按钮1分析"), 0);

        QCOMPARE(w.draws->rows(), 47);
        QCOMPARE(writes, 50); // no count cell written after the pump that saw the close
        QVERIFY(!testing::control<QPushButton>(*w.window, "按钮1计算")->isEnabled());
    }
};

QTEST_MAIN(WindowClosingTest)
#include "window_closing_test.moc"
