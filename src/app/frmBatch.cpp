#include "frmBatch.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>
#include <filesystem>
#include <string>

#include "BatchModel.h"
#include "IHelp.h"
#include "ReportText.h"
#include "decode/clsDescriptionStore.h"
#include "frmMain.h"
#include "resources/help/context.h"
#include "ui/BrantelArt.h"
#include "ui/FileSaver.h"
#include "ui/ScreenUnits.h"
#include "ui/clsCommonFileDialog.h"

namespace vorrendal {

namespace {

using batch::RowStatus;

// The rows the worker decodes before a piece is handed over, and at most
// this long after the last one: the table grows smoothly without one event
// per row.
constexpr std::size_t kPieceRows = 2048;
constexpr std::chrono::milliseconds kPieceTime{50};
constexpr std::size_t kMaxWaiting = 16384;
constexpr int kProgressSteps = 1000;

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

QString YearOf(const std::string& searchYear) {
  return QStringLiteral("19") + QString::fromStdString(searchYear);
}

}  // namespace

frmBatch* frmBatch::Open(const QString& path, frmMain& main, const DataReaderFactory& data,
                         IHelp& help, QString* error) {
  const QString name = QFileInfo(path).fileName();
  auto window = std::unique_ptr<frmBatch>(new frmBatch(path, main, data(), help));
  if (!window->in_.is_open() || QFileInfo(path).isDir()) {
    *error = QStringLiteral("%1 cannot be read.").arg(name);
    return nullptr;
  }
  if (const auto header = window->rows_.ReadHeader(); !header) {
    const std::string why = header.error().empty() ? window->rows_.ReadError() : header.error();
    *error =
        QStringLiteral("%1 is not a list of plates: %2").arg(name, QString::fromStdString(why));
    return nullptr;
  }
  window->Start();
  return window.release();
}

frmBatch::frmBatch(const QString& path, frmMain& main, std::unique_ptr<IDataReader> reader,
                   IHelp& help)
    : QWidget(&main, Qt::Window),
      main_(main),
      help_(help),
      fileName_(QFileInfo(path).fileName()),
      fileSize_(QFileInfo(path).size()),
      in_(std::filesystem::path(path.toStdU16String()), std::ios::binary),
      store_(std::make_unique<clsDescriptionStore>(std::move(reader),
                                                   clsDescriptionStore::FailedYears::GiveUp)) {
  setObjectName(QStringLiteral("frmBatch"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(fileName_ + QStringLiteral(" - Vorrendal"));
  setWindowIcon(BrantelArt::ProgramIcon());
  setFont(main.font());
  CreateControls();
}

frmBatch::~frmBatch() { worker_.reset(); }

void frmBatch::CreateControls() {
  model_ = new BatchModel(this);
  problems_ = new ProblemRows(this);
  problems_->setSourceModel(model_);

  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("grdPlates"));
  table_->setAccessibleName(QStringLiteral("Plates"));
  table_->setModel(problems_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setTabKeyNavigation(false);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setDefaultSectionSize(TwipsToPixels(1200));
  table_->horizontalHeader()->resizeSection(BatchModel::kLineColumn, TwipsToPixels(600));
  table_->horizontalHeader()->resizeSection(BatchModel::kStatusColumn, TwipsToPixels(2400));

  onlyProblems_ = new QCheckBox(QStringLiteral("&Only rows with problems"), this);
  onlyProblems_->setObjectName(QStringLiteral("chkOnlyProblems"));
  counts_ = new QLabel(this);
  counts_->setObjectName(QStringLiteral("lblCounts"));
  loadFailed_ = new QLabel(this);
  loadFailed_->setObjectName(QStringLiteral("lblDataLoadFailed"));
  loadFailed_->setWordWrap(true);
  loadFailed_->hide();
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("prgBatch"));
  progress_->setAccessibleName(QStringLiteral("Progress"));
  progress_->setRange(0, kProgressSteps);
  cancel_ = MakeButton(this, "cmdCancel", QStringLiteral("Cancel"));

  report_ = new QPlainTextEdit(this);
  report_->setObjectName(QStringLiteral("txtReport"));
  report_->setAccessibleName(QStringLiteral("Report"));
  report_->setReadOnly(true);
  report_->setTabChangesFocus(true);
  report_->setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont face = FontAtPoints({QStringLiteral("Courier New")}, 9);
  face.setHintingPreference(QFont::PreferFullHinting);
  report_->setFont(face);

  putInMain_ = MakeButton(this, "cmdPutInMainWindow", QStringLiteral("&Put in Main Window"));
  putInMain_->setToolTip(QStringLiteral("Type the selected row's codes into the main window"));
  putInMain_->setEnabled(false);
  export_ = MakeButton(this, "cmdExport", QStringLiteral("&Export..."));
  export_->setToolTip(QStringLiteral("Save the results as CSV or JSON Lines"));
  export_->setEnabled(false);  // until the batch has ended
  auto* helpButton = MakeButton(this, "cmdHelp", QStringLiteral("&Help"));

  auto* top = new QHBoxLayout;
  top->addWidget(onlyProblems_);
  top->addStretch(1);
  top->addWidget(counts_);
  auto* work = new QHBoxLayout;
  work->addWidget(progress_, 1);
  work->addWidget(cancel_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(putInMain_);
  buttons->addWidget(export_);
  buttons->addStretch(1);
  buttons->addWidget(helpButton);
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(table_);
  split->addWidget(report_);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  split->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(loadFailed_);
  layout->addWidget(split, 1);
  layout->addLayout(work);
  layout->addLayout(buttons);
  resize(TwipsToPixels(12000), TwipsToPixels(8000));
  // Tab goes through the window from top to bottom.
  QWidget* order[] = {onlyProblems_, table_, report_, cancel_, putInMain_, export_, helpButton};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  connect(onlyProblems_, &QCheckBox::toggled, problems_, &ProblemRows::SetOnlyProblems);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &frmBatch::ShowSelectedReport);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    if (worker_) worker_->Stop();
  });
  connect(putInMain_, &QPushButton::clicked, this, &frmBatch::PutInMainWindow);
  connect(export_, &QPushButton::clicked, this, &frmBatch::Export);
  connect(helpButton, &QPushButton::clicked, this, [this] { help_.ShowTopic(IDH_BATCH, this); });
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, [this] { help_.ShowTopic(IDH_BATCH, this); });
  ShowCounts();
}

