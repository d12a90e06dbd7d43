#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
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
#include "ScreenUnits.h"
#include "SelectAllOnEntry.h"
#include "WhatsThisRouter.h"
#include "data/ProgramPaths.h"
#include "data/clsDataFile.h"
#include "decode/ReportWriter.h"
#include "decode/clsCodeReader.h"
#include "frmAbout.h"
#include "ui/BrantelArt.h"
#include "ui/DropDescriptionButton.h"
#include "ui/PlateArranger.h"
#include "ui/ReportOutput.h"

namespace vorrendal {

namespace {

const QStringList kArial{QStringLiteral("Arial")};

std::unique_ptr<IDataReader> ReadDataFileBesideProgram() {
  return std::make_unique<clsDataFile>(FindProgramFile("Data.dat"));
}

QLabel* MakeCaption(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* caption = new QLabel(text, parent);
  caption->setObjectName(QString::fromLatin1(name));
  caption->setFont(FontAtPoints(kArial, 9.75, true));
  QPalette white = caption->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  caption->setPalette(white);
  caption->adjustSize();
  MoveTwips(caption, left, top);
  return caption;
}

QLineEdit* MakeBox(QWidget* parent, const char* name, int maxLength, const char* tooltip, int left,
                   int top, int width, int height) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setMaxLength(maxLength);
  box->setToolTip(QString::fromLatin1(tooltip));
  box->setFont(FontAtPoints(kArial, 11.25, true));
  PlaceTwips(box, left, top, width, height);
  return box;
}

QLabel* MakeMadeInLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(FontAtPoints(kArial, 8.25, true));
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setWordWrap(true);
  QPalette white = label->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  label->setPalette(white);
  return label;
}

// The maker's emblem at its place on the plate, drawn for the screen's density.
QLabel* MakeEmblem(QWidget* parent, const char* name, BrantelPicture picture, int left, int top,
                   int width, int height) {
  auto* emblem = new QLabel(parent);
  emblem->setObjectName(QString::fromLatin1(name));
  emblem->setAlignment(Qt::AlignCenter);
  PlaceTwips(emblem, left, top, width, height);
  emblem->setPixmap(BrantelArt::Render(picture, emblem->size(), qApp->devicePixelRatio()));
  return emblem;
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
  ExitProgram = [] { QCoreApplication::exit(0); };

  auto* client = new ClientArea(this);
  client->setObjectName(QStringLiteral("frmMainClient"));
  setCentralWidget(client);

  CreatePlate(client);
  CreateCommandRow(client);
  CreateReportPanel(client);
  CreateMenus();
  SetHelpContexts();
  output_ = std::make_unique<ReportOutput>(this, [this] { return txtDescription->toPlainText(); });

  auto* selectAll = new SelectAllOnEntry(this);
  for (QLineEdit* box : PlateBoxList()) selectAll->Watch(box);
  // Enter makes a new line in the report box and opens the error notice's link.
  defaultButton_ = new DefaultButton(this, cmdProcess, {txtDescription, lblErrorNotice});
  new WhatsThisRouter(this, help_);

  // Loading: the 1959-1961 plate, the drop button painted disabled.
  cboTemplateStyle->setCurrentIndex(0);
  ApplyStartPlate();
  DrawDropButton(QStringLiteral("disabled"));

  setFixedSize(TwipsToPixels(kClientWidthTwips),
               menuBar()->sizeHint().height() + TwipsToPixels(kClientHeightTwips));
  txtSerialNumber->setFocus(Qt::OtherFocusReason);
}

frmMain::~frmMain() = default;

