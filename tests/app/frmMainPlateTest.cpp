// The plate styles, the drop button and report output as the real window
// runs them: every style's places and tab order, the report panel opened and
// shut by the drop button, and copy / save / print from buttons and menus.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "AppTestSupport.h"
#include "ui/PlateArranger.h"
#include "ui/ReportOutputFakes.h"

using namespace vorrendal;
using namespace vorrendal::testing;

namespace {

// Every plate field in every style, from the plate drawings (twips); a null
// caption is a hidden field. Boxes are 375 twips high.
struct Place {
  int style;
  const char *box, *caption;
  int captionLeft, captionTop, boxLeft, boxTop, boxWidth;
};
const Place kPlaces[] = {
    {0, "SerialNumber", "SERIAL NUMBER", 600, 600, 600, 840, 1695},   {0, "Body", "BODY", 600, 1320, 600, 1560, 615},
    {0, "Color", "COLOR", 1440, 1320, 1440, 1560, 735},               {0, "Trim", "TRIM", 2400, 1320, 2400, 1560, 495},
    {0, "Date", "DATE", 3120, 1320, 3120, 1560, 615},                 {0, "DSO", nullptr, 0, 0, 0, 0, 0},
    {0, "Trans", "TRANS.", 3960, 1320, 3960, 1560, 735},              {0, "Axle", "AXLE", 4920, 1320, 4920, 1560, 495},
    {1, "SerialNumber", "SERIAL NUMBER", 240, 1320, 240, 1560, 1695}, {1, "Body", "BODY", 240, 600, 240, 840, 615},
    {1, "Color", "COLOR", 1080, 600, 1080, 840, 735},                 {1, "Trim", "TRIM", 2040, 600, 2040, 840, 495},
    {1, "Date", "DATE", 2760, 600, 2760, 840, 615},                   {1, "DSO", "D.S.O.", 3600, 600, 3600, 840, 495},
    {1, "Trans", "TRANS.", 5040, 600, 5040, 840, 735},                {1, "Axle", "AXLE", 4320, 600, 4320, 840, 495},
    {2, "SerialNumber", "VEHICLE WARRANTY NUMBER", 360, 1320, 240, 1560, 3135},
    {2, "Body", "BODY", 240, 600, 240, 840, 615},                     {2, "Color", "COLOR", 1080, 600, 1080, 840, 735},
    {2, "Trim", "TRIM", 2040, 600, 2040, 840, 495},                   {2, "Date", "DATE", 2760, 600, 2760, 840, 615},
    {2, "DSO", "DSO", 3600, 600, 3600, 840, 495},                     {2, "Trans", "TRANS", 5040, 600, 5040, 840, 735},
    {2, "Axle", "AXLE", 4320, 600, 4320, 840, 495},
    {3, "SerialNumber", "WARRANTY NUMBER", 1920, 800, 240, 720, 1575}, {3, "Body", "BODY", 240, 1700, 240, 1320, 615},
    {3, "Color", "COLOR", 1080, 1700, 1080, 1320, 735},               {3, "Trim", "TRIM", 2040, 1700, 2040, 1320, 495},
    {3, "Date", "DATE", 2760, 1700, 2760, 1320, 615},                 {3, "DSO", "D.S.O.", 3600, 1700, 3600, 1320, 495},
    {3, "Trans", "TRANS.", 5040, 1700, 5040, 1320, 735},              {3, "Axle", "AXLE", 4320, 1700, 4320, 1320, 495},
    {4, "SerialNumber", "VEH. IDENT. NO.", 1200, 480, 1200, 720, 1815}, {4, "Body", "BODY", 3240, 480, 3120, 720, 735},
    {4, "Color", "COL.", 4080, 480, 3960, 720, 615},                  {4, "Trim", "TRIM", 1320, 1200, 1200, 1440, 735},
    {4, "Date", nullptr, 0, 0, 0, 0, 0},                              {4, "DSO", "DSO", 3840, 1200, 3480, 1440, 1095},
    {4, "Trans", "TRNS.", 2760, 1200, 2760, 1440, 615},               {4, "Axle", "AXLE", 2040, 1200, 2040, 1440, 615},
    {5, "SerialNumber", "VEH. IDENT. NO.", 480, 970, 480, 600, 1575}, {5, "Body", "BODY", 480, 1320, 480, 1560, 615},
    {5, "Color", "COLOR", 1440, 1320, 1440, 1560, 615},               {5, "Trim", "TRIM", 2400, 1320, 2400, 1560, 495},
    {5, "Date", nullptr, 0, 0, 0, 0, 0},                              {5, "DSO", "DSO", 5040, 1320, 5040, 1560, 495},
    {5, "Trans", "TRANS.", 3240, 1320, 3240, 1560, 615},              {5, "Axle", "AXLE", 4200, 1320, 4200, 1560, 495},
};
// The other plate pieces each style shows (all others hidden).
struct Extra {
  int style;
  const char *name, *text;
  int left, top;
};
const Extra kExtras[] = {
    {0, "lblMadeInUSAShort", "MADE IN U.S.A. BY", 2520, 600}, {0, "imgBrantelLarge", nullptr, 3360, 480},
    {1, "lblMadeInUSAShort", "MADE IN U.S.A. BY", 2400, 1320}, {1, "imgBrantelLarge", nullptr, 3120, 1320},
    {2, "imgBrantelLarge", nullptr, 3720, 1320},
    {3, "lblMadeInUSAShort", "MADE IN U.S.A.", 5280, 700},     {3, "imgBrantelSmall", nullptr, 4080, 640},
    {4, "lblMadeInUSALong", "MADE IN U.S.A.", 0, 1920},
    {5, "txtType", "PASSENGER", 2400, 600},                    {5, "lblType", "TYPE", 2940, 970},
};
// The keyboard's way round the window after the style list, one style a line.
const char* const kTabOrder[] = {
    "SerialNumber Body Color Trim Date Trans Axle",
    "Body Color Trim Date DSO Axle Trans SerialNumber",
    "Body Color Trim Date DSO Axle Trans SerialNumber",
    "SerialNumber Body Color Trim Date DSO Axle Trans",
    "SerialNumber Body Color Trim Axle Trans DSO",
    "SerialNumber Body Color Trim Trans Axle DSO",
};

QString TabOrder(frmMain& window) {
  window.cboTemplateStyle->setFocus(Qt::OtherFocusReason);
  QStringList order;
  for (int i = 0; i < 40; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || focus == window.cboTemplateStyle) break;
    order << focus->objectName().remove(QRegularExpression("^txt"));
  }
  return order.join(' ');
}

