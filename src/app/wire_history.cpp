#include "app/main_window.h"

#include "history/history_downloader.h"
#include "platform/info_box.h"
#include "store/draw_store.h"
#include "store/snapshot_csv.h"

#include <QDate>
#include <QFile>
#include <QPushButton>
#include <QtGlobal>

namespace ssq::app {

void MainWindow::wireHistory() {
    history::HistoryDownloader::LocalHistory local;
    if (!m_config.storePath.empty()) {
        local.store = [this] { return drawStore(); };
        local.sources = m_config.sources;
        local.currentYear = [] { return QDate::currentDate().year(); };
        local.noServerBox = [] {
            platform::infoBox(
                QStringLiteral("无法连接开奖服务器，显示的是本地保存的历史开奖数据。"));
        };
    }
    m_downloader =
        new history::HistoryDownloader(m_config.resultsServer, m_config.fetch,
                                       {m_drawTable, m_progress, m_hintLabel, m_analyseButton},
                                       m_pump.callback(), std::move(local), this);
    connect(m_readButton, &QPushButton::clicked, m_downloader, [this] { m_downloader->run(); });
}

store::DrawStore* MainWindow::drawStore() {
    if (m_drawStore || m_config.storePath.empty())
        return m_drawStore.get();
    m_drawStore = std::make_unique<store::DrawStore>(
        m_config.storePath, [](const std::string& line) { qWarning("%s", line.c_str()); });
    if (m_drawStore->count() == 0) {
        // The history built into the program seeds an empty store.
        QFile snapshot(QStringLiteral(":/data/ssq_history.csv"));
        if (snapshot.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = snapshot.readAll();
            const store::SnapshotRead read =
                store::readSnapshotCsv(std::string_view(bytes.constData(), bytes.size()));
            if (read.error.empty())
                m_drawStore->merge(read.draws, "snapshot");
            else
                qWarning("bundled draw history unreadable: %s", read.error.c_str());
        }
    }
    // Said once, when the store is first opened.
    switch (m_drawStore->opened()) {
    case store::DrawStore::Opened::Normally:
        break;
    case store::DrawStore::Opened::Rebuilt:
        platform::infoBox(QStringLiteral("保存的开奖历史文件已损坏，已另存为 %1，并重新建立。")
                              .arg(QString::fromStdString(m_drawStore->setAsideAs())));
        break;
    case store::DrawStore::Opened::InMemory:
        platform::infoBox(QStringLiteral("开奖历史文件 %1 无法写入，本次运行的数据不会保存。")
                              .arg(QString::fromStdString(m_config.storePath)));
        break;
    }
    return m_drawStore.get();
}

} // namespace ssq::app
