// Printing, read back from the PDF handed to a fake queue.

#include <poppler-qt6.h>
#include <sys/resource.h>

#include <QPageSize>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>

#include "FakePrinter.h"
#include "support/ModalDriver.h"
#include "ui/CupsPrinter.h"
#include "ui/ReportOutput.h"

using vorrendal::ReportOutput;
using vorrendal::testing::FakePrinter;

namespace {

struct Printing {
  Printing() {
    auto queue = std::make_unique<FakePrinter>(pdf);
    printer = queue.get();
    output = std::make_unique<ReportOutput>(
        nullptr, [this] { return report; }, std::move(queue));
  }
  QTemporaryDir folder;
  QString pdf = folder.filePath(QStringLiteral("job.pdf"));
  QString report;
  FakePrinter* printer = nullptr;
  std::unique_ptr<ReportOutput> output;
  std::unique_ptr<Poppler::Document> Job() const { return Poppler::Document::load(pdf); }
};

QPageLayout Paper(QPageSize::PageSizeId size, double marginMillimetres) {
  const double m = marginMillimetres;
  return {QPageSize(size), QPageLayout::Portrait, QMarginsF(m, m, m, m), QPageLayout::Millimeter};
}

}  // namespace

class PrintTest : public QObject {
  Q_OBJECT

 private slots:
  // Not A4 (the fake's default); the report starts at the top-left of the printable area.
  void letterPaperOfTheQueue() {
    Printing p;
    const QPageLayout paper = Paper(QPageSize::Letter, 6.35);
    p.printer->paper = paper;
    p.report = QStringLiteral("Serial (Warranty) Number: 7L55Z123456\nBody: 76C");
    QVERIFY(p.output->PrintReport());
    const auto job = p.Job();
    QVERIFY(job && job->numPages() == 1);
    QCOMPARE(job->page(0)->pageSizeF(), paper.fullRect(QPageLayout::Point).size());
    const auto words = job->page(0)->textList();  // in points from the top-left
    QVERIFY(!words.empty());
    const QRectF first = words.front()->boundingBox();
    const QMarginsF edges = paper.margins(QPageLayout::Point);
    QCOMPARE(words.front()->text(), QStringLiteral("Serial"));
    QVERIFY(qAbs(first.left() - edges.left()) < 1.5);
    QVERIFY(first.top() > edges.top() - 0.5 && first.top() < edges.top() + 6);
  }

  void longReportOnThreePages() {
    Printing p;
    p.report = QStringList(150, QStringLiteral("A line of the report")).join(u'\n');
    QVERIFY(p.output->PrintReport());
    const auto job = p.Job();
    QVERIFY(job && job->numPages() == 3);
  }

  void wideLineKept() {
    Printing p;
    p.printer->paper = Paper(QPageSize::Letter, 6.35);
    QString line;
    for (int i = 0; i < 13; ++i)
      line += QStringLiteral("%1word-%2 ").arg(i % 10).arg(i, 3, 10, QChar(u'0'));
    line += QString(60, u'x');
    p.report = line;
    QVERIFY(p.output->PrintReport());
    const auto job = p.Job();
    QVERIFY(job);
    QString printed;
    const double right = p.printer->paper.paintRect(QPageLayout::Point).right();
    for (const auto& word : job->page(0)->textList()) {
      QVERIFY2(word->boundingBox().right() <= right + 0.5, qPrintable(word->text()));
      printed += word->text();
    }
    QCOMPARE(printed, QString(line).remove(u' '));
  }

  // After a decode the serial number follows, as the window's print shows.
  void jobNameBeforeAnyDecode() {
    Printing p;
    QVERIFY(p.output->PrintReport());
    QCOMPARE(p.printer->jobs, QStringList{"Vorrendal"});
  }

  void notPrinted_data() {
    QTest::addColumn<QString>("cause");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("why");
    QTest::newRow("no printer") << "none" << 1 << "No default printer is set up on this computer.";
    QTest::newRow("no room") << "no room" << 1 << "The paper of printer \"Fake\" cannot be used.";
    QTest::newRow("refused") << "refused" << 1
                             << "The printer \"Fake\" did not take the job (Forbidden).";
    // A file-size limit makes writing fail part-way, as a full disk does.
    QTest::newRow("full mid-job") << "full" << 500 << "The print job could not be written.";
  }
  void notPrinted() {
    QFETCH(QString, cause);
    QFETCH(int, lines);
    QFETCH(QString, why);
    Printing p;
    p.report =
        QStringList(lines, QStringLiteral("Serial (Warranty) Number: 7L55Z123456")).join(u'\n');
    if (cause == QStringLiteral("none")) p.printer->keep.clear();
    if (cause == QStringLiteral("no room")) p.printer->paper = Paper(QPageSize::A5, 80);
    if (cause == QStringLiteral("refused")) p.printer->refusal = why;
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    if (cause == QStringLiteral("full")) small.rlim_cur = 4096;
    vorrendal::testing::ModalDriver driver;
    QString seen;
    driver.Then(vorrendal::testing::Press(QMessageBox::Ok, &seen));
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool printed = p.output->PrintReport();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    QVERIFY(!printed && driver.Done());
    QCOMPARE(seen.section(u'|', 0, 1), "Print|The report could not be printed.\n\n" + why);
    QVERIFY(p.printer->jobs.isEmpty());
  }

  // Not "no printer is set up".
  void serviceDown_data() {
    QTest::addColumn<bool>("submit");
    QTest::newRow("finding the queue") << false;
    QTest::newRow("handing over the job") << true;
  }
  void serviceDown() {
    QFETCH(bool, submit);
    QTemporaryDir folder;
    vorrendal::CupsPrinter printer(folder.filePath(QStringLiteral("cups.sock")));
    vorrendal::PrintQueue queue{QStringLiteral("Q"), Paper(QPageSize::Letter, 0)};
    QString why;
    QVERIFY(submit ? !printer.Submit(queue, folder.filePath(QStringLiteral("job.pdf")),
                                     QStringLiteral("Vorrendal"), &why)
                   : !printer.DefaultQueue(&queue, &why));
    QCOMPARE(why, QStringLiteral("The print service cannot be reached."));
  }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
