#include "app/main_window.h"

#include "analysis/frequency_count_handler.h"
#include "analysis/frequency_table.h"
#include "history/draw_table.h"
#include "history/history_downloader.h"
#include "platform/period_timer.h"

#include <QPushButton>

namespace ssq::app {

void MainWindow::wireAnalysis() {
    connect(m_blankRowTimer, &QTimer::timeout, this, [this] {
        if (m_frequencyTable->removeBlankRows())
            m_blankRowTimer->setPeriod(0);
    });

    history::DrawTable* draws = m_drawTable;
    history::HistoryDownloader* downloader = m_downloader;
    auto* count = new analysis::FrequencyCountHandler(
        {m_frequencyTable, m_analyseButton, m_computeButton},
        {[draws] { return draws->rows(); },
         [draws](int row, int column) { return draws->cell(row, column); },
         [downloader] {
             return downloader->run() == history::HistoryDownloader::Outcome::Finished;
         }},
        m_pump.callback(), this);
    connect(m_analyseButton, &QPushButton::clicked, count, &analysis::FrequencyCountHandler::run);
}

void MainWindow::fillFrequencyTable() {
    m_frequencyTable->fill();
}

} // namespace ssq::app
