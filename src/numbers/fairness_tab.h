#pragma once
// FairnessTab: the 随机性检验 tab: a chi-square test of the red and of the
// blue counts of the range against a fair draw, read out in plain words.

#include "numbers/fairness.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace ssq::numbers {

class FairnessTab : public QWidget {
    Q_OBJECT
public:
    explicit FairnessTab(QWidget* parent = nullptr);

    void showTest(const TrendTable& table);

    // The result lines as shown: statistic, degrees of freedom, p-value.
    QString redText() const;
    QString blueText() const;
    bool exportCsv(const QString& path) const;

signals:
    void reported(const QString& text);

private:
    QLabel* m_red = nullptr;
    QLabel* m_blue = nullptr;
    QLabel* m_reading = nullptr;
    QPushButton* m_csvButton = nullptr;
    TrendTable m_trend;
};

// "χ² = 30.12，自由度 32，p = 0.5612" or the reason there is no test.
QString fairnessLine(const QString& what, const std::optional<ChiSquare>& test);

} // namespace ssq::numbers