QPoint At(int left, int top) { return {TwipsToPixels(left), TwipsToPixels(top)}; }

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
    QCOMPARE(t.window.cboTemplateStyle->count(), 6);
    QCOMPARE(t.window.Arranger().AppliedTemplateStyle, 0);
    QVERIFY(!t.window.txtDSO->isVisible());
    QVERIFY(!t.window.imgBrantelLarge->pixmap().isNull() && !t.window.windowIcon().isNull());
    QCOMPARE(t.window.picDropDescription->Image(), DropImage::Disabled);
  }

  void styles_data() {
    QTest::addColumn<int>("style");
    for (int style = 0; style < 6; ++style) QTest::addRow("%d", style) << style;
  }
  // Each style reached from every other one puts the plate in the same
  // places and the same tab order; the decode still reads every box.
  void styles() {
    QFETCH(int, style);
    TestWindow t;
    for (int from = 0; from < 6; ++from) {
      t.window.cboTemplateStyle->setCurrentIndex(from);
      t.window.cboTemplateStyle->setCurrentIndex(style);
      QCOMPARE(t.window.Arranger().AppliedTemplateStyle, style);
      for (const Place& p : kPlaces) {
        if (p.style != style) continue;
        auto* box = t.window.findChild<QLineEdit*>(QStringLiteral("txt") + p.box);
        auto* caption = t.window.findChild<QLabel*>(QStringLiteral("lbl") + p.box);
        const QString where = QStringLiteral("from %1: %2").arg(from).arg(p.box);
        QVERIFY2(box->isVisible() == (p.caption != nullptr) && caption->isVisible() == box->isVisible(),
                 qPrintable(where));
        if (p.caption == nullptr) continue;
        QCOMPARE(caption->text(), QString::fromLatin1(p.caption));
        QVERIFY2(caption->pos() == At(p.captionLeft, p.captionTop), qPrintable(where));
        QVERIFY2(box->geometry() == QRect(At(p.boxLeft, p.boxTop), QSize(TwipsToPixels(p.boxWidth), TwipsToPixels(375))),
                 qPrintable(where));
      }
      for (const char* name : {"lblMadeInUSAShort", "imgBrantelLarge", "imgBrantelSmall", "lblMadeInUSALong",
                               "txtType", "lblType"}) {
        auto* piece = t.window.findChild<QWidget*>(name);
        const auto extra = std::find_if(std::begin(kExtras), std::end(kExtras), [&](const Extra& e) {
          return e.style == style && qstrcmp(e.name, name) == 0;
        });
        const bool shown = extra != std::end(kExtras);
        QVERIFY2(piece->isVisible() == shown, name);
        if (!shown) continue;
        QVERIFY2(piece->pos() == At(extra->left, extra->top), name);
        if (extra->text != nullptr) {
          auto* label = qobject_cast<QLabel*>(piece);
          QCOMPARE(label ? label->text() : qobject_cast<QLineEdit*>(piece)->text(), QString::fromLatin1(extra->text));
        }
      }
    }
    QCOMPARE(TabOrder(t.window), QStringLiteral("%1 cmdProcess cmdClearSerial").arg(kTabOrder[style]));
    t.TypeGoodPlate();
    t.window.cmdProcess->click();
    QVERIFY(t.Report().contains(QStringLiteral("Date (12A)")) && t.Report().contains(QStringLiteral("DSO (21)")));
  }

  void hiddenBoxKeepsItsText_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("hidingStyle");
    QTest::addColumn<int>("showingStyle");
    QTest::newRow("date in 1970-1972") << QStringLiteral("txtDate") << 4 << 0;
    QTest::newRow("date in 1973-1974") << QStringLiteral("txtDate") << 5 << 3;
    QTest::newRow("DSO in 1959-1961") << QStringLiteral("txtDSO") << 0 << 1;
  }
  void hiddenBoxKeepsItsText() {
    QFETCH(QString, box);
    QFETCH(int, hidingStyle);
    QFETCH(int, showingStyle);
    TestWindow t;
    auto* edit = t.window.findChild<QLineEdit*>(box);
    t.window.cboTemplateStyle->setCurrentIndex(showingStyle);
    edit->setText(QStringLiteral("K1"));
    t.window.cboTemplateStyle->setCurrentIndex(hidingStyle);
    QVERIFY(!edit->isVisible());
    QCOMPARE(edit->text(), QStringLiteral("K1"));
    t.window.cboTemplateStyle->setCurrentIndex(showingStyle);
    QVERIFY(edit->isVisible() && (edit->focusPolicy() & Qt::TabFocus));
    QCOMPARE(edit->text(), QStringLiteral("K1"));
  }

  // The greyed type box of 1973-1974 never takes the focus, by Tab or mouse.
  void passengerNeverTakesFocus() {
    TestWindow t;
    t.window.cboTemplateStyle->setCurrentIndex(5);
    QVERIFY(t.window.txtType->isVisible());
    t.window.txtSerialNumber->setFocus();
    for (int i = 0; i < 20; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QVERIFY(QApplication::focusWidget() != t.window.txtType);
    }
    QTest::mouseClick(t.window.txtType, Qt::LeftButton);
    QVERIFY(QApplication::focusWidget() != t.window.txtType);
    QCOMPARE(t.window.txtType->text(), QStringLiteral("PASSENGER"));
  }

  // The drop button shuts and opens the report panel; no decode grows the
  // window a second time.
  void dropButtonTogglesThePanel() {
    TestWindow t;
    auto click = [&] { QTest::mouseClick(t.window.picDropDescription, Qt::LeftButton, {}, QPoint(8, 8)); };
    click();
    QCOMPARE(t.window.height(), t.closedHeight);  // disabled before the first decode
    QVERIFY(t.window.DropState.isEmpty());
    t.DecodeGoodPlate();
    QCOMPARE(t.window.height(), t.OpenHeight());
    t.window.txtDescription->setFocus();
    click();
    QCOMPARE(t.window.DropState, QStringLiteral("Black-Down"));
    QCOMPARE(t.window.picDropDescription->Image(), DropImage::BlackDown);
    QVERIFY(!t.window.ReportPanelOpen && t.window.txtDescription->isReadOnly());
    QCOMPARE(t.window.height(), t.closedHeight);
    QCOMPARE(QApplication::focusWidget(), t.window.cmdProcess);
    QCOMPARE(t.window.cmdCopyText->focusPolicy(), Qt::ClickFocus);
    click();
    QVERIFY(t.window.ReportPanelOpen && !t.window.txtDescription->isReadOnly());
    QCOMPARE(t.window.DropState, QStringLiteral("Black-Up"));
    QCOMPARE(t.window.height(), t.OpenHeight());
    t.window.cmdProcess->click();
    QCOMPARE(t.window.height(), t.OpenHeight());
    click();  // shut by the button, opened again by the next decode
    t.window.cmdProcess->click();
    QVERIFY(t.window.ReportPanelOpen);
    QCOMPARE(t.window.height(), t.OpenHeight());
  }

  void outputFromButtonsAndMenus() {
    QTemporaryDir dir;
    TestWindow t;
    test::FakeOutput fakes;
    const QString saved = dir.filePath(QStringLiteral("plate.txt"));
    const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
    fakes.names = {saved};
    t.window.UseReportOutputServices(fakes.Services(pdf));
    t.DecodeGoodPlate();
    t.window.txtDescription->appendPlainText(QStringLiteral("checked by hand"));
    QTest::keyClick(&t.window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Read(saved), ReportOutput::SaveBytes(t.Report()));
    QVERIFY(Read(saved).startsWith("Serial (Warranty) Number: 5A31V100001\r\n"));
    t.window.cmdPrint->click();
    QVERIFY(Read(pdf).startsWith("%PDF"));
    t.window.mnuEditCopyInfo->trigger();
    QCOMPARE(fakes.clipboard, (QStringList{QStringLiteral("clear"), QStringLiteral("set:") + t.Report()}));
    QVERIFY(fakes.messages.isEmpty());
  }

  void missingPrinterIsAMessage() {
    TestWindow t;
    test::FakeOutput fakes;
    t.window.UseReportOutputServices(fakes.Services());
    t.DecodeGoodPlate();
    const QString report = t.Report();
    t.window.mnuFilePrintInfo->trigger();
    QCOMPARE(fakes.messages.size(), 1);
    QVERIFY(fakes.messages[0].startsWith(QStringLiteral("Print|")));
    QCOMPARE(t.Report(), report);
    QVERIFY(t.window.ReportPanelOpen);
  }
};

QTEST_MAIN(frmMainPlateTest)
#include "frmMainPlateTest.moc"
