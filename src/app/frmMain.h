#pragma once
// The main window: a picture of the warranty plate with a box for each
// stamped code, the Process and Clear commands, and below them the report
// panel (report box, Copy, Save As, Print, the error notice) that the first
// complete decode uncovers by making the window taller.
//
// Every control is a public member under the same name as its objectName.
// The behaviour lives in small classes (SelectAllOnEntry, DefaultButton,
// WhatsThisRouter, ReportText, GuiPrompter); this class wires them up.

#include <QMainWindow>
#include <functional>
#include <memory>

#include "GuiPrompter.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace vorrendal {

class AlertLabel;
class DefaultButton;
class DropDescriptionButton;
class PlateArranger;
class ReportOutput;
class IReportPrinter;
class IDataReader;
class IHelp;
class LinkLabel;
class clsCodeReader;
class clsCommonFileDialog;
struct PlateBoxes;

class frmMain : public QMainWindow {
  Q_OBJECT
 public:
  using DataReaderFactory = std::function<std::unique_ptr<IDataReader>()>;

  // Designed client area and the height the report panel adds, in twips.
  static constexpr int kClientWidthTwips = 6015;
  static constexpr int kClientHeightTwips = 2715;
  static constexpr int kReportPanelTwips = 3720;

  // help must outlive the window. The data reader is made on the first
  // Process; an empty factory reads Data.dat beside the program.
  explicit frmMain(IHelp& help, DataReaderFactory dataReaderFactory = {},
                   QWidget* parent = nullptr);
  ~frmMain() override;

  // --- the plate (its places are those of the 1959-1961 plate) ---
  QLabel* Label10;
  QComboBox* cboTemplateStyle;
  QFrame* Shape1;
  QLabel* lblSerialNumber;
  QLabel* lblBody;
  QLabel* lblColor;
  QLabel* lblTrim;
  QLabel* lblDate;
  QLabel* lblDSO;
  QLabel* lblTrans;
  QLabel* lblAxle;
  QLabel* lblType;
  QLabel* lblMadeInUSAShort;
  QLabel* lblMadeInUSALong;
  QLabel* imgBrantelLarge;
  QLabel* imgBrantelSmall;
  QLineEdit* txtSerialNumber;
  QLineEdit* txtBody;
  QLineEdit* txtColor;
  QLineEdit* txtTrim;
  QLineEdit* txtDate;
  QLineEdit* txtDSO;
  QLineEdit* txtTrans;
  QLineEdit* txtAxle;
  QLineEdit* txtType;

  // --- the command row ---
  QPushButton* cmdProcess;
  QPushButton* cmdClearSerial;
  QCheckBox* chkAppend;
  DropDescriptionButton* picDropDescription;

  // --- the report panel ---
  QFrame* Line1;
  QFrame* Line2;
  QPlainTextEdit* txtDescription;
  QPushButton* cmdCopyText;
  QPushButton* cmdSaveAs;
  QPushButton* cmdPrint;
  AlertLabel* lblErrorOccurred;
  LinkLabel* lblErrorNotice;

  // --- menus ---
  QMenu* mnuFile;
  QAction* mnuFileSaveInfo;
  QAction* mnuFilePrintInfo;
  QAction* mnuFileLine2;
  QAction* mnuFileExit;
  QMenu* mnuEdit;
  QAction* mnuEditCopyInfo;
  QMenu* mnuHelp;
  QAction* mnuHelpHelpContents;
  QAction* mnuHelpWhatsThis;
  QAction* mnuHelpAbout;

  // --- window state shared with the report panel ---
  bool ReportPanelOpen = false;

  // The eight plate boxes in Process order.
  QList<QLineEdit*> PlateBoxList() const;

  // What Exit does: ends the program at once. Replaceable for tests.
  std::function<void()> ExitProgram;

  // The code reader, once the first Process has made it.
  clsCodeReader* Reader() const { return reader_.get(); }
  GuiPrompter& Prompter() { return prompter_; }
  IHelp& Help() { return help_; }

  // Height of the client area (below the menu bar) in pixels.
  int ClientHeight() const;

  // The plate arrangements (AppliedTemplateStyle lives there).
  PlateArranger& Arranger() { return *arranger_; }
  // Prints through another printer (tests: a queue that keeps the job).
  void UsePrinter(std::unique_ptr<IReportPrinter> printer);
  // The save dialog, made on the first save and kept with its fields.
  clsCommonFileDialog& SaveDialog();

 public slots:
  // Process: decode the plate and write the report.
  void Process();
  // Clear: empty the eight plate boxes; nothing else changes.
  void ClearPlate();

  // The report panel. OpenReportPanel is what a complete decode does when
  // the panel is closed; SetReportPanelControls makes the report box
  // editable and the output buttons tab stops (or undoes it).
  void OpenReportPanel();
  void SetReportPanelControls(bool open);
  // Makes the window taller (or, negative, shorter) by this many twips.
  void ChangeWindowHeight(int twips);
  // The drop button opened (or closed) the panel.
  void DropButtonToggled(bool open);

  // Report output, from the buttons and the menu items.
  void CopyReport();
  void SaveReportAs();
  void PrintReport();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreatePlate(QWidget* client);
  void CreateCommandRow(QWidget* client);
  void CreateReportPanel(QWidget* client);
  void CreateMenus();
  void SetHelpContexts();
  // Puts the plate into its 1959-1961 arrangement, as the window opens.
  void ApplyStartPlate();
  void ShowBoxes(const PlateBoxes& boxes);
  // Shows or hides the error notice after a complete decode; shown, it is
  // announced to assistive technology.
  void ShowErrorNotice(bool shown);
  void UnloadAllForms();

  IHelp& help_;
  DataReaderFactory dataReaderFactory_;
  GuiPrompter prompter_;
  std::unique_ptr<clsCodeReader> reader_;
  DefaultButton* defaultButton_ = nullptr;
  std::unique_ptr<PlateArranger> arranger_;
  std::unique_ptr<ReportOutput> output_;
  bool errorNotice_ = false;  // the last complete decode raised the error notice
};

}  // namespace vorrendal