void frmMain::CreatePlate(QWidget* client) {
  Label10 = new QLabel(QStringLiteral("Template &Style:"), client);
  Label10->setObjectName(QStringLiteral("Label10"));
  PlaceTwips(Label10, 120, 75, 1095, 255);

  cboTemplateStyle = new QComboBox(client);
  cboTemplateStyle->setObjectName(QStringLiteral("cboTemplateStyle"));
  cboTemplateStyle->addItems({QStringLiteral("1959-1961"), QStringLiteral("1962"),
                              QStringLiteral("1963-1966"), QStringLiteral("1967-1969"),
                              QStringLiteral("1970-1972"), QStringLiteral("1973-1974")});
  cboTemplateStyle->setToolTip(QStringLiteral("Select A Template Style"));
  PlaceTwips(cboTemplateStyle, 1275, 30, 1335, 315);
  Label10->setBuddy(cboTemplateStyle);
  // Room for the caption up to the list, should the face need it.
  GrowToFit(Label10);
  Label10->resize(std::min(Label10->width(), cboTemplateStyle->x() - Label10->x()),
                  Label10->height());

  // The plate itself, beneath every other plate element (made first, so
  // everything made later stands on it).
  Shape1 = new QFrame(client);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setFrameShape(QFrame::NoFrame);
  Shape1->setAutoFillBackground(true);
  QPalette black = Shape1->palette();
  black.setColor(QPalette::Window, Qt::black);
  Shape1->setPalette(black);
  PlaceTwips(Shape1, 0, 360, 6015, 1815);

  imgBrantelLarge =
      MakeEmblem(client, "imgBrantelLarge", BrantelPicture::LogoLarge, 3360, 480, 2070, 720);
  imgBrantelSmall =
      MakeEmblem(client, "imgBrantelSmall", BrantelPicture::LogoSmall, 4680, 600, 1050, 525);
  lblMadeInUSAShort =
      MakeMadeInLabel(client, "lblMadeInUSAShort", QStringLiteral("MADE IN U.S.A."));
  PlaceTwips(lblMadeInUSAShort, 2520, 600, 735, 450);
  lblMadeInUSALong = MakeMadeInLabel(client, "lblMadeInUSALong", QStringLiteral("MADE IN U.S.A."));
  PlaceTwips(lblMadeInUSALong, 0, 1920, 6015, 210);
  GrowToFit(lblMadeInUSALong);

  lblSerialNumber =
      MakeCaption(client, "lblSerialNumber", QStringLiteral("SERIAL NUMBER"), 600, 600);
  lblBody = MakeCaption(client, "lblBody", QStringLiteral("BODY"), 600, 1320);
  lblColor = MakeCaption(client, "lblColor", QStringLiteral("COLOR"), 1440, 1320);
  lblTrim = MakeCaption(client, "lblTrim", QStringLiteral("TRIM"), 2400, 1320);
  lblDate = MakeCaption(client, "lblDate", QStringLiteral("DATE"), 3120, 1320);
  lblDSO = MakeCaption(client, "lblDSO", QStringLiteral("DSO"), 5160, 2040);
  lblTrans = MakeCaption(client, "lblTrans", QStringLiteral("TRANS."), 3960, 1320);
  lblAxle = MakeCaption(client, "lblAxle", QStringLiteral("AXLE"), 4920, 1320);
  lblType = MakeCaption(client, "lblType", QStringLiteral("TYPE"), 2940, 970);

  txtSerialNumber = MakeBox(client, "txtSerialNumber", 11,
                            "Enter the serial (warranty) number here", 600, 840, 1695, 390);
  txtBody = MakeBox(client, "txtBody", 3, "Enter the body code here", 600, 1560, 615, 390);
  txtColor = MakeBox(client, "txtColor", 2, "Enter the color code here", 1440, 1560, 735, 390);
  txtTrim = MakeBox(client, "txtTrim", 3, "Enter the trim code here", 2400, 1560, 495, 375);
  txtDate = MakeBox(client, "txtDate", 3, "Enter the date code here", 3120, 1560, 615, 390);
  txtDSO = MakeBox(client, "txtDSO", 2, "Enter the DSO code here", 5160, 2280, 495, 375);
  txtTrans =
      MakeBox(client, "txtTrans", 1, "Enter the transmission code here", 3960, 1560, 735, 390);
  txtAxle = MakeBox(client, "txtAxle", 1, "Enter the axle code here", 4920, 1560, 495, 390);

  // "PASSENGER": shown greyed on the 1973-1974 plate, never takes the focus.
  txtType = MakeBox(client, "txtType", 32767, "", 2400, 600, 1575, 385);
  txtType->setText(QStringLiteral("PASSENGER"));
  txtType->setEnabled(false);
  txtType->setFocusPolicy(Qt::NoFocus);

  // Each box is named by the caption beside it, whatever the caption says in
  // the style shown (assistive technology reads a label's buddy as its name).
  const std::pair<QLabel*, QLineEdit*> captioned[] = {{lblSerialNumber, txtSerialNumber},
                                                      {lblBody, txtBody},
                                                      {lblColor, txtColor},
                                                      {lblTrim, txtTrim},
                                                      {lblDate, txtDate},
                                                      {lblDSO, txtDSO},
                                                      {lblTrans, txtTrans},
                                                      {lblAxle, txtAxle},
                                                      {lblType, txtType}};
  for (const auto& [caption, box] : captioned) caption->setBuddy(box);
  for (QWidget* decoration : {static_cast<QWidget*>(Shape1), static_cast<QWidget*>(imgBrantelLarge),
                              static_cast<QWidget*>(imgBrantelSmall)}) {
    ClientArea::SetDecorative(decoration);
  }
}

