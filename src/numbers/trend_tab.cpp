#include "numbers/trend_tab.h"

#include "numbers/save_file.h"
#include "numbers/table_csv.h"
#include "numbers/trend_painter.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ssq::numbers {

TrendTab::TrendTab(QWidget* parent)
    : QWidget(parent), m_model(new TrendModel(this)), m_view(new QTableView(this)),
      m_pngButton(new QPushButton(QStringLiteral("保存PNG"), this)),
      m_printButton(new QPushButton(QStringLiteral("打印"), this)),
      m_csvButton(new QPushButton(QStringLiteral("导出CSV"), this)) {
    m_view->setObjectName(QStringLiteral("走势图表"));
    m_view->setAccessibleName(QStringLiteral("走势图：每期一行，开出的号码为彩球，其余为遗漏期数"));
    m_view->setModel(m_model);
    m_view->setItemDelegate(new TrendDelegate(m_view));
    m_view->setShowGrid(false);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->verticalHeader()->hide();
    // Fixed sizes: the view never measures cells, so thousands of rows open at once.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(kTrendRowHeight);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setMinimumSectionSize(8);
    for (int c = 0; c < trend_column::Count; ++c)
        m_view->setColumnWidth(c, trendColumnWidth(c));

    m_pngButton->setObjectName(QStringLiteral("保存PNG"));
    m_pngButton->setAccessibleName(QStringLiteral("把走势图保存为PNG图片"));
    m_printButton->setObjectName(QStringLiteral("打印"));
    m_printButton->setAccessibleName(QStringLiteral("打印走势图"));
    m_csvButton->setObjectName(QStringLiteral("导出走势CSV"));
    m_csvButton->setAccessibleName(QStringLiteral("把走势图导出为CSV文件"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pngButton);
    buttons->addWidget(m_printButton);
    buttons->addWidget(m_csvButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
    layout->addLayout(buttons);

    connect(m_pngButton, &QPushButton::clicked, this, [this] {
        const QString outcome =
            exportWithDialog(this, QStringLiteral("保存走势图"), QStringLiteral("走势图.png"),
                             [this](const QString& path) { return savePng(path); });
        if (!outcome.isEmpty())
            emit reported(outcome);
    });
    connect(m_csvButton, &QPushButton::clicked, this, [this] {
        const QString outcome =
            exportWithDialog(this, QStringLiteral("导出走势图"), QStringLiteral("走势图.csv"),
                             [this](const QString& path) { return exportCsv(path); });
        if (!outcome.isEmpty())
            emit reported(outcome);
    });
    connect(m_printButton, &QPushButton::clicked, this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted)
            emit reported(print(printer) ? QStringLiteral("走势图已送去打印")
                                         : QStringLiteral("打印失败"));
    });
}

void TrendTab::showTrend(const std::vector<Draw>& history, const TrendTable& table) {
    m_model->setTrend(history, table);
    for (int c = 0; c < trend_column::Count; ++c)
        m_view->setColumnWidth(c, trendColumnWidth(c));
    // The newest draws first in sight, the figure rows just below them.
    m_view->scrollToBottom();
}

bool TrendTab::savePng(const QString& path) const {
    const QImage image = trendImage(*m_model);
    return !image.isNull() && image.save(path, "PNG");
}

bool TrendTab::exportCsv(const QString& path) const {
    return saveBytes(path, trendCsv(m_model->history(), m_model->table()));
}

bool TrendTab::print(QPrinter& printer) const {
    return printTrend(*m_model, printer);
}

} // namespace ssq::numbers
