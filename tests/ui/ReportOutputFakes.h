#pragma once
// Stand-ins for the services report output goes through: a clipboard and a
// message box that record, a "printer" that writes PDF, and a save dialog
// that answers with the next file name; the file dialog tests use it too.

#include <QPrinter>
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
  // The services to hand over; pdf names the file the printer writes, empty: no printer.
  ReportOutputServices Services(const QString& pdf = QString());
  QStringList clipboard, messages;
  std::deque<QString> names;
  std::deque<int> filters;
  std::vector<FileDialogRequest> requests;
  QString printFile;  // where the printer writes, from Services()
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
  std::unique_ptr<QPrinter> DefaultPrinter(QString& whyNot) override {
    if (out_->printFile.isEmpty()) {
      whyNot = QStringLiteral("No default printer is set up on this computer.");
      return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFileName(out_->printFile);  // a .pdf name prints to PDF
    return printer;
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
