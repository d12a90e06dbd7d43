#include "frmCodeTables.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "CodeTableModel.h"
#include "ReportText.h"
#include "WhatsThisRouter.h"
#include "codes/CodeListing.h"
#include "data/Cp1252.h"
#include "decode/clsDescriptionStore.h"
#include "resources/help/context.h"
#include "ui/FileSaver.h"
#include "ui/ScreenUnits.h"
#include "ui/clsCommonFileDialog.h"

namespace vorrendal {

namespace {

const QString kExportTitle = QStringLiteral("Export");

// The plate's box for a code of this field; none for the codes the serial
// number and the date hold.
std::optional<PlateField> BoxOf(CodeField field) {
  switch (field) {
    case CodeField::Body:
      return PlateField::Body;
    case CodeField::Color:
      return PlateField::Color;
    case CodeField::Trim:
      return PlateField::Trim;
    case CodeField::Dso:
      return PlateField::DSO;
    case CodeField::Trans:
      return PlateField::Trans;
    case CodeField::Axle:
      return PlateField::Axle;
    default:
      return std::nullopt;
  }
}

QLabel* MakeCaption(const char* name, const char* text, QWidget* buddy, QWidget* parent) {
  auto* caption = new QLabel(QString::fromLatin1(text), parent);
  caption->setObjectName(QString::fromLatin1(name));
  caption->setBuddy(buddy);
  return caption;
}

// A cell as one line of a tab-separated row.
QString Cell(const QModelIndex& index) {
  QString text = index.data().toString();
  for (QChar& c : text) {
    if (c == u'\t' || c == u'\r' || c == u'\n') c = u' ';
  }
  return text;
}

}  // namespace

frmCodeTables::frmCodeTables(std::unique_ptr<IDataReader> reader, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmCodeTables"));
  setWindowTitle(QStringLiteral("Code Tables"));
  setFont(FontAtPoints(DialogFace(), 8.25));
  WhatsThisRouter::SetContext(this, IDH_CODE_TABLES);

  clsDescriptionStore store(std::move(reader), clsDescriptionStore::FailedYears::GiveUp);
  CodeTable table = LoadCodeTable(store);
  rows_ = std::make_unique<CodeTableModel>(std::move(table.rows));
  shown_ = std::make_unique<CodeFilterModel>(*rows_);
  CreateControls();
  if (!table.failedYears.empty()) {
    const bool none =
        table.failedYears.size() == static_cast<std::size_t>(kLastModelYear - kFirstModelYear + 1);
    loadError_->setText(
        none ? QStringLiteral("No model year could be read from Data.dat: the file is missing or "
                              "damaged. Only the year digits and month letters are listed.")
             : QStringLiteral("The descriptions of %1 could not be read from Data.dat, which may "
                              "be damaged; the other years are listed.")
                   .arg(QString::fromStdString(YearsNamed(table.failedYears))));
    loadError_->show();
  }
  ShowCount();
}

frmCodeTables::~frmCodeTables() = default;

void frmCodeTables::CreateControls() {
  yearList_ = new QComboBox(this);
  yearList_->setObjectName(QStringLiteral("cboYear"));
  yearList_->addItem(QStringLiteral("All years"));
  for (int year = kFirstModelYear; year <= kLastModelYear; ++year)
    yearList_->addItem(QString::number(year), year);
  yearList_->setAccessibleName(QStringLiteral("Model year"));

  fieldList_ = new QComboBox(this);
  fieldList_->setObjectName(QStringLiteral("cboField"));
  fieldList_->addItem(QStringLiteral("All fields"));
  for (int field = 0; field < kCodeFieldCount; ++field)
    fieldList_->addItem(CodeTableModel::FieldCaption(static_cast<CodeField>(field)), field);
  fieldList_->setAccessibleName(QStringLiteral("Field"));

  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("txtSearch"));
  search_->setClearButtonEnabled(true);
  search_->setPlaceholderText(QStringLiteral("Code or description"));
  search_->setAccessibleName(QStringLiteral("Search"));
  search_->setToolTip(
      QStringLiteral("Shows the codes that begin with this text and the descriptions that hold "
                     "it, letter case and accents aside"));

