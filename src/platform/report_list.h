#pragma once
// ReportList: a report view of text cells, the widget behind both lists of the
// main window. The cells hold code page 936 bytes and are the only copy of the
// rows: the view asks for a cell when it paints it, so a row costs one vector
// of short strings and nothing is built for rows that are scrolled out of view.

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QTableView>
#include <QTimer>

#include <functional>

#include <string>
#include <string_view>
#include <vector>

namespace ssq::platform {

struct ReportColumn {
    const char* title; // UTF-8 literal
    int width;         // pixels
    // What a screen reader says for the column (UTF-8 literal); the title
    // when null. For titles that mean nothing read aloud.
    const char* spokenTitle = nullptr;
};

// The cells of a report list, row by row. Reads outside the table give the
// empty text; writes and deletions outside it do nothing.
class ReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ReportModel(std::vector<ReportColumn> columns, QObject* parent = nullptr);

    int appendRow(std::string firstCell);
    void setCell(int row, int column, std::string text);
    const std::string& cell(int row, int column) const;
    int rows() const {
        return m_columns.empty() ? 0 : static_cast<int>(m_cells.size() / m_columns.size());
    }
    void deleteRow(int row);
    void clear(); // every row gone at once

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool inside(int row, int column) const {
        return row >= 0 && row < rows() && column >= 0 &&
               column < static_cast<int>(m_columns.size());
    }

    std::vector<ReportColumn> m_columns;
    std::vector<std::string> m_cells; // rows() * columns, row-major
};

// Runs a piece of screen work at most once per display frame: at once when a
// frame has passed since it last ran, else once when the frame is over. Loops
// that let events run after every row would otherwise redo the same work many
// times a frame, which the screen cannot show.
class FramePacer {
public:
    explicit FramePacer(std::function<void()> work);
    void request();
    void cancel() { m_timer.stop(); }

private:
    void run();

    std::function<void()> m_work;
    QTimer m_timer;
    QElapsedTimer m_sinceRun;
};

class ReportList : public QTableView {
    Q_OBJECT
public:
    // Builds the header with the given titles and widths; no rows, grid lines,
    // the palette's text on its base colour, sunken border, no sorting, no column dragging, no row
    // numbers, no editing, single selection.
    ReportList(std::vector<ReportColumn> columns, QWidget* parent = nullptr);

    void setCell(int row, int column, std::string_view text) {
        m_model->setCell(row, column, std::string(text));
    }
    std::string cell(int row, int column) const { return m_model->cell(row, column); }
    int rows() const { return m_model->rows(); }

    // Lays the view out again after rows came or went. When rows were only
    // appended below the visible part, nothing on screen but the scroll bar
    // changes: the rows in view are not painted again, and the scroll range
    // follows once per frame.
    void doItemsLayout() override;

protected:
    int appendRowWith(std::string firstCell);
    void deleteRowAt(int row);
    void clearRows();

    // A changed cell in view is painted again within the frame; cells out of
    // view cost nothing.
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = {}) override;

private:
    void paintChangedCells();

    ReportModel* m_model;
    bool m_appendedOutOfView = false; // since the last layout
    bool m_otherChange = false;       // since the last layout
    FramePacer m_scrollRange;
    FramePacer m_cellPaint;
    // Model rows and columns changed since the last paint request (empty when top > bottom).
    int m_changedTop = 0, m_changedBottom = -1, m_changedLeft = 0, m_changedRight = -1;
};

} // namespace ssq::platform
