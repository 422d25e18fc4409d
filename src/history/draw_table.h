#pragma once
// DrawTable: the report list 超级列表框开奖数据 and the only store of the draws.
// Rows are appended at the end in extraction order and never changed after.

#include "history/report_list.h"

#include <string>

namespace ssq::history {

// Columns of a draw row: serial, date, period, six reds, blue, sales amount.
namespace draw_column {
inline constexpr int Serial = 0;
inline constexpr int Date = 1;
inline constexpr int Period = 2;
inline constexpr int FirstRed = 3; // 红球1 .. 红球6 are columns 3 .. 8
inline constexpr int Blue = 9;
inline constexpr int Sales = 10;
inline constexpr int Count = 11;
} // namespace draw_column

class DrawTable : public ReportList {
    Q_OBJECT
public:
    // Eleven titled columns; the full row highlights on selection and stays
    // highlighted while the list does not have the focus.
    explicit DrawTable(QWidget* parent = nullptr);

    // Appends a row whose column 0 holds serialText and whose other cells are
    // empty; returns its index.
    int appendRow(const std::string& serialText) { return appendRowWith(serialText); }
};

} // namespace ssq::history
