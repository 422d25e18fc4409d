#pragma once
// DrawTable: the report list 超级列表框开奖数据, the only store of the draws.

#include <QTableWidget>
#include <string>

namespace ssq::history {

class DrawTable : public QTableWidget {
    Q_OBJECT
public:
    explicit DrawTable(QWidget* parent = nullptr);

    // Appends a row whose column 0 holds serialText; returns its index.
    int appendRow(const std::string& serialText);
    void setCell(int row, int column, const std::string& text);
    std::string cell(int row, int column) const;
    int rows() const { return rowCount(); }
};

} // namespace ssq::history
