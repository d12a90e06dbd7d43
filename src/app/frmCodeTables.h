#pragma once
// The code tables window (Tools > Code Tables...): every code the
// descriptions hold, for every model year, in a table that a model year, a
// field and a search typed into it narrow down. Its rows are copied as
// tab-separated text, exported as CSV, and a row of a code the plate has a
// box for is put into that box (double-click or Enter).
//
// It reads all model years into a description store of its own, so the main
// window's decodes load and warn as they would without it. A year that cannot
// be read is named once above the table; the other years are listed.

#include <QWidget>
#include <memory>

#include "ui/Plate.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vorrendal {

class CodeFilterModel;
class CodeTableModel;
class IDataReader;
class clsCommonFileDialog;

class frmCodeTables final : public QWidget {
  Q_OBJECT
 public:
  // Reads every model year through reader; parent owns the window, which
  // stands above it.
  frmCodeTables(std::unique_ptr<IDataReader> reader, QWidget* parent);
  ~frmCodeTables() override;

  // The export dialog, made on the first export and kept with its fields.
  clsCommonFileDialog& ExportDialog();

 signals:
  // A row was chosen whose code goes into a box of the plate.
  void CodeChosen(PlateField field, const QString& code, int modelYear);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void ApplyFilter();
  void ShowCount();
  void Choose(const QModelIndex& index);
  // Ctrl+C: the selected rows as tab-separated text, with the column titles.
  void CopyRows();
  // Export...: the shown rows, in the order shown, as a CSV file.
  void ExportRows();

  std::unique_ptr<CodeTableModel> rows_;
  std::unique_ptr<CodeFilterModel> shown_;
  std::unique_ptr<clsCommonFileDialog> exportDialog_;

  QComboBox* yearList_ = nullptr;        // cboYear
  QComboBox* fieldList_ = nullptr;       // cboField
  QLineEdit* search_ = nullptr;          // txtSearch
  QLabel* loadError_ = nullptr;          // lblLoadError: the years that could not be read
  QTableView* table_ = nullptr;          // grdCodes
  QLabel* count_ = nullptr;              // lblCount
  QPushButton* exportButton_ = nullptr;  // cmdExport
  QPushButton* closeButton_ = nullptr;   // cmdClose
};

}  // namespace vorrendal
