// The history download through the real window against the loopback demo
// server: rows, serials, progress bar, completion text, a second click, and a
// click while a download runs (failing pages: hostile_download_test).

#include "history/draw_table.h"
#include "history/history_downloader.h"
#include "window_fixture.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

using namespace ssq;
using Fault = demo::PageFault::Kind;

Q_DECLARE_METATYPE(demo::PageFault::Kind)

namespace {

constexpr int kPerPage = 20;

QString completionText(int total) {
    return QStringLiteral("提示：双色球数据共有 %1 期 提取完毕！").arg(total);
}

// What the draw table must hold after reading pages 1 .. P of `draws`
// (oldest first) with the pages in `lost` missing: newest first, page by page.
std::vector<std::vector<std::string>> expectedRows(std::size_t draws, const QList<int>& lost) {
    std::vector<std::vector<std::string>> all = testing::historyRows();
    all.resize(draws);
    std::reverse(all.begin(), all.end());
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (!lost.contains(static_cast<int>(i / kPerPage) + 1))
            rows.push_back(all[i]);
    return rows;
}

// Empty when row r holds serial r + 1 and the expected cells, else the first
// difference.
QString differenceFrom(const history::DrawTable& table,
                       const std::vector<std::vector<std::string>>& rows) {
    if (table.rows() != static_cast<int>(rows.size()))
        return QStringLiteral("%1 rows, expected %2").arg(table.rows()).arg(rows.size());
    for (int r = 0; r < table.rows(); ++r) {
        if (table.cell(r, 0) != std::to_string(r + 1))
            return QStringLiteral("row %1: serial %2")
                .arg(r)
                .arg(QString::fromStdString(table.cell(r, 0)));
        for (int c = 1; c <= 10; ++c)
            if (table.cell(r, c) !=
                rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c - 1)])
                return QStringLiteral("row %1 column %2: \"%3\", expected \"%4\"")
                    .arg(r)
                    .arg(c)
                    .arg(QString::fromStdString(table.cell(r, c)),
                         QString::fromStdString(
                             rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c - 1)]));
    }
    return {};
}

struct Window {
    std::unique_ptr<demo::Server> server;
    std::unique_ptr<app::MainWindow> window;
    history::DrawTable* table;
    QProgressBar* progress;
    QLabel* hint;
    QPushButton* readButton;
    QPushButton* analyseButton;

    explicit Window(demo::Options options)
        : server(testing::startServer(std::move(options))), window(testing::openWindow(*server)),
          table(testing::control<history::DrawTable>(*window, "超级列表框开奖数据")),
          progress(testing::control<QProgressBar>(*window, "进度条1")),
          hint(testing::control<QLabel>(*window, "标签3提示")),
          readButton(testing::control<QPushButton>(*window, "读数据按钮")),
          analyseButton(testing::control<QPushButton>(*window, "按钮1分析")) {
        window->show();
    }

    void clickRead() { QTest::mouseClick(readButton, Qt::LeftButton); }

    // How often each list page was asked for, the start-up probe included.
    QList<int> pageRequests() const {
        QList<int> counts;
        for (int page = 1; page <= server->pageCount() + 1; ++page)
            counts << server->requests("/zhcw/html/ssq/list_" + std::to_string(page) + ".html");
        return counts;
    }
};

demo::Options options(std::size_t draws, std::map<int, demo::PageFault> faults = {}) {
    demo::Options o;
    o.draws = testing::oldestDraws(draws);
    o.perPage = kPerPage;
    o.faults = std::move(faults);
    return o;
}

} // namespace

class HistoryDownloadTest : public QObject {
    Q_OBJECT

private slots:
    void download_data() {
        QTest::addColumn<int>("draws");
        QTest::addColumn<int>("faultPage"); // 0: none
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("extra");
        QTest::addColumn<QList<int>>("lostPages");

        QTest::newRow("pages of 20, 20 and 7") << 47 << 0 << Fault::None << 0 << QList<int>{};
        QTest::newRow("a page of 205 matches")
            << 47 << 2 << Fault::ExtraMatches << 5 << QList<int>{};
        QTest::newRow("the full history") << 3493 << 0 << Fault::None << 0 << QList<int>{};
    }

