#include "numbers/fairness_tab.h"

#include "numbers/save_file.h"
#include "numbers/table_csv.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ssq::numbers {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What the p-value says, without promising anything about the next draw.
QString reading(const std::optional<ChiSquare>& red, const std::optional<ChiSquare>& blue) {
    if (!red || !blue)
        return QStringLiteral("没有开奖数据，无法检验。");
    const bool unusual = red->pValue < 0.01 || blue->pValue < 0.01;
    return unusual ? QStringLiteral(
                         "p 值小于 0.01：这段范围内的次数偏离均匀较多。"
                         "多次检验中偶尔出现这样的结果也属正常，它并不说明哪个号码以后更容易开出。")
                   : QStringLiteral("p 值不小于 0.01：各号码出现次数与公平开奖的期望相符，"
                                    "看不出偏向任何号码的迹象。");
}

} // namespace

QString fairnessLine(const QString& what, const std::optional<ChiSquare>& test) {
    if (!test)
        return what + QStringLiteral("：没有开奖数据");
    return what + QStringLiteral("：χ² = %1，自由度 %2，p = %3")
                      .arg(QString::number(test->statistic, 'f', 2))
                      .arg(test->degreesOfFreedom)
                      .arg(QString::number(test->pValue, 'f', 4));
}

FairnessTab::FairnessTab(QWidget* parent)
    : QWidget(parent), m_red(new QLabel(this)), m_blue(new QLabel(this)),
      m_reading(new QLabel(this)), m_csvButton(new QPushButton(QStringLiteral("导出CSV"), this)) {
    m_red->setObjectName(QStringLiteral("红球检验"));
    m_blue->setObjectName(QStringLiteral("蓝球检验"));
    m_reading->setObjectName(QStringLiteral("检验结论"));
    m_reading->setWordWrap(true);
    m_csvButton->setObjectName(QStringLiteral("导出检验CSV"));
    m_csvButton->setAccessibleName(QStringLiteral("把随机性检验结果导出为CSV文件"));
    QFont big = m_red->font();
    big.setPointSizeF(big.pointSizeF() * 1.2);
    m_red->setFont(big);
    m_blue->setFont(big);

    auto* method = new QLabel(
        QStringLiteral("卡方拟合优度检验：把所选范围内每个号码的出现次数与公平开奖的期望次数比较。"
                       "红球每期不放回地开出 6 个，统计量已按此校正（乘以 32/27），自由度 32；"
                       "蓝球每期 1 个，自由度 15。p 值是公平开奖得到至少这样偏离的概率。"),
        this);
    method->setWordWrap(true);
    method->setAccessibleName(method->text());
    auto* note = new QLabel(fromUtf8(kIndependenceNote), this);
    note->setObjectName(QStringLiteral("独立性说明"));
    note->setWordWrap(true);
    QFont bold = note->font();
    bold.setBold(true);
    note->setFont(bold);
    note->setAccessibleName(note->text());

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_csvButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(method);
    layout->addSpacing(12);
    layout->addWidget(m_red);
    layout->addWidget(m_blue);
    layout->addSpacing(12);
    layout->addWidget(m_reading);
    layout->addSpacing(12);
    layout->addWidget(note);
    layout->addStretch();
    layout->addLayout(bottom);

    connect(m_csvButton, &QPushButton::clicked, this, [this] {
        const QString outcome = exportWithDialog(
            this, QStringLiteral("导出随机性检验"), QStringLiteral("随机性检验.csv"),
            [this](const QString& path) { return exportCsv(path); });
        if (!outcome.isEmpty())
            emit reported(outcome);
    });
}

void FairnessTab::showTest(const TrendTable& table) {
    m_trend = table;
    const std::optional<ChiSquare> red = redFairness(table);
    const std::optional<ChiSquare> blue = blueFairness(table);
    m_red->setText(fairnessLine(QStringLiteral("红球（%1 期）").arg(table.rows.size()), red));
    m_blue->setText(fairnessLine(QStringLiteral("蓝球（%1 期）").arg(table.rows.size()), blue));
    m_reading->setText(reading(red, blue));
    for (QLabel* label : {m_red, m_blue, m_reading})
        label->setAccessibleName(label->text());
}

QString FairnessTab::redText() const {
    return m_red->text();
}
QString FairnessTab::blueText() const {
    return m_blue->text();
}

bool FairnessTab::exportCsv(const QString& path) const {
    return saveBytes(path, fairnessCsv(m_trend));
}

} // namespace ssq::numbers
