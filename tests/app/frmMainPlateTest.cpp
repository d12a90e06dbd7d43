// The plate in its six styles, each reached from every other one.

#include "AppTestSupport.h"

namespace {

const char* const kStyles[] = {"1959-1961", "1962",      "1963-1966",
                               "1967-1969", "1970-1972", "1973-1974"};

// Top to bottom, left to right; logos by name, the code boxes not at all.
const char* const kReading[] = {
    "[large logo], SERIAL NUMBER, MADE IN U.S.A. BY, BODY, COLOR, TRIM, DATE, TRANS., AXLE",
    "BODY, COLOR, TRIM, DATE, D.S.O., AXLE, TRANS., SERIAL NUMBER, MADE IN U.S.A. BY, "
    "[large logo]",
    "BODY, COLOR, TRIM, DATE, DSO, AXLE, TRANS, VEHICLE WARRANTY NUMBER, [large logo]",
    "[small logo], MADE IN U.S.A., WARRANTY NUMBER, BODY, COLOR, TRIM, DATE, D.S.O., AXLE, "
    "TRANS.",
    "VEH. IDENT. NO., BODY, COL., TRIM, AXLE, TRNS., DSO, MADE IN U.S.A.",
    "[PASSENGER], VEH. IDENT. NO., TYPE, BODY, COLOR, TRIM, TRANS., AXLE, DSO",
};

// The boxes Tab visits from the style list, in the order they stand on the plate.
const char* const kTabOrder[] = {
    "SerialNumber Body Color Trim Date Trans Axle",
    "Body Color Trim Date DSO Axle Trans SerialNumber",
    "Body Color Trim Date DSO Axle Trans SerialNumber",
    "SerialNumber Body Color Trim Date DSO Axle Trans",
    "SerialNumber Body Color Trim Axle Trans DSO",
    "SerialNumber Body Color Trim Trans Axle DSO",
};

void EveryStyleFromEveryOther() {
  QTest::addColumn<int>("style");
  QTest::addColumn<int>("from");
  for (int style = 0; style < 6; ++style)
    for (int from = 0; from < 6; ++from)
      QTest::addRow("%s from %s", kStyles[style], kStyles[from]) << style << from;
}

// Switches the window to the row's style from the row's other one; the style.
int Switch(TestWindow& t) {
  QFETCH(int, style);
  QFETCH(int, from);
  t.window.SelectTemplateStyle(from);
  t.window.SelectTemplateStyle(style);
  return style;
}

// The plate's elements that show, in reading order.
QList<QWidget*> Shown(const TestWindow& t) {
  const QRect plate = t.Get("Shape1")->geometry();
  QList<QWidget*> shown;
  for (QWidget* w : t.window.centralWidget()->findChildren<QWidget*>())
    if (w->isVisible() && w->objectName() != "Shape1" && plate.intersects(w->geometry()))
      shown << w;
  std::sort(shown.begin(), shown.end(), [](QWidget* a, QWidget* b) {
    return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
  });
  return shown;
}

// The columns of an image that hold ink (a pixel unlike the background).
QList<int> InkColumns(const QImage& image, QColor background) {
  QList<int> columns;
  for (int x = 0; x < image.width(); ++x) {
    int y = 0;
    while (y < image.height() && QColor(image.pixel(x, y)) == background) ++y;
    if (y < image.height()) columns << x;
  }
  return columns;
}

}  // namespace

