#pragma once
// Shared pieces of the window tests: a note naming the table row a check failed in, a recording
// help, a driver for modal windows, and a main window over in-memory data.

#include <QtTest>
#include <QtWidgets>
#include <functional>

#include "app/Accessibility.h"
#include "app/IHelp.h"
#include "app/LinkLabel.h"
#include "app/frmCorrectYearSelect.h"
#include "app/frmMain.h"
#include "resources/help/context.h"
#include "support/MemoryDataReader.h"
#include "support/ModalDriver.h"
#include "ui/DropDescriptionButton.h"
#include "ui/ScreenUnits.h"

namespace vorrendal::testing {

// A failed check returns from the test; on the way out this names the row.
struct Row {
  explicit Row(QString text) : name(std::move(text)) {}
  ~Row() {
    if (QTest::currentTestFailed()) qWarning("in row: %s", qPrintable(name));
  }
  QString name;
};

// A place on the window given in twips, in pixels.
inline QPoint At(int left, int top) { return {TwipsToPixels(left), TwipsToPixels(top)}; }

struct RecordingHelp final : IHelp {
  void ShowContents(QWidget*) override { ++contents; }
  void ShowTopic(int contextId, QWidget*) override { topics.push_back(contextId); }
  int contents = 0;
  std::vector<int> topics;
};

// Answers the year question with the first (0) or second (1) year.
inline ModalDriver::Action AnswerYear(int answer) {
  return [answer](QWidget* modal) {
    auto* dialog = qobject_cast<frmCorrectYearSelect*>(modal);
    if (dialog == nullptr) return modal->close(), void();
    (answer == 1 ? dialog->optYear2 : dialog->optYear1)->setChecked(true);
    dialog->cmdOK->click();
  };
}

using YearData = std::map<std::string, std::vector<MemoryDataReader::Record>>;

// Data for the plates the tests decode. Descriptions are short so that no
// report line is wrapped.
inline YearData PlateData() {
  YearData years;
  for (const std::string year : {"62", "64", "65", "66", "67", "68", "69", "71", "72", "74"}) {
    years[year] = {
        {"p" + year + "-A", "Linden"},       {"m" + year + "-31", "Aldren Sedan"},
        {"e" + year + "-V", "Six"},          {"b" + year + "-52A", "2-Door Sedan"},
        {"c" + year + "-A", "Black"},        {"c" + year + "-AB", "Black/White"},
        {"t" + year + "-A1", "Black Vinyl"}, {"s" + year + "-21", "New York"},
        {"r" + year + "-1", "Three-Speed"},  {"x" + year + "-1", "2.80:1"},
    };
  }
  return years;
}

// A main window over in-memory data; counts how often it made its reader.
struct TestWindow {
  explicit TestWindow(YearData years = PlateData())
      : window(help, [this, years] {
          ++readersMade;
          return std::make_unique<MemoryDataReader>(years);
        }) {
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
    closedHeight = window.height();
  }

  // Types a plate into the eight boxes (serial, body, color, trim, date, DSO, trans, axle).
  void Type(const QStringList& codes) {
    const QList<QLineEdit*> boxes = window.PlateBoxList();
    for (qsizetype i = 0; i < boxes.size(); ++i)
      boxes[i]->setText(i < codes.size() ? codes[i] : QString());
  }

  // A 1965 plate whose every code has a description.
  void TypeGoodPlate() { Type({"5A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"}); }
  void DecodeGoodPlate() {
    TypeGoodPlate();
    window.Process();
  }
  QString Report() const { return window.txtDescription->toPlainText(); }
  int OpenHeight() const { return closedHeight + TwipsToPixels(frmMain::kReportPanelTwips); }
  // The report panel's controls, which take the Tab key only while it is open.
  QList<QWidget*> PanelControls() const {
    return {window.txtDescription, window.cmdCopyText, window.cmdSaveAs, window.cmdPrint};
  }

  RecordingHelp help;
  int readersMade = 0;
  frmMain window;
  int closedHeight = 0;
};

}  // namespace vorrendal::testing

using namespace vorrendal;
using namespace vorrendal::testing;
