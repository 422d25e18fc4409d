#include "app/main_window.h"

#include "history/draw_table.h"
#include "numbers/numbers_window.h"
#include "store/draw_store.h"

#include <QAction>

namespace ssq::app {
namespace {

// The draws the draw table holds (newest on top), oldest first. A row whose
// cells are not a whole draw (still being filled, or odd text from a page) is
// left out.
std::vector<numbers::Draw> drawsOf(const history::DrawTable& table) {
    using namespace history::draw_column;
    std::vector<numbers::Draw> draws;
    draws.reserve(static_cast<std::size_t>(table.rows()));
    for (int row = 0; row < table.rows(); ++row) {
        std::array<std::string, 6> reds;
        for (int i = 0; i < 6; ++i)
            reds[i] = table.cell(row, FirstRed + i);
        const std::optional<numbers::Draw> draw = numbers::makeDraw(
            table.cell(row, Period), table.cell(row, Date),
            {reds[0], reds[1], reds[2], reds[3], reds[4], reds[5]}, table.cell(row, Blue));
        if (draw)
            draws.push_back(*draw);
    }
    return numbers::inPeriodOrder(std::move(draws));
}

// The draws of the local store, oldest first.
std::vector<numbers::Draw> drawsOf(const store::DrawStore& store) {
    std::vector<numbers::Draw> draws;
    for (const store::DrawRecord& record : store.draws(store::Order::OldestFirst)) {
        numbers::Draw draw;
        draw.period = std::to_string(record.period);
        draw.date = record.date;
        draw.reds = record.reds;
        draw.blue = record.blue;
        draws.push_back(std::move(draw));
    }
    return draws;
}

} // namespace

void MainWindow::wireNumbers() {
    m_numbersAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    m_numbersAction->setShortcutContext(Qt::WindowShortcut);
    // Held by the window too, so Ctrl+T works while the menu is closed.
    addAction(m_numbersAction);
    connect(m_numbersAction, &QAction::triggered, this, &MainWindow::showNumbersWindow);
}

void MainWindow::showNumbersWindow() {
    if (!m_numbersWindow)
        m_numbersWindow =
            std::make_unique<numbers::NumbersWindow>([this] { return analysedDraws(); });
    m_numbersWindow->present();
}

// What the draw table shows; before anything is shown there, the local
// store's history, so the analysis works from the first start.
std::vector<numbers::Draw> MainWindow::analysedDraws() {
    std::vector<numbers::Draw> shown = drawsOf(*m_drawTable);
    if (!shown.empty())
        return shown;
    if (const store::DrawStore* store = drawStore())
        return drawsOf(*store);
    return shown;
}

void MainWindow::closeNumbersWindow() {
    if (m_numbersWindow)
        m_numbersWindow->close();
}

} // namespace ssq::app