void frmBatch::Start() {
  batch::BatchWorker::Options options;
  options.askDecade = true;
  options.pieceRows = kPieceRows;
  options.pieceTime = kPieceTime;
  options.maxWaiting = kMaxWaiting;
  worker_ = std::make_unique<batch::BatchWorker>(rows_, *store_, options, [this] {
    QMetaObject::invokeMethod(this, &frmBatch::TakeRows, Qt::QueuedConnection);
  });
}

void frmBatch::TakeRows() {
  if (!worker_) return;
  batch::Handover handover = worker_->Take();
  NoteLoadFailures(handover.rows);
  model_->Append(handover.rows);
  if (fileSize_ > 0)
    progress_->setValue(static_cast<int>(handover.progress.bytes * kProgressSteps /
                                         static_cast<std::uint64_t>(fileSize_)));
  ShowCounts();
  if (handover.question) AskDecade(*handover.question);
  if (handover.end) Finish(*handover.end);
}

void frmBatch::AskDecade(const batch::DecadeQuestion& question) {
  const QString first = QString::number(question.years.first);
  const QString second = QString::number(question.years.second);
  QMessageBox box(QMessageBox::Question, windowTitle(),
                  QStringLiteral("The serial number %1 on line %2 stands for %3 or %4, and the "
                                 "file names no year for it.\n\nWhich decade do the plates of "
                                 "this file without a year belong to?")
                      .arg(QString::fromStdString(question.row.codes[0]))
                      .arg(question.row.line)
                      .arg(first, second),
                  QMessageBox::NoButton, this);
  box.setObjectName(QStringLiteral("frmDecade"));
  QPushButton* sixties = box.addButton(QStringLiteral("The &1960s"), QMessageBox::AcceptRole);
  sixties->setObjectName(QStringLiteral("cmd1960s"));
  QPushButton* seventies = box.addButton(QStringLiteral("The 19&70s"), QMessageBox::AcceptRole);
  seventies->setObjectName(QStringLiteral("cmd1970s"));
  QPushButton* leave =
      box.addButton(QStringLiteral("&Leave Them Undecoded"), QMessageBox::RejectRole);
  leave->setObjectName(QStringLiteral("cmdLeaveUndecoded"));
  box.setDefaultButton(leave);
  box.setEscapeButton(leave);
  box.exec();
  std::optional<Decade> decade;
  if (box.clickedButton() == sixties) decade = Decade::k1960s;
  if (box.clickedButton() == seventies) decade = Decade::k1970s;
  if (worker_) worker_->Answer(decade);
}

void frmBatch::NoteLoadFailures(const std::vector<batch::FinishedRow>& rows) {
  bool added = false;
  for (const batch::FinishedRow& row : rows) {
    if (row.result.DataLoadFailed && failedYears_.insert(row.result.Decode.SearchYear).second)
      added = true;
  }
  if (!added) return;
  QStringList years;
  for (const std::string& year : failedYears_) years << YearOf(year);
  loadFailed_->setText(
      QStringLiteral("The descriptions of %1 could not be read: their codes show as not found.")
          .arg(years.join(QStringLiteral(", "))));
  loadFailed_->show();
}

