#include "numbers/hot_cold_tab.h"

#include "numbers/count_chart.h"
#include "numbers/save_file.h"
#include "numbers/table_csv.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ssq::numbers {
namespace {

// A cell that sorts by its number, not by its text.
QTableWidgetItem* numberItem(double value, int decimals) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole,
                  decimals == 0 ? QVariant(static_cast<int>(value))
                                : QVariant(QString::number(value, 'f', decimals).toDouble()));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

void fillRow(QTableWidget& table, int row, const NumberFigures& f, bool red) {
    using namespace hot_cold_column;
    auto* number = new QTableWidgetItem((red ? QStringLiteral("红 ") : QStringLiteral("蓝 ")) +
                                        QString::fromStdString(twoDigits(f.number)));
    number->setForeground(red ? QColor(0xd0, 0x1c, 0x1c) : QColor(0x1c, 0x4f, 0xc8));
    table.setItem(row, Number, number);
    table.setItem(row, Count, numberItem(f.figures.count, 0));
    table.setItem(row, Share, numberItem(f.share * 100, 2));
    table.setItem(row, Expected, numberItem(f.expected, 2));
    table.setItem(row, Current, numberItem(f.figures.currentOmission, 0));
    table.setItem(row, Average, numberItem(f.figures.averageOmission, 2));
    table.setItem(row, Max, numberItem(f.figures.maxOmission, 0));
}

} // namespace

HotColdTab::HotColdTab(QWidget* parent)
    : QWidget(parent), m_table(new QTableWidget(0, hot_cold_column::Columns, this)),
      m_chart(new CountChart(this)), m_csvButton(new QPushButton(QStringLiteral("导出CSV"), this)) {
    m_table->setObjectName(QStringLiteral("冷热表"));
    m_table->setAccessibleName(
        QStringLiteral("各号码的出现次数、占比、期望次数与遗漏，可按列排序"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("号码"), QStringLiteral("出现次数"),
                                        QStringLiteral("占比%"), QStringLiteral("期望次数"),
                                        QStringLiteral("当前遗漏"), QStringLiteral("平均遗漏"),
                                        QStringLiteral("最大遗漏")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_chart->setObjectName(QStringLiteral("次数柱状图"));
    m_csvButton->setObjectName(QStringLiteral("导出冷热CSV"));
    m_csvButton->setAccessibleName(QStringLiteral("把冷热与遗漏表导出为CSV文件"));
    auto* note = new QLabel(QString::fromUtf8(kIndependenceNote.data(),
                                              static_cast<qsizetype>(kIndependenceNote.size())),
                            this);
    note->setObjectName(QStringLiteral("独立性说明"));
    note->setWordWrap(true);
    note->setAccessibleName(note->text());

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note, 1);
    bottom->addWidget(m_csvButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 3);
    layout->addWidget(m_chart, 2);
    layout->addLayout(bottom);

    connect(m_csvButton, &QPushButton::clicked, this, [this] {
        const QString outcome = exportWithDialog(
            this, QStringLiteral("导出冷热与遗漏"), QStringLiteral("冷热与遗漏.csv"),
            [this](const QString& path) { return exportCsv(path); });
        if (!outcome.isEmpty())
            emit reported(outcome);
    });
}

void HotColdTab::showFigures(const TrendTable& table) {
    m_trend = table;
    const std::vector<NumberFigures> reds = redFigures(table);
    const std::vector<NumberFigures> blues = blueFigures(table);
    m_table->setSortingEnabled(false);
    m_table->setRowCount(static_cast<int>(reds.size() + blues.size()));
    int row = 0;
    for (const NumberFigures& f : reds)
        fillRow(*m_table, row++, f, true);
    for (const NumberFigures& f : blues)
        fillRow(*m_table, row++, f, false);
    // Sorting stays where the user put it; the first time it is by number.
    if (!m_table->isSortingEnabled())
        m_table->horizontalHeader()->setSortIndicator(hot_cold_column::Number, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    m_chart->setFigures(reds, blues);
}

bool HotColdTab::exportCsv(const QString& path) const {
    return saveBytes(path, figuresCsv(m_trend));
}

} // namespace ssq::numbers
