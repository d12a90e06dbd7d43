// The year dialog, the decoder's message boxes, the About box and the help
// that tells the person it is not there.

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "AppTestSupport.h"
#include "app/GuiPrompter.h"
#include "app/LinkLabel.h"
#include "app/ScreenUnits.h"
#include "app/frmAbout.h"
#include "app/frmCorrectYearSelect.h"

using namespace vorrendal;
using namespace vorrendal::testing;

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void yearDialogRemembersTheLastAnswer_data() {
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<QList<int>>("preselected");  // 1: optYear2 checked when shown
    QTest::addColumn<QList<int>>("answers");
    // Step codes: 0/1 choose that option and OK, 2 OK as shown, -1 close box
    // after toggling the other option, -2 Escape.
    QTest::newRow("OK at once takes the first year") << QList<int>{2} << QList<int>{0} << QList<int>{0};
    QTest::newRow("second answer is preselected next time")
        << QList<int>{1, 2} << QList<int>{0, 1} << QList<int>{1, 1};
    QTest::newRow("back to the first") << QList<int>{1, 0, 2} << QList<int>{0, 1, 0}
                                       << QList<int>{1, 0, 0};
    QTest::newRow("close box keeps the last answer")
        << QList<int>{1, -1, 2} << QList<int>{0, 1, 1} << QList<int>{1, 1, 1};
    QTest::newRow("close box before any answer gives the first year")
        << QList<int>{-1, 2} << QList<int>{0, 0} << QList<int>{0, 0};
    QTest::newRow("escape keeps the last answer") << QList<int>{1, -2} << QList<int>{0, 1}
                                                  << QList<int>{1, 1};
  }
  void yearDialogRemembersTheLastAnswer() {
    QFETCH(QList<int>, steps);
    QFETCH(QList<int>, preselected);
    QFETCH(QList<int>, answers);
    QWidget owner;
    owner.show();
    RecordingHelp help;
    GuiPrompter prompter(&owner, help);
    QVERIFY(prompter.YearDialog() == nullptr);
    ModalDriver driver;
    frmCorrectYearSelect* dialog = nullptr;
    const char* years[][2] = {{"1962", "1972"}, {"1964", "1974"}, {"1960", "1970"}};
    for (qsizetype i = 0; i < steps.size(); ++i) {
      const int step = steps[i];
      bool secondShown = false;
      QString caption1, caption2;
      driver.Then([&, step](QWidget* modal) {
        auto* d = qobject_cast<frmCorrectYearSelect*>(modal);
        if (d == nullptr) return modal->close(), void();
        secondShown = d->optYear2->isChecked();
        caption1 = d->optYear1->text();
        caption2 = d->optYear2->text();
        switch (step) {
          case 0: d->optYear1->setChecked(true); d->cmdOK->click(); break;
          case 1: d->optYear2->setChecked(true); d->cmdOK->click(); break;
          case 2: QTest::keyClick(d, Qt::Key_Return); break;
          case -1:
            (d->optYear2->isChecked() ? d->optYear1 : d->optYear2)->setChecked(true);
            d->close();
            break;
          default: QTest::keyClick(d, Qt::Key_Escape); break;
        }
      });
      const int answer = prompter.AskYear(years[i % 3][0], years[i % 3][1]);
      QVERIFY(driver.Done());
      QCOMPARE(caption1, QString::fromLatin1(years[i % 3][0]));
      QCOMPARE(caption2, QString::fromLatin1(years[i % 3][1]));
      QCOMPARE(secondShown ? 1 : 0, preselected[i]);
      QCOMPARE(answer, answers[i]);
      if (dialog == nullptr) dialog = prompter.YearDialog();
      QVERIFY(dialog != nullptr && dialog->isHidden());
      QCOMPARE(prompter.YearDialog(), dialog);  // loaded once, only hidden afterwards
      QCOMPARE(dialog->YearOptionSelected, answers[i]);
    }
  }

  void yearDialogLooksAsDesigned() {
    frmCorrectYearSelect dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Which year?"));
    QCOMPARE(dialog.Frame1->title(), QStringLiteral("Select correct year"));
    QVERIFY(dialog.optYear1->isChecked() && dialog.cmdOK->isDefault());
    QCOMPARE(dialog.cmdOK->text(), QStringLiteral("&OK"));
    QCOMPARE(dialog.size(), QSize(TwipsToPixels(1815), TwipsToPixels(1500)));
    QList<QWidget*> order;  // the frame never takes the focus
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain())
      if (w->focusPolicy() & Qt::TabFocus) order << w;
    QCOMPARE(order, (QList<QWidget*>{dialog.cmdOK, dialog.optYear1, dialog.optYear2}));
    QCOMPARE(dialog.optYear2->property("helpContextId").toInt(), 6011);
    QCOMPARE(dialog.cmdOK->property("helpContextId").toInt(), 6012);
  }

  // Error Loading Data: Help (topic 101) keeps the box up; OK or Escape ends it.
  void errorLoadingDataBox() {
    for (const int helpPresses : {0, 1, 2}) {
      QWidget owner;
      RecordingHelp help;
      GuiPrompter prompter(&owner, help);
      ModalDriver driver;
      QStringList seen(helpPresses + 1);
      for (int i = 0; i < helpPresses; ++i) driver.Then(NoteAndPress(&seen[i], QMessageBox::Help));
      driver.Then([&](QWidget* modal) {
        NoteAndPress(&seen[helpPresses], QMessageBox::NoButton)(modal);  // not a button: closes as Escape does
      });
      prompter.DataLoadFailed("Error Loading Data", "Unable to load data file. It may be corrupted.");
      QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
      QCOMPARE(seen, QStringList(helpPresses + 1, QStringLiteral("Error Loading Data|Unable to load data file. It may be corrupted.|%1|%2")
                                                      .arg(QMessageBox::Critical).arg(int(QMessageBox::Ok | QMessageBox::Help))));
      QCOMPARE(help.topics, std::vector<int>(static_cast<std::size_t>(helpPresses), GuiPrompter::kDataLoadHelpTopic));
    }
  }

  void aboutIsFreshEachTime() {
    TestWindow t;
    ModalDriver driver;
    QStringList opened;
    int shown = 0;
    for (int round = 0; round < 2; ++round) {
      driver.Then([&](QWidget* modal) {
        auto* about = qobject_cast<frmAbout*>(modal);
        QVERIFY(about != nullptr);
        ++shown;
        // A box left over from the first showing would still carry this mark.
        QVERIFY(!about->property("seenBefore").isValid());
        about->setProperty("seenBefore", true);
        QCOMPARE(about->windowTitle(), QStringLiteral("About Vorrendal"));
        QCOMPARE(about->lblTitle->text(), QStringLiteral("1959-1974 Vorrendal"));
        QCOMPARE(about->lblVersion->text(), QStringLiteral("Version 1.2.0.2"));
        QCOMPARE(about->lblWebsiteLink->text(), QStringLiteral("https://vorrendal.example.org/"));
        QCOMPARE(about->lblWebsiteLink->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(about->size(), QSize(TwipsToPixels(4935), TwipsToPixels(2415)));
        QVERIFY(about->cmdOK->isDefault());
        about->OpenWebAddress = [&](const QString& address) { opened << address; };
        QTest::mouseClick(about->lblWebsiteLink, Qt::LeftButton);
        QTest::keyClick(about, Qt::Key_Return);
      });
      t.window.mnuHelpAbout->trigger();
      QVERIFY(driver.Done());
    }
    QCOMPARE(shown, 2);
    QCOMPARE(opened, QStringList(2, QStringLiteral("https://vorrendal.example.org/")));
    QVERIFY(t.window.findChildren<frmAbout*>().isEmpty());  // none kept after closing
  }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
