#pragma once
// The code tables in Qt's model/view: the rows of a CodeTable as a four-column
// table (Year, Field, Code, Description), and the proxy the window shows them
// through, which sorts by any column and keeps the rows the core's CodeFilter
// matches.

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <vector>

#include "codes/CodeTable.h"

namespace vorrendal {

class CodeTableModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kYearColumn, kFieldColumn, kCodeColumn, kDescriptionColumn, kColumnCount };
  // The role the proxy sorts by: the model year as a number (a month letter
  // after every year), the field in its listing order, the code and the
  // description as shown.
  static constexpr int kSortRole = Qt::UserRole;

  explicit CodeTableModel(std::vector<CodeRow> rows, QObject* parent = nullptr);

  // "Color", "DSO", "Transmission", "Year digit", "Date month letter".
  static QString FieldCaption(CodeField field);

  const CodeRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<CodeRow> rows_;
  std::vector<QString> codes_, descriptions_;  // the rows' texts, converted once
};

class CodeFilterModel final : public QSortFilterProxyModel {
  Q_OBJECT
 public:
  explicit CodeFilterModel(CodeTableModel& rows, QObject* parent = nullptr);

  // Shows the rows filter matches.
  void SetFilter(const CodeFilter& filter);

 protected:
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  const CodeTableModel& rows_;
  CodeFilter filter_;
};

}  // namespace vorrendal
