// The main window as a screen reader meets it, through Qt's accessibility.

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "AppTestSupport.h"

namespace {

QStringList events;  // "objectName type", and "objectName expanded" for that state's change

void Record(QAccessibleEvent* event) {
  if (event->object() == nullptr) return;
  const QString name = event->object()->objectName();
  events << QStringLiteral("%1 %2").arg(name).arg(event->type());
  if (event->type() == QAccessible::StateChanged &&
      static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().expanded)
    events << name + QStringLiteral(" expanded");
}

QAccessibleInterface* Of(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

bool Seen(QAccessible::Event type) {
  return events.contains(QStringLiteral("lblErrorOccurred %1").arg(type));
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    if (platform == nullptr) QSKIP("this platform has no accessibility");
    QAccessible::installUpdateHandler(Record);
    platform->setActive(true);
  }
  void init() { events.clear(); }

  void plateBoxesNamedByTheirCaptions_data() { Rows({"0", "1", "2", "3", "4", "5"}); }
  void plateBoxesNamedByTheirCaptions() {
    TestWindow t;
    t.window.SelectTemplateStyle(Fields()[0].toInt());
    for (const QString& name : kBoxes + QStringList{"txtType"}) {
      if (!t.Box(name)->isVisible()) continue;
      const QString caption = t.Get<QLabel>("lbl" + name.mid(3))->text();
      QCOMPARE(name + ": " + Of(t.Box(name))->text(QAccessible::Name), name + ": " + caption);
    }
  }

  // Rows: "presses after a decode", -1 before the first decode.
  void dropButtonIsAButton_data() { Rows({"-1", "0", "1", "2"}); }
  void dropButtonIsAButton() {
    const int presses = Fields()[0].toInt();
    const bool open = presses % 2 == 0;
    TestWindow t;
    if (presses >= 0) t.DecodeGoodPlate();
    QAccessibleInterface* button = Of(t.Get("picDropDescription"));
    for (int i = 0; i < presses; ++i)
      button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(button->role(), QAccessible::Button);
    QCOMPARE(button->text(QAccessible::Name), open ? "Hide report" : "Show report");
    const QAccessible::State state = button->state();
    QVERIFY(state.expandable && bool(state.collapsed) == !open);
    QCOMPARE(bool(state.expanded), open);
    QCOMPARE(bool(state.disabled), presses < 0);
    QCOMPARE(t.Get("txtDescription")->isVisible(), open);
    if (presses > 0) QVERIFY(events.contains(QStringLiteral("picDropDescription expanded")));
  }

  // Named by its whole sentence, announced at each decode; its link opens the notice's topic.
  void errorNoticeIsAnnounced() {
    TestWindow t;
    t.DecodeWithError();
    QAccessibleInterface* notice = Of(t.Get("lblErrorOccurred"));
    QCOMPARE(notice->role(), QAccessible::AlertMessage);
    QCOMPARE(notice->text(QAccessible::Name),
             QStringLiteral("An error occurred while decoding. Please read the Error Notice."));
    QVERIFY(Seen(QAccessible::ObjectShow) && Seen(QAccessible::Alert));
    events.clear();
    t.window.Process();  // the notice already shows
    QVERIFY(Seen(QAccessible::Alert));
    QAccessibleInterface* link = Of(t.Get("lblErrorNotice"));
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), QStringLiteral("Error Notice."));
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(t.help.topics, std::vector<int>{IDH_ERROR_NOTICE});
  }

  void cleanDecodeAnnouncesNothing() {
    TestWindow t;
    t.DecodeGoodPlate();
    QVERIFY(!Seen(QAccessible::Alert));
  }

  // The plate's ground, emblems and separator lines are not shown at all. Rows: "style|opened or
  // decoded with the error notice".
  void nothingShownIsUnnamed_data() { Rows({"0|opened", "0|decoded", "2|decoded", "3|decoded"}); }
  void nothingShownIsUnnamed() {
    const QStringList r = Fields();
    TestWindow t;
    t.window.SelectTemplateStyle(r[0].toInt());
    if (r[1] == u"decoded") t.DecodeWithError();
    QCOMPARE(Of(t.Get("txtDescription"))->text(QAccessible::Name), QStringLiteral("Report"));
    QAccessibleInterface* client = Of(t.window.centralWidget());
    QVERIFY(client->childCount() > 0);
    for (int i = 0; i < client->childCount(); ++i) {
      QAccessibleInterface* child = client->child(i);
      QCOMPARE(client->indexOfChild(child), i);
      const QString name = child->object()->objectName();
      QVERIFY2(!name.startsWith("img") && !name.startsWith("Line") && name != "Shape1",
               qPrintable(name));
      QVERIFY2(child->state().invisible || !child->text(QAccessible::Name).isEmpty(),
               qPrintable(name));
    }
  }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
