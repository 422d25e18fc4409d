#pragma once
// TicketTab: the 中奖查询 tab: tickets typed or pasted one a line, checked
// against one period or against every draw of the history.

#include "numbers/ticket_check.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTextBrowser;

namespace ssq::numbers {

class TicketTab : public QWidget {
    Q_OBJECT
public:
    explicit TicketTab(QWidget* parent = nullptr);

    // The draws to check against, oldest first; the period list is rebuilt.
    void setHistory(const std::vector<Draw>& history);

    // Checks the typed lines against the chosen period (or every draw).
    void check();

    QPlainTextEdit* input() const { return m_input; }
    QComboBox* periodBox() const { return m_period; }
    const TicketReport& report() const { return m_report; }
    QString resultHtml() const;
    bool exportCsv(const QString& path) const;

signals:
    void reported(const QString& text);

private:
    void showReport(const std::vector<const Draw*>& draws);

    QPlainTextEdit* m_input = nullptr;
    QComboBox* m_period = nullptr;
    QPushButton* m_checkButton = nullptr;
    QPushButton* m_csvButton = nullptr;
    QTextBrowser* m_result = nullptr;
    QTableWidget* m_levels = nullptr;
    QLabel* m_summary = nullptr;
    std::vector<Draw> m_history;
    std::vector<DrawBits> m_bits; // m_history as bit sets, ready for checking
    TicketReport m_report;
};

} // namespace ssq::numbers
