#pragma once
// Keeps the job in a file of the test's choosing and its name, or refuses.
#include <QFile>
#include <QPageSize>
#include <QStringList>

#include "ui/IReportPrinter.h"

namespace vorrendal::testing {

struct FakePrinter final : IReportPrinter {
  // keepAt: where the job goes; empty: there is no default printer.
  explicit FakePrinter(QString keepAt) : keep(std::move(keepAt)) {}

  bool DefaultQueue(PrintQueue* queue, QString* error) override {
    if (keep.isEmpty()) {
      *error = QStringLiteral("No default printer is set up on this computer.");
      return false;
    }
    *queue = {QStringLiteral("Fake"), paper};
    return true;
  }
  bool Submit(const PrintQueue&, const QString& pdf, const QString& title,
              QString* error) override {
    *error = refusal;
    if (!refusal.isEmpty()) return false;
    jobs.append(title);
    QFile::remove(keep);
    return QFile::copy(pdf, keep);
  }

  QString keep;
  QPageLayout paper{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                    QPageLayout::Millimeter};
  QString refusal;   // why the queue refuses a job; empty: it takes it
  QStringList jobs;  // the names of the jobs it took
};

}  // namespace vorrendal::testing
