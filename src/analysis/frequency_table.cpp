#include "analysis/frequency_table.h"

#include "analysis/frequency_counter.h"

#include <QPalette>
#include <QStyledItemDelegate>

namespace ssq::analysis {
namespace {

// A report list without full-row select highlights only the first cell of the
// selected row.
class FirstCellHighlight : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() != 0)
            option->state &= ~QStyle::State_Selected;
    }
};

} // namespace

FrequencyTable::FrequencyTable(QWidget* parent)
    : ReportList(
          {{"xh", 1, "序号"}, {"红球", 50}, {"出现次数", 60}, {"蓝球", 50}, {"出现次数", 60}},
          parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setItemDelegate(new FirstCellHighlight(this));

    // Without the focus the selection is not shown.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Base));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, colours.color(QPalette::Text));
    setPalette(colours);
}

void FrequencyTable::fill() {
    for (int n = 1; n <= RedNumbers; ++n) {
        const int row = appendRow();
        setCell(row, frequency_column::Serial, std::to_string(row + 1));
        setCell(row, frequency_column::RedNumber, std::to_string(n));
    }
    for (int k = 1; k <= BlueNumbers; ++k) {
        const int appended = appendRow();
        setCell(appended - RedNumbers, frequency_column::BlueNumber, std::to_string(k));
    }
}

bool FrequencyTable::removeBlankRows() {
    for (int i = 0; i < rows(); ++i)
        if (cell(i, frequency_column::RedNumber).empty())
            deleteRow(i);
    return rows() > 0 && !cell(rows() - 1, frequency_column::RedNumber).empty();
}

} // namespace ssq::analysis
