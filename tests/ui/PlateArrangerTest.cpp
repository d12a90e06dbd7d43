// The six plate arrangements: places, captions, shown and hidden elements,
// the tab order they leave behind, and what a style change must not touch.

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <optional>

#include "PlateWindowFixture.h"
#include "ui/PlateArranger.h"
#include "ui/TabPlaces.h"

using vorrendal::PlateArranger;
using vorrendal::TabPlaces;
using vorrendal::test::PlateWindowFixture;
using vorrendal::test::Px;

namespace {

// What each style must show, written out from the plate drawings.
struct FieldExpect {
  const char* caption;  // null: the field is hidden
  int captionLeft, captionTop, boxLeft, boxTop, boxWidth;
};
struct ElementExpect {
  bool shown;
  int left = -1, top = -1;
  const char* text = nullptr;
};
struct StyleExpect {
  // serial, body, color, trim, date, DSO, trans, axle
  std::array<FieldExpect, 8> fields;
  ElementExpect madeInShort, logoLarge, logoSmall, madeInLong, type;
  QStringList tabOrder;
};

const char* const kCaptions[8] = {"lblSerialNumber", "lblBody", "lblColor", "lblTrim",
                                  "lblDate",         "lblDSO",  "lblTrans", "lblAxle"};
const char* const kBoxes[8] = {"txtSerialNumber", "txtBody", "txtColor", "txtTrim",
                               "txtDate",         "txtDSO",  "txtTrans", "txtAxle"};

const std::array<StyleExpect, 6> kExpected{{
    {{{{"SERIAL NUMBER", 600, 600, 600, 840, 1695},
       {"BODY", 600, 1320, 600, 1560, 615},
       {"COLOR", 1440, 1320, 1440, 1560, 735},
       {"TRIM", 2400, 1320, 2400, 1560, 495},
       {"DATE", 3120, 1320, 3120, 1560, 615},
       {nullptr, 0, 0, 0, 0, 0},
       {"TRANS.", 3960, 1320, 3960, 1560, 735},
       {"AXLE", 4920, 1320, 4920, 1560, 495}}},
     {true, 2520, 600, "MADE IN U.S.A. BY"},
     {true, 3360, 480},
     {false},
     {false},
     {false},
     {"txtSerialNumber", "txtBody", "txtColor", "txtTrim", "txtDate", "txtTrans", "txtAxle"}},
    {{{{"SERIAL NUMBER", 240, 1320, 240, 1560, 1695},
       {"BODY", 240, 600, 240, 840, 615},
       {"COLOR", 1080, 600, 1080, 840, 735},
       {"TRIM", 2040, 600, 2040, 840, 495},
       {"DATE", 2760, 600, 2760, 840, 615},
       {"D.S.O.", 3600, 600, 3600, 840, 495},
       {"TRANS.", 5040, 600, 5040, 840, 735},
       {"AXLE", 4320, 600, 4320, 840, 495}}},
     {true, 2400, 1320, "MADE IN U.S.A. BY"},
     {true, 3120, 1320},
     {false},
     {false},
     {false},
     {"txtBody", "txtColor", "txtTrim", "txtDate", "txtDSO", "txtAxle", "txtTrans", "txtSerialNumber"}},
    {{{{"VEHICLE WARRANTY NUMBER", 360, 1320, 240, 1560, 3135},
       {"BODY", 240, 600, 240, 840, 615},
       {"COLOR", 1080, 600, 1080, 840, 735},
       {"TRIM", 2040, 600, 2040, 840, 495},
       {"DATE", 2760, 600, 2760, 840, 615},
       {"DSO", 3600, 600, 3600, 840, 495},
       {"TRANS", 5040, 600, 5040, 840, 735},
       {"AXLE", 4320, 600, 4320, 840, 495}}},
     {false},
     {true, 3720, 1320},
     {false},
     {false},
     {false},
     {"txtBody", "txtColor", "txtTrim", "txtDate", "txtDSO", "txtAxle", "txtTrans", "txtSerialNumber"}},
    {{{{"WARRANTY NUMBER", 1920, 800, 240, 720, 1575},
       {"BODY", 240, 1700, 240, 1320, 615},
       {"COLOR", 1080, 1700, 1080, 1320, 735},
       {"TRIM", 2040, 1700, 2040, 1320, 495},
       {"DATE", 2760, 1700, 2760, 1320, 615},
       {"D.S.O.", 3600, 1700, 3600, 1320, 495},
       {"TRANS.", 5040, 1700, 5040, 1320, 735},
       {"AXLE", 4320, 1700, 4320, 1320, 495}}},
     {true, 5280, 700, "MADE IN U.S.A."},
     {false},
     {true, 4080, 640},
     {false},
     {false},
     {"txtSerialNumber", "txtBody", "txtColor", "txtTrim", "txtDate", "txtDSO", "txtAxle", "txtTrans"}},
    {{{{"VEH. IDENT. NO.", 1200, 480, 1200, 720, 1815},
       {"BODY", 3240, 480, 3120, 720, 735},
       {"COL.", 4080, 480, 3960, 720, 615},
       {"TRIM", 1320, 1200, 1200, 1440, 735},
       {nullptr, 0, 0, 0, 0, 0},
       {"DSO", 3840, 1200, 3480, 1440, 1095},
       {"TRNS.", 2760, 1200, 2760, 1440, 615},
       {"AXLE", 2040, 1200, 2040, 1440, 615}}},
     {false},
     {false},
     {false},
     {true, 0, 1920},
     {false},
     {"txtSerialNumber", "txtBody", "txtColor", "txtTrim", "txtAxle", "txtTrans", "txtDSO"}},
    {{{{"VEH. IDENT. NO.", 480, 970, 480, 600, 1575},
       {"BODY", 480, 1320, 480, 1560, 615},
       {"COLOR", 1440, 1320, 1440, 1560, 615},
       {"TRIM", 2400, 1320, 2400, 1560, 495},
       {nullptr, 0, 0, 0, 0, 0},
       {"DSO", 5040, 1320, 5040, 1560, 495},
       {"TRANS.", 3240, 1320, 3240, 1560, 615},
       {"AXLE", 4200, 1320, 4200, 1560, 495}}},
     {false},
     {false},
     {false},
     {false},
     {true, 2400, 600},
     {"txtSerialNumber", "txtBody", "txtColor", "txtTrim", "txtTrans", "txtAxle", "txtDSO"}},
}};

// The boxes in the order the Tab key visits them, starting from the style list.
QStringList KeyboardOrder(QWidget& window) {
  auto* list = window.findChild<QWidget*>(QStringLiteral("cboTemplateStyle"));
  list->setFocus(Qt::OtherFocusReason);
  QStringList order;
  for (int i = 0; i < 40; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->objectName() == QStringLiteral("cmdProcess")) break;
    order.append(focus->objectName());
  }
  return order;
}

