#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextLayout>
#include <QWhatsThis>
#include <algorithm>
#include <cmath>
#include <exception>

#include "Accessibility.h"
#include "DefaultButton.h"
#include "IHelp.h"
#include "LinkLabel.h"
#include "ReportText.h"
#include "SelectAllOnEntry.h"
#include "WhatsThisRouter.h"
#include "data/ProgramPaths.h"
#include "data/clsDataFile.h"
#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"
#include "frmAbout.h"
#include "frmBatch.h"
#include "frmCodeTables.h"
#include "resources/help/context.h"
#include "ui/BrantelArt.h"
#include "ui/DropDescriptionButton.h"
#include "ui/ReportOutput.h"
#include "ui/ScreenUnits.h"
#include "ui/clsCommonFileDialog.h"

namespace vorrendal {

namespace {

// The designed client area and the height the report panel adds, in twips.
constexpr int kClientWidthTwips = 6015;
constexpr int kClientHeightTwips = 2715;
constexpr int kReportPanelTwips = 3720;

std::unique_ptr<IDataReader> ReadDataFileBesideProgram() {
  return std::make_unique<clsDataFile>(FindProgramFile("Data.dat"));
}

// Moves a link to stand right after the last words of a wrapped label, one
// space away, on the label's last line; never left of where it was placed.
// With the designed face the link's designed place is already there; a wider
// face would otherwise run the words into the link.
void FollowLastLine(const QLabel* text, QWidget* link) {
  const QRect area = text->contentsRect();
  QTextLayout layout(text->text(), text->font());
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal top = 0;
  QTextLine last;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(area.width());
    line.setPosition(QPointF(0, top));
    top += line.height();
    last = line;
  }
  layout.endLayout();
  if (!last.isValid()) return;
  const qreal end = last.naturalTextWidth() + QFontMetricsF(text->font()).horizontalAdvance(u' ');
  const int left = text->x() + area.x() + static_cast<int>(std::ceil(end));
  link->move(std::max(link->x(), left), text->y() + area.y() + static_cast<int>(last.y()));
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, const char* tooltip,
                        int left, int top) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromLatin1(tooltip));
  button->setAutoDefault(false);
  PlaceTwips(button, left, top, 975, 375);
  return button;
}

QAction* MakeAction(QMenu* menu, const char* name, const char* caption) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

}  // namespace

frmMain::frmMain(IHelp& help, DataReaderFactory dataReaderFactory, QWidget* parent)
    : QMainWindow(parent),
      help_(help),
      dataReaderFactory_(dataReaderFactory ? std::move(dataReaderFactory)
                                           : DataReaderFactory(ReadDataFileBesideProgram)),
      prompter_(this, help) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("1959-1974 Vorrendal"));
  setWindowIcon(BrantelArt::ProgramIcon());
  setFont(FontAtPoints(DialogFace(), 8.25));
  setAcceptDrops(true);
  ExitProgram = [] { QCoreApplication::exit(0); };

  auto* client = new ClientArea(this);
  client->setObjectName(QStringLiteral("frmMainClient"));
  setCentralWidget(client);

  plate_ = new Plate(client, tabs_);
  CreateCommandRow(client);
  CreateReportPanel(client);
  CreateMenus();
  SetHelpContexts();
  SetTabPlaces();
  output_ = std::make_unique<ReportOutput>(this, [this] { return report_->toPlainText(); });

  auto* selectAll = new SelectAllOnEntry(this);
  for (QLineEdit* box : PlateBoxList()) selectAll->Watch(box);
  // Enter makes a new line in the report box and opens the error notice's link.
  new DefaultButton(this, processButton_, {report_, errorLink_});
  new WhatsThisRouter(this, help_);
  for (QWidget* control : findChildren<QWidget*>())
    if (control->acceptDrops()) control->installEventFilter(this);
  report_->viewport()->installEventFilter(this);
  const PlateElements& plate = plate_->Elements();
  for (QWidget* decoration :
       {static_cast<QWidget*>(plate.ground), static_cast<QWidget*>(plate.largeLogo),
        static_cast<QWidget*>(plate.smallLogo)}) {
    ClientArea::SetDecorative(decoration);
  }

  // Loading: the 1959-1961 plate (the drop button is made disabled).
  plate_->Startup();

  setFixedSize(TwipsToPixels(kClientWidthTwips),
               menuBar()->sizeHint().height() + TwipsToPixels(kClientHeightTwips));
  PlateBoxList().front()->setFocus(Qt::OtherFocusReason);
}

frmMain::~frmMain() = default;

