// The year dialog, the decoder's message boxes and the About box.

#include "AppTestSupport.h"
#include "app/frmAbout.h"

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  // The dialog is made once and only hidden; OK takes the chosen year, and
  // the close box or Escape keep the last answer given, preselected next time.
  void yearDialogRemembersTheLastAnswer() {
    // One question a step: how it is answered (0/1 choose that year and OK, 2 OK as shown, -1 the
    // other year chosen then the close box, -2 Escape), the second year shown chosen?, the answer.
    struct Step {
      int how;
      bool secondShown;
      int answer;
    };
    const Step steps[] = {
        {-1, false, 0}, {2, false, 0},  // the close box before any answer: the first year
        {1, false, 1},  {2, true, 1},   // the second answer is preselected next time
        {0, true, 0},   {2, false, 0},  // and back to the first
        {1, false, 1},  {-1, true, 1}, {2, true, 1},  // the close box keeps the last answer
        {-2, true, 1},                                // and so does Escape
    };
    const char* const years[][2] = {{"1962", "1972"}, {"1964", "1974"}, {"1960", "1970"}};
    const QString format =
        QStringLiteral("%1|%2|%3");  // first year|second year|second shown chosen
    QWidget owner;
    owner.show();
    RecordingHelp help;
    GuiPrompter prompter(&owner, help);
    QVERIFY(prompter.YearDialog() == nullptr);
    ModalDriver driver;
    frmCorrectYearSelect* dialog = nullptr;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
      const Row row(QStringLiteral("question %1").arg(i));
      const int how = steps[i].how;
      QString shown;
      driver.Then([&shown, &format, how](QWidget* modal) {
        auto* d = qobject_cast<frmCorrectYearSelect*>(modal);
        if (d == nullptr) return modal->close(), void();
        shown = format.arg(d->optYear1->text(), d->optYear2->text()).arg(d->optYear2->isChecked());
        if (how == 0 || how == 1) (how == 1 ? d->optYear2 : d->optYear1)->setChecked(true);
        if (how == -1) (d->optYear2->isChecked() ? d->optYear1 : d->optYear2)->setChecked(true);
        if (how == 0 || how == 1) d->cmdOK->click();
        if (how == 2) QTest::keyClick(d, Qt::Key_Return);
        if (how == -1) d->close();
        if (how == -2) QTest::keyClick(d, Qt::Key_Escape);
      });
      QCOMPARE(prompter.AskYear(years[i % 3][0], years[i % 3][1]), steps[i].answer);
      QVERIFY(driver.Done());
      QCOMPARE(shown, format.arg(years[i % 3][0], years[i % 3][1]).arg(steps[i].secondShown));
      if (dialog == nullptr) dialog = prompter.YearDialog();
      QVERIFY(dialog != nullptr && dialog->isHidden());
      QCOMPARE(prompter.YearDialog(), dialog);
      QCOMPARE(dialog->YearOptionSelected, steps[i].answer);
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

  // Error Loading Data: Help (topic 101) keeps the box up, however often it is
  // pressed; Escape ends it without help.
  void errorLoadingDataBox() {
    QWidget owner;
    RecordingHelp help;
    GuiPrompter prompter(&owner, help);
    ModalDriver driver;
    QStringList seen(3);
    driver.Then(Press(QMessageBox::Help, &seen[0]));
    driver.Then(Press(QMessageBox::Help, &seen[1]));
    driver.Then(Press(QMessageBox::NoButton, &seen[2]));  // not a button: closes as Escape does
    prompter.DataLoadFailed();
    QVERIFY(driver.Done() && driver.Unexpected().isEmpty());
    const QString box =
        QStringLiteral("Error Loading Data|Unable to load data file. It may be corrupted.|%1|%2")
            .arg(QMessageBox::Critical)
            .arg(int(QMessageBox::Ok | QMessageBox::Help));
    QCOMPARE(seen, QStringList(3, box));
    QCOMPARE(help.topics, std::vector<int>(2, GuiPrompter::kDataLoadHelpTopic));
  }

  // A fresh About box each time, with its texts, size and web link.
  void aboutIsFreshEachTime() {
    TestWindow t;
    ModalDriver driver;
    QStringList opened;
    for (int round = 0; round < 2; ++round) {
      driver.Then([&](QWidget* modal) {
        auto* about = qobject_cast<frmAbout*>(modal);
        QVERIFY(about != nullptr);
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
    QCOMPARE(opened, QStringList(2, QStringLiteral("https://vorrendal.example.org/")));
    QVERIFY(t.window.findChildren<frmAbout*>().isEmpty());  // none kept after closing
  }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
