#pragma once
// The program's help: VRNDL.chm shown in a HelpWindow. Opens the file on the
// first request (and again after a failure, so a file put back in place is
// found without a restart). A missing or damaged file is reported in a
// message box and nothing else changes.

#include <QPointer>
#include <filesystem>
#include <memory>
#include <string>

#include "app/IHelp.h"

class QWidget;

namespace vorrendal {

class ChmFile;
class HelpWindow;

class ChmHelp final : public IHelp {
 public:
  static constexpr const char* kFileName = "VRNDL.chm";

  // The help file beside the program.
  ChmHelp();
  explicit ChmHelp(std::filesystem::path file);
  ~ChmHelp() override;

  void ShowContents(QWidget* owner) override;
  void ShowTopic(int contextId, QWidget* owner) override;

  // The window, once a page has been shown (for tests and for the caller
  // that wants to close it).
  HelpWindow* Window() const;

 private:
  bool EnsureOpen(QWidget* owner);
  HelpWindow* WindowFor(QWidget* owner);
  void Present(HelpWindow* window);
  void Complain(QWidget* owner, const QString& text) const;

  std::filesystem::path path_;
  std::shared_ptr<const ChmFile> file_;
  QPointer<HelpWindow> window_;
};

}  // namespace vorrendal
