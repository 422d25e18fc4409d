#pragma once
// The progress bar of the window. An empty range (maximum 0) is a bar with
// nothing done, drawn empty and still, not the style's animated "busy" bar
// (which would keep repainting for as long as the program runs).

#include <QProgressBar>

namespace ssq::platform {

class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    using QProgressBar::QProgressBar;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ssq::platform
