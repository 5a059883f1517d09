#pragma once
// The log grid as a Qt model over the rows read once per refresh, so that a refresh of a long log
// costs one query and no widget per cell. An empty log shows one empty row.

#include <QAbstractTableModel>
#include <vector>

#include "live/log_grid.h"

class QTableView;

class LogGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetRows(std::vector<LogGridRow> rows);
  // Adds rows after the last one: the view lays out only the new rows.
  void AppendRows(std::vector<LogGridRow> rows);
  // Shows `rows`: when they go on from the rows shown (the same row id last), only the new ones
  // are added; otherwise all are set.
  void FollowRows(const std::vector<LogGridRow>& rows);
  const std::vector<LogGridRow>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<LogGridRow> rows_;
};

// Read-only, whole-row selection, no row numbers, the column widths of the log grid for the view's
// current width and rows `rowHeight` pixels high.
void ApplyLogGridLayout(QTableView* view, int rowHeight);

// Selects the last row (column 1) and scrolls it into view.
void SelectLastLogGridRow(QTableView* view);
