#include "numbers/trend_painter.h"

#include <QHash>
#include <QPainter>
#include <QPrinter>
#include <QStaticText>

#include <algorithm>

namespace ssq::numbers {
namespace {

const QColor kRed(0xd0, 0x1c, 0x1c);
const QColor kBlue(0x1c, 0x4f, 0xc8);
const QColor kGrey(0x9a, 0x9a, 0x9a);
const QColor kGrid(0xdd, 0xdd, 0xdd);
const QColor kFigureBand(0xf3, 0xf0, 0xe0);
const QColor kStatsBand(0xf5, 0xf5, 0xf5);

int imageWidth() {
    int width = 0;
    for (int c = 0; c < trend_column::Count; ++c)
        width += trendColumnWidth(c);
    return width;
}

void paintRow(QPainter& painter, const TrendModel& model, int row, int top, TrendTextCache& texts) {
    int left = 0;
    for (int c = 0; c < trend_column::Count; ++c) {
        const QRect rect(left, top, trendColumnWidth(c), kTrendRowHeight);
        paintTrendCell(painter, rect, model.kind(row, c), model.text(row, c), texts);
        left += rect.width();
    }
}

} // namespace

struct TrendTextCache::Fonts {
    QFont plain;
    QFont bold;
    QHash<QString, QStaticText> plainTexts;
    QHash<QString, QStaticText> boldTexts;
};

TrendTextCache::TrendTextCache() : m_fonts(std::make_unique<Fonts>()) {
    m_fonts->plain.setPixelSize(11);
    m_fonts->bold = m_fonts->plain;
    m_fonts->bold.setBold(true);
}

TrendTextCache::~TrendTextCache() = default;

const QFont& TrendTextCache::font(bool bold) const {
    return bold ? m_fonts->bold : m_fonts->plain;
}

void TrendTextCache::draw(QPainter& painter, const QRect& rect, const QString& text, bool bold) {
    QHash<QString, QStaticText>& texts = bold ? m_fonts->boldTexts : m_fonts->plainTexts;
    auto found = texts.find(text);
    if (found == texts.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.prepare(QTransform(), font(bold));
        found = texts.insert(text, laid);
    }
    painter.setFont(font(bold));
    const QSizeF size = found->size();
    painter.drawStaticText(QPointF(rect.x() + (rect.width() - size.width()) / 2,
                                   rect.y() + (rect.height() - size.height()) / 2),
                           *found);
}

int trendColumnWidth(int column) {
    using namespace trend_column;
    if (column == Period)
        return 70;
    if (column == Date)
        return 84;
    if (column >= Sum && column <= OddEven)
        return 44;
    return 24;
}

void paintTrendCell(QPainter& painter, const QRect& rect, CellKind kind, const QString& text,
                    TrendTextCache& texts) {
    // Called for every cell in sight: the painter's state is set field by
    // field instead of saved and restored.
    if (kind == CellKind::Figure)
        painter.fillRect(rect, kFigureBand);
    painter.setPen(kGrid);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    if (kind == CellKind::RedBall || kind == CellKind::BlueBall) {
        const int size = std::min(rect.width(), rect.height()) - 3;
        const QRect ball(rect.center().x() - size / 2, rect.center().y() - size / 2, size, size);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kind == CellKind::RedBall ? kRed : kBlue);
        painter.drawEllipse(ball);
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::white);
        texts.draw(painter, ball, text, true);
        return;
    }
    painter.setPen(kind == CellKind::Omission ? kGrey : QColor(Qt::black));
    texts.draw(painter, rect, text, kind == CellKind::Figure);
}

void paintTrendHeader(QPainter& painter, int top, const TrendModel& model) {
    using namespace trend_column;
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    int left = 0;
    for (int c = 0; c < Count; ++c) {
        const QRect rect(left, top, trendColumnWidth(c), kTrendRowHeight);
        painter.fillRect(rect, kStatsBand);
        painter.setPen(kGrid);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        const bool red = c >= FirstRed && c < Sum;
        const bool blue = c >= FirstBlue;
        painter.setPen(red ? kRed : blue ? kBlue : QColor(Qt::black));
        painter.drawText(rect, Qt::AlignCenter,
                         model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        left += rect.width();
    }
    painter.restore();
}

QImage renderTrend(const TrendModel& model, int first, int count) {
    first = std::clamp(first, 0, model.rowCount());
    count = std::clamp(count, 0, model.rowCount() - first);
    QImage image(imageWidth(), (count + 1) * kTrendRowHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TrendTextCache texts;
    paintTrendHeader(painter, 0, model);
    for (int i = 0; i < count; ++i)
        paintRow(painter, model, first + i, (i + 1) * kTrendRowHeight, texts);
    return image;
}

QImage trendImage(const TrendModel& model) {
    if (model.rowCount() == 0)
        return {};
    const int first = std::max(0, model.drawRows() - kMaxImageRows);
    return renderTrend(model, first, model.rowCount() - first);
}

bool printTrend(const TrendModel& model, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double scale = static_cast<double>(page.width()) / imageWidth();
    const int rowsPerPage =
        std::max(1, static_cast<int>(page.height() / (kTrendRowHeight * scale)) - 1);
    painter.scale(scale, scale);
    TrendTextCache texts;
    for (int first = 0; first < model.rowCount(); first += rowsPerPage) {
        if (first > 0)
            printer.newPage();
        paintTrendHeader(painter, 0, model);
        const int last = std::min(model.rowCount(), first + rowsPerPage);
        for (int row = first; row < last; ++row)
            paintRow(painter, model, row, (row - first + 1) * kTrendRowHeight, texts);
    }
    return painter.end();
}

void TrendDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
    const auto* model = qobject_cast<const TrendModel*>(index.model());
    if (!model) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, option.palette.highlight().color().lighter(170));
    paintTrendCell(*painter, option.rect, model->kind(index.row(), index.column()),
                   model->text(index.row(), index.column()), m_texts);
}

QSize TrendDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const {
    return {trendColumnWidth(index.column()), kTrendRowHeight};
}

} // namespace ssq::numbers
