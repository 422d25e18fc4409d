#include "numbers/numbers_window.h"

#include "numbers/fairness_tab.h"
#include "numbers/history_file.h"
#include "numbers/hot_cold_tab.h"
#include "numbers/save_file.h"
#include "numbers/ticket_tab.h"
#include "numbers/trend.h"
#include "numbers/trend_tab.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ssq::numbers {

NumbersWindow::NumbersWindow(DrawSource source, QWidget* parent)
    : QWidget(parent, Qt::Window), m_source(std::move(source)), m_range(new QComboBox(this)),
      m_reloadButton(new QPushButton(QStringLiteral("刷新"), this)),
      m_historyButton(new QPushButton(QStringLiteral("导出开奖CSV"), this)),
      m_status(new QLabel(this)), m_tabs(new QTabWidget(this)), m_trend(new TrendTab(this)),
      m_hotCold(new HotColdTab(this)), m_fairness(new FairnessTab(this)),
      m_tickets(new TicketTab(this)) {
    setObjectName(QStringLiteral("号码分析"));
    setWindowTitle(QStringLiteral("号码分析"));
    setAccessibleName(QStringLiteral("号码分析"));
    resize(1500, 800); // the whole chart's width at its fixed column sizes

    m_range->setObjectName(QStringLiteral("范围"));
    m_range->setAccessibleName(QStringLiteral("统计范围：最近多少期"));
    for (int count : {30, 50, 100})
        m_range->addItem(QStringLiteral("最近 %1 期").arg(count), count);
    m_range->addItem(QStringLiteral("全部"), 0);
    m_range->setCurrentIndex(2);
    m_reloadButton->setObjectName(QStringLiteral("刷新"));
    m_reloadButton->setAccessibleName(QStringLiteral("重新读取开奖数据"));
    m_historyButton->setObjectName(QStringLiteral("导出开奖CSV"));
    m_historyButton->setAccessibleName(QStringLiteral("把全部开奖数据导出为CSV文件"));
    m_status->setObjectName(QStringLiteral("状态"));
    m_tabs->setObjectName(QStringLiteral("分析页"));
    m_tabs->setAccessibleName(QStringLiteral("分析页"));
    m_tabs->addTab(m_trend, QStringLiteral("走势图"));
    m_tabs->addTab(m_hotCold, QStringLiteral("冷热与遗漏"));
    m_tabs->addTab(m_fairness, QStringLiteral("随机性检验"));
    m_tabs->addTab(m_tickets, QStringLiteral("中奖查询"));

    auto* rangeLabel = new QLabel(QStringLiteral("范围："), this);
    rangeLabel->setBuddy(m_range);
    auto* top = new QHBoxLayout;
    top->addWidget(rangeLabel);
    top->addWidget(m_range);
    top->addWidget(m_reloadButton);
    top->addWidget(m_status, 1);
    top->addWidget(m_historyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);

    connect(m_range, &QComboBox::currentIndexChanged, this, [this] { showRange(); });
    connect(m_reloadButton, &QPushButton::clicked, this, &NumbersWindow::reload);
    connect(m_historyButton, &QPushButton::clicked, this, [this] {
        const QString outcome =
            exportWithDialog(this, QStringLiteral("导出开奖数据"), QStringLiteral("开奖数据.csv"),
                             [this](const QString& path) { return exportHistory(path); });
        if (!outcome.isEmpty())
            report(outcome);
    });
    const auto relay = [this](const QString& text) { report(text); };
    connect(m_trend, &TrendTab::reported, this, relay);
    connect(m_hotCold, &HotColdTab::reported, this, relay);
    connect(m_fairness, &FairnessTab::reported, this, relay);
    connect(m_tickets, &TicketTab::reported, this, relay);
}

void NumbersWindow::reload() {
    m_history = m_source ? m_source() : std::vector<Draw>{};
    m_tickets->setHistory(m_history);
    showRange();
}

void NumbersWindow::present() {
    reload();
    show();
    raise();
    activateWindow();
}

void NumbersWindow::showRange() {
    const auto count = static_cast<std::size_t>(m_range->currentData().toInt());
    const TrendTable table = buildTrend(m_history, lastDrawsStart(m_history.size(), count));
    m_trend->showTrend(m_history, table);
    m_hotCold->showFigures(table);
    m_fairness->showTest(table);
    if (m_history.empty())
        report(QStringLiteral("没有开奖数据：请先在主窗口点击“读取双色球数据”，再点“刷新”。"));
    else
        report(QStringLiteral("共 %1 期（%2 至 %3），统计最近 %4 期。")
                   .arg(m_history.size())
                   .arg(QString::fromStdString(m_history.front().period),
                        QString::fromStdString(m_history.back().period))
                   .arg(table.rows.size()));
}

void NumbersWindow::report(const QString& text) {
    m_status->setText(text);
    m_status->setAccessibleName(text);
}

QString NumbersWindow::statusText() const {
    return m_status->text();
}

bool NumbersWindow::exportHistory(const QString& path) const {
    return saveBytes(path, historyCsv(m_history));
}

} // namespace ssq::numbers
