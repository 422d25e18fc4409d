#include "picks/pick_handlers.h"

#include "picks/pick_lines.h"
#include "picks/pick_pane.h"
#include "picks/random_source.h"
#include "picks/timed_run.h"
#include "platform/info_box.h"
#include "platform/period_timer.h"
#include "platform/tick_count.h"
#include "text/gbk_text.h"
#include "text/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace ssq::picks {
namespace {

constexpr int kRunPeriodMs = 100;

std::int32_t integerOf(const QLineEdit* edit) {
    return text::toInteger(text::fromQString(edit->text()));
}

const QString& computeCaption() {
    static const QString caption = QStringLiteral("计算");
    return caption;
}

} // namespace

PickHandlers::PickHandlers(PickControls controls, FrequencyCells cells,
                           std::function<bool()> letEventsRun, QObject* parent)
    : QObject(parent), m_c(controls), m_cells(std::move(cells)),
      m_letEventsRun(std::move(letEventsRun)) {
    setObjectName(QStringLiteral("PickHandlers"));
    // clicked, not toggled: the boxes tick themselves first, and each handler
    // then sets the states it stands for whatever they were.
    connect(m_c.randomCheck, &QCheckBox::clicked, this, &PickHandlers::randomClicked);
    connect(m_c.highCheck, &QCheckBox::clicked, this, &PickHandlers::highCountClicked);
    connect(m_c.timedCheck, &QCheckBox::clicked, this, &PickHandlers::timedClicked);
    connect(m_c.computeButton, &QPushButton::clicked, this, &PickHandlers::computeClicked);
    connect(m_c.timer, &QTimer::timeout, this, &PickHandlers::tick);
    connect(m_c.copyAction, &QAction::triggered, this, &PickHandlers::copySelection);
    connect(m_c.deleteAction, &QAction::triggered, this, &PickHandlers::deleteSelection);
    m_c.timeEdit->installEventFilter(this);
}

bool PickHandlers::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_c.timeEdit && event->type() == QEvent::FocusIn)
        m_c.timeEdit->setToolTip(QStringLiteral("秒")); // replaces, so one hint only
    return QObject::eventFilter(watched, event);
}

void PickHandlers::tick() {
    // The tick does not look at the mode boxes: while the timer runs, it writes
    // random tickets, also on the tick that reaches the time limit.
    if (m_c.timedCheck->isChecked())
        timedStep();
    writeRandomTickets();
}

void PickHandlers::timedStep() {
    const TimedStep step =
        advanceTimedRun(m_timedTicks, m_c.timer->period(), integerOf(m_c.timeEdit));
    m_c.window->setWindowTitle(text::toQString(timedCaption(step.ms)));
    if (step.limitReached) {
        QApplication::beep();
        m_c.timer->setPeriod(0);
        emit timeLimitReached();
    }
}

void PickHandlers::writeRandomTickets() {
    m_c.pane->clear();
    const std::int32_t count = integerOf(m_c.countEdit);
    if (count <= 0)
        return;
    RandomSource source(m_seedCounter, platform::tickCountMs);
    picks::writeRandomTickets(*m_c.pane, count, source, m_red, m_blue);
}

void PickHandlers::writeHighCountPick() {
    // A press that arrives while the walk lets events run would interleave a
    // second line into this one's; the press in progress answers it.
    if (m_walking)
        return;
    m_c.pane->clear();
    std::optional<HighCountPick> pick;
    {
        QScopedValueRollback<bool> walking(m_walking, true);
        pick = pickHighCount(m_cells.rows(), m_cells.cell, m_letEventsRun);
    }
    // No pick from a table without counts (or while the window closes): the
    // pane stays empty.
    if (!pick)
        return;
    if (integerOf(m_c.countEdit) == 0) {
        platform::infoBox(QStringLiteral("生成注数不能为零"));
        return;
    }
    // Ticks of a run by 计时 may have written during the walk; the pick stands alone.
    m_c.pane->clear();
    picks::writeHighCountPick(*m_c.pane, *pick, m_red, m_blue);
}

void PickHandlers::randomClicked() {
    m_c.randomCheck->setChecked(true);
    m_c.highCheck->setChecked(false);
    m_c.countEdit->setText(QStringLiteral("5"));
}

void PickHandlers::highCountClicked() {
    m_c.highCheck->setChecked(true);
    m_c.randomCheck->setChecked(false);
    m_c.countEdit->setText(QStringLiteral("1"));
}

void PickHandlers::timedClicked() {
    m_c.randomCheck->setChecked(true);
    m_c.highCheck->setChecked(false);
    if (!m_c.timeEdit->text().isEmpty()) {
        // Starts the run at once, or restarts the period of one that goes on;
        // the button's caption stays as it is.
        m_c.timedCheck->setChecked(true);
        m_c.timer->setPeriod(kRunPeriodMs);
        return;
    }
    m_c.timedCheck->setChecked(false);
    platform::infoBox(QStringLiteral("时间不能为空"));
    m_c.timeEdit->setFocus();
}

void PickHandlers::computeClicked() {
    const bool random = m_c.randomCheck->isChecked();
    m_c.highCheck->setChecked(!random);
    if (!random) {
        writeHighCountPick();
        return;
    }
    if (m_c.computeButton->text() == computeCaption()) {
        m_c.computeButton->setText(QStringLiteral("停止"));
        m_c.highCheck->setEnabled(false);
        m_c.timer->setPeriod(kRunPeriodMs);
    } else {
        // Also the press after a halt by the time limit: it only puts the
        // caption back and starts nothing.
        m_c.computeButton->setText(computeCaption());
        m_c.timer->setPeriod(0);
        m_c.highCheck->setEnabled(true);
    }
}

void PickHandlers::copySelection() {
    const std::string selected = m_c.pane->selectedText();
    if (selected.empty()) {
        platform::infoBox(QStringLiteral("未选择文本"));
        return;
    }
    QApplication::clipboard()->setText(text::toQString(selected));
}

void PickHandlers::deleteSelection() {
    m_c.pane->deleteSelection();
}

} // namespace ssq::picks
