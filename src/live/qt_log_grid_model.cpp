#include "live/qt_log_grid_model.h"

#include <QHeaderView>
#include <QTableView>

#include "common/qt_cp1252.h"

void LogGridModel::SetRows(std::vector<LogGridRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

void LogGridModel::AppendRows(std::vector<LogGridRow> rows) {
  if (rows.empty()) return;
  if (rows_.empty()) {
    // The empty log's blank row gives way to the first rows.
    SetRows(std::move(rows));
    return;
  }
  const int first = static_cast<int>(rows_.size());
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
  for (LogGridRow& row : rows) rows_.push_back(std::move(row));
  endInsertRows();
}

void LogGridModel::FollowRows(const std::vector<LogGridRow>& rows) {
  const size_t shown = rows_.size();
  if (shown == 0 || rows.size() < shown || rows[shown - 1][0] != rows_.back()[0]) {
    SetRows(rows);
    return;
  }
  AppendRows({rows.begin() + static_cast<std::ptrdiff_t>(shown), rows.end()});
}

int LogGridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return rows_.empty() ? 1 : static_cast<int>(rows_.size());
}

int LogGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kLogGridColumns;
}

QVariant LogGridModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const auto row = static_cast<size_t>(index.row());
  if (row >= rows_.size()) return QString();
  return QStringFromCp1252(rows_[row][static_cast<size_t>(index.column())]);
}

QVariant LogGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  if (section < 0 || section >= kLogGridColumns) return {};
  return QString::fromLatin1(LogGridHeadings()[static_cast<size_t>(section)]);
}

void ApplyLogGridLayout(QTableView* view, int rowHeight) {
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->verticalHeader()->hide();
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(rowHeight);
  view->horizontalHeader()->setHighlightSections(false);
  view->setWordWrap(false);
  const auto widths = LogGridColumnWidths(view->viewport()->width());
  for (int column = 0; column < kLogGridColumns; ++column) {
    view->setColumnWidth(column, widths[static_cast<size_t>(column)]);
  }
}

void SelectLastLogGridRow(QTableView* view) {
  const QAbstractItemModel* model = view->model();
  if (model == nullptr || model->rowCount() == 0) return;
  const QModelIndex last = model->index(model->rowCount() - 1, 1);
  view->setCurrentIndex(last);
  view->scrollTo(last);
}