  loadError_ = new QLabel(this);
  loadError_->setObjectName(QStringLiteral("lblLoadError"));
  loadError_->setWordWrap(true);
  QPalette alert = loadError_->palette();
  alert.setColor(QPalette::WindowText, Qt::red);
  loadError_->setPalette(alert);
  loadError_->hide();

  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("grdCodes"));
  table_->setAccessibleName(QStringLiteral("Codes"));
  table_->setModel(shown_.get());
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setWordWrap(false);
  table_->setSortingEnabled(true);
  table_->sortByColumn(CodeTableModel::kYearColumn, Qt::AscendingOrder);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  const QFontMetrics metrics(font());
  QHeaderView* header = table_->horizontalHeader();
  header->setStretchLastSection(true);
  header->resizeSection(CodeTableModel::kYearColumn, metrics.horizontalAdvance(u'0') * 5 + 24);
  header->resizeSection(CodeTableModel::kFieldColumn,
                        metrics.horizontalAdvance(QStringLiteral("Date month letter")) + 24);
  header->resizeSection(CodeTableModel::kCodeColumn, metrics.horizontalAdvance(u'W') * 5 + 24);
  table_->installEventFilter(this);

  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("lblCount"));
  exportButton_ = new QPushButton(QStringLiteral("&Export..."), this);
  exportButton_->setObjectName(QStringLiteral("cmdExport"));
  exportButton_->setToolTip(QStringLiteral("Saves the rows shown as a CSV file"));
  exportButton_->setAutoDefault(false);
  closeButton_ = new QPushButton(QStringLiteral("&Close"), this);
  closeButton_->setObjectName(QStringLiteral("cmdClose"));
  closeButton_->setAutoDefault(false);

  auto* filters = new QHBoxLayout;
  filters->addWidget(MakeCaption("lblYear", "Model &year:", yearList_, this));
  filters->addWidget(yearList_);
  filters->addSpacing(8);
  filters->addWidget(MakeCaption("lblField", "&Field:", fieldList_, this));
  filters->addWidget(fieldList_);
  filters->addSpacing(8);
  filters->addWidget(MakeCaption("lblSearch", "&Search:", search_, this));
  filters->addWidget(search_, 1);
  auto* commands = new QHBoxLayout;
  commands->addWidget(count_, 1);
  commands->addWidget(exportButton_);
  commands->addWidget(closeButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  layout->addLayout(filters);
  layout->addWidget(loadError_);
  layout->addWidget(table_, 1);
  layout->addLayout(commands);
  setTabOrder(yearList_, fieldList_);
  setTabOrder(fieldList_, search_);
  setTabOrder(search_, table_);
  setTabOrder(table_, exportButton_);
  setTabOrder(exportButton_, closeButton_);
  resize(TwipsToPixels(9600), TwipsToPixels(6600));
  search_->setFocus();  // typing at once searches

  connect(yearList_, &QComboBox::currentIndexChanged, this, &frmCodeTables::ApplyFilter);
  connect(fieldList_, &QComboBox::currentIndexChanged, this, &frmCodeTables::ApplyFilter);
  connect(search_, &QLineEdit::textChanged, this, &frmCodeTables::ApplyFilter);
  connect(table_, &QTableView::doubleClicked, this, &frmCodeTables::Choose);
  connect(exportButton_, &QPushButton::clicked, this, &frmCodeTables::ExportRows);
  connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
}

clsCommonFileDialog& frmCodeTables::ExportDialog() {
  if (!exportDialog_) exportDialog_ = std::make_unique<clsCommonFileDialog>();
  return *exportDialog_;
}

bool frmCodeTables::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      Choose(table_->currentIndex());
      return true;
    }
    if (key->matches(QKeySequence::Copy)) {
      CopyRows();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmCodeTables::ApplyFilter() {
  const QVariant year = yearList_->currentData();
  const QVariant field = fieldList_->currentData();
  const std::string search = Utf8ToCp1252Lossy(search_->text().toStdString(), kUnmatchable);
  shown_->SetFilter(CodeFilter(year.isValid() ? std::optional<int>(year.toInt()) : std::nullopt,
                               field.isValid()
                                   ? std::optional<CodeField>(static_cast<CodeField>(field.toInt()))
                                   : std::nullopt,
                               search));
  ShowCount();
}

void frmCodeTables::ShowCount() {
  const QLocale english(QLocale::English);
  const int shown = shown_->rowCount();
  const int all = rows_->rowCount();
  count_->setText(
      shown == all
          ? QStringLiteral("%1 codes").arg(english.toString(all))
          : QStringLiteral("%1 of %2 codes").arg(english.toString(shown), english.toString(all)));
}

void frmCodeTables::Choose(const QModelIndex& index) {
  if (!index.isValid()) return;
  const CodeRow& row = rows_->Row(shown_->mapToSource(index).row());
  if (const auto box = BoxOf(row.field))
    emit CodeChosen(*box, ReportText::FromCp1252(row.code), row.modelYear);
}

void frmCodeTables::CopyRows() {
  QModelIndexList selected = table_->selectionModel()->selectedRows();
  if (selected.isEmpty()) return;
  std::sort(selected.begin(), selected.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QStringList lines;
  QStringList titles;
  for (int column = 0; column < CodeTableModel::kColumnCount; ++column)
    titles << shown_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
  lines << titles.join(u'\t');
  for (const QModelIndex& index : selected) {
    QStringList cells;
    for (int column = 0; column < CodeTableModel::kColumnCount; ++column)
      cells << Cell(index.siblingAtColumn(column));
    lines << cells.join(u'\t');
  }
  QApplication::clipboard()->setText(lines.join(u'\n') + u'\n');
}

void frmCodeTables::ExportRows() {
  clsCommonFileDialog& dialog = ExportDialog();
  dialog.DefaultExt = QStringLiteral(".csv");
  dialog.DialogTitle = kExportTitle;
  dialog.Filter = QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*");
  dialog.flags = clsCommonFileDialog::kOverwritePrompt | clsCommonFileDialog::kHideReadOnly |
                 clsCommonFileDialog::kPathMustExist;
  if (dialog.InitDir.isEmpty()) dialog.InitDir = QDir::homePath();
  if (dialog.DefaultFileTitle.isEmpty()) dialog.DefaultFileTitle = QStringLiteral("codes.csv");
  QString error;
  if (!dialog.ShowSave(this, &error)) {
    if (!error.isEmpty()) QMessageBox::warning(this, kExportTitle, error);
    return;
  }
  std::vector<const CodeRow*> rows;
  rows.reserve(static_cast<std::size_t>(shown_->rowCount()));
  for (int row = 0; row < shown_->rowCount(); ++row)
    rows.push_back(&rows_->Row(shown_->mapToSource(shown_->index(row, 0)).row()));
  const std::string csv = ListRows(rows, ListFormat::Csv);
  if (!FileSaver().Save(dialog.FileName, QByteArray(csv.data(), static_cast<qsizetype>(csv.size())),
                        &error)) {
    QMessageBox::warning(this, kExportTitle,
                         QStringLiteral("The codes could not be exported to\n%1\n\n%2")
                             .arg(QDir::toNativeSeparators(dialog.FileName), error));
  }
}

}  // namespace vorrendal
