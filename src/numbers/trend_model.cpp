#include "numbers/trend_model.h"

namespace ssq::numbers {
namespace {

const char* const kFigureNames[kFigureRows] = {"出现次数", "平均遗漏", "最大遗漏", "最大连出"};

int figureOf(const ColumnFigures& f, int which) {
    switch (which) {
    case 0:
        return f.count;
    case 2:
        return f.maxOmission;
    default:
        return f.maxStreak;
    }
}

} // namespace

TrendModel::TrendModel(QObject* parent) : QAbstractTableModel(parent) {}

void TrendModel::setTrend(std::vector<Draw> history, TrendTable table) {
    beginResetModel();
    m_history = std::move(history);
    m_table = std::move(table);
    endResetModel();
}

int TrendModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || m_table.rows.empty() ? 0 : drawRows() + kFigureRows;
}

int TrendModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : trend_column::Count;
}

CellKind TrendModel::kind(int row, int column) const {
    using namespace trend_column;
    if (row >= drawRows())
        return CellKind::Figure;
    const TrendRow& r = m_table.rows[static_cast<std::size_t>(row)];
    if (column >= FirstRed && column < Sum)
        return r.redOmission[column - FirstRed] == 0 ? CellKind::RedBall : CellKind::Omission;
    if (column >= FirstBlue && column < Count)
        return r.blueOmission[column - FirstBlue] == 0 ? CellKind::BlueBall : CellKind::Omission;
    return CellKind::Text;
}

QString TrendModel::figureText(int which, int column) const {
    using namespace trend_column;
    const ColumnFigures* f = nullptr;
    if (column >= FirstRed && column < Sum)
        f = &m_table.red[column - FirstRed];
    else if (column >= FirstBlue && column < Count)
        f = &m_table.blue[column - FirstBlue];
    if (column == Period)
        return QString::fromUtf8(kFigureNames[which]);
    if (!f)
        return {};
    if (which == 1) // one decimal while it fits the narrow ball column
        return QString::number(f->averageOmission, 'f', f->averageOmission < 9.95 ? 1 : 0);
    return QString::number(figureOf(*f, which));
}

QString TrendModel::text(int row, int column) const {
    using namespace trend_column;
    if (row < 0 || row >= rowCount() || column < 0 || column >= Count)
        return {};
    if (row >= drawRows())
        return figureText(row - drawRows(), column);
    const TrendRow& r = m_table.rows[static_cast<std::size_t>(row)];
    const Draw& d = m_history[m_table.first + static_cast<std::size_t>(row)];
    if (column == Period)
        return QString::fromStdString(d.period);
    if (column == Date)
        return QString::fromStdString(d.date);
    if (column < Sum) {
        const int omission = r.redOmission[column - FirstRed];
        return omission == 0 ? QString::fromStdString(twoDigits(column - FirstRed + 1))
                             : QString::number(omission);
    }
    if (column == Sum)
        return QString::number(r.sum);
    if (column == Span)
        return QString::number(r.span);
    if (column == OddEven)
        return QString::fromStdString(oddEvenText(r.odd));
    const int omission = r.blueOmission[column - FirstBlue];
    return omission == 0 ? QString::fromStdString(twoDigits(column - FirstBlue + 1))
                         : QString::number(omission);
}

QVariant TrendModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return text(index.row(), index.column());
    if (role == KindRole)
        return static_cast<int>(kind(index.row(), index.column()));
    return {};
}

QVariant TrendModel::headerData(int section, Qt::Orientation orientation, int role) const {
    using namespace trend_column;
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == Period)
        return QStringLiteral("期号");
    if (section == Date)
        return QStringLiteral("日期");
    if (section >= FirstRed && section < Sum)
        return QString::fromStdString(twoDigits(section - FirstRed + 1));
    if (section == Sum)
        return QStringLiteral("和值");
    if (section == Span)
        return QStringLiteral("跨度");
    if (section == OddEven)
        return QStringLiteral("奇偶比");
    if (section >= FirstBlue && section < Count)
        return QString::fromStdString(twoDigits(section - FirstBlue + 1));
    return {};
}

} // namespace ssq::numbers
