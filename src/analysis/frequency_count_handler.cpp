#include "analysis/frequency_count_handler.h"

#include "analysis/frequency_counter.h"
#include "analysis/frequency_table.h"

#include <QPushButton>

namespace ssq::analysis {

FrequencyCountHandler::FrequencyCountHandler(Controls controls, Draws draws,
                                             platform::LetEventsRun letEventsRun, QObject* parent)
    : QObject(parent), m_controls(controls), m_draws(std::move(draws)),
      m_letEventsRun(std::move(letEventsRun)) {
    setObjectName(QStringLiteral("FrequencyCountHandler"));
}

void FrequencyCountHandler::run() {
    if (m_draws.rows() == 0) {
        if (!m_draws.download())
            return; // refused (a download is running) or the window is closing
        m_controls.analyseButton->setEnabled(false);
    }
    FrequencyTable* table = m_controls.table;
    FrequencyCounter counter({
        m_draws.rows,
        m_draws.cell,
        [table](int row, int column, const std::string& text) {
            table->setCell(row, column, text);
        },
        m_letEventsRun,
    });
    if (counter.run())
        m_controls.computeButton->setEnabled(true);
}

} // namespace ssq::analysis
