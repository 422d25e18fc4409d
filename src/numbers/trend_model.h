#pragma once
// TrendModel: the trend chart's cells for a view. One row per draw of the
// range, then four figure rows; columns: period, date, reds 01..33, 和值, 跨度,
// 奇偶比, blues 01..16. The model keeps no per-cell data: every cell is read
// from the trend table when the view asks for it.

#include "numbers/draw.h"
#include "numbers/trend.h"

#include <QAbstractTableModel>

#include <span>
#include <vector>

namespace ssq::numbers {

namespace trend_column {
inline constexpr int Period = 0;
inline constexpr int Date = 1;
inline constexpr int FirstRed = 2;
inline constexpr int Sum = FirstRed + kRedNumbers; // 35
inline constexpr int Span = Sum + 1;
inline constexpr int OddEven = Sum + 2;
inline constexpr int FirstBlue = Sum + 3; // 38
inline constexpr int Count = FirstBlue + kBlueNumbers;
} // namespace trend_column

inline constexpr int kFigureRows = 4; // 出现次数, 平均遗漏, 最大遗漏, 最大连出

// What a cell shows, for the painter.
enum class CellKind { Text, Omission, RedBall, BlueBall, Figure };

class TrendModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int KindRole = Qt::UserRole + 1;

    explicit TrendModel(QObject* parent = nullptr);

    // Shows `table`, built over `history`; both are copied.
    void setTrend(std::vector<Draw> history, TrendTable table);

    const TrendTable& table() const { return m_table; }
    const std::vector<Draw>& history() const { return m_history; }
    int drawRows() const { return static_cast<int>(m_table.rows.size()); }

    CellKind kind(int row, int column) const;
    QString text(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString figureText(int which, int column) const;

    std::vector<Draw> m_history;
    TrendTable m_table;
};

} // namespace ssq::numbers
