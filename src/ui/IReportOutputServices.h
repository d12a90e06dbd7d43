#pragma once
// The system services report output goes through: the clipboard, the message
// box and the default printer. The program uses the real ones
// (SystemOutputServices, CupsPrinter); tests put in fakes.

#include <QPageLayout>
#include <QString>

class QWidget;

namespace vorrendal {

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  virtual void Clear() = 0;
  virtual void SetText(const QString& text) = 0;
};

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  // A modal warning with an OK button.
  virtual void Warn(QWidget* owner, const QString& title, const QString& text) = 0;
};

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
