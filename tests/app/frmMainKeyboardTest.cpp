// The window worked from the keyboard.

#include "AppTestSupport.h"
#include "ui/FakePrinter.h"

namespace {

// Every control Tab reaches in one round from the serial number box.
QStringList TabRound(const TestWindow& t) {
  t.Box("txtSerialNumber")->setFocus(Qt::TabFocusReason);
  QStringList reached;
  for (int i = 0; i < 40; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus == t.Box("txtSerialNumber")) break;
    reached << focus->objectName();
  }
  return reached;
}

}  // namespace

class frmMainKeyboardTest : public QObject {
  Q_OBJECT
 private slots:
  void tabLeavesTheReportBox_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("next");
    QTest::newRow("Tab") << Qt::Key_Tab << "cmdCopyText";
    QTest::newRow("Shift+Tab") << Qt::Key_Backtab << "chkAppend";
  }
  void tabLeavesTheReportBox() {
    QFETCH(Qt::Key, key);
    QFETCH(QString, next);
    TestWindow t;
    t.DecodeGoodPlate();
    const QString report = t.Report();
    t.Get("txtDescription")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(t.Get("txtDescription"), key);
    QCOMPARE(QApplication::focusWidget()->objectName(), next);
    QCOMPARE(t.Report(), report);
  }

  // A focused push button, else Process; none where Enter does something else.
  void onlyTheEnterButtonLooksDefault_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("looksDefault");
    const auto row = [](const char* name, const char* focus, const char* looksDefault) {
      QTest::newRow(name) << QString::fromLatin1(focus) << QString::fromLatin1(looksDefault);
    };
    row("a plate box", "txtBody", "cmdProcess");
    row("Process", "cmdProcess", "cmdProcess");
    row("Clear", "cmdClearSerial", "cmdClearSerial");
    row("the drop button", "picDropDescription", "cmdProcess");
    row("the report box", "txtDescription", "");
    row("the error notice's link", "lblErrorNotice", "");
  }
  void onlyTheEnterButtonLooksDefault() {
    QFETCH(QString, focus);
    QFETCH(QString, looksDefault);
    TestWindow t;
    t.DecodeWithError();  // raises the error notice
    t.Get(focus)->setFocus(Qt::TabFocusReason);
    QStringList looks;
    for (QPushButton* button : t.window.findChildren<QPushButton*>())
      if (button->isDefault()) looks << button->objectName();
    QCOMPARE(looks.join(u' '), looksDefault);
  }

  // Tab passes them by, their access keys do nothing; Alt+S is the style list's.
  void closedPanelIsOutOfReach_data() {
    QTest::addColumn<bool>("decodedFirst");
    QTest::newRow("before the first decode") << false;
    QTest::newRow("closed with the drop button") << true;
  }
  void closedPanelIsOutOfReach() {
    QFETCH(bool, decodedFirst);
    TestWindow t;
    QTemporaryDir dir;
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    t.window.UsePrinter(std::make_unique<FakePrinter>(printed));
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    if (decodedFirst) {
      t.DecodeGoodPlate();
      t.ClickDropButton();
    }
    for (const QString& name : TabRound(t))
      QVERIFY2(
          !QStringList({"cmdCopyText", "cmdSaveAs", "cmdPrint", "txtDescription"}).contains(name),
          qPrintable(name));
    ModalDriver driver;  // a save dialog would be a modal window nobody expects
    t.Box("txtSerialNumber")->setFocus();
    for (int i = 0; i < 2; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
      QCOMPARE(QApplication::focusWidget(), t.Get("cboTemplateStyle"));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
    QApplication::processEvents();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    QVERIFY(!QFile::exists(printed));
    QVERIFY(driver.Unexpected().isEmpty());
  }

  // Started from the Process button too, so that typing replaces it.
  void refusedYearSelectsTheSerial() {
    TestWindow t;
    t.Type({"*5A31V10000", "52A"});
    t.Get("cmdProcess")->setFocus(Qt::TabFocusReason);
    ModalDriver driver;
    driver.Then(Press(QMessageBox::Ok));
    QTest::keyClick(t.Get("cmdProcess"), Qt::Key_Return);
    QVERIFY(driver.Done());
    QCOMPARE(t.window.focusWidget(), t.Box("txtSerialNumber"));
    QCOMPARE(t.Box("txtSerialNumber")->selectedText(), QStringLiteral("*5A31V10000"));
  }

  // After the drop button while the notice shows; Enter or Space opens its topic.
  void errorNoticeLinkByKeyboard_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("Enter") << Qt::Key_Enter;
    QTest::newRow("Space") << Qt::Key_Space;
  }
  void errorNoticeLinkByKeyboard() {
    QFETCH(Qt::Key, key);
    TestWindow t;
    QWidget* drop = t.Get("picDropDescription");
    QWidget* link = t.Get("lblErrorNotice");
    t.DecodeGoodPlate();
    drop->setFocus(Qt::TabFocusReason);
    QTest::keyClick(drop, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != link);
    t.DecodeWithError();
    drop->setFocus(Qt::TabFocusReason);
    QTest::keyClick(drop, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), link);
    QSignalSpy processed(t.Get("cmdProcess"), SIGNAL(clicked()));
    QTest::keyClick(link, key);
    QCOMPARE(t.help.topics, std::vector<int>{IDH_ERROR_NOTICE});
    QCOMPARE(processed.count(), 0);
  }
};

QTEST_MAIN(frmMainKeyboardTest)
#include "frmMainKeyboardTest.moc"
