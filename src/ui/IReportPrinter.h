#pragma once
// The default printer as report output sees it. The program prints through
// CupsPrinter; tests put in a print queue that keeps the job it is handed.

#include <QPageLayout>
#include <QString>

namespace vorrendal {

// A print queue as the print service describes it.
struct PrintQueue {
  QString name;
  // Its default paper; the margins are the edges the printer cannot print on.
  QPageLayout paper;
};

class IReportPrinter {
 public:
  virtual ~IReportPrinter() = default;
  // The default queue, when there is one and it accepts jobs; else false and why.
  virtual bool DefaultQueue(PrintQueue* queue, QString* error) = 0;
  // Hands the finished PDF file to the queue as one job named title; false and
  // why when the queue did not take it.
  virtual bool Submit(const PrintQueue& queue, const QString& pdfPath, const QString& title,
                      QString* error) = 0;
};

}  // namespace vorrendal
