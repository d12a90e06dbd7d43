#pragma once
// The window tests' shared pieces; controls are found by their designed names.

#include <QtTest>
#include <QtWidgets>

#include "app/IHelp.h"
#include "app/frmMain.h"
#include "resources/help/context.h"
#include "support/MemoryDataReader.h"
#include "support/ModalDriver.h"
#include "ui/ScreenUnits.h"

namespace vorrendal::testing {

struct RecordingHelp final : IHelp {
  void ShowContents(QWidget*) override {}
  void ShowTopic(int contextId, QWidget*) override { topics.push_back(contextId); }
  std::vector<int> topics;
};

// The control of a window with that name; a test without it stops here.
template <typename T = QWidget>
T* Find(const QWidget& window, const QString& name) {
  T* found = window.findChild<T*>(name);
  if (found == nullptr) qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
  return found;
}

// Rows of one column, "row", each named by itself; its fields are separated by '|'.
inline void Rows(std::initializer_list<const char*> rows) {
  QTest::addColumn<QString>("row");
  for (const char* row : rows) QTest::newRow(row) << QString(row);
}
inline QStringList Fields() {
  QFETCH(QString, row);
  return row.split(u'|');
}

// Answers the year question with the first (0) or second (1) year.
inline ModalDriver::Action AnswerYear(int answer) {
  return [answer](QWidget* modal) {
    Find<QRadioButton>(*modal, answer == 1 ? "optYear2" : "optYear1")->setChecked(true);
    Find<QPushButton>(*modal, "cmdOK")->click();
  };
}

using YearData = std::map<std::string, std::vector<MemoryDataReader::Record>>;

// Descriptions short enough that no report line wraps.
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

inline const QStringList kBoxes{"txtSerialNumber", "txtBody", "txtColor", "txtTrim",
                                "txtDate",         "txtDSO",  "txtTrans", "txtAxle"};

// Shown and active; counts the readers it made (with data, when given, instead of the years).
struct TestWindow {
  using Factory = frmMain::DataReaderFactory;
  explicit TestWindow(YearData years = PlateData(), Factory data = {})
      : window(help, [this, years, data] {
          ++readersMade;
          if (data) return data();
          return std::unique_ptr<IDataReader>(std::make_unique<MemoryDataReader>(years));
        }) {
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
    closedHeight = window.height();
  }

  template <typename T = QWidget>
  T* Get(const QString& name) const {
    return Find<T>(window, name);
  }
  QLineEdit* Box(const QString& name) const { return Find<QLineEdit>(window, name); }
  QString Report() const { return Get<QPlainTextEdit>("txtDescription")->toPlainText(); }

  // Serial, body, color, trim, date, DSO, trans, axle; codes left off are emptied.
  void Type(const QStringList& codes) {
    for (int i = 0; i < kPlateFieldCount; ++i)
      window.SetPlateCode(static_cast<PlateField>(i), codes.value(i));
  }
  // Every code has a description; an unknown body code raises the error notice.
  void TypeGoodPlate() { Type({"5A31V100001", "52A", "A", "A1", "12A", "21", "1", "1"}); }
  void DecodeGoodPlate() {
    TypeGoodPlate();
    window.Process();
  }
  void DecodeWithError() {
    Type({"5A31V100001", "99Z", "A", "A1", "12A", "21", "1", "1"});
    window.Process();
  }
  // Runs Process, pressing OK on the boxes expected: each "title|text|icon|buttons", then more.
  QStringList ProcessPressingOk(int boxes) {
    ModalDriver driver;
    QStringList seen(boxes);
    for (QString& box : seen) driver.Then(Press(QMessageBox::Ok, &box));
    window.Process();
    return seen + driver.Unexpected();
  }
  void ClickDropButton() const { QTest::mouseClick(Get("picDropDescription"), Qt::LeftButton); }

  RecordingHelp help;
  int readersMade = 0;
  frmMain window;
  int closedHeight = 0;
};

}  // namespace vorrendal::testing

using namespace vorrendal;
using namespace vorrendal::testing;
