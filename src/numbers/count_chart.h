#pragma once
// CountChart: bars of how often each number came in the range, with the
// count a fair draw would give as a line across them; reds, then blues.

#include "numbers/fairness.h"

#include <QWidget>

#include <vector>

namespace ssq::numbers {

class CountChart : public QWidget {
    Q_OBJECT
public:
    explicit CountChart(QWidget* parent = nullptr);

    void setFigures(std::vector<NumberFigures> reds, std::vector<NumberFigures> blues);

    QSize sizeHint() const override { return {900, 220}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<NumberFigures> m_reds;
    std::vector<NumberFigures> m_blues;
};

} // namespace ssq::numbers
