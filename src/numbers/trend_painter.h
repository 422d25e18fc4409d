#pragma once
// Painting the trend chart: one cell at a time for the view's delegate, and
// whole pages of rows for a PNG image or a printer, all with the same look.

#include "numbers/trend_model.h"

#include <QImage>
#include <QStyledItemDelegate>

#include <memory>

class QPainter;
class QPrinter;

namespace ssq::numbers {

inline constexpr int kTrendRowHeight = 20;

// The width of each column in pixels.
int trendColumnWidth(int column);

// Cell texts laid out once per font and kept: a cell's text is one of a few
// thousand numbers, and laying one out again on every paint costs more than
// everything else a cell does. Lives as long as the painting it serves.
class TrendTextCache {
public:
    TrendTextCache();
    ~TrendTextCache();
    const QFont& font(bool bold) const;
    // Draws `text` centred in `rect` in the painter's current pen.
    void draw(QPainter& painter, const QRect& rect, const QString& text, bool bold);

private:
    struct Fonts;
    std::unique_ptr<Fonts> m_fonts;
};

// A drawn number is a filled ball with its number in white; an omission is
// grey; figure rows are bold on a tinted band.
void paintTrendCell(QPainter& painter, const QRect& rect, CellKind kind, const QString& text,
                    TrendTextCache& texts);

// Paints the column titles into one row of `rect`'s height.
void paintTrendHeader(QPainter& painter, int top, const TrendModel& model);

// The title row, then the model's rows first .. first + count - 1.
QImage renderTrend(const TrendModel& model, int first, int count);

// Rows of the chart at most in one PNG: taller images are more than image
// viewers and memory comfortably take.
inline constexpr int kMaxImageRows = 1000;

// The draw rows of the chart's image: the last kMaxImageRows draws at most,
// then the figure rows. Returns a null image for an empty chart.
QImage trendImage(const TrendModel& model);

// Prints every row, the title row repeated at the top of each page, scaled
// to the page width. False when the printer could not start.
bool printTrend(const TrendModel& model, QPrinter& printer);

// The delegate of the chart's view: paints only the cells the view asks for.
class TrendDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    mutable TrendTextCache m_texts; // paint() is const; the cache only saves work
};

} // namespace ssq::numbers
