#pragma once
// TrendTab: the 走势图 tab: the chart in a view that paints only the cells in
// sight, and its PNG image, print-out and CSV file.

#include "numbers/trend_model.h"

#include <QWidget>

class QPrinter;
class QPushButton;
class QTableView;

namespace ssq::numbers {

class TrendTab : public QWidget {
    Q_OBJECT
public:
    explicit TrendTab(QWidget* parent = nullptr);

    void showTrend(const std::vector<Draw>& history, const TrendTable& table);

    const TrendModel& model() const { return *m_model; }
    QTableView* view() const { return m_view; }

    bool savePng(const QString& path) const;
    bool exportCsv(const QString& path) const;
    bool print(QPrinter& printer) const;

signals:
    // A short outcome of a save or print, for the window's status line.
    void reported(const QString& text);

private:
    TrendModel* m_model = nullptr;
    QTableView* m_view = nullptr;
    QPushButton* m_pngButton = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_csvButton = nullptr;
};

} // namespace ssq::numbers