void frmMain::CreateCommandRow(QWidget* client) {
  processButton_ =
      MakeButton(client, "cmdProcess", "&Process", "Process (Decode) The Information", 120, 2280);
  clearButton_ =
      MakeButton(client, "cmdClearSerial", "C&lear", "Clear The Information", 1200, 2280);

  appendCheck_ = new QCheckBox(QStringLiteral("&Append"), client);
  appendCheck_->setObjectName(QStringLiteral("chkAppend"));
  appendCheck_->setToolTip(QStringLiteral("Append (Add) To The Text"));
  PlaceTwips(appendCheck_, 2400, 2340, 975, 255);
  appendCheck_->setChecked(false);
  appendCheck_->setEnabled(false);

  // The drop button's surface: 17 x 17 pixels at the right end of the row.
  dropButton_ = new DropDescriptionButton(client);
  PlaceTwips(dropButton_, 5685, 2400, 255, 255);
  dropButton_->setFocusPolicy(Qt::TabFocus);

  connect(processButton_, &QPushButton::clicked, this, &frmMain::Process);
  connect(clearButton_, &QPushButton::clicked, this, &frmMain::ClearPlate);
  connect(dropButton_, &DropDescriptionButton::toggled, this, &frmMain::DropButtonToggled);
}

void frmMain::CreateReportPanel(QWidget* client) {
  const auto makeLine = [client](const char* name, QPalette::ColorRole role, int top) {
    auto* line = new QFrame(client);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(role);
    line->setGeometry(0, top, TwipsToPixels(6120), 1);
    ClientArea::SetDecorative(line);
    return line;
  };
  // A 3-D groove: a shadow line over a highlight line.
  grooveShadow_ = makeLine("Line2", QPalette::Dark, TwipsToPixels(2760));
  grooveHighlight_ = makeLine("Line1", QPalette::Light, TwipsToPixels(2760) + 1);

  report_ = new QPlainTextEdit(client);
  report_->setObjectName(QStringLiteral("txtDescription"));
  report_->setAccessibleName(QStringLiteral("Report"));
  // Whole-pixel columns (7 pixels at 9 points, as on the screens the report
  // was laid out for): 51 of them fit the box beside its scroll bar.
  QFont face = FontAtPoints({QStringLiteral("Courier New")}, 9);
  face.setHintingPreference(QFont::PreferFullHinting);
  report_->setFont(face);
  // Tab and Shift+Tab leave the box as they leave every other one.
  report_->setTabChangesFocus(true);
  report_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  report_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  report_->document()->setDocumentMargin(2);
  PlaceTwips(report_, 120, 2880, 5775, 3015);

  copyButton_ = MakeButton(client, "cmdCopyText", "&Copy", "Copy Text To Clipboard", 120, 6000);
  saveButton_ = MakeButton(client, "cmdSaveAs", "&Save As...", "Save Text To A File", 1200, 6000);
  printButton_ = MakeButton(client, "cmdPrint", "P&rint", "Print Text", 2280, 6000);
  connect(copyButton_, &QPushButton::clicked, this, &frmMain::CopyReport);
  connect(saveButton_, &QPushButton::clicked, this, &frmMain::SaveReportAs);
  connect(printButton_, &QPushButton::clicked, this, &frmMain::PrintReport);

  errorText_ =
      new AlertLabel(QStringLiteral("An error occurred while decoding. Please read the"), client);
  errorText_->setObjectName(QStringLiteral("lblErrorOccurred"));
  errorText_->setWordWrap(true);
  errorText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(errorText_, 3360, 6000, 2535, 375);
  GrowToFit(errorText_);
  errorText_->hide();

  errorLink_ = new LinkLabel(QStringLiteral("Error Notice."), client);
  errorLink_->setObjectName(QStringLiteral("lblErrorNotice"));
  QFont link = FontAtPoints(DialogFace(), 8.25);
  link.setUnderline(true);
  errorLink_->setFont(link);
  PlaceTwips(errorLink_, 4515, 6195, 885, 195);
  GrowToFit(errorLink_);
  FollowLastLine(errorText_, errorLink_);
  errorLink_->hide();
  // The link takes the focus (last in the tab order) while the notice shows.
  errorLink_->setFocusPolicy(Qt::StrongFocus);
  errorText_->setAccessibleName(errorText_->text() + u' ' + errorLink_->text());
  connect(errorLink_, &LinkLabel::clicked, this,
          [this] { help_.ShowTopic(IDH_ERROR_NOTICE, this); });

  SetReportPanelControls(false);
}