void CheckElement(QWidget& window, const char* name, const ElementExpect& expect, const QString& where) {
  auto* element = window.findChild<QWidget*>(QString::fromLatin1(name));
  QVERIFY2(element, name);
  QVERIFY2(element->isVisibleTo(&window) == expect.shown, qPrintable(where + u' ' + QLatin1String(name)));
  if (expect.left >= 0) {
    QCOMPARE(element->pos(), QPoint(Px(expect.left), Px(expect.top)));
  }
  if (expect.text) {
    QCOMPARE(qobject_cast<QLabel*>(element)->text(), QString::fromLatin1(expect.text));
  }
}

}  // namespace

class PlateArrangerTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsAllFound() {
    PlateWindowFixture window;
    PlateArranger arranger(&window);
    QCOMPARE(arranger.Controls().Missing(), QStringList());
    QCOMPARE(arranger.Tabs().Order().size(), PlateArranger::DesignedTabPlaces().size());
  }

  void arrangement_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("style");
    for (int from = 0; from < 6; ++from) {
      for (int style = 0; style < 6; ++style) {
        if (from == style) continue;
        QTest::addRow("%d->%d", from, style) << from << style;
      }
    }
  }

  // Every style reached from every other: the arrangement and the tab order
  // must not depend on the style shown before.
  void arrangement() {
    QFETCH(int, from);
    QFETCH(int, style);
    PlateWindowFixture window;
    PlateArranger arranger(&window);
    arranger.ConnectStyleList();
    arranger.Startup();
    auto* list = window.Find<QComboBox>(QStringLiteral("cboTemplateStyle"));
    list->setCurrentIndex(from);
    list->setCurrentIndex(style);
    QCOMPARE(arranger.AppliedTemplateStyle, style);

    const StyleExpect& expect = kExpected[static_cast<std::size_t>(style)];
    for (std::size_t i = 0; i < 8; ++i) {
      const FieldExpect& field = expect.fields[i];
      auto* caption = window.Find<QLabel>(QString::fromLatin1(kCaptions[i]));
      auto* box = window.Find<QLineEdit>(QString::fromLatin1(kBoxes[i]));
      const QString where = QStringLiteral("style %1 %2").arg(style).arg(QLatin1String(kBoxes[i]));
      QVERIFY2(box->isVisibleTo(&window) == (field.caption != nullptr), qPrintable(where));
      QVERIFY2(caption->isVisibleTo(&window) == (field.caption != nullptr), qPrintable(where));
      if (!field.caption) continue;
      QCOMPARE(caption->text(), QString::fromLatin1(field.caption));
      QCOMPARE(caption->pos(), QPoint(Px(field.captionLeft), Px(field.captionTop)));
      // Captions size themselves to their text.
      QCOMPARE(caption->size(), caption->sizeHint());
      QCOMPARE(box->geometry(), QRect(Px(field.boxLeft), Px(field.boxTop), Px(field.boxWidth), Px(375)));
    }
    CheckElement(window, "lblMadeInUSAShort", expect.madeInShort, QStringLiteral("style %1").arg(style));
    CheckElement(window, "imgBrantelLarge", expect.logoLarge, QStringLiteral("style %1").arg(style));
    CheckElement(window, "imgBrantelSmall", expect.logoSmall, QStringLiteral("style %1").arg(style));
    CheckElement(window, "lblMadeInUSALong", expect.madeInLong, QStringLiteral("style %1").arg(style));
    CheckElement(window, "lblType", {expect.type.shown, 2940, 970}, QStringLiteral("style %1").arg(style));
    CheckElement(window, "txtType", expect.type, QStringLiteral("style %1").arg(style));
    // The character limits hold in every style.
    QCOMPARE(window.Find<QLineEdit>(QStringLiteral("txtSerialNumber"))->maxLength(), 11);

    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(KeyboardOrder(window), expect.tabOrder);
  }

  void startupAppliesFirstStyle() {
    PlateWindowFixture window;
    PlateArranger arranger(&window);
    arranger.ConnectStyleList();
    QCOMPARE(arranger.AppliedTemplateStyle, 0);
    auto* dso = window.Find<QLineEdit>(QStringLiteral("txtDSO"));
    // Without forcing the marker, style 0 looks applied and nothing moves:
    // the designed DSO box stays below the plate.
    arranger.ArrangePlate(0);
    QVERIFY(dso->isVisibleTo(&window));
    QCOMPARE(dso->pos(), QPoint(Px(5160), Px(2280)));

    arranger.Startup();
    QCOMPARE(window.Find<QComboBox>(QStringLiteral("cboTemplateStyle"))->currentText(), QStringLiteral("1959-1961"));
    QCOMPARE(arranger.AppliedTemplateStyle, 0);
    QVERIFY(!dso->isVisibleTo(&window));
    QCOMPARE(dso->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(window.Find<QLineEdit>(QStringLiteral("txtSerialNumber"))->height(), Px(375));
    QCOMPARE(window.Find<QLabel>(QStringLiteral("lblMadeInUSAShort"))->text(), QStringLiteral("MADE IN U.S.A. BY"));
  }

  // Every label whose text a style changes is offered to the fitting hook.
  void fitHookSeesChangedLabels() {
    PlateWindowFixture window;
    PlateArranger arranger(&window);
    QStringList fitted;
    arranger.FitLabel = [&fitted](QLabel* label) { fitted.append(label->objectName()); };
    arranger.AppliedTemplateStyle = -1;
    arranger.ArrangePlate(3);
    QVERIFY(fitted.contains(QStringLiteral("lblMadeInUSAShort")));
    QVERIFY(fitted.contains(QStringLiteral("lblSerialNumber")));
    QCOMPARE(fitted.size(), 9);  // eight captions and the short label
  }

  // Choosing the style already applied changes nothing, not even the tab order.
  void sameStyleChangesNothing() {
    PlateWindowFixture window;
    PlateArranger arranger(&window);
    arranger.ConnectStyleList();
    arranger.Startup();
    auto* list = window.Find<QComboBox>(QStringLiteral("cboTemplateStyle"));
    list->setCurrentIndex(2);
    auto* serial = window.Find<QLineEdit>(QStringLiteral("txtSerialNumber"));
    serial->move(7, 7);
    arranger.Tabs().SetTabPlace(serial, 1);
    const QList<QWidget*> order = arranger.Tabs().Order();
    arranger.ArrangePlate(2);
    QCOMPARE(serial->pos(), QPoint(7, 7));
    QCOMPARE(arranger.Tabs().Order(), order);
    // No item selected: nothing happens.
    list->setCurrentIndex(-1);
    QCOMPARE(arranger.AppliedTemplateStyle, 2);
    QCOMPARE(serial->pos(), QPoint(7, 7));
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
    PlateWindowFixture window;
    PlateArranger arranger(&window);
    arranger.ConnectStyleList();
    arranger.Startup();
    auto* list = window.Find<QComboBox>(QStringLiteral("cboTemplateStyle"));
    list->setCurrentIndex(showingStyle);
    auto* edit = window.Find<QLineEdit>(box);
    edit->setText(QStringLiteral("K12"));
    list->setCurrentIndex(hidingStyle);
    QVERIFY(!edit->isVisibleTo(&window));
    QCOMPARE(edit->text(), QStringLiteral("K12").left(edit->maxLength()));
    list->setCurrentIndex(showingStyle);
    QVERIFY(edit->isVisibleTo(&window));
    QCOMPARE(edit->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(edit->text(), QStringLiteral("K12").left(edit->maxLength()));
  }

  // The greyed type box of 1973-1974 is shown but never takes the focus,
  // neither by Tab nor by the mouse.
  void passengerNeverTakesFocus() {
    PlateWindowFixture window;
    PlateArranger arranger(&window);
    arranger.ConnectStyleList();
    arranger.Startup();
    window.Find<QComboBox>(QStringLiteral("cboTemplateStyle"))->setCurrentIndex(5);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* type = window.Find<QLineEdit>(QStringLiteral("txtType"));
    QVERIFY(type->isVisible());
    QCOMPARE(type->text(), QStringLiteral("PASSENGER"));
    window.Find<QWidget>(QStringLiteral("txtSerialNumber"))->setFocus();
    for (int i = 0; i < 30; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QVERIFY(QApplication::focusWidget() != type);
    }
    QTest::mouseClick(type, Qt::LeftButton);
    QVERIFY(QApplication::focusWidget() != type);
    QTest::keyClicks(QApplication::focusWidget(), QString());
    QCOMPARE(type->text(), QStringLiteral("PASSENGER"));
  }
};

// Tab places: moving a control shifts the ones between its old and new place.
class TabPlacesTest : public QObject {
  Q_OBJECT

 private slots:
  void setTabPlace_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("expected");
    QTest::newRow("down") << "b" << 3 << "a c d b e";
    QTest::newRow("up") << "d" << 1 << "a d b c e";
    QTest::newRow("same") << "c" << 2 << "a b c d e";
    QTest::newRow("past the end") << "a" << 99 << "b c d e a";
    QTest::newRow("unknown") << "z" << 0 << "a b c d e";
  }

  void setTabPlace() {
    QFETCH(QString, control);
    QFETCH(int, place);
    QFETCH(QString, expected);
    QWidget window;
    QList<QWidget*> controls;
    for (const char* name : {"a", "b", "c", "d", "e", "z"}) {
      auto* w = new QWidget(&window);
      w->setObjectName(QString::fromLatin1(name));
      if (QLatin1String(name) != QLatin1String("z")) controls.append(w);
    }
    TabPlaces places;
    places.Build(controls);
    places.SetTabPlace(window.findChild<QWidget*>(control), place);
    QStringList names;
    for (QWidget* w : places.Order()) names.append(w->objectName());
    QCOMPARE(names.join(u' '), expected);
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int status = 0;
  {
    PlateArrangerTest plate;
    status |= QTest::qExec(&plate, argc, argv);
  }
  {
    TabPlacesTest places;
    status |= QTest::qExec(&places, argc, argv);
  }
  return status;
}

#include "PlateArrangerTest.moc"