void frmMain::CreateCommandRow(QWidget* client) {
  cmdProcess =
      MakeButton(client, "cmdProcess", "&Process", "Process (Decode) The Information", 120, 2280);
  cmdClearSerial =
      MakeButton(client, "cmdClearSerial", "C&lear", "Clear The Information", 1200, 2280);

  chkAppend = new QCheckBox(QStringLiteral("&Append"), client);
  chkAppend->setObjectName(QStringLiteral("chkAppend"));
  chkAppend->setToolTip(QStringLiteral("Append (Add) To The Text"));
  PlaceTwips(chkAppend, 2400, 2340, 975, 255);
  chkAppend->setChecked(false);
  chkAppend->setEnabled(false);

  // The drop button's surface: 17 x 17 pixels at the right end of the row.
  picDropDescription = new DropDescriptionButton(client);
  PlaceTwips(picDropDescription, 5685, 2400, 255, 255);
  picDropDescription->setFocusPolicy(Qt::TabFocus);
  picDropDescription->BindDropState(&DropState);
  picDropDescription->SetHost(this);

  connect(cmdProcess, &QPushButton::clicked, this, &frmMain::Process);
  connect(cmdClearSerial, &QPushButton::clicked, this, &frmMain::ClearPlate);
}

void frmMain::CreateReportPanel(QWidget* client) {
  const auto makeLine = [client](const char* name, QPalette::ColorRole role, int top) {
    auto* line = new QFrame(client);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(role);
    line->setGeometry(0, top, TwipsToPixels(6120), 1);
    return line;
  };
  // A 3-D groove: a shadow line over a highlight line.
  Line2 = makeLine("Line2", QPalette::Dark, TwipsToPixels(2760));
  Line1 = makeLine("Line1", QPalette::Light, TwipsToPixels(2760) + 1);
  ClientArea::SetDecorative(Line1);
  ClientArea::SetDecorative(Line2);

  txtDescription = new QPlainTextEdit(client);
  txtDescription->setObjectName(QStringLiteral("txtDescription"));
  txtDescription->setAccessibleName(QStringLiteral("Report"));
  // Whole-pixel columns (7 pixels at 9 points, as on the screens the report
  // was laid out for): 51 of them fit the box beside its scroll bar.
  QFont report = FontAtPoints({QStringLiteral("Courier New")}, 9);
  report.setHintingPreference(QFont::PreferFullHinting);
  txtDescription->setFont(report);
  // Tab and Shift+Tab leave the box as they leave every other one.
  txtDescription->setTabChangesFocus(true);
  txtDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtDescription->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtDescription->document()->setDocumentMargin(2);
  PlaceTwips(txtDescription, 120, 2880, 5775, 3015);

  cmdCopyText = MakeButton(client, "cmdCopyText", "&Copy", "Copy Text To Clipboard", 120, 6000);
  cmdSaveAs = MakeButton(client, "cmdSaveAs", "&Save As...", "Save Text To A File", 1200, 6000);
  cmdPrint = MakeButton(client, "cmdPrint", "P&rint", "Print Text", 2280, 6000);
  connect(cmdCopyText, &QPushButton::clicked, this, &frmMain::CopyReport);
  connect(cmdSaveAs, &QPushButton::clicked, this, &frmMain::SaveReportAs);
  connect(cmdPrint, &QPushButton::clicked, this, &frmMain::PrintReport);

  lblErrorOccurred =
      new AlertLabel(QStringLiteral("An error occurred while decoding. Please read the"), client);
  lblErrorOccurred->setObjectName(QStringLiteral("lblErrorOccurred"));
  lblErrorOccurred->setWordWrap(true);
  lblErrorOccurred->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  PlaceTwips(lblErrorOccurred, 3360, 6000, 2535, 375);
  GrowToFit(lblErrorOccurred);
  lblErrorOccurred->hide();

  lblErrorNotice = new LinkLabel(QStringLiteral("Error Notice."), client);
  lblErrorNotice->setObjectName(QStringLiteral("lblErrorNotice"));
  QFont link = FontAtPoints(DialogFace(), 8.25);
  link.setUnderline(true);
  lblErrorNotice->setFont(link);
  PlaceTwips(lblErrorNotice, 4515, 6195, 885, 195);
  GrowToFit(lblErrorNotice);
  FollowLastLine(lblErrorOccurred, lblErrorNotice);
  lblErrorNotice->hide();
  // The link takes the focus (last in the tab order) while the notice shows.
  lblErrorNotice->setFocusPolicy(Qt::StrongFocus);
  lblErrorOccurred->setAccessibleName(lblErrorOccurred->text() + u' ' + lblErrorNotice->text());
  connect(lblErrorNotice, &LinkLabel::clicked, this,
          [this] { help_.ShowTopic(kErrorNoticeTopic, this); });

  SetReportPanelControls(false);
}

