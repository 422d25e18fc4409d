#include "app/main_window.h"

#include "analysis/frequency_table.h"
#include "picks/pick_handlers.h"

namespace ssq::app {

void MainWindow::wirePicks() {
    picks::PickControls controls;
    controls.window = this;
    controls.pane = m_pickPane;
    controls.timedCheck = m_timedCheck;
    controls.timeEdit = m_timeEdit;
    controls.randomCheck = m_randomCheck;
    controls.countEdit = m_countEdit;
    controls.highCheck = m_highCheck;
    controls.computeButton = m_computeButton;
    controls.timer = m_pickTimer;
    controls.copyAction = m_copyAction;
    controls.deleteAction = m_deleteAction;

    const picks::PickShared shared{&m_state.redFormat, &m_state.blueFormat, &m_state.timedTicks,
                                   &m_state.seedCounter};

    analysis::FrequencyTable* table = m_frequencyTable;
    picks::FrequencyCells cells{[table] { return table->rows(); },
                                [table](int row, int column) { return table->cell(row, column); }};

    new picks::PickHandlers(controls, shared, std::move(cells), m_pump.callback(), this);
}

void MainWindow::setUpPickFormats() {
    picks::setUpPickFormats(m_state.redFormat, m_state.blueFormat);
}

} // namespace ssq::app