class frmMainPlateTest : public QObject {
  Q_OBJECT
 private slots:
  void readsInOrder_data() { EveryStyleFromEveryOther(); }
  void readsInOrder() {
    TestWindow t;
    const int style = Switch(t);
    QStringList read;
    for (QWidget* w : Shown(t)) {
      if (w->objectName() == "imgBrantelLarge") read << "[large logo]";
      if (w->objectName() == "imgBrantelSmall") read << "[small logo]";
      if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull())
        read << label->text();
      if (auto* box = qobject_cast<QLineEdit*>(w); box && !box->isEnabled())
        read << '[' + box->text() + ']';
    }
    QCOMPARE(read.join(", "), QString::fromLatin1(kReading[style]));
  }

  void tabFollowsThePlate_data() { EveryStyleFromEveryOther(); }
  void tabFollowsThePlate() {
    TestWindow t;
    const int style = Switch(t);
    t.Get("cboTemplateStyle")->setFocus(Qt::OtherFocusReason);
    QStringList order;
    for (int i = 0; i < 9; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      const QString name = QApplication::focusWidget()->objectName();
      if (!name.startsWith("txt")) break;
      order << name.mid(3);
    }
    QCOMPARE(order.join(' '), QString::fromLatin1(kTabOrder[style]));
    QCOMPARE(QApplication::focusWidget(), t.Get("cmdProcess"));
  }

  void hiddenBoxesKeepTheirCodes() {
    TestWindow t;
    t.window.SelectTemplateStyle(1);
    t.TypeGoodPlate();
    t.window.SelectTemplateStyle(4);  // no date box
    t.window.Process();
    QVERIFY(t.Report().contains("Date (12A)") && t.Report().contains("DSO (21)"));
  }

  void typeBoxNeverTakesTheFocus() {
    TestWindow t;
    t.window.SelectTemplateStyle(5);
    QTest::mouseClick(t.Get("txtType"), Qt::LeftButton);
    QVERIFY(QApplication::focusWidget() != t.Get("txtType"));
  }

  void fullWidthLineStaysWhole_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("district") << "DSO (47) = Minneapolis-St. Paul, Minnesota District";
    QTest::newRow("no space to break at") << QString(51, u'W');
  }
  void fullWidthLineStaysWhole() {
    QFETCH(QString, line);
    QCOMPARE(line.size(), 51);
    TestWindow t;
    t.DecodeGoodPlate();
    auto* report = t.Get<QPlainTextEdit>("txtDescription");
    report->setPlainText(QStringLiteral("Year (5) = 1965\n") + line);
    QApplication::processEvents();
    QCOMPARE(report->document()->lastBlock().layout()->lineCount(), 1);
  }

  // Not "theError".
  void errorNoticeWordsStandApart() {
    TestWindow t;
    t.DecodeWithError();
    auto* text = t.Get<QLabel>("lblErrorOccurred");
    auto* link = t.Get<QLabel>("lblErrorNotice");
    QVERIFY(text->isVisible() && link->isVisible());
    const QColor ground = t.window.centralWidget()->palette().color(QPalette::Window);
    // The sentence's last line is the band the link stands in.
    const QRect band(0, link->y() - text->y(), text->width(), link->height());
    QVERIFY(text->rect().contains(band.topLeft()) && band.y() > 0);
    const QList<int> words = InkColumns(text->grab(band).toImage(), ground);
    const QList<int> linkInk = InkColumns(link->grab().toImage(), ground);
    QVERIFY(!words.isEmpty() && !linkInk.isEmpty());
    const int wordsEnd = text->x() + words.last();
    const int linkStart = link->x() + linkInk.first();
    QVERIFY2(
        linkStart - wordsEnd > QFontMetrics(link->font()).horizontalAdvance(u' ') / 2,
        qPrintable(QStringLiteral("words end %1, link starts %2").arg(wordsEnd).arg(linkStart)));
  }

  // Its first character stands where a short serial's does.
  void serialBoxesShowWholeSerials_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("serial");
    for (int style = 0; style < 6; ++style) {
      QTest::addRow("style %d 1960-1974 form", style) << style << "8W88W888888";
      QTest::addRow("style %d 1959 form", style) << style << "W9WW888888";
    }
  }
  void serialBoxesShowWholeSerials() {
    QFETCH(int, style);
    QFETCH(QString, serial);
    TestWindow t;
    t.window.SelectTemplateStyle(style);
    QLineEdit* box = t.Box("txtSerialNumber");
    const auto firstCharacterAt = [box](const QString& text) {
      box->setText(text);
      box->setSelection(0, static_cast<int>(text.size()));  // the caret at the end, the anchor at 0
      box->repaint();
      return box->inputMethodQuery(Qt::ImAnchorRectangle).toRect().left();
    };
    const int unscrolled = firstCharacterAt(QStringLiteral("W"));
    QCOMPARE(firstCharacterAt(serial), unscrolled);
    QVERIFY(box->inputMethodQuery(Qt::ImCursorRectangle).toRect().right() <=
            box->contentsRect().right());
  }
};

QTEST_MAIN(frmMainPlateTest)
#include "frmMainPlateTest.moc"
