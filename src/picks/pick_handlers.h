#pragma once
// The handlers of pick generation: the tick of 时钟1计算 (timed-run step, then
// random tickets), the clicks of the three check boxes and of 按钮1计算 that
// switch between random and high-count mode and start and stop a run, the
// hint of 编辑框1计时, and the "复制" and "删除" items of the pane's menu.
//
// The mode lives in the controls themselves: the ticked states of the check
// boxes, the caption of 按钮1计算 and the period of the timer.
//
//   state            period  caption  选择框2高次数
//   Idle                  0  计算     enabled
//   Running             100  停止     disabled, unticked
//   Running by 计时      100  计算     enabled
//   Halted by limit       0  停止     disabled

#include "picks/char_format.h"
#include "picks/high_count.h"

#include <QObject>

#include <cstdint>
#include <functional>

class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ssq::platform {
class PeriodTimer;
}

namespace ssq::picks {

class PickPane;

// The window's controls the handlers read and write; all owned by the window.
struct PickControls {
    QWidget* window = nullptr; // its caption shows the time of a timed run
    PickPane* pane = nullptr;
    QCheckBox* timedCheck = nullptr;
    QLineEdit* timeEdit = nullptr;
    QCheckBox* randomCheck = nullptr;
    QLineEdit* countEdit = nullptr;
    QCheckBox* highCheck = nullptr;
    QPushButton* computeButton = nullptr;
    platform::PeriodTimer* timer = nullptr;
    QAction* copyAction = nullptr;
    QAction* deleteAction = nullptr;
};

// Read access to the frequency table.
struct FrequencyCells {
    std::function<int()> rows;
    CellReader cell;
};

class PickHandlers : public QObject {
    Q_OBJECT
public:
    // Connects every handler to its control; parented to (and living as long
    // as) the window. letEventsRun is called during the high-count walk.
    PickHandlers(PickControls controls, FrequencyCells cells, std::function<bool()> letEventsRun,
                 QObject* parent);

    // The start-up set-up of the two pick formats (bold red and bold blue).
    void setUpFormats() { setUpPickFormats(m_red, m_blue); }
    const CharFormat& redFormat() const { return m_red; }
    const CharFormat& blueFormat() const { return m_blue; }
    // Ticks of timed runs so far; only reaching a time limit sets it back to 0.
    std::int32_t timedTicks() const { return m_timedTicks; }

    void tick();
    void randomClicked();
    void highCountClicked();
    void timedClicked();
    void computeClicked();
    void copySelection();
    void deleteSelection();

signals:
    // A timed run reached its limit: the alert sounded and the timer stopped.
    void timeLimitReached();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void timedStep();
    void writeRandomTickets();
    void writeHighCountPick();

    PickControls m_c;
    // The formats of the pick lines: as startFormat() until setUpFormats().
    CharFormat m_red = startFormat();
    CharFormat m_blue = startFormat();
    std::int32_t m_timedTicks = 0;
    std::uint32_t m_seedCounter = 0; // the random source's counter; never reset, wraps
    FrequencyCells m_cells;
    std::function<bool()> m_letEventsRun;
    bool m_walking = false; // a high-count walk is letting events run
};

} // namespace ssq::picks
