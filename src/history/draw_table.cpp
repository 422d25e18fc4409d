#include "history/draw_table.h"

#include <QPalette>

namespace ssq::history {

DrawTable::DrawTable(QWidget* parent)
    : ReportList({{"序号", 50},
                  {"开奖日期", 76},
                  {"期号", 60},
                  {"红球1", 50},
                  {"红球2", 50},
                  {"红球3", 50},
                  {"红球4", 50},
                  {"红球5", 50},
                  {"红球6", 50},
                  {"蓝球", 50},
                  {"销售额(元)", 80}},
                 parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);

    // The selection stays shown in the active colours without the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight,
                     colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
}

} // namespace ssq::history
