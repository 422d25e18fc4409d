#include "history/draw_table.h"

#include "text/qt_text.h"

namespace ssq::history {

DrawTable::DrawTable(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(11);
}

int DrawTable::appendRow(const std::string& serialText) {
    const int row = rowCount();
    insertRow(row);
    setCell(row, 0, serialText);
    return row;
}

void DrawTable::setCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= rowCount())
        return;
    setItem(row, column, new QTableWidgetItem(text::toQString(text)));
}

std::string DrawTable::cell(int row, int column) const {
    const QTableWidgetItem* it = item(row, column);
    return it ? text::fromQString(it->text()) : std::string();
}

} // namespace ssq::history
