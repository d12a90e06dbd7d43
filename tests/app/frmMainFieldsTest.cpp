// The main window before and around a decode: its controls as they start,
// the box limits, select-all on entry, Enter and the default button, Clear,
// menus, help and closing.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QWhatsThis>

#include "AppTestSupport.h"
#include "app/LinkLabel.h"
#include "app/ScreenUnits.h"

using namespace vorrendal;
using namespace vorrendal::testing;

namespace {

template <typename T>
T* Child(QWidget& window, const QString& name) {
  return window.findChild<T*>(name);
}

}  // namespace

class frmMainFieldsTest : public QObject {
  Q_OBJECT
 private slots:
  void windowStartsAsAPlate() {
    TestWindow t;
    QCOMPARE(t.window.windowTitle(), QStringLiteral("1959-1974 Vorrendal"));
    QCOMPARE(t.window.ClientHeight(), TwipsToPixels(frmMain::kClientHeightTwips));
    QCOMPARE(t.window.centralWidget()->width(), TwipsToPixels(frmMain::kClientWidthTwips));
    QCOMPARE(t.readersMade, 0);  // nothing is read before the first Process
    QCOMPARE(t.window.cboTemplateStyle->currentText(), QStringLiteral("1959-1961"));
    QCOMPARE(t.window.cboTemplateStyle->count(), 6);
    QCOMPARE(QApplication::focusWidget(), t.window.txtSerialNumber);
    QVERIFY(!t.window.ReportPanelOpen);
    QVERIFY(t.window.DropState.isEmpty());
    QVERIFY(!t.window.picDropDescription->isEnabled());
    QCOMPARE(t.window.picDropDescription->size(), QSize(17, 17));
  }