    void download() {
        QFETCH(int, draws);
        QFETCH(int, faultPage);
        QFETCH(Fault, fault);
        QFETCH(int, extra);
        QFETCH(QList<int>, lostPages);

        std::map<int, demo::PageFault> faults;
        if (faultPage > 0)
            faults[faultPage] = demo::PageFault{fault, extra};
        Window w(options(static_cast<std::size_t>(draws), faults));
        const int pages = (draws + kPerPage - 1) / kPerPage;
        const auto* downloader =
            testing::control<history::HistoryDownloader>(*w.window, "HistoryDownloader");
        QCOMPARE(downloader->pageCount(), pages);

        w.clickRead();

        const auto rows = expectedRows(static_cast<std::size_t>(draws), lostPages);
        const QString difference = differenceFrom(*w.table, rows);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(downloader->drawSerial(), static_cast<int>(rows.size()));
        QCOMPARE(w.progress->maximum(), pages);
        QCOMPARE(w.progress->value(), pages);
        QCOMPARE(w.hint->text(), completionText(static_cast<int>(rows.size())));
        QCOMPARE(downloader->pageCount(), 0);
        QVERIFY(w.analyseButton->isEnabled());
    }

    void secondClickAddsNothing() {
        Window w(options(47));
        w.clickRead();
        QCOMPARE(w.table->rows(), 47);
        const QList<int> requests = w.pageRequests();
        QCOMPARE(requests, (QList<int>{2, 1, 1, 0})); // page 1 was probed at start-up

        w.analyseButton->setEnabled(false);
        w.clickRead();

        QCOMPARE(w.table->rows(), 47);
        QCOMPARE(w.table->cell(46, 0), std::string("47"));
        QCOMPARE(w.pageRequests(), requests);
        QCOMPARE(w.progress->maximum(), 0);
        QCOMPARE(w.progress->value(), 0);
        QCOMPARE(w.hint->text(), completionText(47));
        QVERIFY(w.analyseButton->isEnabled());
    }

    // Rows appended below the visible ones repaint nothing but the scroll bar,
    // whose range catches up within a frame of the last row.
    void scrollRangeCoversEveryRow() {
        Window w(options(47));
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        w.clickRead();
        QTest::qWait(50);
        const int paced = w.table->verticalScrollBar()->maximum();
        w.table->doItemsLayout(); // a full layout from scratch
        QCOMPARE(paced, w.table->verticalScrollBar()->maximum());
        QVERIFY(paced > 0);
    }

    // A click on 读数据按钮 while a download lets events run is refused: no
    // page is read twice and the serials of one run stay in one sequence.
    void clickDuringDownloadIsIgnored() {
        Window w(options(47));
        int clicksDuringRun = 0;
        QObject::connect(w.table->model(), &QAbstractItemModel::rowsInserted, w.window.get(),
                         [&](const QModelIndex&, int first, int) {
                             if (first == 4 || first == 24 || first == 44) {
                                 ++clicksDuringRun;
                                 QTimer::singleShot(0, w.readButton, [&] { w.clickRead(); });
                             }
                         });
        w.clickRead();
        QCOMPARE(clicksDuringRun, 3);

        const QString difference = differenceFrom(*w.table, expectedRows(47, {}));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QCOMPARE(w.pageRequests(), (QList<int>{2, 1, 1, 0}));
        QCOMPARE(w.progress->value(), 3);
        QCOMPARE(w.progress->maximum(), 3);
        QCOMPARE(w.hint->text(), completionText(47));
    }
};

QTEST_MAIN(HistoryDownloadTest)
#include "history_download_test.moc"
