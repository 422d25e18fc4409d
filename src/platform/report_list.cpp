#include "platform/report_list.h"

#include "text/qt_text.h"

#include <QHeaderView>

#include <algorithm>

namespace ssq::platform {

ReportModel::ReportModel(std::vector<ReportColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)) {}

int ReportModel::appendRow(std::string firstCell) {
    const int row = rows();
    beginInsertRows({}, row, row);
    m_cells.resize(m_cells.size() + m_columns.size());
    if (!m_columns.empty())
        m_cells[static_cast<std::size_t>(row) * m_columns.size()] = std::move(firstCell);
    endInsertRows();
    return row;
}

void ReportModel::setCell(int row, int column, std::string text) {
    if (!inside(row, column))
        return;
    std::string& target = m_cells[static_cast<std::size_t>(row) * m_columns.size() + column];
    if (target == text)
        return;
    target = std::move(text);
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

const std::string& ReportModel::cell(int row, int column) const {
    static const std::string empty;
    if (!inside(row, column))
        return empty;
    return m_cells[static_cast<std::size_t>(row) * m_columns.size() + column];
}

void ReportModel::deleteRow(int row) {
    if (row < 0 || row >= rows())
        return;
    beginRemoveRows({}, row, row);
    const auto first = m_cells.begin() + static_cast<std::ptrdiff_t>(row * m_columns.size());
    m_cells.erase(first, first + static_cast<std::ptrdiff_t>(m_columns.size()));
    endRemoveRows();
}

void ReportModel::clear() {
    beginResetModel();
    m_cells.clear();
    endResetModel();
}

int ReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows();
}

int ReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        // Converted only here, for the cells being painted.
        return text::toQString(cell(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(m_columns.size()))
        return {};
    const ReportColumn& column = m_columns[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(column.title);
    if (role == Qt::AccessibleTextRole)
        return QString::fromUtf8(column.spokenTitle ? column.spokenTitle : column.title);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

namespace {
constexpr int kFrameMs = 16; // one frame of a 60 Hz display
}

FramePacer::FramePacer(std::function<void()> work) : m_work(std::move(work)) {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { run(); });
}

void FramePacer::request() {
    if (m_timer.isActive())
        return; // already due at the end of this frame
    if (!m_sinceRun.isValid() || m_sinceRun.elapsed() >= kFrameMs)
        run();
    else
        m_timer.start(static_cast<int>(kFrameMs - m_sinceRun.elapsed()));
}

void FramePacer::run() {
    m_sinceRun.start();
    m_work();
}

ReportList::ReportList(std::vector<ReportColumn> columns, QWidget* parent)
    : QTableView(parent), m_model(new ReportModel(columns, this)),
      m_scrollRange([this] { updateGeometries(); }), m_cellPaint([this] { paintChangedCells(); }) {
    setModel(m_model);

    setShowGrid(true);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the list for the next control; the arrow keys move in it.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);

    // Text and background come from the palette's Text and Base roles: black
    // on white under the usual palette, and whatever a high-contrast theme
    // makes of them.

    // Every line has the same height, so the view never measures rows.
    QHeaderView* side = verticalHeader();
    side->hide();
    side->setSectionResizeMode(QHeaderView::Fixed);
    side->setDefaultSectionSize(fontMetrics().height() + 4);

    QHeaderView* top = horizontalHeader();
    top->setSectionsMovable(false);
    top->setSectionsClickable(true); // a click is accepted; nothing sorts
    top->setSortIndicatorShown(false);
    top->setHighlightSections(false);
    top->setStretchLastSection(false);
    top->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    top->setMinimumSectionSize(1);
    top->setSectionResizeMode(QHeaderView::Interactive);
    for (std::size_t c = 0; c < columns.size(); ++c)
        top->resizeSection(static_cast<int>(c), columns[c].width);
}

int ReportList::appendRowWith(std::string firstCell) {
    const int last = m_model->rows() - 1;
    if (last >= 0 && rowViewportPosition(last) + rowHeight(last) >= viewport()->height())
        m_appendedOutOfView = true;
    else
        m_otherChange = true;
    return m_model->appendRow(std::move(firstCell));
}

void ReportList::deleteRowAt(int row) {
    m_otherChange = true;
    m_model->deleteRow(row);
}

void ReportList::clearRows() {
    m_otherChange = true;
    m_model->clear();
}

void ReportList::doItemsLayout() {
    const bool onlyBelowView = m_appendedOutOfView && !m_otherChange;
    m_appendedOutOfView = false;
    m_otherChange = false;
    if (onlyBelowView) {
        m_scrollRange.request();
    } else {
        m_scrollRange.cancel();
        QTableView::doItemsLayout();
    }
}

void ReportList::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                             const QList<int>& roles) {
    if (topLeft != bottomRight || !topLeft.isValid()) {
        QTableView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    if (!isVisible() || !viewport()->rect().intersects(visualRect(topLeft)))
        return;
    if (m_changedTop > m_changedBottom) {
        m_changedTop = m_changedBottom = topLeft.row();
        m_changedLeft = m_changedRight = topLeft.column();
    } else {
        m_changedTop = std::min(m_changedTop, topLeft.row());
        m_changedBottom = std::max(m_changedBottom, topLeft.row());
        m_changedLeft = std::min(m_changedLeft, topLeft.column());
        m_changedRight = std::max(m_changedRight, topLeft.column());
    }
    m_cellPaint.request();
}

void ReportList::paintChangedCells() {
    if (m_changedTop > m_changedBottom)
        return;
    // Positions are looked up now, so a scroll in between paints the right place.
    const QRect area = visualRect(m_model->index(m_changedTop, m_changedLeft))
                           .united(visualRect(m_model->index(m_changedBottom, m_changedRight)));
    m_changedTop = 0;
    m_changedBottom = -1;
    viewport()->update(area.intersected(viewport()->rect()));
}

} // namespace ssq::platform
