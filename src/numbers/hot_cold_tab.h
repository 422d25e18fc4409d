#pragma once
// HotColdTab: the 冷热与遗漏 tab: per number of the range its count, share,
// expected count and omissions in a sortable table, the counts as bars, and
// what such figures do not mean.

#include "numbers/fairness.h"

#include <QWidget>

class QPushButton;
class QTableWidget;

namespace ssq::numbers {

class CountChart;

namespace hot_cold_column {
inline constexpr int Number = 0; // "红 01" / "蓝 01"
inline constexpr int Count = 1;
inline constexpr int Share = 2;
inline constexpr int Expected = 3;
inline constexpr int Current = 4;
inline constexpr int Average = 5;
inline constexpr int Max = 6;
inline constexpr int Columns = 7;
} // namespace hot_cold_column

class HotColdTab : public QWidget {
    Q_OBJECT
public:
    explicit HotColdTab(QWidget* parent = nullptr);

    void showFigures(const TrendTable& table);

    QTableWidget* table() const { return m_table; }
    bool exportCsv(const QString& path) const;

signals:
    void reported(const QString& text);

private:
    QTableWidget* m_table = nullptr;
    CountChart* m_chart = nullptr;
    QPushButton* m_csvButton = nullptr;
    TrendTable m_trend; // the figures the CSV file is written from
};

} // namespace ssq::numbers