void frmMain::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* openPlates = MakeAction(file, "mnuFileOpenPlates", "&Open Plates...");
  openPlates->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  file->addSeparator()->setObjectName(QStringLiteral("mnuFileLine1"));
  saveAction_ = MakeAction(file, "mnuFileSaveInfo", "&Save Information");
  saveAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  printAction_ = MakeAction(file, "mnuFilePrintInfo", "&Print Information");
  printAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  file->addSeparator()->setObjectName(QStringLiteral("mnuFileLine2"));
  QAction* exit = MakeAction(file, "mnuFileExit", "E&xit");

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("mnuEdit"));
  copyAction_ = MakeAction(edit, "mnuEditCopyInfo", "&Copy Information");

  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  tools->setObjectName(QStringLiteral("mnuTools"));
  QAction* codeTables = MakeAction(tools, "mnuToolsCodeTables", "Code &Tables...");
  codeTables->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  codeTables->setWhatsThis(
      QStringLiteral("Opens the code tables: every code the descriptions hold, for every model "
                     "year, to browse and search by year, field, code or description."));

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  QAction* contents = MakeAction(help, "mnuHelpHelpContents", "&Help Contents");
  QAction* whatsThis = MakeAction(help, "mnuHelpWhatsThis", "&What's This?");
  QAction* about = MakeAction(help, "mnuHelpAbout", "&About");

  for (QAction* output : {saveAction_, printAction_, copyAction_}) output->setEnabled(false);
  connect(openPlates, &QAction::triggered, this, [this] {
    clsCommonFileDialog& dialog = OpenPlatesDialog();
    QString error;
    if (dialog.ShowOpen(this, &error))
      OpenPlates(dialog.FileName);
    else if (!error.isEmpty())
      QMessageBox::warning(this, windowTitle(), error);
  });
  connect(saveAction_, &QAction::triggered, this, &frmMain::SaveReportAs);
  connect(printAction_, &QAction::triggered, this, &frmMain::PrintReport);
  connect(copyAction_, &QAction::triggered, this, &frmMain::CopyReport);
  connect(exit, &QAction::triggered, this, [this] { ExitProgram(); });
  connect(codeTables, &QAction::triggered, this, &frmMain::ShowCodeTables);
  connect(contents, &QAction::triggered, this, [this] { help_.ShowContents(this); });
  connect(whatsThis, &QAction::triggered, this, [] { QWhatsThis::enterWhatsThisMode(); });
  connect(about, &QAction::triggered, this, [this] { frmAbout::ShowModal(this); });
}

void frmMain::SetHelpContexts() {
  const PlateElements& plate = plate_->Elements();
  std::vector<QWidget*> plateParts{plate.typeBox, plate.typeCaption, plate.madeInLong};
  plateParts.insert(plateParts.end(), plate.boxes.begin(), plate.boxes.end());
  plateParts.insert(plateParts.end(), plate.captions.begin(), plate.captions.end());
  const std::pair<int, std::vector<QWidget*>> contexts[] = {
      {IDH_TEMPLATE_STYLE, {plate.styleList, plate.styleCaption}},
      {IDH_PLATE_BOXES, plateParts},
      {IDH_PROCESS, {processButton_}},
      {IDH_CLEAR, {clearButton_}},
      {IDH_APPEND, {appendCheck_}},
      {IDH_DROP_BUTTON, {dropButton_}},
      {IDH_REPORT_BOX, {report_}},
      {IDH_COPY_TEXT, {copyButton_}},
      {IDH_SAVE_AS, {saveButton_}},
      {IDH_PRINT, {printButton_}},
  };
  for (const auto& [contextId, widgets] : contexts) {
    for (QWidget* widget : widgets) WhatsThisRouter::SetContext(widget, contextId);
  }
}

void frmMain::SetTabPlaces() {
  // The designed places, 0 first; the plate's styles move the boxes among
  // places 1 to 8.
  const PlateElements& plate = plate_->Elements();
  const auto caption = [&plate](PlateField field) {
    return static_cast<QWidget*>(plate.captions[static_cast<std::size_t>(field)]);
  };
  QList<QWidget*> places{caption(PlateField::Serial)};
  for (QLineEdit* box : plate.boxes) places.append(box);
  places.append({processButton_,
                 clearButton_,
                 appendCheck_,
                 report_,
                 copyButton_,
                 saveButton_,
                 printButton_,
                 plate.styleCaption,
                 plate.styleList,
                 dropButton_,
                 caption(PlateField::Color),
                 caption(PlateField::Trim),
                 caption(PlateField::Date),
                 caption(PlateField::DSO),
                 caption(PlateField::Trans),
                 caption(PlateField::Axle),
                 plate.madeInShort,
                 plate.madeInLong,
                 caption(PlateField::Body),
                 plate.typeCaption,
                 plate.typeBox,
                 errorText_,
                 errorLink_});
  tabs_.Build(places);
}

