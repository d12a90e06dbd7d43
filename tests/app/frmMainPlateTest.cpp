// The plate styles, the drop button and report output as the real window
// runs them: start-up, the style list, opening and closing the report panel
// with the drop button, and copy / save / print from buttons and menus.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "AppTestSupport.h"
#include "app/ScreenUnits.h"
#include "ui/DropDescriptionButton.h"
#include "ui/PlateArranger.h"
#include "ui/ReportOutput.h"
#include "ui/ReportOutputFakes.h"

using namespace vorrendal;
using namespace vorrendal::testing;

namespace {

// The boxes the Tab key visits, starting after the style list.
QStringList KeyboardOrder(frmMain& window) {
  window.cboTemplateStyle->setFocus(Qt::OtherFocusReason);
  QStringList order;
  for (int i = 0; i < 40; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus == window.cmdProcess) break;
    order.append(focus->objectName());
  }
  return order;
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class frmMainPlateTest : public QObject {
  Q_OBJECT
 private slots:
  void opensWithTheFirstPlate() {
    TestWindow t;
    QCOMPARE(t.window.cboTemplateStyle->currentText(), QStringLiteral("1959-1961"));
    QCOMPARE(t.window.Arranger().AppliedTemplateStyle, 0);
    QVERIFY(!t.window.txtDSO->isVisible());
    QVERIFY(!t.window.lblDSO->isVisible());
    QCOMPARE(t.window.txtSerialNumber->height(), TwipsToPixels(375));
    QCOMPARE(t.window.lblMadeInUSAShort->text(), QStringLiteral("MADE IN U.S.A. BY"));
    QVERIFY(!t.window.imgBrantelLarge->pixmap().isNull());
    QVERIFY(!t.window.imgBrantelSmall->pixmap().isNull());
    QVERIFY(!t.window.windowIcon().isNull());
    QVERIFY(!t.window.picDropDescription->isEnabled());
    QCOMPARE(t.window.picDropDescription->Image(), DropImage::Disabled);
    QCOMPARE(QApplication::focusWidget(), t.window.txtSerialNumber);
  }

  void styleList_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("1959-1961") << 0 << QStringList{"txtSerialNumber", "txtBody", "txtColor", "txtTrim", "txtDate",
                                                   "txtTrans", "txtAxle"};
    QTest::newRow("1962") << 1 << QStringList{"txtBody", "txtColor", "txtTrim", "txtDate", "txtDSO", "txtAxle",
                                              "txtTrans", "txtSerialNumber"};
    QTest::newRow("1963-1966") << 2 << QStringList{"txtBody", "txtColor", "txtTrim", "txtDate", "txtDSO", "txtAxle",
                                                   "txtTrans", "txtSerialNumber"};
    QTest::newRow("1967-1969") << 3 << QStringList{"txtSerialNumber", "txtBody", "txtColor", "txtTrim", "txtDate",
                                                   "txtDSO", "txtAxle", "txtTrans"};
    QTest::newRow("1970-1972") << 4 << QStringList{"txtSerialNumber", "txtBody", "txtColor", "txtTrim", "txtAxle",
                                                   "txtTrans", "txtDSO"};
    QTest::newRow("1973-1974") << 5 << QStringList{"txtSerialNumber", "txtBody", "txtColor", "txtTrim", "txtTrans",
                                                   "txtAxle", "txtDSO"};
  }

  // Choosing a style in the window's list rearranges the plate and its tab
  // order; the decode still reads every box, hidden or not.
  void styleList() {
    QFETCH(int, style);
    QFETCH(QStringList, order);
    TestWindow t;
    t.window.cboTemplateStyle->setCurrentIndex(3);  // away from the first style, then to the one tested
    t.window.cboTemplateStyle->setCurrentIndex(style);
    QCOMPARE(t.window.Arranger().AppliedTemplateStyle, style);
    QCOMPARE(KeyboardOrder(t.window), order);
    QCOMPARE(t.window.txtType->isVisible(), style == 5);

    t.TypeGoodPlate();
    t.window.cmdProcess->click();
    QVERIFY(t.window.txtDescription->toPlainText().contains(QStringLiteral("Date (12A)")));
    QVERIFY(t.window.txtDescription->toPlainText().contains(QStringLiteral("DSO (21)")));
  }

