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
  for (int style = 0; style < 6; ++style) {
    for (int from = 0; from < 6; ++from) {
      QTest::addRow("%s from %s", kStyles[style], kStyles[from]) << style << from;
    }
  }
}

// The plate's elements that show, in reading order.
QList<QWidget*> Shown(const TestWindow& t) {
  const QRect plate = t.Get("Shape1")->geometry();
  QList<QWidget*> shown;
  for (QWidget* w : t.window.centralWidget()->findChildren<QWidget*>()) {
    if (w->isVisible() && w->objectName() != "Shape1" && plate.intersects(w->geometry()))
      shown << w;
  }
  std::sort(shown.begin(), shown.end(), [](QWidget* a, QWidget* b) {
    return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
  });
  return shown;
}

// How far apart two rectangles are, in pixels (0 when they touch or overlap).
int Distance(const QRect& a, const QRect& b) {
  const int dx = std::max({0, a.left() - b.right(), b.left() - a.right()});
  const int dy = std::max({0, a.top() - b.bottom(), b.top() - a.bottom()});
  return static_cast<int>(std::hypot(dx, dy));
}

}  // namespace

class frmMainPlateTest : public QObject {
  Q_OBJECT
 private slots:
  void readsInOrder_data() { EveryStyleFromEveryOther(); }
  void readsInOrder() {
    QFETCH(int, style);
    QFETCH(int, from);
    TestWindow t;
    t.window.SelectTemplateStyle(from);
    t.window.SelectTemplateStyle(style);
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
    QFETCH(int, style);
    QFETCH(int, from);
    TestWindow t;
    t.window.SelectTemplateStyle(from);
    t.window.SelectTemplateStyle(style);
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

  // Each caption nearest its own box, its words whole; boxes 375 twips high.
  void plateReadsCleanly_data() { EveryStyleFromEveryOther(); }
  void plateReadsCleanly() {
    QFETCH(int, style);
    QFETCH(int, from);
    TestWindow t;
    t.window.SelectTemplateStyle(from);
    t.window.SelectTemplateStyle(style);
    const QList<QWidget*> shown = Shown(t);
    for (QWidget* w : shown) {
      const QString name = w->objectName();
      QVERIFY2(t.Get("Shape1")->geometry().contains(w->geometry()), qPrintable(name));
      for (QWidget* other : shown) {
        const bool text = !name.startsWith("img") && !other->objectName().startsWith("img");
        // A pixel's touch (the captions' empty edges) is not overlap.
        const QRect inner = w->geometry().adjusted(1, 1, -1, -1);
        QVERIFY2(w == other || !text || !inner.intersects(other->geometry()),
                 qPrintable(name + " on " + other->objectName()));
      }
      if (kBoxes.contains(name)) QCOMPARE(w->height(), TwipsToPixels(375));
      auto* caption = qobject_cast<QLabel*>(w);
      if (caption == nullptr || !kBoxes.contains("txt" + name.mid(3))) continue;
      const QSize words = caption->fontMetrics().size(0, caption->text());
      QVERIFY2(caption->width() >= words.width() && caption->height() >= words.height(),
               qPrintable(name));
      QWidget* nearest = nullptr;
      for (const QString& box : kBoxes) {
        if (!t.Box(box)->isVisible()) continue;
        if (!nearest || Distance(caption->geometry(), t.Box(box)->geometry()) <
                            Distance(caption->geometry(), nearest->geometry()))
          nearest = t.Box(box);
      }
      QCOMPARE(nearest->objectName(), "txt" + name.mid(3));
    }
  }

  void hiddenBoxesKeepTheirCodes_data() {
    QTest::addColumn<int>("style");
    QTest::newRow("1959-1961: no DSO") << 0;
    QTest::newRow("1970-1972: no date") << 4;
  }
  void hiddenBoxesKeepTheirCodes() {
    QFETCH(int, style);
    TestWindow t;
    t.window.SelectTemplateStyle(1);
    t.TypeGoodPlate();
    t.window.SelectTemplateStyle(style);
    t.window.Process();
    QVERIFY(t.Report().contains("Date (12A)") && t.Report().contains("DSO (21)"));
  }

  void typeBoxNeverTakesTheFocus() {
    TestWindow t;
    t.window.SelectTemplateStyle(5);
    QTest::mouseClick(t.Get("txtType"), Qt::LeftButton);
    QVERIFY(QApplication::focusWidget() != t.Get("txtType"));
  }
};

QTEST_MAIN(frmMainPlateTest)
#include "frmMainPlateTest.moc"