const std::array<QLineEdit*, kPlateFieldCount>& frmMain::PlateBoxList() const {
  return plate_->Elements().boxes;
}

void frmMain::SetPlateCode(PlateField field, const QString& code) {
  plate_->Box(field)->setText(code);
}

void frmMain::SelectTemplateStyle(int style) {
  plate_->Elements().styleList->setCurrentIndex(style);
}

void frmMain::FillBox(PlateField field, const QString& code, int modelYear) {
  SelectTemplateStyle(Plate::StyleOfYear(modelYear));
  SetPlateCode(field, code);
}

void frmMain::ShowCodeTables() {
  if (codeTables_ == nullptr) {
    codeTables_ = new frmCodeTables(dataReaderFactory_(), this);
    connect(codeTables_, &frmCodeTables::CodeChosen, this, &frmMain::FillBox);
  }
  codeTables_->show();
  codeTables_->raise();
  codeTables_->activateWindow();
}

void frmMain::ClearPlate() {
  for (QLineEdit* box : PlateBoxList()) box->clear();
}

void frmMain::ShowBoxes(const PlateBoxes& boxes) {
  const std::string* texts[] = {&boxes.SerialNumber, &boxes.Body, &boxes.Color, &boxes.Trim,
                                &boxes.Date,         &boxes.DSO,  &boxes.Trans, &boxes.Axle};
  const auto& list = PlateBoxList();
  for (std::size_t i = 0; i < list.size(); ++i) {
    list[i]->setText(ReportText::FromCp1252(*texts[i]));
  }
}

void frmMain::Process() {
  try {
    if (!Reader) Reader = std::make_unique<clsCodeReader>(dataReaderFactory_());
    clsCodeReader& reader = *Reader;
    const auto tellLoadFailures = [this, &reader] {
      for (std::size_t i = 0; i < reader.LoadFailures.size(); ++i) prompter_.DataLoadFailed();
      reader.LoadFailures.clear();
    };
    reader.ErrorOccurred = false;
    // A year that failed to load with the previous plate is tried again
    // first, so that its message comes before this plate's year question.
    reader.LoadDescriptionData();
    tellLoadFailures();

    PlateBoxes typed;
    std::string* fields[] = {&typed.SerialNumber, &typed.Body, &typed.Color, &typed.Trim,
                             &typed.Date,         &typed.DSO,  &typed.Trans, &typed.Axle};
    const auto& list = PlateBoxList();
    for (std::size_t i = 0; i < list.size(); ++i)
      *fields[i] = ReportText::ToCp1252(list[i]->text());
    const SerialYears years = YearsOfSerial(typed.SerialNumber);
    if (!years.Readable()) {
      prompter_.InvalidYearCode();
    } else if (years.TwoYears()) {
      const int answer =
          prompter_.AskYear(std::to_string(years.first), std::to_string(years.second));
      reader.YearChoice = answer == 1 ? Decade::k1970s : Decade::k1960s;
    }
    reader.ReadCodes(typed.SerialNumber, typed.Body, typed.Color, typed.Trim, typed.Date, typed.DSO,
                     typed.Trans, typed.Axle);
    tellLoadFailures();
    if (reader.BadYearCode) {
      // The year code was refused: back to the serial number, selected for
      // typing over, nothing else changes.
      QLineEdit* serial = plate_->Box(PlateField::Serial);
      serial->setFocus(Qt::OtherFocusReason);
      serial->selectAll();
      return;
    }

    const QString oldText = report_->toPlainText();
    const std::string oldReport = ReportText::ToReport(oldText);
    const ReportResult result =
        ReportWriter::Write(reader.Result(), typed, appendCheck_->isChecked(), oldReport);
    ShowBoxes(result.Boxes);
    output_->SetJobSerial(ReportText::FromCp1252(result.Boxes.SerialNumber));
    const ReportText::Shown shown =
        ReportText::Show(oldText, oldReport, result.Report, result.Caret);
    report_->setPlainText(shown.Text);
    if (shown.Caret) {
      QTextCursor caret = report_->textCursor();
      caret.setPosition(std::min(*shown.Caret, static_cast<int>(shown.Text.size())));
      report_->setTextCursor(caret);
      report_->ensureCursorVisible();
    }
    if (!ReportPanelOpen) OpenReportPanel();
    ShowErrorNotice(reader.ErrorOccurred);
  } catch (const std::exception& failure) {
    QMessageBox::critical(this, windowTitle(),
                          QStringLiteral("The codes could not be decoded: %1")
                              .arg(QString::fromLocal8Bit(failure.what())));
  }
}

