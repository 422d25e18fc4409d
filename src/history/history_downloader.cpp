#include "history/history_downloader.h"

#include "history/download_report.h"
#include "history/draw_rows.h"
#include "history/draw_table.h"
#include "history/results_page.h"
#include "platform/info_box.h"
#include "store/draw_check.h"
#include "store/draw_store.h"
#include "text/codec.h"
#include "text/qt_text.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

#include <algorithm>

namespace ssq::history {
namespace {

PageFailure failureOf(platform::FetchResult::Error error) {
    switch (error) {
    case platform::FetchResult::Error::TooLarge:
        return PageFailure::TooLarge;
    case platform::FetchResult::Error::Redirects:
        return PageFailure::Redirects;
    default:
        return PageFailure::NoAnswer;
    }
}

} // namespace

HistoryDownloader::HistoryDownloader(std::string resultsServer, platform::FetchOptions fetch,
                                     Controls controls, platform::LetEventsRun letEventsRun,
                                     LocalHistory local, QObject* parent)
    : QObject(parent), m_resultsServer(std::move(resultsServer)), m_fetch(fetch),
      m_controls(controls), m_letEventsRun(std::move(letEventsRun)), m_local(std::move(local)) {
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

    if (m_pageCount <= 0 && !m_listRunDone && m_local.store) {
        // The start-up probe found no pages: the server may be back by now.
        m_pageCount = probedPageCount(
            decodePage(platform::fetchUrl(m_resultsServer + listPagePath(1), m_fetch)));
        if (m_pageCount <= 0)
            return showStoredHistory();
    }
    return readListPages();
}

HistoryDownloader::Outcome HistoryDownloader::readListPages() {
    const DrawExtractor extractor; // the pattern is compiled once per run

    // A negative count reads no page; the bar still shows 0 of 0.
    m_controls.progress->setRange(0, std::max(m_pageCount, 0));
    m_controls.progress->setValue(0);
    const std::int32_t pages = m_pageCount;

    DownloadReport report;
    std::int32_t drawsThisRun = 0;
    for (std::int32_t page = 1; page <= pages && !report.exhausted(); ++page) {
        const platform::FetchResult answer =
            platform::fetchWithStatus(m_resultsServer + listPagePath(page), m_fetch);
        PageDraws read;
        if (answer.ok())
            read = extractor.read(decodePage(answer.body));
        // A run takes at most kMaxDrawsPerRun draws; a page beyond that is damaged.
        const std::size_t room = static_cast<std::size_t>(kMaxDrawsPerRun - drawsThisRun);
        if (read.rows.size() > room) {
            read.rows.resize(room);
            read.damaged = true;
        }
        if (answer.error != platform::FetchResult::Error::None)
            report.pageFailed(page, 0, failureOf(answer.error));
        else if (!answer.ok())
            report.pageFailed(page, 0, PageFailure::Status, answer.status);
        else if (read.damaged)
            report.pageFailed(page, read.rows.size(), PageFailure::Damaged);
        else if (read.rows.empty())
            report.pageFailed(page, 0, PageFailure::NoDraws);
        else
            report.pageRead(read.rows.size());

        keep(read.rows);
        for (const DrawFields& fields : read.rows) {
            ++drawsThisRun;
            ++m_drawSerial;
            const int row = m_controls.table->appendRow(std::to_string(m_drawSerial));
            for (std::size_t f = 0; f < fields.size(); ++f)
                m_controls.table->setCell(row, static_cast<int>(f) + 1, fields[f]);
            if (!m_letEventsRun())
                return Outcome::Stopped;
        }
        m_controls.progress->setValue(m_controls.progress->value() + 1);
        // A page without rows lets events run too: the window stays usable,
        // and closable, however many pages give nothing.
        if (!m_letEventsRun())
            return Outcome::Stopped;
    }

    if (report.anyFailed()) {
        m_controls.hint->setText(text::toQString(report.hintText(m_drawSerial)));
    } else {
        static const std::string before = text::gbk("提示：双色球数据共有 ");
        static const std::string after = text::gbk(" 期 提取完毕！");
        m_controls.hint->setText(text::toQString(before + std::to_string(m_drawSerial) + after));
    }
    if (pages > 0)
        m_listRunDone = true;
    m_pageCount = 0;
    m_controls.analyseButton->setEnabled(true);
    if (report.anyFailed())
        platform::infoBox(text::toQString(report.failureList()));
    return Outcome::Finished;
}

// One list page is one answer: it is stored whole or, when a row is not a
// plausible draw, not at all. The table shows the rows either way.
void HistoryDownloader::keep(const std::vector<DrawFields>& pageDraws) {
    store::DrawStore* drawStore = m_local.store ? m_local.store() : nullptr;
    if (!drawStore || pageDraws.empty())
        return;
    std::vector<store::DrawRecord> records;
    for (const DrawFields& fields : pageDraws) {
        std::optional<store::DrawRecord> record = recordOf(fields);
        if (!record || store::checkDraw(*record))
            return;
        records.push_back(std::move(*record));
    }
    drawStore->merge(records, "list pages");
}

HistoryDownloader::Outcome HistoryDownloader::showStoredHistory() {
    store::DrawStore* drawStore = m_local.store();
    const int year = m_local.currentYear ? m_local.currentYear() : 0;
    const sources::Refresh refresh =
        sources::askSources(m_local.sources, m_fetch, drawStore->latestPeriod(), year);
    int added = 0;
    if (!refresh.draws.empty()) {
        const store::MergeResult merged =
            drawStore->merge(refresh.draws, refresh.draws.front().source);
        added = merged.ok ? merged.added : 0;
    }

    // The whole stored history replaces what an earlier such run showed.
    const std::vector<store::DrawRecord> draws = drawStore->draws(store::Order::NewestFirst);
    m_controls.table->clear();
    m_drawSerial = 0;
    m_controls.progress->setRange(0, static_cast<int>(draws.size()));
    m_controls.progress->setValue(0);
    for (const store::DrawRecord& draw : draws) {
        ++m_drawSerial;
        const int row = m_controls.table->appendRow(std::to_string(m_drawSerial));
        const DrawFields fields = fieldsOf(draw);
        for (std::size_t f = 0; f < fields.size(); ++f)
            m_controls.table->setCell(row, static_cast<int>(f) + 1, fields[f]);
        m_controls.progress->setValue(m_drawSerial);
        if (!m_letEventsRun())
            return Outcome::Stopped;
    }

    const QString total = QString::fromStdString(groupThousands(m_drawSerial));
    const QString latest =
        draws.empty() ? QStringLiteral("-") : QString::number(draws.front().period);
    QString text;
    if (!refresh.anyAnswered) {
        text = QStringLiteral("提示：无法连接开奖服务器，显示本地历史 %1 期，截至 %2 期")
                   .arg(total, latest);
    } else {
        const QString from = added > 0
                                 ? QStringLiteral("本地历史 + %1 %2 期")
                                       .arg(QString::fromUtf8(sources::sourceName(refresh.from)))
                                       .arg(added)
                                 : QStringLiteral("本地历史，服务器无新开奖");
        text = QStringLiteral("提示：共 %1 期，最新 %2 期（来源：%3）").arg(total, latest, from);
    }
    // These texts are longer than the completion text: two lines in the same place.
    m_controls.hint->setWordWrap(true);
    m_controls.hint->setText(text);
    m_controls.analyseButton->setEnabled(true);
    if (!refresh.anyAnswered && m_local.noServerBox)
        m_local.noServerBox();
    return Outcome::Finished;
}

} // namespace ssq::history
