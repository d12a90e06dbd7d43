#pragma once
// The window of a list of plates read from a CSV file: a table with a row per
// plate and its status, the count of each status, the report of the row
// selected, and the commands to put a row's codes into the main window and
// to export the results. The rows are read and decoded on a thread of their
// own (with a description store of its own); the window takes them a piece
// at a time as they are finished, and Cancel keeps those done.

#include <QWidget>
#include <array>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "batch/BatchWorker.h"
#include "batch/PlateRows.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace vorrendal {

class BatchModel;
class IDataReader;
class IHelp;
class ProblemRows;
class clsCommonFileDialog;
class frmMain;

class frmBatch final : public QWidget {
  Q_OBJECT
 public:
  using DataReaderFactory = std::function<std::unique_ptr<IDataReader>()>;

  // Opens the CSV file at path as a list of plates and starts decoding it in
  // a window of its own over main. Nothing when the file cannot be read or is
  // not such a list: *error then says why, naming the line.
  static frmBatch* Open(const QString& path, frmMain& main, const DataReaderFactory& data,
                        IHelp& help, QString* error);
  ~frmBatch() override;

  // The export dialog, made on the first export and kept with its fields.
  clsCommonFileDialog& ExportDialog();
  // Whether every row has been taken (or the batch was cancelled).
  bool Done() const { return !worker_; }

 signals:
  // After the last row, or after a cancel.
  void Finished();

 private:
  frmBatch(const QString& path, frmMain& main, std::unique_ptr<IDataReader> reader, IHelp& help);
  void CreateControls();
  void Start();
  // Takes what the worker has handed over (queued from its thread).
  void TakeRows();
  void AskDecade(const batch::DecadeQuestion& question);
  void NoteLoadFailures(const std::vector<batch::FinishedRow>& rows);
  void Finish(const batch::BatchSummary& summary);
  void ShowCounts();
  void ShowSelectedReport();
  // The table row (of the model) selected, if one.
  std::optional<std::size_t> SelectedRow() const;
  void PutInMainWindow();
  void Export();

  frmMain& main_;
  IHelp& help_;
  QString fileName_;
  qint64 fileSize_ = 0;
  std::ifstream in_;
  batch::PlateRows rows_{in_};
  std::unique_ptr<clsDescriptionStore> store_;
  std::unique_ptr<batch::BatchWorker> worker_;
  std::set<std::string> failedYears_;  // the years named as not loaded

  BatchModel* model_ = nullptr;
  ProblemRows* problems_ = nullptr;
  QTableView* table_ = nullptr;        // grdPlates
  QCheckBox* onlyProblems_ = nullptr;  // chkOnlyProblems
  QLabel* counts_ = nullptr;           // lblCounts
  QLabel* loadFailed_ = nullptr;       // lblDataLoadFailed
  QProgressBar* progress_ = nullptr;   // prgBatch
  QPushButton* cancel_ = nullptr;      // cmdCancel
  QPlainTextEdit* report_ = nullptr;   // txtReport
  QPushButton* putInMain_ = nullptr;   // cmdPutInMainWindow
  QPushButton* export_ = nullptr;      // cmdExport
  std::unique_ptr<clsCommonFileDialog> exportDialog_;
};

}  // namespace vorrendal
