// The batch window over 100,000 plates, offscreen: the time from opening the
// file until every row is in the table and painted, the peak memory of the
// process, and how late a 10 ms timer on the window's thread ran meanwhile.
// Aims: under 3 s, under 300 MB, never more than 100 ms late; exits 1 when
// one is missed. Run it on a Release build: bin/vorrendal-bench-window [ROWS].

#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/IHelp.h"
#include "app/frmBatch.h"
#include "app/frmMain.h"
#include "data/clsDataFile.h"

namespace {

struct NoHelp final : vorrendal::IHelp {
  void ShowContents(QWidget*) override {}
  void ShowTopic(int, QWidget*) override {}
};

// Plates of several years, a few of them refused or with a code not described.
QByteArray Plates(int rows) {
  const char* const plates[] = {
      "5A63Z100512,63D,A,41,12C,31,4,3,",     "2G53H123456,63C,4A,3E,,42,W,3,1972",
      "2A63E100025,63D,M,41,9N,33,4,2,1962",  "C9GE201133,63B,H,21,3A,,1,2,",
      "3T54X200777,54B,5,21,18K,24,4,3,1973", "X5A63Z10051,63D,A,41,12C,31,4,3,"};
  QByteArray csv = "serial,body,color,trim,date,dso,trans,axle,year\r\n";
  for (int i = 0; i < rows; ++i) csv += QByteArray(plates[i % 6]) + "\r\n";
  return csv;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
  QTemporaryDir dir;
  const QString path = dir.filePath("plates.csv");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(Plates(rows)) < 0) return 2;
  file.close();

  NoHelp help;
  vorrendal::frmMain main(
      help, [] { return std::make_unique<vorrendal::clsDataFile>(VORRENDAL_BIN_DIR "/Data.dat"); });
  main.show();

  qint64 latest = 0;
  QElapsedTimer tick;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout,
                   [&] { latest = std::max(latest, tick.restart() - 10); });

  QElapsedTimer clock;
  clock.start();
  tick.start();
  timer.start(10);
  main.OpenPlates(path);
  auto* batch = main.findChild<vorrendal::frmBatch*>();
  if (batch == nullptr) return 2;
  qint64 ms = 0;
  int shown = 0;
  // Quitting closes the windows, and a closed batch window goes away: the
  // figures are taken before.
  QObject::connect(batch, &vorrendal::frmBatch::Finished, &app, [&] {
    auto* table = batch->findChild<QTableView*>();
    table->scrollToBottom();
    batch->repaint();
    ms = clock.elapsed();
    shown = table->model()->rowCount();
    app.quit();
  });
  app.exec();

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double mb = static_cast<double>(usage.ru_maxrss) / 1024;
  std::printf("%d rows decoded and shown in %lld ms (aim: < 3000 ms)\n", shown,
              static_cast<long long>(ms));
  std::printf("peak memory %.1f MB (aim: < 300 MB)\n", mb);
  std::printf("10 ms timer at most %lld ms late (aim: <= 100 ms)\n",
              static_cast<long long>(latest));
  return shown == rows && ms < 3000 && mb < 300 && latest <= 100 ? 0 : 1;
}
