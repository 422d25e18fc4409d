#include "app/main_window.h"

#include "history/history_downloader.h"

#include <QPushButton>

namespace ssq::app {

void MainWindow::wireHistory() {
    m_downloader = new history::HistoryDownloader(
        m_config.resultsServer, m_config.fetch,
        {m_drawTable, m_progress, m_hintLabel, m_analyseButton}, m_pump.callback(), this);
    connect(m_readButton, &QPushButton::clicked, m_downloader, [this] { m_downloader->run(); });
}

} // namespace ssq::app
