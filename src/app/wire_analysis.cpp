#include "app/main_window.h"

#include "analysis/frequency_counter.h"
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

    connect(m_analyseButton, &QPushButton::clicked, this, [this] {
        if (m_drawTable->rows() == 0) {
            // The history is read first, exactly as 读数据按钮 does; the
            // count cannot be repeated until the next download ends.
            if (m_downloader->run() != history::HistoryDownloader::Outcome::Finished)
                return; // refused (a download is running) or the window is closing
            m_analyseButton->setEnabled(false);
        }
        analysis::FrequencyCounter counter({
            [this] { return m_drawTable->rows(); },
            [this](int row, int column) { return m_drawTable->cell(row, column); },
            [this](int row, int column, const std::string& text) {
                m_frequencyTable->setCell(row, column, text);
            },
            m_pump.callback(),
        });
        if (counter.run())
            m_computeButton->setEnabled(true);
    });
}

void MainWindow::fillFrequencyTable() { m_frequencyTable->fill(); }

} // namespace ssq::app
