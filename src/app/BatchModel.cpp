#include "BatchModel.h"

#include <QApplication>
#include <QStyle>

#include "ReportText.h"

namespace vorrendal {

namespace {

using batch::RowStatus;

constexpr int kYearColumn =
    BatchModel::kFirstCodeColumn + static_cast<int>(batch::kPlateFields.size());
constexpr int kFirstResultColumn = kYearColumn + 1;
constexpr int kColumnCount = kFirstResultColumn + static_cast<int>(kResultFields.size());

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

BatchModel::BatchModel(QObject* parent) : QAbstractTableModel(parent) {
  QStyle* style = QApplication::style();
  icons_ = {style->standardIcon(QStyle::SP_DialogApplyButton),
            style->standardIcon(QStyle::SP_MessageBoxWarning),
            style->standardIcon(QStyle::SP_MessageBoxCritical)};
}

QString BatchModel::StatusName(RowStatus status) {
  switch (status) {
    case RowStatus::Clean:
      return QStringLiteral("Decoded");
    case RowStatus::NoDescription:
      return QStringLiteral("Description not found");
    case RowStatus::Refused:
      break;
  }
  return QStringLiteral("Not decoded");
}

void BatchModel::Append(std::vector<batch::FinishedRow>& rows) {
  if (rows.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
  for (const batch::FinishedRow& row : rows) rows_.Add(row.row, row.result);
  endInsertRows();
}

int BatchModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.Size());
}

int BatchModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QString BatchModel::Cell(std::size_t row, int column) const {
  if (column == kLineColumn) return QString::number(rows_.Line(row));
  if (column == kStatusColumn) {
    const RowStatus status = rows_.Status(row);
    if (status != RowStatus::Refused) return StatusName(status);
    return StatusName(status) + QStringLiteral(": ") + FromUtf8(rows_.Reason(row));
  }
  if (column < kFirstResultColumn)
    return FromUtf8(rows_.Input(row, static_cast<std::size_t>(column - kFirstCodeColumn)));
  return ReportText::FromCp1252(
      rows_.ResultText(row, static_cast<std::size_t>(column - kFirstResultColumn)));
}

QVariant BatchModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
      return Cell(row, index.column());
    case Qt::DecorationRole:
      if (index.column() != kStatusColumn) return {};
      return icons_[static_cast<std::size_t>(rows_.Status(row))];
    case Qt::TextAlignmentRole:
      if (index.column() != kLineColumn) return {};
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant BatchModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section == kLineColumn) return QStringLiteral("Line");
  if (section == kStatusColumn) return QStringLiteral("Status");
  if (section < kYearColumn)
    return QString::fromLatin1(batch::kPlateFields[section - kFirstCodeColumn].name);
  if (section == kYearColumn) return QString::fromLatin1(batch::kYearColumn);
  if (section < kColumnCount)
    return QString::fromLatin1(kResultFields[section - kFirstResultColumn].name);
  return {};
}

void ProblemRows::SetOnlyProblems(bool only) {
  if (only == onlyProblems_) return;
  onlyProblems_ = only;
  invalidateRowsFilter();
}

bool ProblemRows::filterAcceptsRow(int row, const QModelIndex& parent) const {
  if (!onlyProblems_ || parent.isValid()) return true;
  const auto* model = static_cast<const BatchModel*>(sourceModel());
  return model->Rows().Status(static_cast<std::size_t>(row)) != RowStatus::Clean;
}

}  // namespace vorrendal
