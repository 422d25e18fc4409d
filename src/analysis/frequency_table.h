#pragma once
// FrequencyTable: the report list 超级列表框1红篮球次数 and the only store of
// the counts. Red number n and blue number n live in row n - 1: the red number
// in column 1 with its count in column 2, the blue number in column 3 with its
// count in column 4. Counts are decimal text; an empty cell is "not counted".

#include "platform/report_list.h"

#include <string>

namespace ssq::analysis {

class FrequencyTable : public platform::ReportList {
    Q_OBJECT
public:
    // Five titled columns ("xh" 1 px wide); a selected row highlights only its
    // first cell, and only while the list has the focus.
    explicit FrequencyTable(QWidget* parent = nullptr);

    // Appends a row of five empty cells; returns its index.
    int appendRow() { return appendRowWith({}); }
    void deleteRow(int row) { deleteRowAt(row); }

    // The start-up fill: rows 0-32 numbered 1-33 in columns 0 and 1, the blue
    // numbers 1-16 in column 3 of rows 0-15, and sixteen blank rows after them
    // that removeBlankRows() takes away.
    void fill();

    // One tick of the blank-row timer: deletes the rows whose column 1 is empty,
    // skipping the row that moves up into a deleted row's place until the next
    // tick. True when the last row is filled, that is when the timer can stop.
    bool removeBlankRows();
};

} // namespace ssq::analysis
