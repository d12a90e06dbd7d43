#pragma once
// The help of a program that ships without its help file: every request tells
// the person, in a message box, that help cannot be shown.

#include <QString>

#include "IHelp.h"

namespace vorrendal {

class HelpUnavailable final : public IHelp {
 public:
  static constexpr const char* kTitle = "Vorrendal Help";

  void ShowContents(QWidget* owner) override;
  void ShowTopic(int contextId, QWidget* owner) override;

  // The message shown, for contents (contextId 0) or a topic.
  static QString Message(int contextId);
};

}  // namespace vorrendal
