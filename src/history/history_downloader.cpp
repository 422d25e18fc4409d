#include "history/history_downloader.h"

#include "history/draw_table.h"
#include "history/results_page.h"
#include "text/codec.h"
#include "text/qt_text.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <QPushButton>

namespace ssq::history {

HistoryDownloader::HistoryDownloader(std::string resultsServer, platform::FetchOptions fetch,
                                     Controls controls,
                                     platform::LetEventsRun letEventsRun, QObject* parent)
    : QObject(parent), m_resultsServer(std::move(resultsServer)), m_fetch(fetch),
      m_controls(controls), m_letEventsRun(std::move(letEventsRun)) {
    setObjectName(QStringLiteral("HistoryDownloader"));
}

HistoryDownloader::Outcome HistoryDownloader::run() {
    if (m_running)
        return Outcome::Refused;
    m_running = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_running};

    const DrawExtractor extractor; // the pattern is compiled once per run

    // A negative count reads no page; the bar still shows 0 of 0.
    m_controls.progress->setRange(0, std::max(m_pageCount, 0));
    m_controls.progress->setValue(0);
    const std::int32_t pages = m_pageCount;

    for (std::int32_t page = 1; page <= pages; ++page) {
        const std::string body =
            platform::fetchUrl(m_resultsServer + listPagePath(page), m_fetch);
        const std::vector<DrawFields> draws = extractor.extract(decodePage(body));
        for (const DrawFields& fields : draws) {
            ++m_drawSerial;
            const int row = m_controls.table->appendRow(std::to_string(m_drawSerial));
            for (std::size_t f = 0; f < fields.size(); ++f)
                m_controls.table->setCell(row, static_cast<int>(f) + 1, fields[f]);
            if (!m_letEventsRun())
                return Outcome::Stopped;
        }
        m_controls.progress->setValue(m_controls.progress->value() + 1);
    }

    static const std::string before = text::gbk("提示：双色球数据共有 ");
    static const std::string after = text::gbk(" 期 提取完毕！");
    m_controls.hint->setText(
        text::toQString(before + std::to_string(m_drawSerial) + after));
    m_pageCount = 0;
    m_controls.analyseButton->setEnabled(true);
    return Outcome::Finished;
}

} // namespace ssq::history
