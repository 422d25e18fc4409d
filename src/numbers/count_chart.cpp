#include "numbers/count_chart.h"

#include <QPainter>

#include <algorithm>

namespace ssq::numbers {
namespace {

// One group of bars in `area`, scaled so the highest bar or expected line fits.
void paintGroup(QPainter& painter, const QRect& area, const std::vector<NumberFigures>& rows,
                const QColor& colour) {
    if (rows.empty())
        return;
    double top = rows.front().expected;
    for (const NumberFigures& r : rows)
        top = std::max(top, static_cast<double>(r.figures.count));
    top = std::max(top, 1.0) * 1.1;
    const int labelHeight = 14;
    const double plotHeight = area.height() - labelHeight;
    const double slot = static_cast<double>(area.width()) / static_cast<double>(rows.size());
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double height = plotHeight * rows[i].figures.count / top;
        const QRectF bar(area.left() + slot * static_cast<double>(i) + slot * 0.15,
                         area.top() + plotHeight - height, slot * 0.7, height);
        painter.fillRect(bar, colour);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left() + slot * static_cast<double>(i),
                                area.top() + plotHeight, slot, labelHeight),
                         Qt::AlignCenter, QString::number(rows[i].number));
    }
    const double expectedY = area.top() + plotHeight - plotHeight * rows.front().expected / top;
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.5, Qt::DashLine));
    painter.drawLine(QPointF(area.left(), expectedY), QPointF(area.right(), expectedY));
    // The label sits on a white patch at the line's right end, above the bars.
    const QString label = QStringLiteral("期望 %1").arg(rows.front().expected, 0, 'f', 1);
    const QRectF labelRect(area.right() - 64, expectedY - 16, 62, 14);
    painter.fillRect(labelRect, Qt::white);
    painter.drawText(labelRect, Qt::AlignCenter, label);
}

} // namespace

CountChart::CountChart(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(160);
    setAccessibleName(QStringLiteral("各号码出现次数柱状图，虚线为公平开奖的期望次数"));
}

void CountChart::setFigures(std::vector<NumberFigures> reds, std::vector<NumberFigures> blues) {
    m_reds = std::move(reds);
    m_blues = std::move(blues);
    update();
}

void CountChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRect area = rect().adjusted(6, 6, -6, -4);
    const int redWidth = area.width() * kRedNumbers / (kRedNumbers + kBlueNumbers + 2);
    paintGroup(painter, QRect(area.left(), area.top(), redWidth, area.height()), m_reds,
               QColor(0xd0, 0x1c, 0x1c));
    const int blueLeft =
        area.left() + redWidth + area.width() * 2 / (kRedNumbers + kBlueNumbers + 2);
    paintGroup(painter, QRect(blueLeft, area.top(), area.right() - blueLeft, area.height()),
               m_blues, QColor(0x1c, 0x4f, 0xc8));
}

} // namespace ssq::numbers