  void controlsStartAsDesigned_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QRect>("twips");  // designed place; empty: not checked
    QTest::addColumn<bool>("mayGrow");  // a label may grow to fit its text
    const auto row = [](const char* name, const char* text, const char* tooltip, bool visible,
                        bool enabled, QRect twips = {}) {
      QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(text)
                          << QString::fromLatin1(tooltip) << visible << enabled << twips
                          << (QByteArray(name).startsWith("lbl") || QByteArray(name) == "Label10");
    };
    row("cmdProcess", "&Process", "Process (Decode) The Information", true, true,
        QRect(120, 2280, 975, 375));
    row("cmdClearSerial", "C&lear", "Clear The Information", true, true);
    row("chkAppend", "&Append", "Append (Add) To The Text", true, false);
    row("cmdCopyText", "&Copy", "Copy Text To Clipboard", true, true, QRect(120, 6000, 975, 375));
    row("cmdSaveAs", "&Save As...", "Save Text To A File", true, true, QRect(1200, 6000, 975, 375));
    row("cmdPrint", "P&rint", "Print Text", true, true, QRect(2280, 6000, 975, 375));
    row("Label10", "Template &Style:", "", true, true, QRect(120, 75, 1095, 255));
    row("lblErrorOccurred", "An error occurred while decoding. Please read the", "", false, true,
        QRect(3360, 6000, 2535, 375));
    row("lblErrorNotice", "Error Notice.", "", false, true, QRect(4515, 6195, 885, 195));
    row("lblSerialNumber", "SERIAL NUMBER", "", true, true);
    row("lblBody", "BODY", "", true, true);
    row("lblTrans", "TRANS.", "", true, true);
    row("lblDSO", "DSO", "", false, true);
    row("lblType", "TYPE", "", false, true);
    row("lblMadeInUSAShort", "MADE IN U.S.A. BY", "", true, true, QRect(2520, 600, 735, 450));
    row("lblMadeInUSALong", "MADE IN U.S.A.", "", false, true, QRect(0, 1920, 6015, 210));
    row("txtType", "PASSENGER", "", false, false, QRect(2400, 600, 1575, 385));
    row("Shape1", "", "", true, true, QRect(0, 360, 6015, 1815));
    row("txtDescription", "", "", true, true, QRect(120, 2880, 5775, 3015));
    row("imgBrantelLarge", "", "", true, true, QRect(3360, 480, 2070, 720));
    row("imgBrantelSmall", "", "", false, true);
  }
  void controlsStartAsDesigned() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, tooltip);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    QFETCH(QRect, twips);
    QFETCH(bool, mayGrow);
    TestWindow t;
    auto* widget = Child<QWidget>(t.window, name);
    QVERIFY2(widget != nullptr, qPrintable(name));
    if (!text.isEmpty()) {
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) QCOMPARE(button->text(), text);
      else if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), text);
      else if (auto* box = qobject_cast<QLineEdit*>(widget)) QCOMPARE(box->text(), text);
      else QFAIL("no text on this control");
    }
    QCOMPARE(widget->toolTip(), tooltip);
    QCOMPARE(widget->isVisible(), visible);
    QCOMPARE(widget->isEnabled(), enabled);
    if (!twips.isEmpty()) {
      const QRect designed(TwipsToPixels(twips.x()), TwipsToPixels(twips.y()),
                           TwipsToPixels(twips.width()), TwipsToPixels(twips.height()));
      if (mayGrow) {
        QCOMPARE(widget->pos(), designed.topLeft());
        QVERIFY(widget->width() >= designed.width() && widget->height() >= designed.height());
      } else {
        QCOMPARE(widget->geometry(), designed);
      }
    }
  }

  void plateBoxes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QPoint>("twips");
    QTest::newRow("serial") << "txtSerialNumber" << 11 << "Enter the serial (warranty) number here"
                            << QPoint(600, 840);
    QTest::newRow("body") << "txtBody" << 3 << "Enter the body code here" << QPoint(600, 1560);
    QTest::newRow("color") << "txtColor" << 2 << "Enter the color code here" << QPoint(1440, 1560);
    QTest::newRow("trim") << "txtTrim" << 3 << "Enter the trim code here" << QPoint(2400, 1560);
    QTest::newRow("date") << "txtDate" << 3 << "Enter the date code here" << QPoint(3120, 1560);
    QTest::newRow("dso") << "txtDSO" << 2 << "Enter the DSO code here" << QPoint(5160, 2280);
    QTest::newRow("trans") << "txtTrans" << 1 << "Enter the transmission code here"
                           << QPoint(3960, 1560);
    QTest::newRow("axle") << "txtAxle" << 1 << "Enter the axle code here" << QPoint(4920, 1560);
  }
  void plateBoxes() {
    QFETCH(QString, name);
    QFETCH(int, limit);
    QFETCH(QString, tooltip);
    QFETCH(QPoint, twips);
    TestWindow t;
    auto* box = Child<QLineEdit>(t.window, name);
    QVERIFY(box != nullptr);
    QCOMPARE(box->toolTip(), tooltip);
    QCOMPARE(box->pos(), QPoint(TwipsToPixels(twips.x()), TwipsToPixels(twips.y())));
    QCOMPARE(box->height(), TwipsToPixels(375));
    QCOMPARE(box->font().bold(), true);
    QCOMPARE(box->font().pixelSize(), PointsToPixels(11.25));
    QVERIFY(box->font().families().contains(QStringLiteral("Arial")));
    // Typing past the limit is refused.
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("ABCDEFGHIJKLMNOP"));
    QCOMPARE(box->text(), QStringLiteral("ABCDEFGHIJKLMNOP").left(limit));
    QCOMPARE(box->maxLength(), limit);
  }

  void labelsShowTheirWholeText() {
    TestWindow t;
    for (QLabel* label : t.window.centralWidget()->findChildren<QLabel*>()) {
      if (label->text().isEmpty() || label->pixmap().isNull() == false) continue;
      QString text = label->text();
      text.remove('&');
      const QSize needed =
          label->wordWrap()
              ? QSize(label->width(), label->heightForWidth(label->width()))
              : QSize(label->fontMetrics().horizontalAdvance(text), label->fontMetrics().height());
      QVERIFY2(label->width() >= needed.width() && label->height() >= needed.height(),
               qPrintable(label->objectName() + " is too small for " + label->text()));
    }
  }

  void captionsAreWhiteBoldOnTheBlackPlate() {
    TestWindow t;
    const QColor plate = t.window.Shape1->palette().color(QPalette::Window);
    QCOMPARE(plate, QColor(Qt::black));
    for (QLabel* caption : {t.window.lblSerialNumber, t.window.lblBody, t.window.lblColor,
                            t.window.lblTrim, t.window.lblDate, t.window.lblTrans, t.window.lblAxle}) {
      QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(Qt::white));
      QVERIFY(caption->font().bold());
      QCOMPARE(caption->font().pixelSize(), PointsToPixels(9.75));
      // On the plate, and standing above it.
      QVERIFY(t.window.Shape1->geometry().contains(caption->geometry()));
    }
    const QImage shot = t.window.grab().toImage();
    const QPoint inPlate = t.window.Shape1->geometry().topLeft() + QPoint(3, 3) +
                           t.window.centralWidget()->pos();
    QCOMPARE(shot.pixelColor(inPlate), QColor(Qt::black));
    QCOMPARE(t.window.txtDescription->font().pixelSize(), PointsToPixels(9));
    QVERIFY(t.window.txtDescription->font().families().contains(QStringLiteral("Courier New")));
  }

  void enteringABoxSelectsItsText_data() {
    QTest::addColumn<bool>("byMouse");
    QTest::newRow("tab") << false;
    QTest::newRow("click") << true;
  }
  void enteringABoxSelectsItsText() {
    QFETCH(bool, byMouse);
    TestWindow t;
    t.window.txtBody->setText(QStringLiteral("54A"));
    t.window.txtSerialNumber->setFocus();
    if (byMouse) {
      QTest::mouseClick(t.window.txtBody, Qt::LeftButton, {}, QPoint(4, 4));
    } else {
      QTest::keyClick(t.window.txtSerialNumber, Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), t.window.txtBody);
    QCOMPARE(t.window.txtBody->selectedText(), QStringLiteral("54A"));
    QTest::keyClicks(t.window.txtBody, QStringLiteral("62b"));
    QCOMPARE(t.window.txtBody->text(), QStringLiteral("62b"));
    // A second click inside the box that already has the focus places the
    // caret as usual.
    if (byMouse) {
      QTest::mouseClick(t.window.txtBody, Qt::LeftButton, {}, QPoint(4, 4));
      QVERIFY(!t.window.txtBody->hasSelectedText());
    }
  }

  void tabFollowsThePlate() {
    TestWindow t;
    const QList<QWidget*> expected{t.window.txtBody,  t.window.txtColor, t.window.txtTrim,
                                   t.window.txtDate,  t.window.txtTrans, t.window.txtAxle,
                                   t.window.cmdProcess, t.window.cmdClearSerial,
                                   t.window.cboTemplateStyle};
    t.window.txtSerialNumber->setFocus();
    for (QWidget* next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
  }

  void enterRunsProcessExceptInTheReportBox_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("processes");
    QTest::newRow("serial box") << "txtSerialNumber" << true;
    QTest::newRow("axle box") << "txtAxle" << true;
    QTest::newRow("template list") << "cboTemplateStyle" << true;
    QTest::newRow("process button") << "cmdProcess" << true;
    QTest::newRow("report box") << "txtDescription" << false;
  }
  void enterRunsProcessExceptInTheReportBox() {
    QFETCH(QString, focus);
    QFETCH(bool, processes);
    TestWindow t;
    t.TypeGoodPlate();
    t.window.Process();  // opens the panel: the report box takes the focus
    QVERIFY(t.window.ReportPanelOpen);
    t.window.txtDescription->setPlainText(QStringLiteral("edited"));
    QSignalSpy clicks(t.window.cmdProcess, &QPushButton::clicked);
    auto* target = Child<QWidget>(t.window, focus);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    QCOMPARE(t.window.cmdProcess->isDefault(), processes);
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(clicks.count(), processes ? 1 : 0);
    if (processes) {
      QVERIFY(t.window.txtDescription->toPlainText().startsWith("Serial (Warranty) Number: "));
    } else {
      QCOMPARE(t.window.txtDescription->toPlainText(), QStringLiteral("\nedited"));
      // Leaving the report box makes Enter run Process again.
      t.window.txtBody->setFocus();
      QVERIFY(t.window.cmdProcess->isDefault());
      QTest::keyClick(t.window.txtBody, Qt::Key_Enter, Qt::KeypadModifier);
      QCOMPARE(clicks.count(), 1);
    }
  }

  void enterOnAnotherButtonPressesThatButton() {
    TestWindow t;
    t.TypeGoodPlate();
    QSignalSpy process(t.window.cmdProcess, &QPushButton::clicked);
    t.window.cmdClearSerial->setFocus();
    QTest::keyClick(t.window.cmdClearSerial, Qt::Key_Return);
    QCOMPARE(process.count(), 0);
    QVERIFY(t.window.txtSerialNumber->text().isEmpty());
  }

  void enterWithAModifierIsNotProcess() {
    TestWindow t;
    t.TypeGoodPlate();
    QSignalSpy process(t.window.cmdProcess, &QPushButton::clicked);
    QTest::keyClick(t.window.txtSerialNumber, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(process.count(), 0);
  }

  void clearEmptiesOnlyThePlateBoxes() {
    TestWindow t;
    t.TypeGoodPlate();
    t.window.Process();
    t.window.chkAppend->setChecked(true);
    const QString report = t.window.txtDescription->toPlainText();
    t.window.cboTemplateStyle->setCurrentIndex(0);
    t.window.txtBody->setFocus();
    QTest::keySequence(&t.window, QKeySequence(QStringLiteral("Alt+L")));  // C&lear
    QTRY_VERIFY(t.window.txtSerialNumber->text().isEmpty());
    for (QLineEdit* box : t.window.PlateBoxList()) QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
    QCOMPARE(t.window.txtDescription->toPlainText(), report);
    QVERIFY(t.window.chkAppend->isChecked());
    QCOMPARE(t.window.txtType->text(), QStringLiteral("PASSENGER"));
  }

  void menusAtStart_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("save") << "mnuFileSaveInfo" << "&Save Information" << QKeySequence("Ctrl+S") << false;
    QTest::newRow("print") << "mnuFilePrintInfo" << "&Print Information" << QKeySequence("Ctrl+P")
                           << false;
    QTest::newRow("exit") << "mnuFileExit" << "E&xit" << QKeySequence() << true;
    QTest::newRow("copy") << "mnuEditCopyInfo" << "&Copy Information" << QKeySequence() << false;
    QTest::newRow("contents") << "mnuHelpHelpContents" << "&Help Contents" << QKeySequence() << true;
    QTest::newRow("what's this") << "mnuHelpWhatsThis" << "&What's This?" << QKeySequence() << true;
    QTest::newRow("about") << "mnuHelpAbout" << "&About" << QKeySequence() << true;
  }
  void menusAtStart() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, enabled);
    TestWindow t;
    auto* action = t.window.findChild<QAction*>(name);
    QVERIFY(action != nullptr);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
    QCOMPARE(action->isEnabled(), enabled);
  }

  void menuOrder() {
    TestWindow t;
    QStringList menus;
    for (QAction* top : t.window.menuBar()->actions()) menus << top->menu()->objectName();
    QCOMPARE(menus, QStringList({"mnuFile", "mnuEdit", "mnuHelp"}));
    QStringList file;
    for (QAction* item : t.window.mnuFile->actions()) file << item->objectName();
    QCOMPARE(file, QStringList({"mnuFileSaveInfo", "mnuFilePrintInfo", "mnuFileLine2", "mnuFileExit"}));
    QVERIFY(t.window.mnuFileLine2->isSeparator());
  }

  void helpContentsAndErrorNoticeCallTheHelp() {
    TestWindow t;
    t.window.mnuHelpHelpContents->trigger();
    QCOMPARE(t.help.contents, 1);
    t.window.lblErrorNotice->show();
    QTest::mouseClick(t.window.lblErrorNotice, Qt::LeftButton);
    QCOMPARE(t.help.topics, std::vector<int>{frmMain::kErrorNoticeTopic});
  }

  void whatsThisOpensTheControlsTopic_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("topic");
    QTest::newRow("template list") << "cboTemplateStyle" << 6001;
    QTest::newRow("its caption") << "Label10" << 6001;
    QTest::newRow("a plate box") << "txtColor" << 6002;
    QTest::newRow("a plate caption") << "lblAxle" << 6002;
    QTest::newRow("process") << "cmdProcess" << 6003;
    QTest::newRow("clear") << "cmdClearSerial" << 6004;
    QTest::newRow("append, still disabled") << "chkAppend" << 6005;
    QTest::newRow("drop button, still disabled") << "picDropDescription" << 6006;
    QTest::newRow("report box, still locked") << "txtDescription" << 6007;
    QTest::newRow("plate background") << "Shape1" << 0;
    QTest::newRow("the emblem") << "imgBrantelLarge" << 0;
  }
  void whatsThisOpensTheControlsTopic() {
    QFETCH(QString, name);
    QFETCH(int, topic);
    TestWindow t;
    t.TypeGoodPlate();
    QSignalSpy process(t.window.cmdProcess, &QPushButton::clicked);
    t.window.mnuHelpWhatsThis->trigger();
    QVERIFY(QWhatsThis::inWhatsThisMode());
    auto* widget = Child<QWidget>(t.window, name);
    // The report panel's controls lie below the shut window: open it without
    // changing their states, so that they can be clicked.
    t.window.ChangeWindowHeight(frmMain::kReportPanelTwips);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3));
    QTRY_VERIFY(!QWhatsThis::inWhatsThisMode());
    QTest::qWait(20);
    QCOMPARE(t.help.topics, topic == 0 ? std::vector<int>{} : std::vector<int>{topic});
    QCOMPARE(process.count(), 0);  // the click asked for help, it did not press
  }

  void everyControlCarriesItsTopic_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("topic");
    for (const char* box : {"txtSerialNumber", "txtBody", "txtColor", "txtTrim", "txtDate", "txtDSO",
                            "txtTrans", "txtAxle", "txtType", "lblSerialNumber", "lblBody",
                            "lblColor", "lblTrim", "lblDate", "lblDSO", "lblTrans", "lblAxle",
                            "lblType", "lblMadeInUSALong"}) {
      QTest::newRow(box) << box << 6002;
    }
    QTest::newRow("chkAppend") << "chkAppend" << 6005;
    QTest::newRow("picDropDescription") << "picDropDescription" << 6006;
    QTest::newRow("txtDescription") << "txtDescription" << 6007;
    QTest::newRow("cmdCopyText") << "cmdCopyText" << 6008;
    QTest::newRow("cmdSaveAs") << "cmdSaveAs" << 6009;
    QTest::newRow("cmdPrint") << "cmdPrint" << 6010;
    QTest::newRow("lblMadeInUSAShort") << "lblMadeInUSAShort" << -1;
    QTest::newRow("lblErrorNotice") << "lblErrorNotice" << -1;
  }
  void everyControlCarriesItsTopic() {
    QFETCH(QString, name);
    QFETCH(int, topic);
    TestWindow t;
    auto* widget = Child<QWidget>(t.window, name);
    QVERIFY(widget != nullptr);
    const QVariant id = widget->property("helpContextId");
    if (topic < 0) {
      QVERIFY(!id.isValid());
    } else {
      QCOMPARE(id.toInt(), topic);
    }
  }

  void exitEndsAtOnceWithoutAsking() {
    TestWindow t;
    t.TypeGoodPlate();
    t.window.Process();
    int exits = 0;
    t.window.ExitProgram = [&exits] { ++exits; };
    ModalDriver driver;
    t.window.mnuFileExit->trigger();
    QCOMPARE(exits, 1);
    QTest::qWait(50);
    QVERIFY(driver.Unexpected().isEmpty());
  }

  void closingTheMainWindowClosesEveryWindow() {
    TestWindow t;
    QWidget other;
    other.setWindowTitle(QStringLiteral("another window"));
    other.show();
    QVERIFY(other.isVisible());
    QVERIFY(t.window.close());
    QVERIFY(!other.isVisible());
    QVERIFY(!t.window.isVisible());
  }
};

QTEST_MAIN(frmMainFieldsTest)
#include "frmMainFieldsTest.moc"
