#pragma once
// FrequencyTable: the report list 超级列表框1红篮球次数. Red number n and blue
// number n live in row n - 1; the counts are decimal text in its cells.

#include <QTableWidget>
#include <string>

namespace ssq::analysis {

class FrequencyTable : public QTableWidget {
    Q_OBJECT
public:
    explicit FrequencyTable(QWidget* parent = nullptr);

    int appendRow();
    void setCell(int row, int column, const std::string& text);
    std::string cell(int row, int column) const;
    int rows() const { return rowCount(); }
    void deleteRow(int row);
};

} // namespace ssq::analysis