void frmMain::CreateMenus() {
  mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  mnuFileSaveInfo = MakeAction(mnuFile, "mnuFileSaveInfo", "&Save Information");
  mnuFileSaveInfo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuFilePrintInfo = MakeAction(mnuFile, "mnuFilePrintInfo", "&Print Information");
  mnuFilePrintInfo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  mnuFileLine2 = mnuFile->addSeparator();
  mnuFileLine2->setObjectName(QStringLiteral("mnuFileLine2"));
  mnuFileExit = MakeAction(mnuFile, "mnuFileExit", "E&xit");

  mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
  mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
  mnuEditCopyInfo = MakeAction(mnuEdit, "mnuEditCopyInfo", "&Copy Information");

  mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
  mnuHelpHelpContents = MakeAction(mnuHelp, "mnuHelpHelpContents", "&Help Contents");
  mnuHelpWhatsThis = MakeAction(mnuHelp, "mnuHelpWhatsThis", "&What's This?");
  mnuHelpAbout = MakeAction(mnuHelp, "mnuHelpAbout", "&About");

  for (QAction* output : {mnuFileSaveInfo, mnuFilePrintInfo, mnuEditCopyInfo}) {
    output->setEnabled(false);
  }
  connect(mnuFileSaveInfo, &QAction::triggered, this, &frmMain::SaveReportAs);
  connect(mnuFilePrintInfo, &QAction::triggered, this, &frmMain::PrintReport);
  connect(mnuEditCopyInfo, &QAction::triggered, this, &frmMain::CopyReport);
  connect(mnuFileExit, &QAction::triggered, this, [this] { ExitProgram(); });
  connect(mnuHelpHelpContents, &QAction::triggered, this, [this] { help_.ShowContents(this); });
  connect(mnuHelpWhatsThis, &QAction::triggered, this, [] { QWhatsThis::enterWhatsThisMode(); });
  connect(mnuHelpAbout, &QAction::triggered, this, [this] { frmAbout::ShowModal(this); });
}

void frmMain::SetHelpContexts() {
  const std::pair<int, std::vector<QWidget*>> contexts[] = {
      {6001, {cboTemplateStyle, Label10}},
      {6002,
       {txtSerialNumber, txtBody, txtColor, txtTrim, txtDate, txtDSO, txtTrans, txtAxle, txtType,
        lblSerialNumber, lblBody, lblColor, lblTrim, lblDate, lblDSO, lblTrans, lblAxle, lblType,
        lblMadeInUSALong}},
      {6003, {cmdProcess}},
      {6004, {cmdClearSerial}},
      {6005, {chkAppend}},
      {6006, {picDropDescription}},
      {6007, {txtDescription}},
      {6008, {cmdCopyText}},
      {6009, {cmdSaveAs}},
      {6010, {cmdPrint}},
  };
  for (const auto& [contextId, widgets] : contexts) {
    for (QWidget* widget : widgets) WhatsThisRouter::SetContext(widget, contextId);
  }
}

void frmMain::ApplyStartPlate() {
  // The style list rearranges the plate from now on; the window opens with
  // the 1959-1961 plate (the marker is forced so that style 0 is applied).
  if (!arranger_) {
    arranger_ = std::make_unique<PlateArranger>(this);
    arranger_->FitLabel = GrowToFit;
    arranger_->ConnectStyleList();
  }
  arranger_->Startup();
}

QList<QLineEdit*> frmMain::PlateBoxList() const {
  return {txtSerialNumber, txtBody, txtColor, txtTrim, txtDate, txtDSO, txtTrans, txtAxle};
}

int frmMain::ClientHeight() const { return centralWidget()->height(); }

void frmMain::ClearPlate() {
  for (QLineEdit* box : PlateBoxList()) box->clear();
}

