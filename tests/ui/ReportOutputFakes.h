#pragma once
// Stand-ins for the services report output goes through: a clipboard and a
// message box that record, a "printer" that writes PDF, and a save dialog
// that answers with the next file name.

#include <QPrinter>
#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

#include "ui/IFileDialogBackend.h"
#include "ui/IReportOutputServices.h"
#include "ui/ReportOutput.h"

namespace vorrendal::test {

class FakeClipboard : public IClipboard {
 public:
  explicit FakeClipboard(QStringList* log) : log_(log) {}
  void Clear() override { log_->append(QStringLiteral("clear")); }
  void SetText(const QString& text) override { log_->append(QStringLiteral("set:") + text); }
  QStringList* log_;
};

// Each message as "title|text".
class FakeMessages : public IMessageBox {
 public:
  explicit FakeMessages(QStringList* log) : log_(log) {}
  void Warn(QWidget*, const QString& title, const QString& text) override { log_->append(title + u'|' + text); }
  QStringList* log_;
};

// Writes the job to a PDF file; with no file name there is no printer.
class PdfPrinter : public IReportPrinter {
 public:
  explicit PdfPrinter(QString file) : file_(std::move(file)) {}
  std::unique_ptr<QPrinter> DefaultPrinter(QString& whyNot) override {
    if (file_.isEmpty()) {
      whyNot = QStringLiteral("No default printer is set up on this computer.");
      return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFileName(file_);  // a .pdf name prints to PDF
    return printer;
  }
  QString file_;
};

// The save dialog answers with the next file name; none left is Cancel.
class NextFileName : public IFileDialogBackend {
 public:
  NextFileName(std::deque<QString>* names, std::vector<FileDialogRequest>* requests)
      : names_(names), requests_(requests) {}
  bool Run(const FileDialogRequest& request, FileDialogResult& result) override {
    requests_->push_back(request);
    if (names_->empty()) return false;
    result.files = {names_->front()};
    result.selectedFilter = request.selectedFilter;
    names_->pop_front();
    return true;
  }
  void Refuse(QWidget*, const QString&) override {}
  std::deque<QString>* names_;
  std::vector<FileDialogRequest>* requests_;
};

// Every service faked, with what they saw kept here.
struct FakeOutput {
  // The services to hand over; pdf empty means no printer.
  ReportOutputServices Services(const QString& pdf = QString()) {
    ReportOutputServices services;
    services.clipboard = std::make_unique<FakeClipboard>(&clipboard);
    services.messages = std::make_unique<FakeMessages>(&messages);
    services.printer = std::make_unique<PdfPrinter>(pdf);
    services.fileDialog = std::make_unique<NextFileName>(&names, &requests);
    return services;
  }
  QStringList clipboard, messages;
  std::deque<QString> names;
  std::vector<FileDialogRequest> requests;
};

}  // namespace vorrendal::test
