#include "app/main_window.h"

#include "store/draw_store.h"

#include "analysis/frequency_table.h"
#include "build_config.h"
#include "history/draw_table.h"
#include "history/history_downloader.h"
#include "history/results_page.h"
#include "numbers/numbers_window.h"
#include "picks/pick_pane.h"
#include "platform/chinese_toolkit.h"
#include "platform/http_fetch.h"
#include "platform/message_box.h"
#include "platform/period_timer.h"
#include "platform/progress_bar.h"
#include "platform/single_instance.h"
#include "text/qt_text.h"
#include "update/program_version.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

namespace ssq::app {
namespace {

template <typename W> W* place(W* widget, const char* name, int x, int y, int w, int h) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

} // namespace

MainWindow::MainWindow(AppConfig config, QWidget* parent)
    : QWidget(parent), m_config(std::move(config)) {
    // Chinese captions in Qt's own boxes and menus, and the 9 pt Song face
    // the layout was drawn for, before any control measures its text.
    platform::useChineseToolkit();
    setFont(platform::songTi());
    setWindowTitle(QString::fromUtf8(SSQ_PRODUCT_TITLE));
    buildControls();
    describeControls();
    wireShell();
    wireHistory();
    wireAnalysis();
    wirePicks();
    wireUpdates();
    wireNumbers();
}

// Out of line: the analysis window's type is complete here.
MainWindow::~MainWindow() = default;

bool MainWindow::create() {
    // A single-instance marker that cannot be set up at all does not keep
    // the program from starting; only a live instance refuses.
    if (!m_config.instanceMarker.empty()) {
        m_instanceGuard = std::make_unique<platform::SingleInstanceGuard>(
            QString::fromStdString(m_config.instanceMarker));
        if (m_instanceGuard->claim() == platform::SingleInstanceGuard::Result::AlreadyRunning) {
            platform::modalBox(QStringLiteral("提示信息"), QStringLiteral("程序已运行，请确定！"),
                               QMessageBox::Information);
            return false;
        }
    }
    setWindowTitle(text::toQString(update::normalCaption()));
    // The page-count probe: a blocking fetch of results page 1 with a short
    // time limit of its own, so that a hanging server delays the window by
    // seconds only. A failed fetch or a page without the page-count markers
    // gives 0, silently, and so does a count beyond any real history.
    m_downloader->setPageCount(history::probedPageCount(history::decodePage(platform::fetchUrl(
        m_config.resultsServer + history::listPagePath(1), m_config.probeFetch))));
    m_aboutCountdown = kAboutCountdownStart;
    fillFrequencyTable();
    setUpPickFormats();
    startBlankRowTimer();
    // The first frequency count enables it.
    m_computeButton->setEnabled(false);
    return true;
}

void MainWindow::startBlankRowTimer() {
    m_blankRowTimer->setPeriod(500);
}

void MainWindow::endProgram() {
    m_pump.markClosing();
    QCoreApplication::exit(0);
}

void MainWindow::buildControls() {
    // The client area of a 909 x 524 window with a caption and a thin border.
    // The controls stand at fixed places, so the window keeps this size.
    move(50, 50);
    setFixedSize(901, 492);

    m_readButton = place(new QPushButton(QStringLiteral("读取双色球数据"), this), "读数据按钮", 120,
                         76, 168, 32);
    m_hintLabel = place(new QLabel(this), "标签3提示", 80, 34, 246, 32);
    m_pickPane = place(new picks::PickPane(this), "超级编辑框1随机号码", 406, 6, 240, 104);
    m_group = place(new QGroupBox(this), "分组框1", 652, 0, 244, 110);
    m_timedCheck =
        place(new QCheckBox(QStringLiteral("计时"), m_group), "选择框1计时", 20, 16, 44, 24);
    m_timeEdit = place(new platform::NumberEdit(5, m_group), "编辑框1计时", 72, 16, 38, 24);
    m_randomCheck =
        place(new QCheckBox(QStringLiteral("随机"), m_group), "选择框1随机", 136, 16, 56, 24);
    m_countLabel = place(new QLabel(QStringLiteral("注数："), m_group), "标签1", 32, 48, 32, 24);
    m_countEdit = place(new platform::NumberEdit(QStringLiteral("5"), 1, m_group), "编辑框1注数",
                        72, 48, 38, 24);
    m_highCheck =
        place(new QCheckBox(QStringLiteral("高次数"), m_group), "选择框2高次数", 136, 48, 60, 24);
    m_analyseButton =
        place(new QPushButton(QStringLiteral("分析号码"), m_group), "按钮1分析", 16, 80, 96, 24);
    m_computeButton =
        place(new QPushButton(QStringLiteral("计算"), m_group), "按钮1计算", 136, 80, 92, 24);
    m_progress = place(new platform::ProgressBar(this), "进度条1", 8, 116, 637, 16);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_drawTable = place(new history::DrawTable(this), "超级列表框开奖数据", 8, 136, 636, 352);
    m_frequencyTable =
        place(new analysis::FrequencyTable(this), "超级列表框1红篮球次数", 654, 116, 240, 372);
    // Report lists show no row numbers at their side.
    m_drawTable->verticalHeader()->hide();
    m_frequencyTable->verticalHeader()->hide();

    m_pickTimer = new platform::PeriodTimer(this);
    m_pickTimer->setObjectName(QStringLiteral("时钟1计算"));
    m_blankRowTimer = new platform::PeriodTimer(this);
    m_blankRowTimer->setObjectName(QStringLiteral("时钟1删除空白"));
    m_aboutTimer = new platform::PeriodTimer(this);
    m_aboutTimer->setObjectName(QStringLiteral("时钟1关于"));

    m_mainMenu = new QMenu(QStringLiteral("菜单"), this);
    m_mainMenu->setObjectName(QStringLiteral("菜单"));
    QMenu* upgradeMenu = m_mainMenu->addMenu(QStringLiteral("升级"));
    upgradeMenu->setObjectName(QStringLiteral("升级"));
    m_checkUpdateAction = upgradeMenu->addAction(QStringLiteral("检测升级"));
    m_checkUpdateAction->setObjectName(QStringLiteral("检测升级"));
    m_aboutAction = m_mainMenu->addAction(QStringLiteral("关于"));
    m_aboutAction->setObjectName(QStringLiteral("关于"));
    m_numbersAction = m_mainMenu->addAction(QStringLiteral("号码分析"));
    m_numbersAction->setObjectName(QStringLiteral("号码分析"));

    m_copyMenu = new QMenu(QStringLiteral("复制文本"), this);
    m_copyMenu->setObjectName(QStringLiteral("复制文本"));
    m_copyAction = m_copyMenu->addAction(QStringLiteral("复制"));
    m_copyAction->setObjectName(QStringLiteral("复制"));
    m_deleteAction = m_copyMenu->addAction(QStringLiteral("删除"));
    m_deleteAction->setObjectName(QStringLiteral("删除"));
}

void MainWindow::describeControls() {
    // Names a screen reader gives the controls that show no caption of their own.
    m_timeEdit->setAccessibleName(QStringLiteral("计时秒数"));
    m_countEdit->setAccessibleName(QStringLiteral("注数"));
    m_countLabel->setBuddy(m_countEdit);
    m_pickPane->setAccessibleName(QStringLiteral("随机号码"));
    m_progress->setAccessibleName(QStringLiteral("读取进度"));
    m_drawTable->setAccessibleName(QStringLiteral("开奖数据"));
    m_frequencyTable->setAccessibleName(QStringLiteral("红蓝球出现次数"));

    // Tab goes through the window in reading order: the left half, then the
    // group box line by line, then the two lists.
    QWidget* const order[] = {m_readButton,    m_pickPane,  m_timedCheck,    m_timeEdit,
                              m_randomCheck,   m_countEdit, m_highCheck,     m_analyseButton,
                              m_computeButton, m_drawTable, m_frequencyTable};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Loops that let events run stop at their next pump; the widgets live on
    // until the window object itself goes away after the message loop.
    m_pump.markClosing();
    closeNumbersWindow();
    event->accept();
}

} // namespace ssq::app
