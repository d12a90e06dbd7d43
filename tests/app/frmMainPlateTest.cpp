// The plate styles and report output as the real window runs them: every
// style's places and tab order, and copy / save / print from buttons and menus.

#include "AppTestSupport.h"
#include "ui/FakePrinter.h"
#include "ui/ReportOutput.h"

namespace {

// Every plate field in every style, the boxes in PlateBoxList order, from the plate drawings
// in twips; an empty entry is a hidden field. Boxes are 375 twips high.
struct Place {
  const char* caption;
  int captionLeft, captionTop, boxLeft, boxTop, boxWidth;
};
const Place kPlaces[6][8] = {
    {{"SERIAL NUMBER", 600, 600, 600, 840, 1695},
     {"BODY", 600, 1320, 600, 1560, 615},
     {"COLOR", 1440, 1320, 1440, 1560, 735},
     {"TRIM", 2400, 1320, 2400, 1560, 495},
     {"DATE", 3120, 1320, 3120, 1560, 615},
     {},
     {"TRANS.", 3960, 1320, 3960, 1560, 735},
     {"AXLE", 4920, 1320, 4920, 1560, 495}},
    {{"SERIAL NUMBER", 240, 1320, 240, 1560, 1695},
     {"BODY", 240, 600, 240, 840, 615},
     {"COLOR", 1080, 600, 1080, 840, 735},
     {"TRIM", 2040, 600, 2040, 840, 495},
     {"DATE", 2760, 600, 2760, 840, 615},
     {"D.S.O.", 3600, 600, 3600, 840, 495},
     {"TRANS.", 5040, 600, 5040, 840, 735},
     {"AXLE", 4320, 600, 4320, 840, 495}},
    {{"VEHICLE WARRANTY NUMBER", 360, 1320, 240, 1560, 3135},
     {"BODY", 240, 600, 240, 840, 615},
     {"COLOR", 1080, 600, 1080, 840, 735},
     {"TRIM", 2040, 600, 2040, 840, 495},
     {"DATE", 2760, 600, 2760, 840, 615},
     {"DSO", 3600, 600, 3600, 840, 495},
     {"TRANS", 5040, 600, 5040, 840, 735},
     {"AXLE", 4320, 600, 4320, 840, 495}},
    {{"WARRANTY NUMBER", 2025, 800, 240, 720, 1680},
     {"BODY", 240, 1700, 240, 1320, 615},
     {"COLOR", 1080, 1700, 1080, 1320, 735},
     {"TRIM", 2040, 1700, 2040, 1320, 495},
     {"DATE", 2760, 1700, 2760, 1320, 615},
     {"D.S.O.", 3600, 1700, 3600, 1320, 495},
     {"TRANS.", 5040, 1700, 5040, 1320, 735},
     {"AXLE", 4320, 1700, 4320, 1320, 495}},
    {{"VEH. IDENT. NO.", 1200, 480, 1200, 720, 1815},
     {"BODY", 3240, 480, 3120, 720, 735},
     {"COL.", 4080, 480, 3960, 720, 615},
     {"TRIM", 1320, 1200, 1200, 1440, 735},
     {},
     {"DSO", 3840, 1200, 3480, 1440, 1095},
     {"TRNS.", 2760, 1200, 2760, 1440, 615},
     {"AXLE", 2040, 1200, 2040, 1440, 615}},
    {{"VEH. IDENT. NO.", 480, 970, 480, 600, 1680},
     {"BODY", 480, 1320, 480, 1560, 615},
     {"COLOR", 1440, 1320, 1440, 1560, 615},
     {"TRIM", 2400, 1320, 2400, 1560, 495},
     {},
     {"DSO", 5040, 1320, 5040, 1560, 495},
     {"TRANS.", 3240, 1320, 3240, 1560, 615},
     {"AXLE", 4200, 1320, 4200, 1560, 495}},
};
// The other plate pieces each style shows, in this order (all others hidden).
struct Extra {
  int style;
  const char *name, *text;
  int left, top;
};
const Extra kExtras[] = {
    {0, "lblMadeInUSAShort", "MADE IN U.S.A. BY", 2520, 600},
    {0, "imgBrantelLarge", nullptr, 3360, 480},
    {1, "lblMadeInUSAShort", "MADE IN U.S.A. BY", 2400, 1320},
    {1, "imgBrantelLarge", nullptr, 3120, 1320},
    {2, "imgBrantelLarge", nullptr, 3720, 1320},
    {3, "lblMadeInUSAShort", "MADE IN U.S.A.", 5280, 700},
    {3, "imgBrantelSmall", nullptr, 4080, 640},
    {4, "lblMadeInUSALong", "MADE IN U.S.A.", 0, 1920},
    {5, "txtType", "PASSENGER", 2400, 600},
    {5, "lblType", "TYPE", 2940, 970},
};
// The keyboard's way round the window after the style list, style by style.
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

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class frmMainPlateTest : public QObject {
  Q_OBJECT
 private slots:
  // Each style reached from every other one puts the plate in the same
  // places and the same tab order; boxes a style hid kept their text, and
  // the decode still reads every box.
  void styles() {
    for (int style = 0; style < 6; ++style) {
      TestWindow t;
      t.TypeGoodPlate();
      for (int from = 0; from < 6; ++from) {
        const Row row(QStringLiteral("style %1 from %2").arg(style).arg(from));
        t.window.cboTemplateStyle->setCurrentIndex(from);
        t.window.cboTemplateStyle->setCurrentIndex(style);
        for (int field = 0; field < 8; ++field) {
          const Place& p = kPlaces[style][field];
          QLineEdit* box = t.window.PlateBoxList()[field];
          auto* caption = t.window.findChild<QLabel*>("lbl" + box->objectName().mid(3));
          QVERIFY2(box->isVisible() == (p.caption != nullptr) &&
                       caption->isVisible() == box->isVisible(),
                   qPrintable(box->objectName()));
          if (p.caption == nullptr) continue;
          QCOMPARE(caption->text(), QString::fromLatin1(p.caption));
          QCOMPARE(caption->pos(), At(p.captionLeft, p.captionTop));
          const QSize boxSize(TwipsToPixels(p.boxWidth), TwipsToPixels(375));
          QCOMPARE(box->geometry(), QRect(At(p.boxLeft, p.boxTop), boxSize));
        }
        QStringList shown, expected;  // the other pieces as "name x y text"
        const QString piece = QStringLiteral("%1 %2 %3 %4");
        for (const char* name : {"lblMadeInUSAShort", "imgBrantelLarge", "imgBrantelSmall",
                                 "lblMadeInUSALong", "txtType", "lblType"}) {
          auto* w = t.window.findChild<QWidget*>(name);
          if (w->isVisible())
            shown << piece.arg(name).arg(w->x()).arg(w->y()).arg(w->property("text").toString());
        }
        for (const Extra& e : kExtras) {
          if (e.style != style) continue;
          expected
              << piece.arg(e.name).arg(TwipsToPixels(e.left)).arg(TwipsToPixels(e.top)).arg(e.text);
        }
        QCOMPARE(shown, expected);
      }
      QCOMPARE(TabOrder(t.window),
               QStringLiteral("%1 cmdProcess cmdClearSerial").arg(kTabOrder[style]));
      if (style == 5)
        QTest::mouseClick(t.window.txtType, Qt::LeftButton);     // the greyed "PASSENGER" box
      QVERIFY(QApplication::focusWidget() != t.window.txtType);  // never takes the focus
      t.window.cmdProcess->click();
      QVERIFY(t.Report().contains("Date (12A)") && t.Report().contains("DSO (21)"));
    }
  }

  // Save (Ctrl+S), Print and Copy hand the box's text to their services; a
  // missing printer is a message that leaves the report alone.
  void outputFromButtonsAndMenus() {
    QTemporaryDir dir;
    TestWindow t;
    const QString saved = dir.filePath(QStringLiteral("plate.txt"));
    const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
    auto printer = std::make_unique<FakePrinter>(pdf);
    FakePrinter* queue = printer.get();
    t.window.UsePrinter(std::move(printer));
    t.window.SaveDialog().NextFileNames = [&saved](QFileDialog&) { return QStringList{saved}; };
    t.DecodeGoodPlate();
    t.window.txtDescription->appendPlainText(QStringLiteral("checked by hand"));
    QTest::keyClick(&t.window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Read(saved), ReportOutput::SaveBytes(t.Report()));
    QVERIFY(Read(saved).startsWith("Serial (Warranty) Number: 5A31V100001\r\n"));
    t.window.cmdPrint->click();
    QVERIFY(Read(pdf).startsWith("%PDF"));
    QCOMPARE(queue->jobs, QStringList{QStringLiteral("Vorrendal - 5A31V100001")});
    t.window.mnuEditCopyInfo->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), t.Report());
    t.window.UsePrinter(std::make_unique<FakePrinter>(QString()));
    const QString report = t.Report();
    ModalDriver driver;
    QString seen;
    driver.Then(Press(QMessageBox::Ok, &seen));
    t.window.mnuFilePrintInfo->trigger();
    QVERIFY(driver.Done());
    QVERIFY(seen.startsWith(QStringLiteral("Print|")));
    QCOMPARE(t.Report(), report);
  }
};

QTEST_MAIN(frmMainPlateTest)
#include "frmMainPlateTest.moc"
