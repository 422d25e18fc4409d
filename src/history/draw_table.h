#pragma once
// DrawTable: the report list 超级列表框开奖数据 and the only store of the draws.
// Rows are appended at the end in extraction order and never changed after,
// except that a fill from the local draw store replaces them all.

#include "history/draw_rules.h"
#include "platform/report_list.h"

#include <string>

namespace ssq::history {

class DrawTable : public platform::ReportList {
    Q_OBJECT
public:
    // Eleven titled columns; the full row highlights on selection and stays
    // highlighted while the list does not have the focus.
    explicit DrawTable(QWidget* parent = nullptr);

    // Appends a row whose column 0 holds serialText and whose other cells are
    // empty; returns its index.
    int appendRow(const std::string& serialText) { return appendRowWith(serialText); }
    // Removes every row (before a fill from the local draw store).
    void clear() { clearRows(); }
};

} // namespace ssq::history
