#include "picks/pick_pane.h"

namespace ssq::picks {

PickPane::PickPane(QWidget* parent) : QTextEdit(parent) {}

} // namespace ssq::picks