  // The drop button closes and opens the report panel; a later decode does
  // not grow the window a second time.
  void dropButtonTogglesThePanel() {
    TestWindow t;
    const int closed = t.window.height();
    const int open = closed + TwipsToPixels(frmMain::kReportPanelTwips);
    QTest::mouseClick(t.window.picDropDescription, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(t.window.height(), closed);  // disabled before the first decode
    QVERIFY(t.window.DropState.isEmpty());

    t.TypeGoodPlate();
    t.window.cmdProcess->click();
    QCOMPARE(t.window.height(), open);
    QCOMPARE(t.window.picDropDescription->Image(), DropImage::BlackUp);

    t.window.txtDescription->setFocus();
    QTest::mouseClick(t.window.picDropDescription, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(t.window.DropState, QStringLiteral("Black-Down"));
    QCOMPARE(t.window.picDropDescription->Image(), DropImage::BlackDown);
    QVERIFY(!t.window.ReportPanelOpen);
    QCOMPARE(t.window.height(), closed);
    QCOMPARE(QApplication::focusWidget(), t.window.cmdProcess);
    QVERIFY(t.window.txtDescription->isReadOnly());
    QCOMPARE(t.window.cmdCopyText->focusPolicy(), Qt::ClickFocus);

    QTest::mouseClick(t.window.picDropDescription, Qt::LeftButton, {}, QPoint(8, 8));
    QVERIFY(t.window.ReportPanelOpen);
    QCOMPARE(t.window.DropState, QStringLiteral("Black-Up"));
    QCOMPARE(t.window.height(), open);
    QVERIFY(!t.window.txtDescription->isReadOnly());

    t.window.cmdProcess->click();
    QCOMPARE(t.window.height(), open);

    // Closed by the button, opened again by the next decode.
    QTest::mouseClick(t.window.picDropDescription, Qt::LeftButton, {}, QPoint(8, 8));
    t.window.cmdProcess->click();
    QVERIFY(t.window.ReportPanelOpen);
    QCOMPARE(t.window.height(), open);
  }

  void outputFromButtonsAndMenus() {
    QTemporaryDir dir;
    TestWindow t;
    test::FakeOutput fakes;
    const QString saved = dir.filePath(QStringLiteral("plate.txt"));
    const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
    fakes.names = {saved};
    t.window.UseReportOutputServices(fakes.Services(pdf));

    // Ctrl+S does nothing until a decode has enabled the menu items.
    QTest::keyClick(&t.window, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!QFile::exists(saved));

    t.TypeGoodPlate();
    t.window.cmdProcess->click();
    t.window.txtDescription->appendPlainText(QStringLiteral("checked by hand"));
    const QString report = t.window.txtDescription->toPlainText();

    QTest::keyClick(&t.window, Qt::Key_S, Qt::ControlModifier);
    const QByteArray bytes = Read(saved);
    QVERIFY(bytes.endsWith("checked by hand\r\n"));
    QVERIFY(bytes.startsWith("Serial (Warranty) Number: 5A31V100001\r\n"));
    QCOMPARE(bytes, ReportOutput::SaveBytes(report));

    t.window.cmdPrint->click();
    QVERIFY(Read(pdf).startsWith("%PDF"));

    t.window.mnuEditCopyInfo->trigger();
    QCOMPARE(fakes.clipboard, (QStringList{QStringLiteral("clear"), QStringLiteral("set:") + report}));
    QVERIFY(fakes.messages.isEmpty());
  }

  void missingPrinterIsAMessage() {
    TestWindow t;
    test::FakeOutput fakes;
    t.window.UseReportOutputServices(fakes.Services());
    t.TypeGoodPlate();
    t.window.cmdProcess->click();
    const QString report = t.window.txtDescription->toPlainText();
    t.window.mnuFilePrintInfo->trigger();
    QCOMPARE(fakes.messages.size(), 1);
    QVERIFY(fakes.messages[0].startsWith(QStringLiteral("Print|")));
    QCOMPARE(t.window.txtDescription->toPlainText(), report);
    QVERIFY(t.window.ReportPanelOpen);
  }
};

QTEST_MAIN(frmMainPlateTest)
#include "frmMainPlateTest.moc"