void frmMain::ShowBoxes(const PlateBoxes& boxes) {
  const std::string* texts[] = {&boxes.SerialNumber, &boxes.Body, &boxes.Color, &boxes.Trim,
                                &boxes.Date,         &boxes.DSO,  &boxes.Trans, &boxes.Axle};
  const QList<QLineEdit*> list = PlateBoxList();
  for (qsizetype i = 0; i < list.size(); ++i) {
    list[i]->setText(ReportText::FromCp1252(*texts[i]));
  }
}

void frmMain::Process() {
  try {
    if (!reader_) reader_ = std::make_unique<clsCodeReader>(dataReaderFactory_());
    clsCodeReader& reader = *reader_;
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
    const QList<QLineEdit*> list = PlateBoxList();
    for (qsizetype i = 0; i < list.size(); ++i) *fields[i] = ReportText::ToCp1252(list[i]->text());
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
      txtSerialNumber->setFocus(Qt::OtherFocusReason);
      txtSerialNumber->selectAll();
      return;
    }

    const QString oldText = txtDescription->toPlainText();
    const std::string oldReport = ReportText::ToReport(oldText);
    const ReportResult result =
        ReportWriter::Write(reader.Result(), typed, chkAppend->isChecked(), oldReport);
    ShowBoxes(result.Boxes);
    output_->SetJobSerial(ReportText::FromCp1252(result.Boxes.SerialNumber));
    const ReportText::Shown shown =
        ReportText::Show(oldText, oldReport, result.Report, result.Caret);
    txtDescription->setPlainText(shown.Text);
    if (shown.Caret) {
      QTextCursor caret = txtDescription->textCursor();
      caret.setPosition(std::min(*shown.Caret, static_cast<int>(shown.Text.size())));
      txtDescription->setTextCursor(caret);
      txtDescription->ensureCursorVisible();
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
  picDropDescription->setEnabled(true);
  picDropDescription->ShowState(DropImage::BlackUp, DropDescriptionButton::kBlackUp);
  for (QAction* output : {mnuFileSaveInfo, mnuFilePrintInfo, mnuEditCopyInfo}) {
    output->setEnabled(true);
  }
  ChangeWindowHeight(kReportPanelTwips);
  chkAppend->setEnabled(true);
  SetReportPanelControls(true);
}

void frmMain::SetReportPanelControls(bool open) {
  txtDescription->setReadOnly(!open);
  txtDescription->setFocusPolicy(open ? Qt::StrongFocus : Qt::ClickFocus);
  for (QPushButton* output : {cmdCopyText, cmdSaveAs, cmdPrint}) {
    output->setFocusPolicy(open ? Qt::StrongFocus : Qt::ClickFocus);
  }
  // Below the closed window the panel's controls are out of reach: hidden,
  // they take no focus, answer no access key and are not shown to assistive
  // technology.
  for (QWidget* control :
       {static_cast<QWidget*>(Line1), static_cast<QWidget*>(Line2),
        static_cast<QWidget*>(txtDescription), static_cast<QWidget*>(cmdCopyText),
        static_cast<QWidget*>(cmdSaveAs), static_cast<QWidget*>(cmdPrint)}) {
    control->setVisible(open);
  }
  lblErrorOccurred->setVisible(open && errorNotice_);
  lblErrorNotice->setVisible(open && errorNotice_);
}

void frmMain::ShowErrorNotice(bool shown) {
  errorNotice_ = shown;
  lblErrorOccurred->setVisible(shown && ReportPanelOpen);
  lblErrorNotice->setVisible(shown && ReportPanelOpen);
  if (lblErrorOccurred->isVisible()) lblErrorOccurred->Announce();
}

void frmMain::ChangeWindowHeight(int twips) { setFixedHeight(height() + TwipsToPixels(twips)); }

void frmMain::DrawDropButton(const QString& image) { picDropDescription->DrawDropButton(image); }

int frmMain::OuterHeightPixels() const { return frameGeometry().height(); }

void frmMain::SetOuterHeightTwips(int twips) {
  ChangeWindowHeight(twips - OuterHeightPixels() * kTwipsPerPixel);
}

void frmMain::SetReportPanelOpen(bool open) { ReportPanelOpen = open; }

void frmMain::FocusProcess() { cmdProcess->setFocus(Qt::OtherFocusReason); }

void frmMain::UseReportOutputServices(ReportOutputServices services) {
  output_ = std::make_unique<ReportOutput>(
      this, [this] { return txtDescription->toPlainText(); }, std::move(services));
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
