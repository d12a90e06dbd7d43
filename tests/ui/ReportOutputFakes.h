#pragma once
// Stand-ins for the services report output goes through: a clipboard and a
// message box that record, a print queue that keeps the PDF job it is handed,
// and a save dialog that answers with the next file name; the file dialog
// tests use it too.

#include <QFile>
#include <QPageSize>
#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

#include "ui/ReportOutput.h"

namespace vorrendal::test {

// Every service faked, with what they saw kept here: the clipboard's calls as
// "clear" and "set:<text>", each message as "title|text" (a name the save
// dialog refuses as "Refused|why"), and each request to the save dialog. It
// answers with the next of names (several files: a name per line) and the
// next of filters, or else the filter asked for; no name left is Cancel.
struct FakeOutput {
  // The services to hand over; pdf names where the print queue keeps the job
  // it takes, empty: no default printer.
  ReportOutputServices Services(const QString& pdf = QString());
  QStringList clipboard, messages;
  std::deque<QString> names;
  std::deque<int> filters;
  std::vector<FileDialogRequest> requests;
  QString printFile;  // where the print queue keeps the job, from Services()
  // The print queue's default paper, and why it refuses a job (empty: it takes it).
  QPageLayout paper{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                    QPageLayout::Millimeter};
  QString refusal;
  QStringList jobs;  // the names of the jobs the queue took
};

// One stand-in for all four services: each service gets its own, and all of
// them keep what they see in the same FakeOutput.
struct FakeService : IClipboard, IMessageBox, IReportPrinter, IFileDialogBackend {
  explicit FakeService(FakeOutput* out) : out_(out) {}
  void Clear() override { out_->clipboard.append(QStringLiteral("clear")); }
  void SetText(const QString& text) override {
    out_->clipboard.append(QStringLiteral("set:") + text);
  }
  void Warn(QWidget*, const QString& title, const QString& text) override {
    out_->messages.append(title + u'|' + text);
  }
  bool DefaultQueue(PrintQueue* queue, QString* error) override {
    if (out_->printFile.isEmpty()) {
      *error = QStringLiteral("No default printer is set up on this computer.");
      return false;
    }
    *queue = {QStringLiteral("Fake"), out_->paper};
    return true;
  }
  bool Submit(const PrintQueue&, const QString& pdf, const QString& title,
              QString* error) override {
    *error = out_->refusal;
    if (!out_->refusal.isEmpty()) return false;
    out_->jobs.append(title);
    QFile::remove(out_->printFile);
    return QFile::copy(pdf, out_->printFile);
  }
  bool Run(const FileDialogRequest& request, FileDialogResult& result) override {
    out_->requests.push_back(request);
    if (out_->names.empty()) return false;
    result = {out_->names.front().split(u'\n'), request.selectedFilter};
    out_->names.pop_front();
    if (!out_->filters.empty()) {
      result.selectedFilter = out_->filters.front();
      out_->filters.pop_front();
    }
    return true;
  }
  void Refuse(QWidget*, const QString& why) override {
    out_->messages.append(QStringLiteral("Refused|") + why);
  }
  FakeOutput* out_;
};

inline ReportOutputServices FakeOutput::Services(const QString& printTo) {
  printFile = printTo;
  return {std::make_unique<FakeService>(this), std::make_unique<FakeService>(this),
          std::make_unique<FakeService>(this), std::make_unique<FakeService>(this)};
}

}  // namespace vorrendal::test
