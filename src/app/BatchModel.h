#pragma once
// The rows of a batch for a table view: the line, the status, the codes and
// the year column as read, then the twelve results, one row per plate. The
// rows live packed in a RowTable; a cell's text is made when it is shown.

#include <QAbstractTableModel>
#include <QIcon>
#include <QSortFilterProxyModel>
#include <array>
#include <vector>

#include "batch/BatchWorker.h"
#include "batch/RowTable.h"

namespace vorrendal {

class BatchModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kLineColumn = 0;
  static constexpr int kStatusColumn = 1;
  static constexpr int kFirstCodeColumn = 2;

  explicit BatchModel(QObject* parent = nullptr);

  // Adds the rows handed over, in one insertion.
  void Append(std::vector<batch::FinishedRow>& rows);
  const batch::RowTable& Rows() const { return rows_; }

  // What a status is called where it is shown.
  static QString StatusName(batch::RowStatus status);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  QString Cell(std::size_t row, int column) const;

  batch::RowTable rows_;
  std::array<QIcon, batch::kRowStatusCount> icons_;
};

// The rows that need a second look: a code without a description, or refused.
class ProblemRows final : public QSortFilterProxyModel {
  Q_OBJECT
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  void SetOnlyProblems(bool only);

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

 private:
  bool onlyProblems_ = false;
};

}  // namespace vorrendal