void frmBatch::Finish(const batch::BatchSummary& summary) {
  worker_.reset();
  progress_->hide();
  cancel_->hide();
  export_->setEnabled(true);
  QString end = QStringLiteral("%1 plates").arg(summary.rows);
  if (!summary.readError.empty())
    end = QStringLiteral("Stopped after %1 plates: %2")
              .arg(summary.rows)
              .arg(QString::fromStdString(summary.readError));
  else if (summary.stopped)
    end = QStringLiteral("Cancelled after %1 plates").arg(summary.rows);
  counts_->setProperty("end", end);
  ShowCounts();
  emit Finished();
}

void frmBatch::ShowCounts() {
  const batch::RowTable& rows = model_->Rows();
  QStringList parts;
  for (const RowStatus status : {RowStatus::Clean, RowStatus::NoDescription, RowStatus::Refused})
    parts << QStringLiteral("%1: %2").arg(BatchModel::StatusName(status)).arg(rows.Count(status));
  const QString end = counts_->property("end").toString();
  if (!end.isEmpty()) parts << end;
  counts_->setText(parts.join(QStringLiteral("    ")));
}

std::optional<std::size_t> frmBatch::SelectedRow() const {
  const QModelIndex current = table_->selectionModel()->currentIndex();
  if (!current.isValid()) return std::nullopt;
  return static_cast<std::size_t>(problems_->mapToSource(current).row());
}

void frmBatch::ShowSelectedReport() {
  const std::optional<std::size_t> row = SelectedRow();
  putInMain_->setEnabled(row.has_value());
  if (!row) {
    report_->clear();
    return;
  }
  const batch::RowTable& rows = model_->Rows();
  if (rows.Status(*row) == RowStatus::Refused) {
    report_->setPlainText(QStringLiteral("Line %1 was not decoded: %2")
                              .arg(rows.Line(*row))
                              .arg(QString::fromStdString(std::string(rows.Reason(*row)))));
    return;
  }
  report_->setPlainText(ReportText::FromReport(rows.Result(*row, true).Report));
}

void frmBatch::PutInMainWindow() {
  const std::optional<std::size_t> row = SelectedRow();
  if (!row) return;
  const batch::RowTable& rows = model_->Rows();
  const std::string_view year = rows.ResultText(*row, 0);  // ModelYear, empty when not decoded
  for (int field = 0; field < kPlateFieldCount; ++field) {
    const std::string_view code = rows.Input(*row, static_cast<std::size_t>(field));
    const QString text = QString::fromUtf8(code.data(), static_cast<qsizetype>(code.size()));
    if (year.empty())
      main_.SetPlateCode(static_cast<PlateField>(field), text);
    else
      main_.FillBox(static_cast<PlateField>(field), text, std::stoi(std::string(year)));
  }
  main_.raise();
  main_.activateWindow();
}

clsCommonFileDialog& frmBatch::ExportDialog() {
  if (!exportDialog_) {
    exportDialog_ = std::make_unique<clsCommonFileDialog>();
    exportDialog_->DialogTitle = QStringLiteral("Export Results");
    exportDialog_->Filter = QStringLiteral("CSV Files (*.csv)|*.csv|JSON Lines (*.jsonl)|*.jsonl");
    exportDialog_->FilterIndex = 1;
    exportDialog_->flags = clsCommonFileDialog::kOverwritePrompt |
                           clsCommonFileDialog::kHideReadOnly | clsCommonFileDialog::kPathMustExist;
    exportDialog_->DefaultFileTitle = QFileInfo(fileName_).completeBaseName() + "-decoded";
  }
  return *exportDialog_;
}

void frmBatch::Export() {
  clsCommonFileDialog& dialog = ExportDialog();
  QString error;
  if (!dialog.ShowSave(this, &error)) {
    if (!error.isEmpty()) QMessageBox::warning(this, windowTitle(), error);
    return;
  }
  const auto format =
      dialog.FilterIndex == 2 ? batch::OutputFormat::Json : batch::OutputFormat::Csv;
  try {
    const std::string bytes = batch::WriteRows(model_->Rows(), format);
    if (!FileSaver().Save(dialog.FileName, QByteArray::fromStdString(bytes), &error))
      QMessageBox::warning(this, windowTitle(), error);
  } catch (const std::exception& failure) {
    QMessageBox::warning(this, windowTitle(),
                         QStringLiteral("The results could not be exported: %1")
                             .arg(QString::fromLocal8Bit(failure.what())));
  }
}

}  // namespace vorrendal
