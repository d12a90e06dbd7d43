#include "CodeTableModel.h"

#include "ReportText.h"

namespace vorrendal {

CodeTableModel::CodeTableModel(std::vector<CodeRow> rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(std::move(rows)) {
  codes_.reserve(rows_.size());
  descriptions_.reserve(rows_.size());
  for (const CodeRow& row : rows_) {
    codes_.push_back(ReportText::FromCp1252(row.code));
    descriptions_.push_back(ReportText::FromCp1252(row.description));
  }
}

QString CodeTableModel::FieldCaption(CodeField field) {
  static const char* const kCaptions[kCodeFieldCount] = {
      "Plant", "Model",      "Engine",           "Body", "Color", "Trim", "DSO", "Transmission",
      "Axle",  "Year digit", "Date month letter"};
  return QString::fromLatin1(kCaptions[static_cast<int>(field)]);
}

int CodeTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CodeTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant CodeTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != kSortRole)) return {};
  const auto at = static_cast<std::size_t>(index.row());
  const CodeRow& row = rows_[at];
  switch (index.column()) {
    case kYearColumn:
      if (role == kSortRole) return row.modelYear == 0 ? kLastModelYear + 1 : row.modelYear;
      return row.modelYear == 0 ? QString() : QString::number(row.modelYear);
    case kFieldColumn:
      if (role == kSortRole) return static_cast<int>(row.field);
      return FieldCaption(row.field);
    case kCodeColumn:
      return codes_[at];
    default:
      return descriptions_[at];
  }
}

QVariant CodeTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kTitles[kColumnCount] = {"Year", "Field", "Code", "Description"};
  return QString::fromLatin1(kTitles[section]);
}

CodeFilterModel::CodeFilterModel(CodeTableModel& rows, QObject* parent)
    : QSortFilterProxyModel(parent), rows_(rows) {
  setSourceModel(&rows);
  setSortRole(CodeTableModel::kSortRole);
}

void CodeFilterModel::SetFilter(const CodeFilter& filter) {
  filter_ = filter;
  invalidateRowsFilter();
}

bool CodeFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  return filter_.Matches(rows_.Row(sourceRow));
}

}  // namespace vorrendal
