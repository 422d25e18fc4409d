#include "analysis/frequency_table.h"

#include "text/qt_text.h"

namespace ssq::analysis {

FrequencyTable::FrequencyTable(QWidget* parent) : QTableWidget(parent) { setColumnCount(5); }

int FrequencyTable::appendRow() {
    const int row = rowCount();
    insertRow(row);
    return row;
}

void FrequencyTable::setCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= rowCount())
        return;
    setItem(row, column, new QTableWidgetItem(text::toQString(text)));
}

std::string FrequencyTable::cell(int row, int column) const {
    const QTableWidgetItem* it = item(row, column);
    return it ? text::fromQString(it->text()) : std::string();
}

void FrequencyTable::deleteRow(int row) {
    if (row >= 0 && row < rowCount())
        removeRow(row);
}

} // namespace ssq::analysis
