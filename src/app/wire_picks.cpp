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

    analysis::FrequencyTable* table = m_frequencyTable;
    picks::FrequencyCells cells{[table] { return table->rows(); },
                                [table](int row, int column) { return table->cell(row, column); }};

    m_pickHandlers = new picks::PickHandlers(controls, std::move(cells), m_pump.callback(), this);
}

void MainWindow::setUpPickFormats() {
    m_pickHandlers->setUpFormats();
}

} // namespace ssq::app
