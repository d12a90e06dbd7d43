#pragma once
// The default printer through the CUPS print service: finds the default queue,
// checks that it takes jobs, reads its default paper, and hands it the
// finished job, checking that the queue took it.

#include "ui/IReportPrinter.h"

namespace vorrendal {

class CupsPrinter : public IReportPrinter {
 public:
  // server: the print service to ask, a host name or the path of its socket;
  // empty: the one this computer is set up for.
  explicit CupsPrinter(QString server = QString());

  bool DefaultQueue(PrintQueue* queue, QString* error) override;
  bool Submit(const PrintQueue& queue, const QString& pdfPath, const QString& title,
              QString* error) override;

 private:
  QString server_;
};

}  // namespace vorrendal
