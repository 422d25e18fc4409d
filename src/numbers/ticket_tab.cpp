#include "numbers/ticket_tab.h"

#include "numbers/save_file.h"
#include "numbers/table_csv.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace ssq::numbers {
namespace {

constexpr int kWholeHistory = -1; // item data of "全部历史"
// Lines written out on the result page; the rest are counted in a closing
// line and are all in the CSV export. Keeps a paste of thousands of tickets
// quick to show.
constexpr std::size_t kShownLines = 1000;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The ticket's numbers, those the draw holds on a coloured ball.
QString markedNumbers(const Ticket& ticket, const Draw* draw) {
    const DrawBits bits = draw ? drawBits(*draw) : DrawBits{};
    auto ball = [](int n, bool hit, const char* colour) {
        const QString number = QString::fromStdString(twoDigits(n));
        return hit ? QStringLiteral("<b style=\"background:%1;color:white\">&nbsp;%2&nbsp;</b> ")
                         .arg(QLatin1String(colour), number)
                   : QStringLiteral("<span style=\"color:%1\">%2</span> ")
                         .arg(QLatin1String(colour), number);
    };
    QString html;
    for (int red : ticket.reds)
        html += ball(red, (bits.reds >> red) & 1, "#d01c1c");
    html += QStringLiteral("+ ");
    for (int blue : ticket.blues)
        html += ball(blue, (bits.blue >> blue) & 1, "#1c4fc8");
    return html;
}

// The draw's own numbers as a ticket, to show them the way tickets are shown.
Ticket drawnTicket(const Draw& draw) {
    Ticket ticket;
    ticket.reds.assign(draw.reds.begin(), draw.reds.end());
    ticket.blues.push_back(draw.blue);
    return ticket;
}

QString levelList(const LevelCounts& counts) {
    QStringList parts;
    for (int level = 1; level <= kPrizeLevels; ++level)
        if (counts[level] > 0)
            parts << fromUtf8(levelName(level)) + QStringLiteral(" %1 注").arg(counts[level]);
    return parts.isEmpty() ? QStringLiteral("未中奖") : parts.join(QStringLiteral("，"));
}

} // namespace

TicketTab::TicketTab(QWidget* parent)
    : QWidget(parent), m_input(new QPlainTextEdit(this)), m_period(new QComboBox(this)),
      m_checkButton(new QPushButton(QStringLiteral("查询"), this)),
      m_csvButton(new QPushButton(QStringLiteral("导出CSV"), this)),
      m_result(new QTextBrowser(this)), m_levels(new QTableWidget(kPrizeLevels + 1, 3, this)),
      m_summary(new QLabel(this)) {
    m_input->setObjectName(QStringLiteral("彩票号码"));
    m_input->setAccessibleName(
        QStringLiteral("彩票号码，每行一注，例如 01 02 03 04 05 06 + 07；复式用 + 分开红球和蓝球"));
    m_input->setPlaceholderText(
        QStringLiteral("每行一注，例如：\n01 02 03 04 05 06 + 07\n"
                       "01 02 03 04 05 06 07\n复式：01 02 03 04 05 06 07 08 + 01 02"));
    m_period->setObjectName(QStringLiteral("开奖期号"));
    m_period->setAccessibleName(QStringLiteral("对照的开奖期号，或全部历史"));
    m_checkButton->setObjectName(QStringLiteral("查询"));
    m_checkButton->setAccessibleName(QStringLiteral("查询中奖情况"));
    m_csvButton->setObjectName(QStringLiteral("导出查询CSV"));
    m_csvButton->setAccessibleName(QStringLiteral("把查询结果导出为CSV文件"));
    m_result->setObjectName(QStringLiteral("查询结果"));
    m_result->setAccessibleName(QStringLiteral("每注的中奖情况，开出的号码加底色"));
    m_levels->setObjectName(QStringLiteral("奖级统计"));
    m_levels->setAccessibleName(QStringLiteral("各奖级的注数与固定奖金"));
    m_levels->setHorizontalHeaderLabels(
        {QStringLiteral("奖级"), QStringLiteral("注数"), QStringLiteral("奖金（元）")});
    m_levels->verticalHeader()->hide();
    m_levels->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_levels->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_levels->verticalHeader()->setDefaultSectionSize(22);
    // All seven rows in sight, without a scroll bar.
    m_levels->setFixedHeight(22 * (kPrizeLevels + 1) +
                             m_levels->horizontalHeader()->sizeHint().height() +
                             2 * m_levels->frameWidth());
    m_summary->setObjectName(QStringLiteral("查询合计"));
    m_summary->setWordWrap(true);

    auto* controls = new QHBoxLayout;
    auto* periodLabel = new QLabel(QStringLiteral("对照："), this);
    periodLabel->setBuddy(m_period);
    controls->addWidget(periodLabel);
    controls->addWidget(m_period, 1);
    controls->addWidget(m_checkButton);
    controls->addWidget(m_csvButton);
    auto* left = new QVBoxLayout;
    left->addWidget(m_input, 1);
    left->addLayout(controls);
    left->addWidget(m_levels);
    left->addWidget(m_summary);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addWidget(m_result, 3);

    connect(m_checkButton, &QPushButton::clicked, this, &TicketTab::check);
    connect(m_csvButton, &QPushButton::clicked, this, [this] {
        const QString outcome =
            exportWithDialog(this, QStringLiteral("导出中奖查询"), QStringLiteral("中奖查询.csv"),
                             [this](const QString& path) { return exportCsv(path); });
        if (!outcome.isEmpty())
            emit reported(outcome);
    });
}

