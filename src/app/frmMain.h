#pragma once
// The main window: a picture of the warranty plate with a box for each
// stamped code, the Process and Clear commands, and below them the report
// panel (report box, Copy, Save As, Print, the error notice) that the first
// complete decode uncovers by making the window taller.
//
// Its controls are its own; each carries its designed name as objectName
// (the README's glossary maps them to the members here). The behaviour lives
// in small classes (Plate, DropDescriptionButton, ReportOutput,
// SelectAllOnEntry, DefaultButton, WhatsThisRouter, ReportText, GuiPrompter);
// this class wires them up.

#include <QMainWindow>
#include <functional>
#include <memory>

#include "GuiPrompter.h"
#include "ui/Plate.h"
#include "ui/TabPlaces.h"

class QAction;
class QCheckBox;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vorrendal {

class AlertLabel;
class DropDescriptionButton;
class IDataReader;
class IHelp;
class IReportPrinter;
class LinkLabel;
class ReportOutput;
class clsCodeReader;
class clsCommonFileDialog;
class frmCodeTables;
struct PlateBoxes;

class frmMain : public QMainWindow {
  Q_OBJECT
 public:
  using DataReaderFactory = std::function<std::unique_ptr<IDataReader>()>;

  // help must outlive the window. The data reader is made on the first
  // Process; an empty factory reads Data.dat beside the program.
  explicit frmMain(IHelp& help, DataReaderFactory dataReaderFactory = {},
                   QWidget* parent = nullptr);
  ~frmMain() override;

  // For the windows that fill in the plate: a code into its box, as typed,
  // and a template style chosen as the style list chooses it (0 to 5).
  void SetPlateCode(PlateField field, const QString& code);
  void SelectTemplateStyle(int style);
  // A code of a model year into its box, the template style of that year
  // chosen first when another one is shown.
  void FillBox(PlateField field, const QString& code, int modelYear);

  // Open Plates: the CSV file at path decoded in a window of its own; a file
  // that is not a list of plates is a message, and nothing else changes.
  void OpenPlates(const QString& path);
  // The open dialog of Open Plates, made on first use and kept with its fields.
  clsCommonFileDialog& OpenPlatesDialog();

  // The save dialog, made on the first save and kept with its fields.
  clsCommonFileDialog& SaveDialog();
  // Prints through another printer (tests: a queue that keeps the job).
  void UsePrinter(std::unique_ptr<IReportPrinter> printer);

  // What Exit does: ends the program at once. Replaceable for tests.
  std::function<void()> ExitProgram;

 public slots:
  // Process: decode the plate and write the report.
  void Process();

  // Report output, from the buttons and the menu items.
  void CopyReport();
  void SaveReportAs();
  void PrintReport();

  // Tools > Code Tables: opens the code tables window, or raises it.
  void ShowCodeTables();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A .csv file dropped on the window is opened as with Open Plates.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // The boxes take dropped text; a dropped .csv file is the window's.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateCommandRow(QWidget* client);
  void CreateReportPanel(QWidget* client);
  void CreateMenus();
  void SetHelpContexts();
  void SetTabPlaces();

  // The eight plate boxes in Process order.
  const std::array<QLineEdit*, kPlateFieldCount>& PlateBoxList() const;
  void ShowBoxes(const PlateBoxes& boxes);
  // Clear: empties the eight plate boxes; nothing else changes.
  void ClearPlate();

  // The report panel. OpenReportPanel is what a complete decode does when
  // the panel is closed; the drop button opens and closes it too.
  void OpenReportPanel();
  void DropButtonToggled(bool open);
  // Open: the report box editable and, with Copy, Save As and Print, a tab
  // stop; closed: read-only and all four out of reach.
  void SetReportPanelControls(bool open);
  // Makes the window taller (or, negative, shorter) by this many twips.
  void ChangeWindowHeight(int twips);
  // Shows or hides the error notice after a complete decode; shown, it is
  // announced to assistive technology.
  void ShowErrorNotice(bool shown);
  void UnloadAllForms();

  IHelp& help_;
  DataReaderFactory dataReaderFactory_;
  GuiPrompter prompter_;
  std::unique_ptr<clsCodeReader> Reader;  // made on the first Process

  TabPlaces tabs_;
  Plate* plate_ = nullptr;  // the plate and the style list
  // The command row.
  QPushButton* processButton_ = nullptr;         // cmdProcess
  QPushButton* clearButton_ = nullptr;           // cmdClearSerial: empties all eight boxes
  QCheckBox* appendCheck_ = nullptr;             // chkAppend
  DropDescriptionButton* dropButton_ = nullptr;  // picDropDescription: opens, closes the panel
  // The report panel.
  QFrame* grooveShadow_ = nullptr;      // Line2
  QFrame* grooveHighlight_ = nullptr;   // Line1
  QPlainTextEdit* report_ = nullptr;    // txtDescription
  QPushButton* copyButton_ = nullptr;   // cmdCopyText
  QPushButton* saveButton_ = nullptr;   // cmdSaveAs
  QPushButton* printButton_ = nullptr;  // cmdPrint
  AlertLabel* errorText_ = nullptr;     // lblErrorOccurred
  LinkLabel* errorLink_ = nullptr;      // lblErrorNotice
  // The output menu items, enabled by the first complete decode.
  QAction* saveAction_ = nullptr;   // mnuFileSaveInfo
  QAction* printAction_ = nullptr;  // mnuFilePrintInfo
  QAction* copyAction_ = nullptr;   // mnuEditCopyInfo

  bool ReportPanelOpen = false;
  bool errorNotice_ = false;  // the last complete decode raised the error notice
  std::unique_ptr<ReportOutput> output_;
  frmCodeTables* codeTables_ = nullptr;  // made on the first request, a window of its own
  std::unique_ptr<clsCommonFileDialog> openPlatesDialog_;
};

}  // namespace vorrendal
