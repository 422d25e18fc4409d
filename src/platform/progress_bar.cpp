#include "platform/progress_bar.h"

#include <QStyleOptionProgressBar>
#include <QStylePainter>

namespace ssq::platform {

void ProgressBar::paintEvent(QPaintEvent* event) {
    if (minimum() != 0 || maximum() != 0) {
        QProgressBar::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    option.maximum = 1; // 0 of 1: empty, not busy
    option.progress = 0;
    painter.drawControl(QStyle::CE_ProgressBar, option);
}

} // namespace ssq::platform