void TicketTab::setHistory(const std::vector<Draw>& history) {
    m_history = history;
    m_bits.clear();
    m_bits.reserve(history.size());
    for (const Draw& d : history)
        m_bits.push_back(drawBits(d));
    const QVariant chosen = m_period->currentData();
    m_period->clear();
    m_period->addItem(QStringLiteral("全部历史（%1 期）").arg(history.size()), kWholeHistory);
    for (std::size_t i = history.size(); i-- > 0;)
        m_period->addItem(QString::fromStdString(history[i].period + "  " + history[i].date),
                          static_cast<int>(i));
    // The newest period is what a ticket is most often checked against.
    const int again = chosen.isValid() ? m_period->findData(chosen) : -1;
    m_period->setCurrentIndex(again >= 0 ? again : std::min(1, m_period->count() - 1));
}

void TicketTab::check() {
    const int chosen = m_period->currentData().toInt();
    std::vector<const Draw*> draws;
    std::span<const DrawBits> bits = m_bits;
    if (chosen != kWholeHistory && chosen >= 0 && chosen < static_cast<int>(m_history.size())) {
        draws.push_back(&m_history[static_cast<std::size_t>(chosen)]);
        bits = bits.subspan(static_cast<std::size_t>(chosen), 1);
    }
    m_report = checkTickets(parseTickets(m_input->toPlainText().toStdString()), bits);
    showReport(draws);
}

void TicketTab::showReport(const std::vector<const Draw*>& draws) {
    const Draw* one = draws.empty() ? nullptr : draws.front();
    QString html;
    if (m_history.empty())
        html += QStringLiteral("<p>没有开奖数据可供对照。</p>");
    else if (one)
        html += QStringLiteral("<p>第 %1 期（%2）开奖：%3</p>")
                    .arg(QString::fromStdString(one->period), QString::fromStdString(one->date),
                         markedNumbers(drawnTicket(*one), one));
    else
        html += QStringLiteral("<p>对照全部 %1 期开奖。</p>").arg(m_history.size());
    const std::size_t shown = std::min(kShownLines, m_report.results.size());
    for (std::size_t i = 0; i < shown; ++i) {
        const TicketResult& r = m_report.results[i];
        html += QStringLiteral("<p>第 %1 行：").arg(r.line.lineNumber);
        if (!r.line.ok()) {
            html += QStringLiteral("<span style=\"color:#b00000\">“%1” —— %2</span></p>")
                        .arg(QString::fromStdString(r.line.text).toHtmlEscaped(),
                             fromUtf8(r.line.error).toHtmlEscaped());
            continue;
        }
        html += markedNumbers(r.line.ticket, one);
        const std::int64_t singles = TicketChecker(r.line.ticket).singleTickets();
        if (singles > 1)
            html += QStringLiteral("（复式 %1 注）").arg(singles);
        html += QStringLiteral(" → <b>%1</b>").arg(levelList(r.counts));
        if (r.fixedPrizes > 0)
            html += QStringLiteral("，固定奖金 %1 元").arg(r.fixedPrizes);
        html += QStringLiteral("</p>");
    }
    if (shown < m_report.results.size()) {
        int badLeft = 0;
        for (std::size_t i = shown; i < m_report.results.size(); ++i)
            badLeft += m_report.results[i].line.ok() ? 0 : 1;
        html += QStringLiteral("<p>其余 %1 行（其中 %2 行有误）未在此列出，已计入合计；"
                               "导出 CSV 可查看每一行。</p>")
                    .arg(m_report.results.size() - shown)
                    .arg(badLeft);
    }
    m_result->setHtml(html);

    for (int level = 1; level <= kPrizeLevels + 1; ++level) {
        const bool total = level > kPrizeLevels;
        const std::int64_t count = total ? 0 : m_report.counts[level];
        const QString amount = total        ? QString::number(m_report.fixedPrizes)
                               : level <= 2 ? QStringLiteral("浮动")
                                            : QString::number(count * fixedPrize(level));
        m_levels->setItem(level - 1, 0,
                          new QTableWidgetItem(total ? QStringLiteral("固定奖金合计")
                                                     : fromUtf8(levelName(level))));
        m_levels->setItem(level - 1, 1,
                          new QTableWidgetItem(total ? QString() : QString::number(count)));
        m_levels->setItem(level - 1, 2, new QTableWidgetItem(amount));
    }
    QString summary =
        QStringLiteral("有效 %1 行，共 %2 注；固定奖金合计 %3 元（一、二等奖为浮动奖金，未计入）。")
            .arg(m_report.results.size() - static_cast<std::size_t>(m_report.badLines))
            .arg(m_report.singleTickets)
            .arg(m_report.fixedPrizes);
    if (m_report.badLines > 0)
        summary +=
            QStringLiteral("<span style=\"color:#b00000\">%1 行有误，见右侧标红说明。</span>")
                .arg(m_report.badLines);
    m_summary->setText(summary);
    m_summary->setAccessibleName(m_summary->text());
}

QString TicketTab::resultHtml() const {
    return m_result->toHtml();
}

bool TicketTab::exportCsv(const QString& path) const {
    return saveBytes(path, ticketReportCsv(m_report));
}

} // namespace ssq::numbers