void frmMain::OpenReportPanel() {
  ReportPanelOpen = true;
  dropButton_->setEnabled(true);
  dropButton_->ShowState(DropDescriptionButton::DropState::BlackUp);
  for (QAction* output : {saveAction_, printAction_, copyAction_}) output->setEnabled(true);
  ChangeWindowHeight(kReportPanelTwips);
  appendCheck_->setEnabled(true);
  SetReportPanelControls(true);
}

void frmMain::DropButtonToggled(bool open) {
  if (open) {
    ReportPanelOpen = true;
    ChangeWindowHeight(kReportPanelTwips);
    SetReportPanelControls(true);
  } else {
    ChangeWindowHeight(-kReportPanelTwips);
    SetReportPanelControls(false);
    processButton_->setFocus(Qt::OtherFocusReason);
    ReportPanelOpen = false;
  }
}

void frmMain::SetReportPanelControls(bool open) {
  report_->setReadOnly(!open);
  report_->setFocusPolicy(open ? Qt::StrongFocus : Qt::ClickFocus);
  for (QPushButton* output : {copyButton_, saveButton_, printButton_}) {
    output->setFocusPolicy(open ? Qt::StrongFocus : Qt::ClickFocus);
  }
  // Below the closed window the panel's controls are out of reach: hidden,
  // they take no focus, answer no access key and are not shown to assistive
  // technology.
  for (QWidget* control :
       {static_cast<QWidget*>(grooveHighlight_), static_cast<QWidget*>(grooveShadow_),
        static_cast<QWidget*>(report_), static_cast<QWidget*>(copyButton_),
        static_cast<QWidget*>(saveButton_), static_cast<QWidget*>(printButton_)}) {
    control->setVisible(open);
  }
  errorText_->setVisible(open && errorNotice_);
  errorLink_->setVisible(open && errorNotice_);
}

void frmMain::ShowErrorNotice(bool shown) {
  errorNotice_ = shown;
  errorText_->setVisible(shown && ReportPanelOpen);
  errorLink_->setVisible(shown && ReportPanelOpen);
  if (errorText_->isVisible()) errorText_->Announce();
}

void frmMain::ChangeWindowHeight(int twips) { setFixedHeight(height() + TwipsToPixels(twips)); }

void frmMain::UsePrinter(std::unique_ptr<IReportPrinter> printer) {
  output_ = std::make_unique<ReportOutput>(
      this, [this] { return report_->toPlainText(); }, std::move(printer));
}

clsCommonFileDialog& frmMain::SaveDialog() { return output_->SaveDialog(); }

clsCommonFileDialog& frmMain::OpenPlatesDialog() {
  if (!openPlatesDialog_) {
    openPlatesDialog_ = std::make_unique<clsCommonFileDialog>();
    openPlatesDialog_->DialogTitle = QStringLiteral("Open Plates");
    openPlatesDialog_->Filter = QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*");
    openPlatesDialog_->FilterIndex = 1;
    openPlatesDialog_->flags = clsCommonFileDialog::kFileMustExist |
                               clsCommonFileDialog::kPathMustExist |
                               clsCommonFileDialog::kHideReadOnly;
  }
  return *openPlatesDialog_;
}

void frmMain::OpenPlates(const QString& path) {
  QString error;
  frmBatch* batch = frmBatch::Open(path, *this, dataReaderFactory_, help_, &error);
  if (batch == nullptr) {
    QMessageBox::warning(this, windowTitle(), error);
    return;
  }
  batch->show();
}

namespace {

// The one local .csv file a drag carries, if it carries just that.
QString DroppedCsv(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? path : QString();
}

}  // namespace

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedCsv(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
  const QString path = DroppedCsv(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenPlates(path);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
    auto* drag = static_cast<QDragMoveEvent*>(event);
    if (!DroppedCsv(drag->mimeData()).isEmpty()) {
      drag->acceptProposedAction();
      return true;
    }
  } else if (event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = DroppedCsv(drop->mimeData());
    if (!path.isEmpty()) {
      drop->acceptProposedAction();
      OpenPlates(path);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::CopyReport() { output_->CopyReport(); }

void frmMain::SaveReportAs() { output_->SaveReportAs(); }

void frmMain::PrintReport() { output_->PrintReport(); }

void frmMain::UnloadAllForms() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->isVisible()) window->close();
  }
}

void frmMain::closeEvent(QCloseEvent* event) {
  UnloadAllForms();
  event->accept();
}

}  // namespace vorrendal
