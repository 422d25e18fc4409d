#pragma once
// NumbersWindow: the 号码分析 window: trend chart, hot and cold numbers with
// their omissions, a randomness check and a ticket checker, over the draws
// its source gives. It reads them each time it is reloaded.

#include "numbers/draw.h"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace ssq::numbers {

class FairnessTab;
class HotColdTab;
class TicketTab;
class TrendTab;

// Where the window's draws come from, oldest first.
using DrawSource = std::function<std::vector<Draw>()>;

class NumbersWindow : public QWidget {
    Q_OBJECT
public:
    explicit NumbersWindow(DrawSource source, QWidget* parent = nullptr);

    // Reads the draws again and refreshes every tab.
    void reload();

    // Shows the window, reloaded and in front.
    void present();

    const std::vector<Draw>& history() const { return m_history; }
    QComboBox* rangeBox() const { return m_range; }
    QTabWidget* tabs() const { return m_tabs; }
    TrendTab* trendTab() const { return m_trend; }
    HotColdTab* hotColdTab() const { return m_hotCold; }
    FairnessTab* fairnessTab() const { return m_fairness; }
    TicketTab* ticketTab() const { return m_tickets; }
    QString statusText() const;

    // The whole history as CSV (UTF-8 with a byte-order mark).
    bool exportHistory(const QString& path) const;

private:
    void showRange();
    void report(const QString& text);

    DrawSource m_source;
    std::vector<Draw> m_history;
    QComboBox* m_range = nullptr;
    QPushButton* m_reloadButton = nullptr;
    QPushButton* m_historyButton = nullptr;
    QLabel* m_status = nullptr;
    QTabWidget* m_tabs = nullptr;
    TrendTab* m_trend = nullptr;
    HotColdTab* m_hotCold = nullptr;
    FairnessTab* m_fairness = nullptr;
    TicketTab* m_tickets = nullptr;
};

} // namespace ssq::numbers
